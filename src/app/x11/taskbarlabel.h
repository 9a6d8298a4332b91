// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

class QWidget;

// Makes `title` the label of the window's task-bar entry: on X11 its icon name
// (WM_ICON_NAME and _NET_WM_ICON_NAME); the class part of WM_CLASS is Qt's,
// from the application's name. Creates the native window if there is none
// yet, and labels it again should it ever be recreated. Does nothing off X11. Give it before the window is shown:
// _NET_WM_ICON_NAME is written by Qt, which does so as it shows the window.
void labelTaskBarEntry(QWidget& window, const QString& title);

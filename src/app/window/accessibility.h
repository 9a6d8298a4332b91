// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

// What a screen reader meets: the window as a frame that holds the picture, an
// image with its name and description, and the close button, with nothing
// between them. The scroll area's viewport and the client area inside it are
// layout, not anything a reader should step through.
namespace accessibility {

// Makes Qt describe the program's window and controls so; call once, after
// Qt has started and before the window is created.
void describeTheWindow();

} // namespace accessibility

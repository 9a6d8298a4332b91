// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/x11/taskbarlabel.h"

#include "app/x11/x11.h"

#include <QEvent>
#include <QWidget>

namespace {

bool isLatin1(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return false;
    }
    return true;
}

void label(QWidget& window, const QString& title)
{
    xcb_connection_t* connection = x11::connection();
    if (!connection)
        return;
    const auto native = static_cast<xcb_window_t>(window.winId());
    const xcb_atom_t utf8 = x11::atom(connection, "UTF8_STRING");

    // The older property is text in ISO Latin-1 where it can be.
    if (isLatin1(title))
        x11::setProperty(connection, native, XCB_ATOM_WM_ICON_NAME, XCB_ATOM_STRING, title.toLatin1());
    else
        x11::setProperty(connection, native, XCB_ATOM_WM_ICON_NAME, utf8, title.toUtf8());

    xcb_flush(connection);
}

// Labels the window again whenever its native window is recreated.
class TaskBarLabel : public QObject {
    Q_OBJECT

public:
    TaskBarLabel(QWidget& window, const QString& title)
        : QObject(&window)
        , m_window(window)
        , m_title(title)
    {
        window.installEventFilter(this);
    }

    void setTitle(const QString& title) { m_title = title; }
    const QString& title() const { return m_title; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &m_window && event->type() == QEvent::WinIdChange && m_window.internalWinId())
            label(m_window, m_title);
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& m_window;
    QString m_title;
};

} // namespace

void labelTaskBarEntry(QWidget& window, const QString& title)
{
    // Qt writes _NET_WM_ICON_NAME from this as it shows the window, whichever
    // native window it has by then; WM_ICON_NAME is left to us.
    window.setWindowIconText(title);
    if (auto* existing = window.findChild<TaskBarLabel*>(QString(), Qt::FindDirectChildrenOnly))
        existing->setTitle(title);
    else
        new TaskBarLabel(window, title);
    label(window, title);
}

#include "taskbarlabel.moc"

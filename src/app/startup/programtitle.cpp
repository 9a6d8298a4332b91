// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/startup/programtitle.h"

#include "app/x11/x11.h"

#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

namespace {

constexpr char directorySeparator = '/';
constexpr char extensionMark = '.';

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

void setProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name, xcb_atom_t type,
                 const QByteArray& value)
{
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, name, type, 8, static_cast<uint32_t>(value.size()),
                        value.constData());
}

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
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t* connection = x11->connection();
    const auto native = static_cast<xcb_window_t>(window.winId());
    const xcb_atom_t utf8 = x11::atom(connection, "UTF8_STRING");
    const QByteArray utf8Title = title.toUtf8();

    setProperty(connection, native, x11::atom(connection, "_NET_WM_ICON_NAME"), utf8, utf8Title);
    // The older property is text in ISO Latin-1 where it can be.
    if (isLatin1(title))
        setProperty(connection, native, XCB_ATOM_WM_ICON_NAME, XCB_ATOM_STRING, title.toLatin1());
    else
        setProperty(connection, native, XCB_ATOM_WM_ICON_NAME, utf8, utf8Title);

    // The instance part stays as Qt set it, from the resource name
    // or the command's name, so that the user's resources still apply.
    const QByteArray wmClass = x11::stringProperty(connection, native, XCB_ATOM_WM_CLASS);
    const qsizetype end = wmClass.indexOf('\0');
    const QByteArray instance = end > 0 ? wmClass.left(end) : utf8Title;
    // Read with Xlib's class-hint call, which takes nothing but STRING.
    setProperty(connection, native, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, instance + '\0' + utf8Title + '\0');
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

QString programTitle(const QByteArray& executablePath)
{
    QByteArray name = executablePath.mid(executablePath.lastIndexOf(directorySeparator) + 1);
    const qsizetype extension = name.indexOf(extensionMark);
    if (extension >= 0)
        name.truncate(extension);
    // Only ASCII letters: a byte of a multi-byte character is never touched.
    for (qsizetype i = 1; i < name.size(); ++i)
        name[i] = lowerAscii(name[i]);
    return QFile::decodeName(name);
}

void labelTaskBarEntry(QWidget& window, const QString& title)
{
    // Qt writes the icon name it knows of whenever it sees fit.
    window.setWindowIconText(title);
    if (auto* existing = window.findChild<TaskBarLabel*>(QString(), Qt::FindDirectChildrenOnly))
        existing->setTitle(title);
    else
        new TaskBarLabel(window, title);
    label(window, title);
}

#include "programtitle.moc"

// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "harness.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QMap>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <thread>

#ifndef STEREOGRAM_DESKTOP_ENTRY
#error "STEREOGRAM_DESKTOP_ENTRY must name the program's desktop entry"
#endif

// Startup notification, which exists only between X clients: a launcher's
// "new:" message for the desktop entry's start, and the program's "remove:"
// once its window shows. The entry's fields are validated by the packaging
// tests (packaging/tests).
namespace e2e {
namespace {

// The [Desktop Entry] group's keys of a desktop entry file.
QMap<QByteArray, QByteArray> desktopEntry(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure("cannot read " + path.toStdString());
    QMap<QByteArray, QByteArray> keys;
    bool inEntry = false;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith('['))
            inEntry = line == "[Desktop Entry]";
        else if (const qsizetype equals = line.indexOf('='); inEntry && equals > 0 && !line.startsWith('#'))
            keys.insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
    }
    return keys;
}

// Startup notification as launchers and programs speak it on X: messages of
// text sent to the root window in pieces of 20 bytes, the first piece typed
// _NET_STARTUP_INFO_BEGIN, the others _NET_STARTUP_INFO, the last ending in a
// zero byte.
class StartupMessages {
public:
    explicit StartupMessages(const Display& display)
        : m_x(display.name().toLocal8Bit().constData())
    {
        // A connection of its own: the messages come to it alone.
        if (m_x.broken())
            throw Failure("cannot connect to the display " + display.name().toStdString());
        m_begin = m_x.atom(beginType);
        m_more = m_x.atom(moreType);
        // Messages go to the root window for whoever selected its property changes.
        m_x.selectEvents(m_x.root(), XCB_EVENT_MASK_PROPERTY_CHANGE);
        m_sender = xcb_generate_id(m_x.get());
        xcb_create_window(m_x.get(), XCB_COPY_FROM_PARENT, m_sender, m_x.root(), -1, -1, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        m_x.roundTrip();
    }

    // Sends `message` as a launcher does.
    void send(const QByteArray& message)
    {
        const QByteArray text = message + '\0';
        for (qsizetype at = 0; at < text.size(); at += pieceSize) {
            xcb_client_message_event_t piece = m_x.clientMessage(m_sender, at == 0 ? beginType : moreType, 8);
            std::memcpy(piece.data.data8, text.constData() + at, std::size_t(std::min(pieceSize, text.size() - at)));
            m_x.send(m_x.root(), XCB_EVENT_MASK_PROPERTY_CHANGE, piece);
        }
    }

    // Waits for a whole message from another client that starts with `prefix`.
    std::optional<QByteArray> waitFor(const QByteArray& prefix, Millis timeout)
    {
        const auto giveUp = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < giveUp) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(m_x.get())) {
                std::optional<QByteArray> message = take(*event);
                std::free(event);
                if (message && message->startsWith(prefix))
                    return message;
            }
            if (m_x.broken())
                throw Failure("lost the display while waiting for startup messages");
            std::this_thread::sleep_for(10ms);
        }
        return std::nullopt;
    }

private:
    static constexpr qsizetype pieceSize = 20;
    static constexpr const char* beginType = "_NET_STARTUP_INFO_BEGIN";
    static constexpr const char* moreType = "_NET_STARTUP_INFO";

    // A finished message, once its last piece has come.
    std::optional<QByteArray> take(const xcb_generic_event_t& event)
    {
        if ((event.response_type & ~0x80) != XCB_CLIENT_MESSAGE)
            return std::nullopt;
        const auto& piece = reinterpret_cast<const xcb_client_message_event_t&>(event);
        if (piece.format != 8 || piece.window == m_sender || (piece.type != m_begin && piece.type != m_more))
            return std::nullopt;
        QByteArray& text = m_partial[piece.window];
        if (piece.type == m_begin)
            text.clear();
        const auto* bytes = reinterpret_cast<const char*>(piece.data.data8);
        const auto* end = static_cast<const char*>(std::memchr(bytes, 0, pieceSize));
        text.append(bytes, end ? end - bytes : pieceSize);
        if (!end)
            return std::nullopt;
        return m_partial.take(piece.window);
    }

    xquery::Connection m_x;
    xcb_window_t m_sender = XCB_NONE;
    xcb_atom_t m_begin = XCB_ATOM_NONE;
    xcb_atom_t m_more = XCB_ATOM_NONE;
    QMap<xcb_window_t, QByteArray> m_partial;
};

TEST(Desktop, ALauncherThatAnnouncesTheStartSeesItCompleteWhenTheWindowShows)
{
    const QMap<QByteArray, QByteArray> entry = desktopEntry(QStringLiteral(STEREOGRAM_DESKTOP_ENTRY));
    ASSERT_EQ(entry.value("StartupNotify").toStdString(), "true") << "launchers give no busy cue";

    Display display;
    StartupMessages messages(display);
    // A launcher's startup ID: unique, ending in the time of the launching event.
    const QByteArray id = "stereogram-e2e-" + QByteArray::number(QCoreApplication::applicationPid()) + "_TIME0";
    messages.send("new: ID=" + id + " NAME=" + entry.value("Name") + " SCREEN=0");
    Launch launch;
    launch.set = {{QStringLiteral("DESKTOP_STARTUP_ID"), QString::fromLatin1(id)}};
    Program program(display, launch);

    const std::optional<QByteArray> removed = messages.waitFor("remove: ", 5s);
    ASSERT_TRUE(removed.has_value()) << "the launch was never marked complete; the busy cue stays";
    EXPECT_EQ(removed->toStdString(), "remove: ID=" + id.toStdString());
    EXPECT_TRUE(program.running());
}

} // namespace
} // namespace e2e

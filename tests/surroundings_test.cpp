// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/startup/fatalline.h"
#include "app/startup/qtenvironment.h"
#include "app/startup/resourcelimits.h"
#include "tablerows.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

struct DisplayRow : tablerows::Named {
    const char* display; // DISPLAY
    bool local;
};

class Display : public testing::TestWithParam<DisplayRow> {};

TEST_P(Display, IsReachedThroughTheServersLocalSocketOnlyWithoutAHost)
{
    EXPECT_EQ(qtenvironment::throughLocalSocket(GetParam().display), GetParam().local);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Display,
    testing::Values(DisplayRow{"NumberOnly", ":0", true}, DisplayRow{"NumberAndScreen", ":1.0", true},
                    DisplayRow{"HostUnix", "unix:0", true}, DisplayRow{"UnixProtocol", "unix/:2", true},
                    DisplayRow{"UnixProtocolWithAHost", "unix/box:2", true},
                    DisplayRow{"UnixProtocolWithAHostEndingInAColon", "unix/h::0", true},
                    DisplayRow{"SocketPath", "/tmp/.X11-unix/X0", true}, DisplayRow{"NotSet", "", true},
                    DisplayRow{"Localhost", "localhost:10.0", false},
                    DisplayRow{"LoopbackAddress", "127.0.0.1:50", false},
                    DisplayRow{"RemoteHost", "far.example:0", false}, DisplayRow{"Ipv6", "[::1]:0", false},
                    DisplayRow{"TcpProtocol", "tcp/box:0", false}, DisplayRow{"Inet6Protocol", "inet6/box:0", false},
                    DisplayRow{"DecNet", "node::0", false}),
    tablerows::byName);

// Environment variables a test changes, put back as they were when it ends.
class SavedEnvironment {
public:
    explicit SavedEnvironment(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            m_saved.emplace_back(name, get(name));
    }
    ~SavedEnvironment()
    {
        for (const auto& [name, value] : m_saved)
            set(name, value ? value->c_str() : nullptr);
    }
    SavedEnvironment(const SavedEnvironment&) = delete;
    SavedEnvironment& operator=(const SavedEnvironment&) = delete;

    // Null: not set.
    static void set(const char* name, const char* value)
    {
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    static std::optional<std::string> get(const char* name)
    {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    }

private:
    std::vector<std::pair<const char*, std::optional<std::string>>> m_saved;
};

std::optional<std::string> text(const char* value)
{
    return value ? std::optional<std::string>(value) : std::nullopt;
}

// What stands at $XDG_RUNTIME_DIR/bus, where libdbus looks for the session bus.
enum class AtBus { Nothing, Socket, File };

struct BusRow : tablerows::Named {
    const char* address; // DBUS_SESSION_BUS_ADDRESS before; null: not set
    AtBus atBus;
    const char* after; // and after; null: not set
};

// The variables the rule reads, set as a row says and put back afterwards.
class SessionBus : public testing::TestWithParam<BusRow> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(runtime.isValid());
        setenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit().constData(), 1);
        unsetenv("AT_SPI_BUS_ADDRESS");
    }
    void TearDown() override
    {
        if (listening >= 0)
            close(listening);
    }

    // A socket listening at `path`, as a session bus's.
    void listenAt(const std::string& path)
    {
        listening = socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_GE(listening, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        ASSERT_LT(path.size(), sizeof address.sun_path);
        path.copy(address.sun_path, path.size());
        ASSERT_EQ(bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        ASSERT_EQ(listen(listening, 1), 0);
    }

    SavedEnvironment saved{"DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR", "AT_SPI_BUS_ADDRESS"};
    QTemporaryDir runtime;
    int listening = -1;
};

TEST_P(SessionBus, IsLeftToLibdbusToFindOrSwitchedOffBeforeItCouldStartOne)
{
    const BusRow& row = GetParam();
    SavedEnvironment::set("DBUS_SESSION_BUS_ADDRESS", row.address);
    const std::string bus = runtime.filePath(QStringLiteral("bus")).toStdString();
    if (row.atBus == AtBus::Socket)
        listenAt(bus);
    if (row.atBus == AtBus::File) {
        std::FILE* file = std::fopen(bus.c_str(), "w");
        ASSERT_NE(file, nullptr) << bus;
        std::fclose(file);
    }

    qtenvironment::avoidSessionBusAutolaunch();

    EXPECT_EQ(SavedEnvironment::get("DBUS_SESSION_BUS_ADDRESS"), text(row.after));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SessionBus,
    testing::Values(BusRow{"AnAddressGivenIsKept", "unix:path=/run/user/1000/bus", AtBus::Nothing,
                           "unix:path=/run/user/1000/bus"},
                    BusRow{"ABusSocketInTheRuntimeDirectoryIsFoundByLibdbus", nullptr, AtBus::Socket, nullptr},
                    BusRow{"NoBusAnywhereSwitchesAutolaunchOff", nullptr, AtBus::Nothing, "disabled:"},
                    BusRow{"AFileThatIsNoSocketSwitchesAutolaunchOff", nullptr, AtBus::File, "disabled:"},
                    BusRow{"AnEmptyAddressCountsAsNone", "", AtBus::Nothing, "disabled:"}),
    tablerows::byName);

struct SharedMemoryRow : tablerows::Named {
    const char* display;
    const char* noMitShm; // QT_XCB_NO_MITSHM after; null: not set
};

class SharedMemoryImages : public testing::TestWithParam<SharedMemoryRow> {
protected:
    SavedEnvironment saved{
        "DISPLAY",         "QT_XCB_NO_MITSHM",        "QT_QPA_PLATFORM",     "QT_ENABLE_HIGHDPI_SCALING",
        "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_USE_PHYSICAL_DPI", "SESSION_MANAGER"};
};

TEST_P(SharedMemoryImages, AreSwitchedOffForQtOnlyWhereTheDisplayIsReachedOverTheNetwork)
{
    setenv("DISPLAY", GetParam().display, 1);
    unsetenv("QT_XCB_NO_MITSHM");
    qtenvironment::setBeforeQtStarts();
    EXPECT_EQ(SavedEnvironment::get("QT_XCB_NO_MITSHM"), text(GetParam().noMitShm));
}

INSTANTIATE_TEST_SUITE_P(Rows, SharedMemoryImages,
                         testing::Values(SharedMemoryRow{"LocalDisplay", ":0", nullptr},
                                         SharedMemoryRow{"DisplayOverTcp", "localhost:10.0", "1"},
                                         SharedMemoryRow{"RemoteHost", "far.example:0", "1"}),
                         tablerows::byName);

constexpr rlim_t unlimited = RLIM_INFINITY;

struct LimitRow : tablerows::Named {
    rlim_t soft;
    rlim_t hard;
    rlim_t needed;
    rlim_t raised;
};

class SoftLimit : public testing::TestWithParam<LimitRow> {};

TEST_P(SoftLimit, RisesAsFarAsNeededWhereTheHardLimitAllows)
{
    const LimitRow& row = GetParam();
    EXPECT_EQ(resourcelimits::raisedSoftLimit(row.soft, row.hard, row.needed), row.raised);
}

INSTANTIATE_TEST_SUITE_P(Rows, SoftLimit,
                         testing::Values(LimitRow{"EnoughStaysAsItIs", 1024, 4096, 20, 1024},
                                         LimitRow{"JustEnough", 20, 20, 20, 20},
                                         LimitRow{"UnlimitedStays", unlimited, unlimited, 20, unlimited},
                                         LimitRow{"BelowARoomierHardLimit", 5, 4096, 20, 20},
                                         LimitRow{"BelowAnUnlimitedHardLimit", 5, unlimited, 20, 20},
                                         LimitRow{"AsFarAsTheHardLimitWhereThatIsShort", 5, 12, 20, 12},
                                         LimitRow{"NowhereWhereTheHardLimitIsReached", 12, 12, 20, 12}),
                         tablerows::byName);

// Whether the limits on open files and the stack that start-up could not
// raise leave it enough, and if not, the line: the first limit short, and
// the number start-up needs of it (the descriptors open already and 14 more;
// a stack of 512 KiB).
enum class Short { Nothing, Files, Stack };

struct ShortfallRow : tablerows::Named {
    rlim_t files;
    rlim_t openFiles;
    rlim_t stackKiB;
    Short says;
    rlim_t needed; // as the line names it
};

class Shortfall : public testing::TestWithParam<ShortfallRow> {};

TEST_P(Shortfall, SaysTheFirstLimitShortAndWhatStartUpNeedsOfIt)
{
    const ShortfallRow& row = GetParam();
    const texts::Terminal english{texts::Language::English, "UTF-8"};
    constexpr rlim_t kibibyte = 1024;
    const rlim_t stack = row.stackKiB == unlimited ? unlimited : row.stackKiB * kibibyte;
    std::optional<QByteArray> expected;
    if (row.says == Short::Files)
        expected = fatalline::fileLimit(row.files, row.needed, english);
    else if (row.says == Short::Stack)
        expected = fatalline::stackLimit(row.stackKiB, row.needed, english);
    const std::optional<QByteArray> line = resourcelimits::shortfall(row.files, row.openFiles, stack, english);
    EXPECT_EQ(line.value_or("nothing").toStdString(), expected.value_or("nothing").toStdString());
}

constexpr rlim_t roomyStack = 8192; // KiB, as most systems set it

INSTANTIATE_TEST_SUITE_P(Rows, Shortfall,
                         testing::Values(ShortfallRow{"FilesForThoseOpenAnd14More", 17, 3, roomyStack, Short::Nothing,
                                                      0},
                                         ShortfallRow{"OneFileShort", 16, 3, roomyStack, Short::Files, 17},
                                         ShortfallRow{"FilesShortWithManyOpen", 20, 10, roomyStack, Short::Files, 24},
                                         ShortfallRow{"NoFileLimit", unlimited, 0, roomyStack, Short::Nothing, 0},
                                         ShortfallRow{"JustTheStackNeeded", unlimited, 0, 512, Short::Nothing, 0},
                                         ShortfallRow{"AStackOneKibibyteShort", unlimited, 0, 511, Short::Stack, 512},
                                         ShortfallRow{"AStackOf300KiB", unlimited, 0, 300, Short::Stack, 512},
                                         ShortfallRow{"NoStackLimit", unlimited, 0, unlimited, Short::Nothing, 0},
                                         ShortfallRow{"FilesSaidFirstWhereBothAreShort", 16, 3, 300, Short::Files, 17}),
                         tablerows::byName);

} // namespace

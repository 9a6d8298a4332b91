// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/startup/fatalline.h"
#include "app/startup/qtenvironment.h"
#include "app/startup/resourcelimits.h"
#include "tablerows.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

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
                    DisplayRow{"SocketPath", "/tmp/.X11-unix/X0", true}, DisplayRow{"NotSet", "", true},
                    DisplayRow{"Localhost", "localhost:10.0", false},
                    DisplayRow{"LoopbackAddress", "127.0.0.1:50", false},
                    DisplayRow{"RemoteHost", "far.example:0", false}, DisplayRow{"Ipv6", "[::1]:0", false},
                    DisplayRow{"TcpProtocol", "tcp/box:0", false}, DisplayRow{"Inet6Protocol", "inet6/box:0", false},
                    DisplayRow{"DecNet", "node::0", false}),
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

// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/startup/qtenvironment.h"
#include "app/startup/resourcelimits.h"
#include "tablerows.h"

#include <gtest/gtest.h>

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
                    DisplayRow{"UnixProtocolWithAHostEndingInAColon", "unix/h::0", true},
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

} // namespace

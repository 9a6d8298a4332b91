// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/startup/programtitle.h"
#include "tablerows.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

// The program's title from the bytes of its executable's path.
struct TitleRow : tablerows::Named {
    QByteArray path;
    QString title;
};

class Title : public testing::TestWithParam<TitleRow> {};

TEST_P(Title, FromTheExecutablesName)
{
    EXPECT_EQ(programTitle(GetParam().path).toStdString(), GetParam().title.toStdString());
}

const QString replacement(QChar::ReplacementCharacter);

INSTANTIATE_TEST_SUITE_P(
    Rows, Title,
    testing::Values(
        TitleRow{"ABareNameStays", QByteArray("stereogram"), QStringLiteral("stereogram")},
        TitleRow{"TheDirectoryGoes", QByteArray("/usr/local/bin/stereogram"), QStringLiteral("stereogram")},
        TitleRow{"ADotInADirectoryDoesNotCount", QByteArray("/opt/my.apps/v1.2/viewer"), QStringLiteral("viewer")},
        TitleRow{"ARelativePath", QByteArray("./stereogram"), QStringLiteral("stereogram")},
        TitleRow{"EverythingFromTheFirstDotGoes", QByteArray("/tmp/Stereo.Gram.exe"), QStringLiteral("Stereo")},
        TitleRow{"ALeadingDotLeavesNothing", QByteArray("/tmp/.stereogram"), QString()},
        TitleRow{"ATrailingDot", QByteArray("stereo."), QStringLiteral("stereo")},
        TitleRow{"UpperCaseLettersAfterTheFirstAreLowered", QByteArray("STEREOGRAM"), QStringLiteral("Stereogram")},
        TitleRow{"TheFirstLetterKeepsItsCase", QByteArray("sTEREO"), QStringLiteral("stereo")},
        TitleRow{"AAndZAreLoweredTheSignsBesideThemKept", QByteArray("X@AZ[`az{"), QStringLiteral("X@az[`az{")},
        TitleRow{"DigitsSpacesAndSignsAreKept", QByteArray("My Stereo-2_X"), QStringLiteral("My stereo-2_x")},
        TitleRow{"JapaneseIsUntouchedASCIIBesideItLowered", QByteArray("/tmp/立体視ABC.bin"),
                 QStringLiteral("立体視abc")},
        TitleRow{"LettersBeyondASCIIKeepTheirCase", QByteArray("ÉCRAN ÄÖÜ"), QStringLiteral("Écran ÄÖÜ")},
        TitleRow{"BytesThatAreNotUTF8ShowAsReplacements",
                 QByteArray("bad\xff"
                            "NAME"),
                 QStringLiteral("bad") + replacement + QStringLiteral("name")},
        TitleRow{"EachByteOfACutOffCharacterShowsAsAReplacement",
                 QByteArray("\xe7\xab"
                            "X"),
                 replacement + replacement + QStringLiteral("x")},
        TitleRow{"FormatDirectivesArePlainText", QByteArray("%s%n%p"), QStringLiteral("%s%n%p")},
        TitleRow{"FormatDirectivesAreLoweredLikeAnyLetter", QByteArray("%S%N%P.%s"), QStringLiteral("%s%n%p")},
        TitleRow{"ANewlineIsKept", QByteArray("two\nLINES"), QStringLiteral("two\nlines")},
        TitleRow{"ANameOf240Bytes", QByteArray("/tmp/S") + QByteArray(239, 'T'),
                 QStringLiteral("S") + QString(239, QLatin1Char('t'))},
        TitleRow{"AJapaneseNameOf240Bytes", QByteArray("/tmp/") + QByteArray("画").repeated(80) + QByteArray(".X"),
                 QStringLiteral("画").repeated(80)},
        TitleRow{"NoPathAtAll", QByteArray(), QString()}),
    tablerows::byName);

TEST(ExecutablePath, IsTheFileTheProcessRunsNotWhatItWasCalled)
{
    const QByteArray path = executablePath("Fake.Name");
    EXPECT_TRUE(path.startsWith('/')) << path.toStdString();
    EXPECT_TRUE(path.endsWith("/title-test")) << path.toStdString();
}

} // namespace

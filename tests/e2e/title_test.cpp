// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "harness.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

namespace e2e {
namespace {

// The program copied under a name of its own, and the title that name gives.
struct Renamed {
    std::string name;
    QByteArray fileName;
    QString title;
};

void PrintTo(const Renamed& renamed, std::ostream* out)
{
    *out << renamed.name;
}

const QString replacement(QChar::ReplacementCharacter);

const Renamed renamings[] = {
    {"DotsAndCase", "Stereo.Gram.EXE", QStringLiteral("Stereo")},
    {"UpperCase", "STEREOGRAM", QStringLiteral("Stereogram")},
    {"SpacesKept", "My STEREO View", QStringLiteral("My stereo view")},
    {"Japanese", "立体視ABC.bin", QStringLiteral("立体視abc")},
    {"NotUtf8",
     "bad\xff"
     "NAME",
     QStringLiteral("bad") + replacement + QStringLiteral("name")},
    {"FormatDirectives", "%s%n%p", QStringLiteral("%s%n%p")},
    {"Newline", "two\nLINES", QStringLiteral("two\nlines")},
    {"Name240Bytes", QByteArray("S") + QByteArray(239, 'T'), QStringLiteral("S") + QString(239, QLatin1Char('t'))},
    {"LeadingDot", ".stereogram", QString()},
};

struct Property {
    QByteArray type;
    QByteArray bytes;
};

// A window's 8-bit property, byte for byte.
Property property(const Program& program, const QString& name)
{
    const QString answer =
        QString::fromLatin1(program.display().check(QStringLiteral("xprop"),
                                                    {QStringLiteral("-id"), program.window(), QStringLiteral("-f"),
                                                     name, QStringLiteral("8x"), QStringLiteral(" = $0+\n"), name}));
    const QRegularExpressionMatch match =
        QRegularExpression(QRegularExpression::escape(name) + QStringLiteral(R"(\((\w+)\) = ?(.*))")).match(answer);
    if (!match.hasMatch())
        throw Failure("no " + name.toStdString() + " on the window: " + answer.toStdString());
    Property read{match.captured(1).toLatin1(), {}};
    for (const QString& byte : match.captured(2).split(QLatin1Char(','), Qt::SkipEmptyParts))
        read.bytes += char(byte.trimmed().toUInt(nullptr, 16));
    return read;
}

QString text(const Property& read)
{
    return read.type == "UTF8_STRING" ? QString::fromUtf8(read.bytes) : QString::fromLatin1(read.bytes);
}

class Title : public testing::TestWithParam<Renamed> {};

TEST_P(Title, LabelsTheTaskBarEntryWhileTheCaptionStaysForm1)
{
    const Renamed& renamed = GetParam();
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    const QByteArray path = QFile::encodeName(directory.path()) + '/' + renamed.fileName;
    std::filesystem::copy_file(STEREOGRAM_PROGRAM, std::string(path.constData(), size_t(path.size())));

    Display display;
    Program program(display, path);

    EXPECT_EQ(text(property(program, QStringLiteral("_NET_WM_ICON_NAME"))), renamed.title);
    const Property iconName = property(program, QStringLiteral("WM_ICON_NAME"));
    EXPECT_TRUE(iconName.type == "STRING" || iconName.type == "UTF8_STRING") << iconName.type.toStdString();
    EXPECT_EQ(text(iconName), renamed.title);

    const Property wmClass = property(program, QStringLiteral("WM_CLASS"));
    EXPECT_EQ(wmClass.type, "STRING");
    const QList<QByteArray> parts = wmClass.bytes.split('\0');
    ASSERT_EQ(parts.size(), 3) << "instance, class and an end: " << wmClass.bytes.toHex().toStdString();
    EXPECT_FALSE(parts[0].isEmpty());
    EXPECT_EQ(QString::fromUtf8(parts[1]), renamed.title);
    EXPECT_TRUE(parts[2].isEmpty());

    EXPECT_EQ(text(property(program, QStringLiteral("_NET_WM_NAME"))), QStringLiteral("Form1"));
    EXPECT_EQ(text(property(program, QStringLiteral("WM_NAME"))), QStringLiteral("Form1"));

    display.check(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-c"), program.window()});
    ASSERT_TRUE(program.waitForExit(10s)) << "still running 10 s after the close request";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << program.errorOutput().toStdString();
}

INSTANTIATE_TEST_SUITE_P(CopiedAs, Title, testing::ValuesIn(renamings),
                         [](const testing::TestParamInfo<Renamed>& row) { return row.param.name; });

} // namespace
} // namespace e2e

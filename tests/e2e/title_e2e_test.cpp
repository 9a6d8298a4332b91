// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "harness.h"
#include "tablerows.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace e2e {
namespace {

// The program copied under a name of its own, and how X carries the title
// that name gives. The rule from name to title is the unit test's table
// (tests/title_test.cpp); these rows are there for what only the X server
// shows: WM_ICON_NAME holds ISO Latin-1 bytes as STRING where the title
// allows, UTF-8 as UTF8_STRING where it does not, a byte that is not UTF-8
// arrives as U+FFFD, and an empty title leaves empty icon names, not missing
// ones (and the class the command's name); _NET_WM_ICON_NAME and the class
// name in WM_CLASS are UTF-8 in every case. That the program starts and
// closes under any name is the robustness sweep's (tests/robust/hostile.sh
// executable-names). That the name is the file's, not the one the program was
// started by, shows only in a real start: TitleOfTheFile.
struct Renamed : tablerows::Named {
    QByteArray fileName;
    QString title;
    QByteArray iconNameType; // of WM_ICON_NAME
    QByteArray iconName;     // its bytes
};

const Renamed renamings[] = {
    {"Latin1",
     "\xc3\x89"
     "CRAN.exe",
     QStringLiteral("\u00c9cran"), "STRING",
     "\xc9"
     "cran"},
    {"BeyondLatin1", "立体視ABC.bin", QStringLiteral("立体視abc"), "UTF8_STRING", "立体視abc"},
    {"NotUtf8",
     "bad\xff"
     "NAME",
     QStringLiteral("bad\ufffdname"), "UTF8_STRING",
     "bad\xef\xbf\xbd"
     "name"},
    {"Empty", ".stereogram", QString(), "STRING", ""},
};

struct Property {
    QByteArray type;
    QByteArray bytes;
};

// A window's 8-bit property, byte for byte.
Property property(const Program& program, const char* name)
{
    const std::optional<xquery::Property> read = program.property(name);
    if (!read || read->format != 8)
        throw Failure(std::string("no 8-bit ") + name + " on the window");
    return {QByteArray::fromStdString(read->type), QByteArray::fromStdString(read->bytes)};
}

// Bytes as hex pairs, so that a failure shows every byte.
std::string hex(const QByteArray& bytes)
{
    return bytes.toHex(' ').toStdString();
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

    const Property netIconName = property(program, "_NET_WM_ICON_NAME");
    EXPECT_EQ(netIconName.type.toStdString(), "UTF8_STRING");
    EXPECT_EQ(hex(netIconName.bytes), hex(renamed.title.toUtf8()));

    const Property iconName = property(program, "WM_ICON_NAME");
    EXPECT_EQ(iconName.type.toStdString(), renamed.iconNameType.toStdString());
    EXPECT_EQ(hex(iconName.bytes), hex(renamed.iconName));

    const Property wmClass = property(program, "WM_CLASS");
    EXPECT_EQ(wmClass.type.toStdString(), "STRING");
    const QList<QByteArray> parts = wmClass.bytes.split('\0');
    ASSERT_EQ(parts.size(), 3) << "instance, class and an end: " << hex(wmClass.bytes);
    EXPECT_FALSE(parts[0].isEmpty());
    // With no title Qt names the class after the command, as for any program.
    const QByteArray className = renamed.title.isEmpty() ? renamed.fileName : renamed.title.toUtf8();
    EXPECT_EQ(hex(parts[1]), hex(className));
    EXPECT_TRUE(parts[2].isEmpty());

    EXPECT_EQ(text(property(program, "_NET_WM_NAME")), QStringLiteral("Form1"));
    EXPECT_EQ(text(property(program, "WM_NAME")), QStringLiteral("Form1"));
}

INSTANTIATE_TEST_SUITE_P(CopiedAs, Title, testing::ValuesIn(renamings), tablerows::byName);

// The title comes from the file the process runs, whatever name it was
// started by: the first argument's, set by exec -a, or a symbolic link's.
class TitleOfTheFile : public testing::Test {
protected:
    void expectTitleOfTheFile(const Program& program)
    {
        const QByteArray fileTitle = "stereogram"; // STEREOGRAM_PROGRAM's file name
        EXPECT_EQ(hex(property(program, "_NET_WM_ICON_NAME").bytes), hex(fileTitle));
        EXPECT_EQ(hex(property(program, "WM_ICON_NAME").bytes), hex(fileTitle));
        EXPECT_EQ(hex(property(program, "WM_CLASS").bytes.split('\0').value(1)), hex(fileTitle));
    }

    Display display;
};

TEST_F(TitleOfTheFile, NotTheNameExecAGives)
{
    Program program(
        display, QStringLiteral("bash"),
        {QStringLiteral("-c"), QStringLiteral("exec -a Fake.Name \"$0\""), QString::fromLocal8Bit(STEREOGRAM_PROGRAM)});
    program.waitForWindow();
    expectTitleOfTheFile(program);
}

TEST_F(TitleOfTheFile, NotTheNameOfALinkToIt)
{
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    const QString link = directory.filePath(QStringLiteral("Link.Name"));
    std::filesystem::create_symlink(STEREOGRAM_PROGRAM, link.toStdString());
    Program program(display, QFile::encodeName(link));
    expectTitleOfTheFile(program);
}

} // namespace
} // namespace e2e

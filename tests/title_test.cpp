// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/startup/programtitle.h"

#include <QTest>

// The program's title from the bytes of its executable's path.
class TitleTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fromTheExecutablesName_data();
    void fromTheExecutablesName();
};

void TitleTest::fromTheExecutablesName_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QString>("title");

    const QString replacement(QChar::ReplacementCharacter);
    QTest::newRow("a bare name stays") << QByteArray("stereogram") << QStringLiteral("stereogram");
    QTest::newRow("the directory goes") << QByteArray("/usr/local/bin/stereogram") << QStringLiteral("stereogram");
    QTest::newRow("a dot in a directory does not count")
        << QByteArray("/opt/my.apps/v1.2/viewer") << QStringLiteral("viewer");
    QTest::newRow("a relative path") << QByteArray("./stereogram") << QStringLiteral("stereogram");
    QTest::newRow("everything from the first dot goes")
        << QByteArray("/tmp/Stereo.Gram.exe") << QStringLiteral("Stereo");
    QTest::newRow("a leading dot leaves nothing") << QByteArray("/tmp/.stereogram") << QString();
    QTest::newRow("a trailing dot") << QByteArray("stereo.") << QStringLiteral("stereo");
    QTest::newRow("upper-case letters after the first are lowered")
        << QByteArray("STEREOGRAM") << QStringLiteral("Stereogram");
    QTest::newRow("the first letter keeps its case") << QByteArray("sTEREO") << QStringLiteral("stereo");
    QTest::newRow("A and Z are lowered, the signs beside them kept")
        << QByteArray("X@AZ[`az{") << QStringLiteral("X@az[`az{");
    QTest::newRow("digits, spaces and signs are kept")
        << QByteArray("My Stereo-2_X") << QStringLiteral("My stereo-2_x");
    QTest::newRow("Japanese is untouched, ASCII beside it lowered")
        << QByteArray("/tmp/立体視ABC.bin") << QStringLiteral("立体視abc");
    QTest::newRow("letters beyond ASCII keep their case") << QByteArray("ÉCRAN ÄÖÜ") << QStringLiteral("Écran ÄÖÜ");
    QTest::newRow("bytes that are not UTF-8 show as replacements")
        << QByteArray("bad\xff"
                      "NAME")
        << QStringLiteral("bad") + replacement + QStringLiteral("name");
    QTest::newRow("each byte of a cut-off character shows as a replacement")
        << QByteArray("\xe7\xab"
                      "X")
        << replacement + replacement + QStringLiteral("x");
    QTest::newRow("format directives are plain text") << QByteArray("%s%n%p") << QStringLiteral("%s%n%p");
    QTest::newRow("format directives are lowered like any letter")
        << QByteArray("%S%N%P.%s") << QStringLiteral("%s%n%p");
    QTest::newRow("a newline is kept") << QByteArray("two\nLINES") << QStringLiteral("two\nlines");
    QTest::newRow("a name of 240 bytes") << QByteArray("/tmp/S") + QByteArray(239, 'T')
                                         << QStringLiteral("S") + QString(239, QLatin1Char('t'));
    QTest::newRow("a Japanese name of 240 bytes")
        << QByteArray("/tmp/") + QByteArray("画").repeated(80) + QByteArray(".X") << QStringLiteral("画").repeated(80);
    QTest::newRow("no path at all") << QByteArray() << QString();
}

void TitleTest::fromTheExecutablesName()
{
    QFETCH(QByteArray, path);
    QFETCH(QString, title);
    QCOMPARE(programTitle(path), title);
}

QTEST_APPLESS_MAIN(TitleTest)
#include "title_test.moc"

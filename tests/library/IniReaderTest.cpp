#include "library/IniReader.h"

#include "../TestFolder.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace chordalis;
using chordalis::test::TestFolder;

TEST(IniReader, ReadsValuesAsTheProfileReaderDoes) {
    TestFolder dir;
    dir.write("chord.ini", "; a comment\r\n"
                           "[Totals]\r\n"
                           "  NumChords =  12  \r\n"
                           "[0]\r\n"
                           "name=\"m7\"\r\n"
                           "memo='open'\r\n"
                           "half=\"unbalanced\r\n"
                           "two=\"\"a\"\"\r\n"
                           "eq=a=b\r\n"
                           "empty=\r\n"
                           "noequals\r\n"
                           "name=second\r\n"
                           "[0]\r\n"
                           "other=from a repeated section\r\n");
    IniReader ini(dir.path());
    EXPECT_EQ(ini.readIni("chord", "totals", "numchords"), QStringLiteral("12"));
    EXPECT_EQ(ini.readIni("chord", "TOTALS", "NUMCHORDS"), QStringLiteral("12"));
    EXPECT_EQ(ini.readIni("chord", "0", "name"), QStringLiteral("m7"));
    EXPECT_EQ(ini.readIni("chord", "0", "memo"), QStringLiteral("open"));
    EXPECT_EQ(ini.readIni("chord", "0", "half"), QStringLiteral("\"unbalanced"));
    EXPECT_EQ(ini.readIni("chord", "0", "two"), QStringLiteral("\"a\""));
    EXPECT_EQ(ini.readIni("chord", "0", "eq"), QStringLiteral("a=b"));
    EXPECT_EQ(ini.readIni("chord", "0", "empty"), QString());
    EXPECT_EQ(ini.readIni("chord", "0", "noequals"), QString());
    EXPECT_EQ(ini.readIni("chord", "0", "other"), QString());
    EXPECT_EQ(ini.readIni("chord", "9", "name"), QString());
    EXPECT_EQ(ini.readIni("missing", "0", "name"), QString());
    EXPECT_TRUE(ini.hasSection("chord", "totals"));
    EXPECT_FALSE(ini.hasSection("chord", "1"));
    EXPECT_EQ(ini.sections("chord"), QStringList({"Totals", "0"}));
}

TEST(IniReader, CutsLongValuesAndSurvivesBadBytes) {
    TestFolder dir;
    QByteArray text = "[a]\nlong=" + QByteArray(5000, 'y') + "\nlatin=Caf\xe9\nutf=Caf\xc3\xa9\n";
    text += QByteArray("\0[b]\nk=v\n", 9); // a NUL byte inside the file
    dir.write("scale.ini", text);
    IniReader ini(dir.path());
    EXPECT_EQ(ini.readIni("scale", "a", "long").size(), 1023);
    EXPECT_EQ(ini.readIni("scale", "a", "latin"), QStringLiteral("Caf\u00e9"));
    EXPECT_EQ(ini.readIni("scale", "a", "utf"), QStringLiteral("Caf\u00c3\u00a9"))
        << "one bad byte makes the whole file Latin-1";
}

// An edit is seen at the next read, but an operation sees one state of each file throughout.
TEST(IniReader, SeesEditsAtTheNextReadAndOneStateInAnOperation) {
    TestFolder dir;
    dir.write("finder.ini", "[0;4;7]\nd=Major\n");
    IniReader ini(dir.path());
    EXPECT_EQ(ini.readIni("finder", "0;4;7", "d"), QStringLiteral("Major"));

    dir.write("finder.ini", "[0;4;7]\nd=Major triad\n"); // another size
    EXPECT_EQ(ini.readIni("finder", "0;4;7", "d"), QStringLiteral("Major triad"));

    dir.write("finder.ini", "[0;4;7]\nd=Minor triad\n"); // same size, later time
    QFile f(dir.filePath("finder.ini"));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
    f.close();
    EXPECT_EQ(ini.readIni("finder", "0;4;7", "d"), QStringLiteral("Minor triad"));

    QFile::remove(dir.filePath("finder.ini"));
    EXPECT_EQ(ini.readIni("finder", "0;4;7", "d"), QString());

    dir.write("triad.ini", "[0]\nfret=00\nfinger=1\n");
    {
        const IniReader::Operation reading(ini);
        EXPECT_EQ(ini.readIni("triad", "0", "fret"), QStringLiteral("00"));
        dir.write("triad.ini", "[0]\nfret=0202\nfinger=13\n"); // edited halfway
        {
            const IniReader::Operation nested(ini);
            EXPECT_EQ(ini.readIni("triad", "0", "finger"), QStringLiteral("1"));
        }
        EXPECT_EQ(ini.readIni("triad", "0", "finger"), QStringLiteral("1"))
            << "the inner operation's end does not end the outer one";
    }
    EXPECT_EQ(ini.readIni("triad", "0", "finger"), QStringLiteral("13"));
    {
        const IniReader::Operation reading(ini);
        QFile::remove(dir.filePath("triad.ini"));
        EXPECT_EQ(ini.readIni("triad", "0", "fret"), QString()) << "checked at its first read";
    }
}

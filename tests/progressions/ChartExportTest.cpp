#include "ChartCases.h"
#include "progressions/ChordPro.h"
#include "progressions/MusicXml.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <map>

using namespace chordalis;
using chordalis::test::chartOf;

namespace {

// A small library: the entries the charts below name, by item.
ChordLibrary library() {
    ChordLibrary lib;
    for (const char* f : {"1;3;5", "1;b3;5;b7", "1;3;5;b7", "1;3;5;7", "1;3;5;6;9"})
        lib.entries.push_back(ChordEntry{{}, {}, {}, QLatin1String(f), {}, {}});
    lib.count = int(lib.entries.size());
    lib.entries.emplace_back();
    return lib;
}

// A ChordPro text read back: the directives, each defined chord's frets from the nut, lowest
// string first ("base-fret" added back), and the bars as "Symbol:beats".
struct ChordProReading {
    std::map<QString, QString> directives;
    std::map<QString, QString> shapes;
    QStringList bars;
    int titles = 0;
};

ChordProReading readChordPro(const QString& text) {
    ChordProReading r;
    static const QRegularExpression directive(QStringLiteral("^\\{(\\w+):\\s*(.*)\\}$"));
    static const QRegularExpression define(
        QStringLiteral("^(\\S+) base-fret (\\d+) frets ((?:[x\\d]+ ?)+) fingers ([\\d ]+)$"));
    for (const QString& line : text.split(u'\n')) {
        const auto d = directive.match(line);
        r.titles += d.captured(1) == QLatin1String("title");
        if (d.hasMatch() && d.captured(1) != QLatin1String("define")) {
            r.directives[d.captured(1)] = d.captured(2);
        } else if (d.hasMatch()) {
            const auto m = define.match(d.captured(2));
            EXPECT_TRUE(m.hasMatch()) << line.toStdString();
            QStringList frets;
            for (const QString& f : m.captured(3).split(u' ', Qt::SkipEmptyParts))
                frets << (f == u'x' || f == u'0'
                              ? f
                              : QString::number(f.toInt() + m.captured(2).toInt() - 1));
            r.shapes[m.captured(1)] = frets.join(u' ');
        } else {
            EXPECT_FALSE(line.startsWith(u'{')) << "a directive cut short: " << line.toStdString();
            for (const QString& bar : line.split(u'|', Qt::SkipEmptyParts)) {
                QStringList chords; // "Symbol:beats"
                for (const QString& token : bar.split(u' ', Qt::SkipEmptyParts)) {
                    if (token.startsWith(u'['))
                        chords << token.mid(1, token.size() - 2) + QStringLiteral(":1");
                    else if (token == u'/' && !chords.isEmpty())
                        chords.last() = chords.last().section(u':', 0, 0) + u':' +
                                        QString::number(chords.last().section(u':', 1).toInt() + 1);
                }
                if (!chords.isEmpty())
                    r.bars << chords.join(u' ');
            }
        }
    }
    return r;
}

} // namespace

// No title, name or symbol can close a directive or a chord early.
TEST(ChordProExport, SymbolsBeatsAndShapesReadBack) {
    struct Case {
        ProgressionChart chart;
        QString bars;
        std::map<QString, QString> shapes;
        QString capo;
    };
    const std::vector<Case> cases{
        {chartOf({{"C", 0, 0, 0, 0, 2, "x32010", "x32010"},
                  {"Dm7/A", 1, 2, 1, 0, 2, "x00211", "x00211", 5, 9},
                  {"G7", 4, 7, 2, 1, 4, "320001", "320001"},
                  {"Cmaj7", 0, 0, 3, 2, 4, "8aa988", "134211"},
                  {"C", 0, 0, 0, 3, 4, "x32010", "x32010"}},
                 4),
         "C:2 Dm7/A:2|G7:4|Cmaj7:4|C:4",
         {{"C", "x 3 2 0 1 0"},
          {"Dm7/A", "x 0 0 2 1 1"},
          {"G7", "3 2 0 0 0 1"},
          {"Cmaj7", "8 10 10 9 8 8"}},
         {}},
        {chartOf({{"A", 5, 9, 0, 0, 3, "x24442", "x12341"},
                  {"C6/9", 0, 0, 4, 1, 3, nullptr, nullptr},
                  {"D", 1, 2, 0, 2, 2, "xx4675", "xx1342"},
                  {"A", 5, 9, 0, 2, 1, "x24442", "x12341"}},
                 3, Capo{2, 0, 0}),
         "A:3|C6/9:3|D:2 A:1",
         {{"A", "x 0 2 2 2 0"}, {"D", "x x 2 4 5 3"}},
         QStringLiteral("2")},
        {chartOf({{"C", 0, 0, 0, 0, 4, "x32010", "x32010"},
                  {"E]m [x}", 2, 4, 0, 1, 4, "022000", "023000"}},
                 4, {}, "Mine}\n{title: theirs}\r\x1b[2J\u2028{define: C base-fret 9}"),
         "C:4|E)m_(x):4",
         {{"C", "x 3 2 0 1 0"}, {"E)m_(x)", "0 2 2 0 0 0"}},
         {}},
    };
    for (const Case& c : cases) {
        auto r = readChordPro(chordProText(c.chart));
        EXPECT_EQ(r.bars.join(u'|').toStdString(), c.bars.toStdString());
        EXPECT_EQ(r.shapes, c.shapes);
        EXPECT_EQ(r.titles, 1);
        EXPECT_FALSE(r.directives.at(QStringLiteral("title")).contains(u'}'));
        EXPECT_EQ(r.directives[QStringLiteral("capo")], c.capo);
        EXPECT_EQ(r.directives.at(QStringLiteral("time")),
                  QStringLiteral("%1/4").arg(c.chart.progression.beatsPerBar));
    }
}

TEST(MusicXmlExport, KindsAndDegreesNameTheChordsTones) {
    using D = HarmonyKind::Degree;
    const std::tuple<const char*, const char*, std::vector<D>> cases[] = {
        // formula, kind, degrees
        {"1;b3;b5;f7", "diminished-seventh", {}},
        {"1;b3;b5;b7", "half-diminished", {}},
        {"1;2;5", "suspended-second", {}},
        {"1;4;5;b7", "suspended-fourth", {{7, -1, D::Add}}},
        {"1;3;b5;b7", "dominant", {{5, -1, D::Alter}}},
        {"1;3;5;6;9", "major-sixth", {{9, 0, D::Add}}},
        {"1;3;5;b7;9;13", "dominant-13th", {}},
        {"1;3;5;b7;b9", "dominant", {{9, -1, D::Add}}},
        {"1;3;5;b7;b9;#9", "dominant", {{9, -1, D::Add}, {9, 1, D::Add}}},
        {"1;b3;5;b7;9;11;13", "minor-13th", {}},
        {"1;5;b7;9;11", "dominant-11th", {{3, 0, D::Subtract}}},
    };
    for (const auto& [formula, kind, degrees] : cases) {
        const auto makeup = chordMakeup(QString::fromLatin1(formula));
        ASSERT_TRUE(makeup) << formula;
        const HarmonyKind k = harmonyKindOf(*makeup);
        EXPECT_EQ(std::pair(k.kind, k.degrees), std::pair(QString(kind), degrees)) << formula;
    }
}

TEST(MusicXmlExport, HarmoniesFramesAndMeasuresReadBack) {
    const ChordLibrary lib = library();
    ProgressionChart chart = chartOf({{"Bbmaj7", 6, 10, 3, 0, 2, "x13231", "x13241"},
                                      {"F#m7/C#", 3, 6, 1, 0, 1, "x4222x", "x3111x", 0, 1},
                                      {"C", 0, 0, 0, 0, 0, nullptr, nullptr},
                                      {"A7", 5, 9, 2, 1, 3, "577685", "134211"}},
                                     3, Capo{1, 0, 0});
    chart.progression.chords[2].beats = 0; // a chord given no beat still gets its harmony
    chart.keyRoot = {6, 10};
    chart.keyMode = KeyMode::Dorian;
    QXmlStreamReader xml(musicXml(chart, lib));
    QStringList harmonies, measures;
    QString current, fifths;
    int beats = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("measure")) {
            if (!current.isNull())
                measures << QString::number(beats);
            current = xml.attributes().value(QLatin1String("number")).toString();
            beats = 0;
        } else if (name == QLatin1String("duration")) {
            beats += xml.readElementText().toInt();
        } else if (name == QLatin1String("fifths")) {
            fifths = xml.readElementText();
        } else if (name == QLatin1String("harmony")) {
            harmonies << QString();
        } else if (name == QLatin1String("kind")) {
            const QString text = xml.attributes().value(QLatin1String("text")).toString();
            harmonies.last() += QStringLiteral(" %1[%2]").arg(text, xml.readElementText());
        } else if (QStringList{"root-step", "root-alter", "bass-step", "bass-alter", "first-fret",
                               "string", "fret", "fingering"}
                       .contains(name)) {
            harmonies.last() += name.left(1).toString() + xml.readElementText();
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    measures << QString::number(beats);
    EXPECT_EQ(fifths, QStringLiteral("-4")); // Bb Dorian has Ab major's flats
    EXPECT_EQ(measures.join(u' ').toStdString(), "3 3");
    // Frames are drawn above the capo (fret 1 under it is 0), frets counted from the frame's first
    // fret; silent strings have no note.
    EXPECT_EQ(harmonies.join(u'\n').toStdString(),
              "rBr-1 maj7[major-seventh]s5f0s4f2f3s3f1f2s2f2f4s1f0\n"
              "rFr1 m7[minor-seventh]bCb1s5f3f3s4f1f1s3f1f1s2f1f1\n"
              "rC [major]\n"
              "rA 7[dominant]f4s6f1f1s5f3f3s4f3f4s3f2f2s2f4f1s1f1f1");
}

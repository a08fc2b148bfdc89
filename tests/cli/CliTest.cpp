#include "../AppHelpers.h"
#include "../PdfText.h"
#include "CliCommands.h"
#include "listening/WavReader.h"
#include "progressions/Keys.h"
#include "sound/MidiFile.h"
#include "theory/Tuning.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace chordalis;
using test::readFile;
using test::writeFile;

namespace {

struct Result {
    int status;
    QString out;
    QString err;
    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

Result run(const QStringList& args) {
    QString out, err;
    QTextStream o(&out), e(&err);
    const int status = cli::run(args, QStringLiteral(CHORDALIS_TEST_DATA "/small"), o, e);
    o.flush();
    e.flush();
    return {status, out, err};
}

QStringList words(const char* line) {
    return QString::fromUtf8(line).split(u' ', Qt::SkipEmptyParts);
}
Result run(const char* line) {
    return run(words(line));
}

// The JSON of a run that must succeed.
QJsonObject json(const QStringList& args) {
    const Result r = run(args);
    EXPECT_EQ(r.status, 0) << qPrintable(args.join(u' ')) << ": " << qPrintable(r.err);
    return r.json();
}

// A run refused with the status given, saying `said` on stderr.
void expectRefused(const QStringList& args, int status, const QString& said) {
    const Result r = run(args);
    EXPECT_EQ(r.status, status) << qPrintable(args.join(u' '));
    EXPECT_TRUE(r.err.contains(said)) << qPrintable(r.err);
}

// The same on the shipped library.
const QStringList Shipped{"--data", CHORDALIS_SHIPPED_DATA};
QJsonObject shipped(const QStringList& args) {
    return json(args + Shipped);
}
QJsonObject shipped(const char* line) {
    return json(words(line) + Shipped);
}

} // namespace

TEST(Cli, SpellPrintsNamesPitchClassesAndLabels) {
    const QJsonObject j = json(words("spell --root Eb --formula 1;b3;5;b7"));
    EXPECT_EQ(j["notesText"].toString(), QStringLiteral("Eb Gb Bb Db "));
    EXPECT_EQ(j["formulaText"].toString(), QStringLiteral("1, b3, 5, b7"));
    EXPECT_EQ(j["notes"].toArray()[3].toObject()["pitchClass"].toInt(), 1);
}

// Every refusal of what was asked gives a message on stderr, no JSON and status 2.
TEST(Cli, WrongArgumentsExitWithStatusTwo) {
    for (const char* args :
         {"", "spell --root H --formula 1;3", "spell --root c --formula 1;3",
          "spell --root C --formula 1;;3", "spell --root C", "spell --root", "library --colour red",
          "library extra", "dance", "show", "show triangle", "show chord --item 99",
          "show chord --item 0 --voicing 7", "show note --position 3",
          "show scale --tuning 64,59,55", "show scale --tuning 64,59,55,50,45,30",
          "show scale --tuning E4,B3,G3,D3,A2,H2",
          "show scale --tuning 64,59,55,50,45,40,35,30,25,20,15", "show note --fret-count 25",
          "show finder --frets x3201", "show finder --frets x32010x",
          "show finder --frets x3(16)010", "show finder --frets x3-2010",
          "show finder --tuning E4,B3,G3,D3,A2,E2,B1 --frets x32010", "show scale --preset 17",
          "render note", "render note --boxes x.svg", "render chord --item 0 --boxes x.pdf",
          "print note --all-items --pdf x.pdf", "print chord --item 0 --all-items --pdf x.pdf",
          "show chord --item 0 --boxes x.svg", "show note --skin no-such-picture.gif",
          "show note --skin ../chord.ini", "show chord --labels roman", "play note --midi-log",
          "play scale --item 0", "play scale --item 0 --volume 128 --midi-log", "print note",
          "print note --root C --all-roots --pdf x.pdf", "render note --png x.png --led-reports",
          "info note --item 0", "info chord --item 3", "info",
          // Options of another command.
          "spell --root C --formula 1;3 --item 2", "library --png x.png",
          "show chord --item 0 --pdf x.pdf", "info chord --item 0 --root H",
          "play scale --item 0 --midi-log --png x.png", "play scale --item 0 --live --midi-log",
          "play scale --item 0 --midi-log --device 1", "listen", "listen a.wav b.wav",
          "listen a.wav --a4 500", "listen a.wav --a4 A", "listen a.wav --check x3201",
          "listen a.wav --root C", "listen a.wav --tuning 64,59", "metronome --tempo 400",
          "metronome --tempo 39 --seconds 1", "metronome --tempo 400 --seconds 0",
          "metronome --tempo 400 --seconds x", "metronome --tempo 400 --seconds 1 --device -2",
          "metronome --tempo 400 --seconds 1 --item 0", "find", "find C --root D", "key --root H",
          "key --mode majorish", "progression", "progression I --style drop4",
          "progression I --region 9-5", "progression I --region 0-99", "progression I --passes 65",
          "progression I IV --melody A4"}) {
        const Result r = run(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_FALSE(r.err.isEmpty()) << args;
        EXPECT_TRUE(r.out.isEmpty()) << args;
    }
    EXPECT_TRUE(run("show finder --frets x3201").err.contains("--frets"));
    EXPECT_TRUE(run("library --png x.png").err.contains("does not apply to"));
    const Result help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains("--data"));
}

TEST(Cli, FindPrintsThePlaceOfANameOrRefusesWithTheNearest) {
    QJsonObject j = shipped("find F#m7b5");
    EXPECT_EQ(j["name"].toString(), "F# Half-Diminished 7th");
    EXPECT_EQ(j.keys(), (QStringList{"bass", "item", "mode", "name", "root"}));
    j = shipped("find hirajoshi on E"); // words joined
    EXPECT_EQ(j["mode"].toString() + j["root"].toString(), "scaleE");
    const Result r = run(QStringList{"find", "F#m7b4"} + Shipped);
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(r.err.contains("F#m7b4")) << qPrintable(r.err);
    j = r.json();
    EXPECT_FALSE(j["error"].toString().isEmpty());
    EXPECT_TRUE(j["suggestions"].toArray().contains(QStringLiteral("F#m7b5")));
}

TEST(Cli, KeyAndProgressionPrintTheKeyAndTheVoicedChords) {
    QJsonObject j = shipped("key --root Eb --mode harmonic-minor");
    const QJsonObject third = j["degrees"].toArray()[2].toObject();
    EXPECT_EQ(third["numeral"].toString(), QStringLiteral("bIII+"));
    EXPECT_EQ(third["seventh"].toObject()["symbol"].toString(), QStringLiteral("Gbmaj7#5"));

    j = shipped(QStringList{"progression", "| Dm7 | G7 | Cmaj7 | % |"});
    const QJsonArray chords = j["chords"].toArray();
    ASSERT_EQ(chords.size(), 4);
    for (const auto& c : chords)
        EXPECT_EQ(c.toObject()["frets"].toArray().size(), 6);
    EXPECT_LE(j["cost"].toObject()["total"].toDouble(), j["greedy"].toObject()["total"].toDouble());

    Result r = run(words("progression flamenco-andalusian --root A --region 5-9 --style open "
                         "--capo 2") +
                   Shipped);
    ASSERT_TRUE(r.status == 0 || r.status == 3) << qPrintable(r.err);
    j = r.json();
    EXPECT_EQ(j["chords"].toArray()[3].toObject()["symbol"].toString(), "E");
    for (const auto& c : j["chords"].toArray())
        for (const auto& fret : c.toObject()["frets"].toArray())
            EXPECT_TRUE(fret.toInt() < 0 || fret.toInt() == 2 ||
                        (fret.toInt() >= 5 && fret.toInt() <= 9));
    r = run("progression Dm7 Q7"); // the token named on both streams
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("\"Q7\""))) << qPrintable(r.err);
    EXPECT_EQ(r.json()["token"].toString(), "Q7");
}

// Written whole or not at all; a key hard for open chords gets capo positions.
TEST(Cli, ProgressionWritesItsFilesAndKeepsTheMelody) {
    QTemporaryDir dir;
    const QString cho = dir.filePath("p.cho"), mid = dir.filePath("p.mid");
    Result r = run(QStringList{"progression", "I IV V", "--melody", "F4 - A4"} +
                   QStringLiteral("--root Bb --chordpro %1 --midi %2 --musicxml %3 --pdf %4 --bass "
                                  "--tempo 90 --strum down-up --drums --count-in --passes 2")
                       .arg(cho, mid, dir.filePath("p.musicxml"), dir.filePath("p.pdf"))
                       .split(u' ') +
                   Shipped);
    ASSERT_EQ(r.status, 0) << qPrintable(r.err);
    // A bar of count-in and two passes of three bars, at 667 ms a beat.
    QString midiError;
    EXPECT_NEAR(readMidiFile(mid, &midiError).value_or(MidiSong{}).length, 28 * 0.667, 0.01);
    QJsonObject j = r.json();
    EXPECT_EQ(j["written"].toObject().keys(), (QStringList{"chordpro", "midi", "musicxml", "pdf"}));
    EXPECT_TRUE(readFile(cho).contains("{tempo: 90}"));
    const QJsonArray chords = j["chords"].toArray();
    for (int k : {0, 2}) {
        const QJsonArray frets = chords[k].toObject()["frets"].toArray();
        int top = 0;
        for (int s = 0; s < int(frets.size()); ++s) {
            if (frets[s].toInt() >= 0)
                top = std::max(top, Tuning{}.notes[size_t(s)] + frets[s].toInt());
        }
        EXPECT_EQ(top, chords[k].toObject()["melody"].toInt());
    }
    const auto capos = [&](const QString& progression) {
        QStringList out;
        const QJsonObject p = run(QStringList{"progression", progression} + Shipped).json();
        for (const auto& c : p["capoSuggestions"].toArray())
            out << QString::number(c.toObject()["capo"].toInt()) + u':' +
                       c.toObject()["shapes"].toVariant().toStringList().join(u' ');
        return out;
    };
    EXPECT_TRUE(capos("Bb Eb F").contains("1:A D E") || capos("Bb Eb F").contains("3:G C D"))
        << qPrintable(capos("Bb Eb F").join(u','));
    // Open chords already: no capo; one barre chord among them: the capo that makes it open.
    EXPECT_EQ(capos("C G Am Em"), QStringList{});
    EXPECT_TRUE(capos("A E F#m D").contains("2:G D Em C"))
        << qPrintable(capos("A E F#m D").join(u','));

    for (const QString& bad : {dir.path(), dir.filePath("none/p.mid")})
        expectRefused(QStringList{"progression", "I IV V", "--midi", bad} + Shipped, 1,
                      "cannot write the midi file");
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("none")));
}

TEST(Cli, LibraryPrintsLibrariesAndTrees) {
    const QJsonObject j = json({"library"});
    EXPECT_EQ(j["scales"].toArray()[1].toObject()["name"].toString(), QStringLiteral("Lydian"));
    const QJsonObject node = j["trees"].toObject()["tvwChords"].toArray()[2].toObject();
    EXPECT_EQ(node["key"].toString() + u'<' + node["parent"].toString(), "0 Chord - All<All Group");
    EXPECT_EQ(j["trees"].toObject()["tvwStringGroup"].toArray()[0].toObject()["selected"], true);

    expectRefused({"library", "--data", "/nonexistent/folder"}, 1, "/nonexistent/folder/chord.ini");
}

TEST(Cli, ShowPrintsPageNeckAndLedFrameAndEveryOptionReachesTheDisplay) {
    QJsonObject j = shipped("show chord --root Eb --item 4");
    EXPECT_EQ(j["page"].toObject()["lblChordName"].toString(), QStringLiteral("Chord: Ebm7"));
    const QJsonObject neck = j["neck"].toObject();
    const QJsonObject first = neck["marks"].toArray()[0].toObject();
    EXPECT_EQ(first["colour"].toString() + first["role"].toString(), "#ff0000root");
    EXPECT_EQ(neck["signs"].toArray()[0].toObject()["label"].toString(), QStringLiteral("E2"));
    EXPECT_EQ(neck["ledFrame"].toArray().size(), neck["marks"].toArray().size());

    j = shipped("show scale --root D --item 0 --position 1 --five --preset 4 --left-handed");
    EXPECT_EQ(j["page"].toObject()["cboScalePositions"].toObject()["text"].toString(), "Open");
    for (const QJsonValue& m : j["neck"].toObject()["marks"].toArray()) {
        EXPECT_LE(m.toObject()["fret"].toInt(), 4);
        EXPECT_GT(m.toObject()["x"].toInt(), 480); // the nut on the right
    }
    EXPECT_EQ(j["tuning"].toArray()[6].toInt(), 38);

    // Frets of two digits in brackets.
    j = shipped("show finder --frets 1(10)(12)(12)(12)x");
    const QJsonObject overF = j["page"].toObject()["lblDescription"].toArray()[1].toObject();
    EXPECT_EQ(overF["text"].toString(), "G Dominant 7th / F");
    EXPECT_EQ(overF["colour"].toString(), "#80ffff"); // the 7th in the bass
    EXPECT_EQ(overF["symbol"].toString(), "G7/F");
}

TEST(Cli, RenderWritesTheNeckPictureAndEveryGripOfThePageAsABox) {
    QTemporaryDir dir;
    const QString neck = dir.filePath("neck.png"), svg = dir.filePath("boxes.svg");
    json({"render", "note", "--root", "A", "--png", neck});
    const QImage picture(neck);
    EXPECT_EQ(picture.size(), QSize(753, 183));
    EXPECT_EQ(picture.pixelColor(300 + 1, 22 + 1), QColor(255, 0, 0));

    QStringList c;
    static const QRegularExpression group(
        QStringLiteral("<g class=\"chord-box\" data-frets=\"([^\"]*)\" data-caption"));
    const QJsonObject j = shipped({"render", "chord", "--item", "0", "--boxes", svg});
    for (const auto& m : group.globalMatch(QString::fromUtf8(readFile(svg))))
        c << m.captured(1);
    EXPECT_EQ(c.value(0), QStringLiteral("x32010")); // the open C chord first
    EXPECT_EQ(c, j["boxFrets"].toVariant().toStringList());
    EXPECT_EQ(c.size(), shipped("show chord --item 0")["voicings"].toArray().size());

    const QString png = dir.filePath(QStringLiteral("boxes.png"));
    shipped({"render", "triad", "--item", "0", "--boxes", png});
    const QImage image(png);
    EXPECT_EQ(image.width(), 4 * 120);
    EXPECT_GT(image.height(), 170);
}

// The frets of the first listed voicing, string 1 first, as "3-0-0-0".
QString firstFrets(const QJsonObject& j) {
    QStringList frets;
    for (const QJsonValue& f : j["voicings"].toArray()[0].toObject()["frets"].toArray())
        frets << QString::number(f.toInt());
    return frets.join(u'-');
}

// Each option reaches the grips; names of instruments and tunings are read.
TEST(Cli, VoicingsListTheGripsOfEveryNeckTuningAndCapo) {
    QJsonObject j = shipped("show chord --item 0");
    EXPECT_EQ(firstFrets(j), "0-1-0-2-3--1");
    EXPECT_EQ(j["voicings"].toArray().last().toObject()["source"], "generated");
    for (const QJsonValue& g : shipped("show chord --item 0 --generated")["voicings"].toArray())
        EXPECT_EQ(g.toObject()["source"], "generated");
    // Above a capo across strings 5 to 3, none under the capo.
    j = shipped("show chord --item 0 --root E --capo 2:5-3");
    ASSERT_FALSE(j["voicings"].toArray().isEmpty());
    for (const QJsonValue& g : j["voicings"].toArray()) {
        const QJsonArray frets = g.toObject()["frets"].toArray();
        for (int string = 3; string <= 5; ++string)
            EXPECT_TRUE(frets[string - 1].toInt() == -1 || frets[string - 1].toInt() >= 2);
    }

    j = shipped("show chord --item 0 --tuning ukulele");
    EXPECT_EQ(firstFrets(j), "3-0-0-0");
    EXPECT_EQ(j["neck"].toObject()["frets"], 15);
    j = shipped({"show", "note", "--tuning", "Dropped D"});
    EXPECT_EQ(j["tuning"], QJsonArray({4, 64, 59, 55, 50, 45, 38}));

    for (const char* capo : {"13", "0", "2:1-1", "2:5-9", "x", "2:5", "15"})
        expectRefused(QStringList{"show", "chord", "--capo", capo} + Shipped, 2, "--capo");
}

TEST(Cli, PlayLogsTheMessagesOfAPlayAndRendersThemToSound) {
    const QJsonObject j = shipped("play arpeggio --item 0 --channel 3 --tempo 100 --midi-log");
    const QJsonArray messages = j["messages"].toArray();
    ASSERT_EQ(messages.size(), 7);
    EXPECT_EQ(messages[0].toObject()["bytes"].toArray(), (QJsonArray{0xC2, 24}));
    EXPECT_EQ(messages[5].toObject()["bytes"].toArray(), (QJsonArray{0x92, 55, 100}));
    EXPECT_DOUBLE_EQ(messages[5].toObject()["time"].toDouble(), 0.4);
    EXPECT_DOUBLE_EQ(j["seconds"].toDouble(), 0.6);

    expectRefused(words("play chord --midi-log") + Shipped, 3, "Please select a chord voicing");

    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("c.wav"));
    const Result rendered =
        run(QStringList{"play", "chord", "--item", "0", "--render", wav} + Shipped);
    if (rendered.status == 1 && rendered.err.contains("sound font"))
        GTEST_SKIP() << "no General MIDI sound font is installed";
    ASSERT_EQ(rendered.status, 0) << qPrintable(rendered.err);
    const QByteArray sound = readFile(wav);
    EXPECT_EQ(sound.mid(8, 8), "WAVEfmt ");
    // Four seconds of held chord and the ring-out, 16-bit stereo at 44.1 kHz.
    EXPECT_NEAR(double(sound.size() - 44) / (44100 * 4), 5.5, 0.01);
}

// Through the built-in synthesizer on the test's JACK server; the settings are only read.
TEST(Cli, TheMetronomeAndAPlayGoLiveThroughTheChosenOutput) {
    QTemporaryDir config;
    const auto restore = qScopeGuard([home = qgetenv("XDG_CONFIG_HOME")] {
        qputenv("XDG_CONFIG_HOME", home);
        qunsetenv("CHORDALIS_AUDIO_OUTPUT");
    });
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    qputenv("CHORDALIS_AUDIO_OUTPUT", "jack");
    expectRefused(words("metronome --tempo 400 --seconds 0.2 --device 99") + Shipped, 1,
                  "There is no MIDI output device number 99.");

    const Result clicked = run(words("metronome --tempo 400 --seconds 0.5") + Shipped);
    if (clicked.status == 1 && clicked.err.contains(QLatin1String("sound font")))
        GTEST_SKIP() << "no General MIDI sound font is installed";
    if (clicked.status == 1 && clicked.err.contains(QLatin1String("no JACK server")))
        GTEST_SKIP() << "no JACK server runs";
    ASSERT_EQ(clicked.status, 0) << qPrintable(clicked.err);
    EXPECT_TRUE(clicked.json()["output"].toString().startsWith(
        QLatin1String("the built-in synthesizer through JACK at ")));
    EXPECT_EQ(clicked.json()["clicks"].toInt(), 3); // at 0.15, 0.30 and 0.45 s
    EXPECT_TRUE(QDir(config.path()).isEmpty()) << "the settings are only read";

    EXPECT_DOUBLE_EQ(
        shipped("play arpeggio --item 0 --tempo 100 --live --device -1")["seconds"].toDouble(),
        0.6); // as --midi-log has it
}

TEST(Cli, PrintRefusesEveryModeWithNothingToShowAndKeepsTheEarlierFile) {
    QTemporaryDir dir;
    const QString pdf = writeFile(dir.filePath("sheet.pdf"), "earlier");
    for (const char* args :
         {"print chord", "print chord --item 2 --tuning E2,E2,E2,E2", "print scale",
          "print arpeggio", "print triad", "print chordscale", "print finder --frets xxxxxx"}) {
        const Result r = run(QString::fromUtf8(args).split(u' ') + QStringList{"--pdf", pdf});
        EXPECT_EQ(r.status, 3) << args;
        EXPECT_EQ(r.err, QStringLiteral("chordalis-cli: There is nothing to print!\n")) << args;
    }
    EXPECT_EQ(readFile(pdf), "earlier");
    EXPECT_EQ(run({"print", "note", "--pdf", dir.filePath("no/folder/x.pdf")}).status, 1);
}

TEST(Cli, PrintWritesOnePagePerRootIntoOneFile) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("booklet.pdf"));
    const QJsonObject j = shipped(words("print chord --item 0 --root C --root F# --pdf") << pdf);
    test::PdfText text = test::readPdf(pdf);
    ASSERT_EQ(text.pages, 4); // the major chord's many grips take two pages a root
    EXPECT_EQ(j["pages"].toInt(), 4);
    EXPECT_NE(text.findLine("Chord: Cmaj", 0), nullptr);
    EXPECT_NE(text.findLine("Chord: F#maj", 2), nullptr);
    json({"print", "note", "--all-roots", "--pdf", pdf});
    EXPECT_EQ(test::readPdf(pdf).pages, 17);
    // Every chord of a root, a page each.
    json({"print", "chord", "--all-items", "--root", "D", "--pdf", pdf});
    EXPECT_NE(test::readPdf(pdf).findLine("Chord: Dmaj", 0), nullptr);
}

TEST(Cli, LedReportsAreTheThreeReportsOfTheFrame) {
    // Fret 0: strings 3 and 1; fret 1: string 2; fret 2: string 4; fret 3: string 5.
    EXPECT_EQ(json(words("show finder --frets x32010 --led-reports"))["ledReports"].toArray(),
              QJsonArray({QJsonArray({1, 0x28, 0x10, 0x04, 0x02, 0, 0, 0, 0}),
                          QJsonArray({2, 0, 0, 0, 0, 0, 0, 0, 0}),
                          QJsonArray({3, 0, 0, 0, 0, 0, 0, 0, 0})}));
    EXPECT_FALSE(run("show finder --frets x32010").json().contains("ledReports"));
}

TEST(Cli, InfoPrintsTheTextAndTheExamplesWithTheirFiles) {
    const QString examples = QStringLiteral(CHORDALIS_TEST_DATA "/examples");
    const QJsonObject j = json({"info", "chord", "--item", "0", "--data", examples});
    EXPECT_TRUE(j["txtInfo"].toString().startsWith(QLatin1String("C Major chord\n")));
    EXPECT_EQ(j["root"].toString(), QStringLiteral("C"));
    const QJsonArray entries = j["cboInfo"].toArray();
    ASSERT_EQ(entries.size(), 10);
    EXPECT_EQ(entries[3].toObject()["exists"].toBool(), false); // chord_major_2g.emd
    EXPECT_EQ(entries[0].toObject()["path"].toString(), examples + "/midi/chord_major_1.emd");
    // A hostile stem finds nothing; no item is the Info button's refusal.
    EXPECT_EQ(run({"info", "scale", "--item", "1", "--data", examples}).status, 1);
    EXPECT_EQ(run({"info", "triad", "--data", examples}).status, 3);
}

TEST(Cli, ExampleDecodesAndLogsWhatTheWindowWouldPlay) {
    const QString emd = QStringLiteral(CHORDALIS_TEST_DATA "/examples/midi/triad_major_1.emd");
    QTemporaryDir dir;
    const QString mid = dir.filePath(QStringLiteral("t.mid"));
    EXPECT_EQ(json({"example", emd, "--decode", mid})["tracks"].toInt(), 4);
    EXPECT_EQ(QFileInfo(mid).size(), QFileInfo(emd).size());
    // One bar at 120 bpm: the hi-hat of beat 2 falls at 0.5 s.
    const QJsonObject log = json({"example", emd, "--midi-log"});
    const QJsonArray messages = log["messages"].toArray();
    EXPECT_TRUE(std::any_of(messages.begin(), messages.end(), [](const QJsonValue& m) {
        return m["bytes"].toArray() == QJsonArray{0x99, 42, 70} && m["time"].toDouble() == 0.5;
    }));
    EXPECT_NEAR(log["seconds"].toDouble(), 376.0 / 192, 1e-6); // the last note-off
    EXPECT_EQ(run({"example", emd}).status, 2);

    // Moved to D as the window plays it there.
    EXPECT_NE(json({"example", emd, "--midi-log", "--root", "D"})["messages"], log["messages"]);
    EXPECT_EQ(run({"example", emd, "--midi-log", "--root", "H"}).status, 2);
}

// "shown" is the picture the window draws; "label" keeps each display's own.
TEST(Cli, LabelsChooseFingersNotesOrIntervalsInEveryMode) {
    auto shown = [&](const char* args, const char* labels) {
        QStringList list = QStringList{"show"} + words(args);
        if (labels)
            list << "--labels" << labels;
        QStringList pictures;
        for (const QJsonValue& m : shipped(list)["neck"].toObject()["marks"].toArray())
            pictures << m.toObject()["shown"].toString();
        return pictures;
    };
    auto asSet = [&](const char* args, const char* labels) {
        QStringList set = shown(args, labels);
        set.removeDuplicates();
        set.sort();
        return set.join(u' ');
    };
    const char* openC = "chord --item 0 --voicing 99"; // x32010
    EXPECT_EQ(shown(openC, nullptr), QStringList({"finger3", "finger2", "finger1"}));
    EXPECT_EQ(shown(openC, "notes"), QStringList({"C", "E", "C"}));
    EXPECT_EQ(shown(openC, "intervals"), QStringList({"1", "3", "1"}));
    // Each display gives its markers their intervals from the root.
    EXPECT_EQ(asSet("triad --item 0 --group 3", "intervals"), "1 3 5");
    EXPECT_EQ(asSet("scale --item 1 --position 9", "intervals"), "1 2 4 5 6 b3 b7");
    EXPECT_EQ(asSet("arpeggio --item 4", "intervals"), "1 5 b3 b7");
    EXPECT_EQ(asSet("chordscale --root A --item 4 --scale 5", "intervals"), "1 2 4 5 b3 b6 b7");
    // The finder's notes have no root to count from: they keep their names.
    EXPECT_EQ(shown("finder --frets x32010", "intervals"), QStringList({"C", "E", "C"}));
}

// A FIFO, a device and a folder are never replaced by what the tool writes, nor read from.
TEST(Cli, TargetsThatAreNotFilesAreRefused) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& target : {fifo, QStringLiteral("/dev/null"), dir.path()}) {
        for (const QStringList& args :
             {QStringList{"render", "chord", "--item", "0", "--png", target},
              QStringList{"play", "scale", "--item", "0", "--render", target}})
            expectRefused(args, 2, "not a regular file");
        EXPECT_FALSE(QFileInfo(target).isFile());
    }
    expectRefused({"example", fifo, "--midi-log"}, 1, "not a regular file");
}

// C3 E3 G3 after 0.2 s of silence, checked against a grip that lacks the triad's third string.
TEST(Cli, ListenHearsAWavFile) {
    QTemporaryDir dir;
    AudioClip clip;
    clip.samples.assign(48000, 0.0f);
    for (double hz : {130.81, 164.81, 196.0})
        for (int h = 1; h <= 4; ++h)
            for (size_t i = 9600; i < clip.samples.size(); ++i)
                clip.samples[i] +=
                    float(0.1 / h * std::sin(2.0 * M_PI * h * hz * double(i) / 48000.0));
    const QString path = writeFile(dir.filePath("c.wav"), wavBytes(clip));

    Result r = run({"listen", path});
    ASSERT_EQ(r.status, 0) << qPrintable(r.err);
    QJsonObject j = r.json();
    EXPECT_EQ(j["sampleRate"].toDouble(), 48000.0);
    EXPECT_GT(j["frames"].toArray().size(), 50);
    const QJsonArray events = j["events"].toArray();
    ASSERT_EQ(events.size(), 1);
    EXPECT_NEAR(events[0].toObject()["time"].toDouble(), 0.2, 0.03);
    EXPECT_EQ(events[0].toObject()["notes"].toArray(), (QJsonArray{"C3", "E3", "G3"}));
    EXPECT_EQ(events[0].toObject()["chord"].toString(), QStringLiteral("C Major"));
    r = run({"listen", path, "--check", "x3201x"});
    ASSERT_EQ(r.status, 0) << qPrintable(r.err);
    QStringList verdicts;
    for (const QJsonValue v : r.json()["check"].toObject()["strings"].toArray())
        verdicts << v.toObject()["verdict"].toString();
    EXPECT_EQ(verdicts.join(u' '), QStringLiteral("right missing right right right right"));

    // A rate the engine does not listen at is refused, not a crash.
    const QString slow = writeFile(dir.filePath("slow.wav"),
                                   wavBytes(AudioClip{4000.0, std::vector<float>(4000, 0.0f)}));
    for (const QString& bad : {slow, dir.filePath(QStringLiteral("none.wav")),
                               QStringLiteral(CHORDALIS_TEST_DATA "/small/chord.ini")})
        expectRefused({"listen", bad}, 1, bad);
}

namespace {

// The JSON lines of a practice session: the questions, then the summary.
std::vector<QJsonObject> jsonLines(const QString& out) {
    std::vector<QJsonObject> lines;
    for (const QString& line : out.split(u'\n', Qt::SkipEmptyParts))
        lines.push_back(QJsonDocument::fromJson(line.toUtf8()).object());
    return lines;
}

QString writeAnswers(const QTemporaryDir& dir, const QByteArray& text) {
    return writeFile(dir.filePath("answers.txt"), text);
}

} // namespace

TEST(CliPractice, ASessionJudgesKeepsAndSchedulesEachAnswer) {
    QTemporaryDir dir;
    const QString db = dir.filePath("history.sqlite");
    const QString answers = writeAnswers(dir, "P5\nnonsense\nP5\nm3\nP5\n");
    const QStringList args = {"practice", "intervals", "--seed", "7",           "--db",
                              db,         "--answers", answers,  "--questions", "8"};
    const Result r = run(args);
    ASSERT_EQ(r.status, 0) << qPrintable(r.err);
    const auto lines = jsonLines(r.out);
    ASSERT_EQ(lines.size(), 6u) << qPrintable(r.out);
    int right = 0;
    for (int k = 0; k < 5; ++k) {
        const QJsonObject& q = lines[std::size_t(k)];
        EXPECT_EQ(q["question"].toInt(), k + 1);
        const bool isRight = q["given"].toString() == q["expected"].toString();
        right += isRight;
        const QString judgement = q["judgement"].toString();
        EXPECT_EQ(judgement, k == 1    ? "unreadable"
                             : isRight ? "right"
                                       : "wrong")
            << qPrintable(q["item"].toString());
        EXPECT_TRUE(q["saved"].toBool());
    }
    EXPECT_FALSE(lines[1]["reason"].toString().isEmpty());
    const QJsonObject summary = lines[5]["summary"].toObject();
    EXPECT_EQ(summary["asked"].toInt(), 5);
    EXPECT_EQ(summary["right"].toInt(), right);
    EXPECT_EQ(summary["ended"].toString(), "answers ran out");
    EXPECT_TRUE(summary["saved"].toBool());

    // Without answers the questions are printed, none judged.
    const Result dry =
        run({"practice", "find-string", "--db", db, "--capo", "2", "--questions", "3"});
    ASSERT_EQ(dry.status, 0) << qPrintable(dry.err);
    const auto asked = jsonLines(dry.out);
    ASSERT_EQ(asked.size(), 4u);
    EXPECT_FALSE(asked[0].contains("judgement"));
    expectRefused({"practice", "progressions", "--db", db}, 1, "nothing to ask");
}

TEST(CliPractice, WrongArgumentsAndADamagedHistoryAreSaid) {
    QTemporaryDir dir;
    const QString db = dir.filePath("history.sqlite");
    for (const char* line :
         {"practice --db @db", "practice solfege --db @db", "practice intervals",
          "practice intervals --db @db --capo 13", "practice intervals --db @db --seed x",
          "practice intervals --db @db --answers @dir",
          "practice intervals --db @db --answers @dir/none"}) {
        const QStringList args =
            words(line).replaceInStrings("@db", db).replaceInStrings("@dir", dir.path());
        const Result r = run(args);
        EXPECT_EQ(r.status, 2) << qPrintable(args.join(' '));
        EXPECT_FALSE(r.err.isEmpty()) << qPrintable(args.join(' '));
    }
    writeFile(db, QByteArray(8192, 'x'));
    const Result r = run({"practice", "name-note", "--db", db, "--answers",
                          writeAnswers(dir, "C\n"), "--questions", "1"});
    ASSERT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_TRUE(r.err.contains("damaged")) << qPrintable(r.err);
    const auto lines = jsonLines(r.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[1]["summary"].toObject()["message"].toString().contains("kept as"));
    EXPECT_EQ(QDir(dir.path()).entryList({"history.sqlite.damaged-*"}).size(), 1);
}

// SIGKILL mid-session keeps every answer printed; reopened, the history is sound.
TEST(CliPractice, AKilledSessionLosesAtMostTheAnswerInFlight) {
    QTemporaryDir dir;
    const QString db = dir.filePath("history.sqlite");
    QProcess tool;
    tool.start(QStringLiteral(CHORDALIS_CLI),
               {"practice", "name-note", "--db", db, "--answers", "-", "--questions", "100"});
    ASSERT_TRUE(tool.waitForStarted());
    int printed = 0;
    for (int k = 0; k < 6; ++k) {
        tool.write("C\n");
        while (!tool.canReadLine() && tool.waitForReadyRead(10000)) {
        }
        ASSERT_TRUE(tool.canReadLine()) << qPrintable(tool.readAllStandardError());
        tool.readLine();
        ++printed;
    }
    tool.write("C\n"); // in flight when the tool is killed
    tool.kill();
    ASSERT_TRUE(tool.waitForFinished(10000));
    EXPECT_EQ(tool.exitStatus(), QProcess::CrashExit);

    const Result r = run({"practice", "name-note", "--db", db, "--csv", dir.filePath("all.csv"),
                          "--answers", writeAnswers(dir, ""), "--questions", "1"});
    EXPECT_TRUE(r.err.isEmpty()) << "no damage: " << qPrintable(r.err);
    const int kept = int(readFile(dir.filePath("all.csv")).count("\r\n")) - 1;
    EXPECT_GE(kept, printed);
    EXPECT_LE(kept, printed + 1);
}

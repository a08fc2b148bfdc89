#include "CliCommands.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace chordalis;

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

} // namespace

TEST(Cli, SpellPrintsNamesPitchClassesAndLabels) {
    const Result r = run({"spell", "--root", "Eb", "--formula", "1;b3;5;b7"});
    ASSERT_EQ(r.status, 0) << qPrintable(r.err);
    const QJsonObject j = r.json();
    EXPECT_EQ(j["rootPitchClass"].toInt(), 3);
    EXPECT_EQ(j["notesText"].toString(), QStringLiteral("Eb Gb Bb Db "));
    EXPECT_EQ(j["formulaText"].toString(), QStringLiteral("1, b3, 5, b7"));
    const QJsonArray notes = j["notes"].toArray();
    ASSERT_EQ(notes.size(), 4);
    EXPECT_EQ(notes[1].toObject()["name"].toString(), QStringLiteral("Gb"));
    EXPECT_EQ(notes[3].toObject()["pitchClass"].toInt(), 1);

    EXPECT_EQ(run({"spell", "--formula", "1;3;5", "--root", "C#"}).json()["notesText"],
              QStringLiteral("C# E# G# "));
}

TEST(Cli, WrongArgumentsExitWithStatusTwo) {
    const QList<QStringList> bad = {
        {},
        {"spell", "--root", "H", "--formula", "1;3"},
        {"spell", "--root", "c", "--formula", "1;3"},
        {"spell", "--root", "C", "--formula", "1;;3"},
        {"spell", "--root", "C"},
        {"spell", "--root"},
        {"library", "--colour", "red"},
        {"library", "extra"},
        {"dance"},
    };
    for (const QStringList& args : bad) {
        const Result r = run(args);
        EXPECT_EQ(r.status, 2) << qPrintable(args.join(' '));
        EXPECT_FALSE(r.err.isEmpty());
        EXPECT_TRUE(r.out.isEmpty());
    }
    const Result help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains("--data"));
}

TEST(Cli, LibraryPrintsLibrariesAndTrees) {
    const Result r = run({"library"});
    ASSERT_EQ(r.status, 0) << qPrintable(r.err);
    const QJsonObject j = r.json();
    EXPECT_EQ(j["chords"].toArray().size(), 3);
    EXPECT_EQ(j["scales"].toArray()[1].toObject()["name"].toString(), QStringLiteral("Lydian"));
    const QJsonArray chords = j["trees"].toObject()["tvwChords"].toArray();
    EXPECT_EQ(chords[2].toObject()["key"].toString(), QStringLiteral("0 Chord - All"));
    EXPECT_EQ(chords[2].toObject()["parent"].toString(), QStringLiteral("All Group"));
    EXPECT_EQ(j["trees"].toObject()["tvwStringGroup"].toArray()[0].toObject()["selected"], true);
    EXPECT_TRUE(j["warnings"].toArray().isEmpty());

    const Result missing = run({"library", "--data", "/nonexistent/folder"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains("/nonexistent/folder/chord.ini"));
}

#include "practice/Progress.h"
#include "practice/Questions.h"
#include "practice/Scheduler.h"
#include "practice/Session.h"
#include "practice/SqliteHistory.h"
#include "search/SearchIndex.h"
#include "theory/Spelling.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <tuple>

using namespace chordalis;

namespace {

// Open strings written out, so that the places follow from pitch arithmetic alone.
struct NeckCase {
    const char* name;
    std::vector<int> open;
    int frets;
    Capo capo;
};
const std::vector<NeckCase> Necks = {
    {"standard guitar", {64, 59, 55, 50, 45, 40}, 15, {}},
    {"drop D, capo 2", {64, 59, 55, 50, 45, 38}, 22, {2, 0, 0}},
    {"seven strings", {64, 59, 55, 50, 45, 40, 35}, 24, {}},
    {"four-string bass, partial capo", {43, 38, 33, 28}, 20, {5, 2, 4}},
};

QuizNeck neckOf(const NeckCase& c) {
    QuizNeck neck;
    neck.instrument.tuning = {CustomPreset, c.open};
    neck.instrument.frets = c.frets;
    neck.capo = c.capo;
    return neck;
}

// The lowest fret string s (1-based) can sound on the case's neck.
int lowestFretOf(const NeckCase& c, int s) {
    const bool covered = c.capo.fret > 0 && (c.capo.highString == 0 ||
                                             (s >= c.capo.highString && s <= c.capo.lowString));
    return covered ? c.capo.fret : 0;
}

using Places = std::set<std::pair<int, int>>; // string, fret

Places placeSet(const std::vector<NeckPlace>& places) {
    Places set;
    for (const NeckPlace& p : places)
        set.insert({p.string, p.fret});
    return set;
}

QString placesAnswer(const Places& places) {
    QStringList words;
    for (const auto& [s, f] : places)
        words << QStringLiteral("s%1f%2").arg(s).arg(f);
    return words.join(u' ');
}

Question ask(const QString& item, const QuizNeck& neck = {}, std::uint64_t seed = 1) {
    PracticeRandom random(seed);
    const auto q = askItem(item, neck, random);
    EXPECT_TRUE(q) << item.toStdString();
    return q.value_or(Question{});
}
Places placesOf(const QString& item, const QuizNeck& neck) {
    return placeSet(ask(item, neck).places);
}

} // namespace

TEST(PracticeQuestions, FindQuestionsNameEveryPlaceOfTheNoteAboveTheCapo) {
    const QStringList names = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};
    for (const NeckCase& c : Necks) {
        const QuizNeck neck = neckOf(c);
        const int strings = int(c.open.size());
        for (int pc = 0; pc < 12; ++pc) {
            Places neckWide;
            for (int s = 1; s <= strings; ++s) {
                Places expected;
                for (int f = lowestFretOf(c, s); f <= c.frets; ++f)
                    if ((c.open[std::size_t(s - 1)] + f) % 12 == pc)
                        expected.insert({s, f});
                neckWide.insert(expected.begin(), expected.end());
                const Question q =
                    ask(QStringLiteral("find-string:%1:%2").arg(s).arg(names[pc]), neck);
                EXPECT_EQ(placeSet(q.places), expected)
                    << c.name << " string " << s << " pc " << pc;
                EXPECT_TRUE(judgeAnswer(q, placesAnswer(expected)).correct) << c.name;
            }
            EXPECT_EQ(placesOf("find-neck:" + names[pc], neck), neckWide) << c.name << " " << pc;
            // A window of four frets holds those of the whole neck that lie in it.
            const int low = std::max(0, c.capo.fret) + 1;
            Places inWindow;
            for (const auto& [s, f] : neckWide)
                if (f >= low && f <= low + 3)
                    inWindow.insert({s, f});
            EXPECT_EQ(placesOf(QStringLiteral("find-position:%1:").arg(low) + names[pc], neck),
                      inWindow)
                << c.name << " " << pc;
        }
    }
    EXPECT_EQ(ask("find-string:6:G").expected, QStringLiteral("s6f3 s6f15"));
}

TEST(PracticeQuestions, NamingAMarkedNoteAcceptsEitherSpellingAndRefusesNonsense) {
    for (const NeckCase& c : Necks) {
        const QuizNeck neck = neckOf(c);
        for (const QString& item : quizItems(QuizKind::NameNote, neck)) {
            const Question q = ask(item, neck);
            ASSERT_EQ(q.places.size(), 1u);
            const NeckPlace p = q.places.front();
            EXPECT_GE(p.fret, lowestFretOf(c, p.string)) << item.toStdString();
            EXPECT_EQ(q.notes, std::vector<int>{c.open[std::size_t(p.string - 1)] + p.fret});
        }
    }
    const Question fSharp = ask("name-note:1:2"); // E4 + 2
    EXPECT_TRUE(judgeAnswer(fSharp, "F#").correct);
    EXPECT_TRUE(judgeAnswer(fSharp, " gb ").correct);
    EXPECT_FALSE(judgeAnswer(fSharp, "G").correct);
    for (const char* nonsense : {"", "H", "F#b", "s1f2", "F# G"}) {
        const Judgement j = judgeAnswer(fSharp, nonsense);
        EXPECT_FALSE(j.correct) << nonsense;
        EXPECT_FALSE(j.known) << nonsense;
        EXPECT_FALSE(j.reason.isEmpty()) << nonsense;
    }
    // A set: order and separators do not matter.
    const Question g = ask("find-string:6:G");
    EXPECT_TRUE(judgeAnswer(g, "S6F15, s6f3").correct);
    EXPECT_FALSE(judgeAnswer(g, "s6f3").correct);
    EXPECT_FALSE(judgeAnswer(g, "s6f3 s6f15 s5f10").correct);
    EXPECT_FALSE(judgeAnswer(g, "6:3").known);
    // Items a neck cannot ask are refused, not asked.
    for (const char* wrong :
         {"find-string:7:C", "name-note:1:16", "interval:sideways:3", "quality:sus9:0",
          "quality:maj:3", "find-neck:H", "change:C", "nonsense"}) {
        PracticeRandom random(1);
        EXPECT_FALSE(askItem(wrong, QuizNeck{}, random)) << wrong;
    }
}

TEST(PracticeQuestions, EarItemsPlayTheIntervalOrChordTheyName) {
    PracticeRandom random(7);
    for (const QString& item : quizItems(QuizKind::Intervals, {})) {
        const auto q = askItem(item, {}, random);
        ASSERT_TRUE(q);
        const int n = item.section(u':', 2).toInt();
        ASSERT_EQ(q->notes.size(), 2u);
        const int step = q->notes[1] - q->notes[0];
        EXPECT_EQ(item.contains(QLatin1String(":down:")) ? -step : step, n) << item.toStdString();
        EXPECT_EQ(q->together, item.contains(QLatin1String("together")));
        EXPECT_TRUE(judgeAnswer(*q, QString::number(n)).correct);
        EXPECT_TRUE(judgeAnswer(*q, intervalName(n)).correct);
    }
    const Question tritone = ask("interval:up:6");
    EXPECT_TRUE(judgeAnswer(tritone, "TT").correct);
    EXPECT_TRUE(judgeAnswer(tritone, "d5").correct);
    EXPECT_FALSE(judgeAnswer(ask("interval:up:3"), "M3").correct); // m3 and M3 differ
    EXPECT_FALSE(judgeAnswer(tritone, "13").known);

    const std::map<QString, std::vector<int>> tones = {
        {"maj", {0, 4, 7}},    {"m", {0, 3, 7}},        {"dim", {0, 3, 6}},
        {"aug", {0, 4, 8}},    {"7", {0, 4, 7, 10}},    {"maj7", {0, 4, 7, 11}},
        {"m7", {0, 3, 7, 10}}, {"m7b5", {0, 3, 6, 10}}, {"dim7", {0, 3, 6, 9}}};
    for (const QString& item : quizItems(QuizKind::Qualities, {})) {
        const auto q = askItem(item, {}, random);
        ASSERT_TRUE(q);
        const std::vector<int>& want = tones.at(item.section(u':', 1, 1));
        const int inversion = item.section(u':', 2).toInt();
        ASSERT_EQ(q->notes.size(), want.size()) << item.toStdString();
        EXPECT_TRUE(std::is_sorted(q->notes.begin(), q->notes.end())) << item.toStdString();
        const int root = q->notes.front() - want[std::size_t(inversion)];
        std::set<int> heard, wanted;
        for (int n : q->notes)
            heard.insert((n - root) % 12);
        for (int t : want)
            wanted.insert(t % 12);
        EXPECT_EQ(heard, wanted) << item.toStdString();
    }
    EXPECT_EQ(tones.size() * 3 + 5, std::size_t(quizItems(QuizKind::Qualities, {}).size()));
    const Question minor = ask("quality:m:1");
    EXPECT_TRUE(judgeAnswer(minor, "min").correct);
    EXPECT_FALSE(judgeAnswer(minor, "maj").correct);
    EXPECT_FALSE(judgeAnswer(minor, "sus4").known);

    // The library's first three chords on five roots.
    ChordLibrary library;
    library.entries = {{"maj", "Major", "", "1;3;5", "", ""},
                       {"m", "Minor", "", "1;b3;5", "", ""},
                       {"7", "Dominant 7th", "", "", "", ""}, // a rejected formula: left out
                       {"m7", "Minor 7th", "", "1;b3;5;b7", "", ""}};
    library.count = 4;
    EXPECT_EQ(changeChords(library),
              QStringList({"C", "D", "E", "G", "A", "Cm", "Dm", "Em", "Gm", "Am"}));
    for (const auto& [item, words] :
         std::vector<std::pair<QString, QString>>{{"find-string:3:Db", "Db on string 3"},
                                                  {"find-position:5:A", "A in frets 5-8"},
                                                  {"interval:down:7", "P5 down"},
                                                  {"quality:m7:2", "m7, 2nd inversion"},
                                                  {"change:C|G7", "C to G7"},
                                                  {"odd", "odd"}})
        EXPECT_EQ(describeItem(item), words);

    const QStringList pairs = quizItems(QuizKind::Changes, {}, {"C", "G", "Am7"});
    EXPECT_EQ(pairs, QStringList({"change:C|G", "change:C|Am7", "change:G|Am7"}));
    const Question change = ask(pairs.front());
    EXPECT_TRUE(judgeAnswer(change, "31").correct);
    EXPECT_EQ(judgeAnswer(change, "12").count, 12);
    EXPECT_FALSE(judgeAnswer(change, "12").correct);
    EXPECT_FALSE(judgeAnswer(change, "-1").known);
}

std::set<int> classesAbove(const std::vector<int>& notes, int tonic) {
    std::set<int> set;
    for (int n : notes)
        set.insert(((n - tonic) % 12 + 12) % 12);
    return set;
}

TEST(PracticeQuestions, ScalesAndProgressionsSoundWhatTheirAnswersName) {
    const std::map<QString, std::vector<int>> steps = {
        {"dorian", {0, 2, 3, 5, 7, 9, 10, 12}},
        {"harmonic-minor", {0, 2, 3, 5, 7, 8, 11, 12}},
        {"blues", {0, 3, 5, 6, 7, 10, 12}}};
    PracticeRandom random(3);
    EXPECT_EQ(quizItems(QuizKind::Scales, {}).size(), 12);
    for (const auto& [word, want] : steps) {
        const auto q = askItem("scale:" + word, {}, random);
        ASSERT_TRUE(q) << word.toStdString();
        std::vector<int> heard;
        for (int n : q->notes)
            heard.push_back(n - q->notes.front());
        EXPECT_EQ(heard, want) << word.toStdString();
        EXPECT_TRUE(judgeAnswer(*q, word).correct);
    }
    const Question major = ask("scale:major"), minor = ask("scale:minor");
    for (const auto& [question, answer, right] :
         std::vector<std::tuple<Question, QString, bool>>{{major, "Ionian", true},
                                                          {major, "mixolydian", false},
                                                          {minor, "Natural Minor", true},
                                                          {minor, " aeolian ", true},
                                                          {minor, "melodic_minor", false}})
        EXPECT_EQ(judgeAnswer(question, answer).correct, right) << answer.toStdString();
    EXPECT_FALSE(judgeAnswer(major, "kumquat").known);
    EXPECT_FALSE(askItem("scale:Ionian", {}, random)) << "an item names a scale by its word";

    // A chord held or written again sounds once; too long ones are left out.
    const std::vector<LibraryProgression> library = {
        {"axis", "Axis", "Pop", KeyMode::Major, 4, "| I | V | vi | IV |"},
        {"held", "Held", "Pop", KeyMode::Major, 4, "| I | % | IV IV | V |"},
        {"aeolian", "Minor rock", "Rock", KeyMode::NaturalMinor, 4, "| i | bVI | bIII | bVII |"},
        {"long", "Long", "Pop", KeyMode::Major, 4, "| I | ii | iii | IV | V | vi | vii° |"},
        {"bad", "Bad", "Pop", KeyMode::Major, 4, "| I | H7 |"}};
    ChordLibrary chords;
    chords.entries = {{"maj", "Major", "", "1;3;5", "", ""},
                      {"m", "Minor", "", "1;b3;5", "", ""},
                      {"dim", "Diminished", "", "1;b3;b5", "", ""}};
    chords.count = 3;
    const auto ear = earProgressions(library, SearchIndex(chords, {}, {}), chords);
    const QStringList items = quizItems(QuizKind::Progressions, {}, {}, ear);
    EXPECT_EQ(items, QStringList({"progression:axis", "progression:held", "progression:aeolian"}));
    // The item, its numerals and its chords' pitch classes above the tonic.
    using Want = std::tuple<const char*, const char*, std::vector<std::set<int>>>;
    for (const auto& [item, numerals, chords] :
         {Want{"progression:axis", "I V vi IV", {{0, 4, 7}, {7, 11, 2}, {9, 0, 4}, {5, 9, 0}}},
          Want{"progression:held", "I IV V", {{0, 4, 7}, {5, 9, 0}, {7, 11, 2}}},
          Want{"progression:aeolian",
               "i bVI bIII bVII",
               {{0, 3, 7}, {8, 0, 3}, {3, 7, 10}, {10, 2, 5}}}}) {
        SCOPED_TRACE(item);
        for (std::uint64_t seed : {1u, 2u, 3u}) {
            PracticeRandom r(seed);
            const auto q = askItem(QLatin1String(item), {}, r, ear);
            ASSERT_TRUE(q);
            ASSERT_EQ(q->chords.size(), chords.size());
            const int tonic = q->chords[0][0];
            for (std::size_t k = 0; k < chords.size(); ++k)
                EXPECT_EQ(classesAbove(q->chords[k], tonic), chords[k]) << k;
            EXPECT_TRUE(judgeAnswer(*q, QLatin1String(numerals)).correct);
            EXPECT_EQ(q->prompt.contains("minor"), QByteArray(item).contains("aeolian"));
        }
    }
    const Question axis = *askItem("progression:axis", {}, random, ear);
    EXPECT_TRUE(judgeAnswer(axis, "| I | V | vi | IV |").correct);
    EXPECT_TRUE(judgeAnswer(axis, "I, V, vi, IV").correct);
    EXPECT_FALSE(judgeAnswer(axis, "I V VI IV").correct) << "the case of a numeral is its 3rd";
    EXPECT_FALSE(judgeAnswer(axis, " | ").known);
    EXPECT_FALSE(askItem("progression:nowhere", {}, random, ear));
}

TEST(PracticeRandomTest, ASeedGivesTheSameNumbersWithinBounds) {
    PracticeRandom a(42), b(42), c(43);
    bool differs = false;
    for (int k = 0; k < 1000; ++k) {
        const int x = a.between(-3, 9);
        EXPECT_EQ(x, b.between(-3, 9));
        EXPECT_GE(x, -3);
        EXPECT_LE(x, 9);
        differs = differs || c.between(-3, 9) != x;
    }
    EXPECT_TRUE(differs);
    EXPECT_EQ(a.between(5, 5), 5);
    EXPECT_EQ(a.between(5, 2), 5);
    // A recorded session replays on any machine.
    PracticeRandom fixed(1);
    EXPECT_EQ(fixed.next(), 0x910a2dec89025cc1ULL);
}

TEST(PracticeScheduler, AMissedOrSlowItemComesBackSoonerThanAKnownOne) {
    const qint64 t0 = 1'000'000;
    ItemState known, missed, slow;
    for (int k = 0; k < 3; ++k) {
        known = schedule(known, Grade::Right, t0);
        missed = schedule(missed, Grade::Right, t0);
        slow = schedule(slow, Grade::Right, t0);
    }
    EXPECT_EQ(known.box, 4);
    known = schedule(known, Grade::Right, t0);
    missed = schedule(missed, Grade::Wrong, t0);
    slow = schedule(slow, Grade::Slow, t0);
    EXPECT_EQ(missed.box, 1);
    EXPECT_EQ(missed.dueMs, t0 + 30'000);
    EXPECT_EQ(slow.box, 4);
    EXPECT_LT(missed.dueMs, slow.dueMs);
    EXPECT_LT(slow.dueMs, known.dueMs);
    EXPECT_EQ(known.asked, 4);
    EXPECT_EQ(missed.right, 3);
    for (int k = 0; k < 10; ++k)
        known = schedule(known, Grade::Right, t0);
    EXPECT_EQ(known.box, LeitnerBoxes);

    Judgement right, wrong;
    right.correct = true;
    EXPECT_EQ(gradeOf(right, 2.0, 5.0), Grade::Right);
    EXPECT_EQ(gradeOf(right, 6.0, 5.0), Grade::Slow);
    EXPECT_EQ(gradeOf(wrong, 1.0, 5.0), Grade::Wrong);

    // Longest due first, then new ones, then the soonest due; never one twice in a row.
    PracticeRandom random(3);
    std::map<QString, ItemState> states = {
        {"a", {2, t0 - 10, 1, 1}}, {"b", {1, t0 - 500, 1, 0}}, {"c", {3, t0 + 50, 1, 1}}};
    const QStringList items = {"a", "b", "c", "d"};
    EXPECT_EQ(pickItem(items, states, t0, random), "b");
    EXPECT_EQ(pickItem(items, states, t0, random, "b"), "a");
    EXPECT_EQ(pickItem(items, states, t0 - 1000, random), "d");
    EXPECT_EQ(pickItem({"a", "c"}, states, t0 - 1000, random), "a");
    EXPECT_EQ(pickItem({"a", "c"}, states, t0 - 1000, random, "a"), "c");
    EXPECT_EQ(pickItem({"a"}, states, t0, random, "a"), "a");
    EXPECT_EQ(pickItem({}, states, t0, random), "");
}

TEST(PracticeSessionTest, AMissedItemReturnsWithinTheSessionAndTheSummaryAddsUp) {
    FakeWallClock clock;
    MemoryHistory history;
    const QStringList items = quizItems(QuizKind::Intervals, {}).mid(0, 3);
    PracticeSession session(QuizKind::Intervals, {}, items, history, clock, 5, 8);
    auto q = session.next();
    ASSERT_TRUE(q);
    const QString missed = q->item;
    clock.advance(4);
    auto outcome = session.answer("P8");
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->grade, Grade::Wrong);
    EXPECT_DOUBLE_EQ(outcome->seconds, 4.0);
    EXPECT_FALSE(session.answer("P8")) << "no question is shown";

    for (int k = 0; k < 2; ++k) {
        q = session.next();
        ASSERT_TRUE(q);
        EXPECT_NE(q->item, missed);
        clock.advance(k == 0 ? 2 : 10); // the second is slow (over 6 s)
        outcome = session.answer(q->expected);
        EXPECT_EQ(outcome->grade, k == 0 ? Grade::Right : Grade::Slow);
    }
    clock.advance(30);
    q = session.next();
    ASSERT_TRUE(q);
    EXPECT_EQ(q->item, missed);
    session.answer(q->expected);

    const SessionSummary s = session.summary();
    EXPECT_EQ(s.asked, 4);
    EXPECT_EQ(s.right, 3);
    EXPECT_DOUBLE_EQ(s.accuracy, 0.75);
    EXPECT_DOUBLE_EQ(s.meanSeconds, 16.0 / 4);
    ASSERT_EQ(s.weakest.size(), 2);
    EXPECT_EQ(s.weakest.front(), missed);
    EXPECT_EQ(history.answers().size(), 4u);
}

namespace {

struct HistoryFiles : ::testing::Test {
    QTemporaryDir dir;
    FakeWallClock clock{1'796'000'000'000}; // 2026-11-30T00:53:20Z
    QString path() const { return dir.filePath("practice.sqlite"); }

    static AnswerRecord answer(const QString& item, Grade grade, qint64 at,
                               const QString& given = "x") {
        return {"s", "intervals", item, "Name it", "P5", given, grade, 1.5, at};
    }
    static void record(const OpenedHistory& opened, const AnswerRecord& a) {
        QString error;
        EXPECT_TRUE(opened.history->record(a, error)) << error.toStdString();
    }
    QStringList asideFiles() const {
        return QDir(dir.path()).entryList({"practice.sqlite.damaged-*"}, QDir::Files);
    }
    QByteArray bytesOf(const QString& file) const {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file.toStdString();
        return f.readAll();
    }
    void removeLog() const {
        QFile::remove(path() + "-wal");
        QFile::remove(path() + "-shm");
    }
};

// A connection of the test's own to the history's file, closed and removed at the end.
struct Connection {
    explicit Connection(const QString& path, const char* name = "probe") : name(name) {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
    }
    ~Connection() { QSqlDatabase::removeDatabase(name); }
    QSqlQuery query() const { return QSqlQuery(QSqlDatabase::database(name)); }
    QString name;
};

} // namespace

TEST_F(HistoryFiles, AnswersAndSchedulesOutlastTheConnection) {
    {
        OpenedHistory opened = openHistory(path(), clock);
        ASSERT_TRUE(opened.history->lasts()) << opened.message.toStdString();
        EXPECT_TRUE(opened.message.isEmpty());
        record(opened, answer("a", Grade::Right, 1000));
        record(opened, answer("a", Grade::Right, 2000, "P5, \"fifth\""));
        record(opened, answer("b", Grade::Wrong, 3000));
    }
    OpenedHistory opened = openHistory(path(), clock);
    const auto states = opened.history->states();
    EXPECT_EQ(states.at("a"), (ItemState{3, 2000 + BoxWaitMs[2], 2, 2}));
    EXPECT_EQ(states.at("b"), (ItemState{1, 3000 + BoxWaitMs[0], 1, 0}));
    const auto answers = opened.history->answers();
    ASSERT_EQ(answers.size(), 3u);
    EXPECT_EQ(answers[1], answer("a", Grade::Right, 2000, "P5, \"fifth\""));
    {
        // The write-ahead log is on.
        const Connection db(path());
        QSqlQuery q = db.query();
        ASSERT_TRUE(q.exec("PRAGMA journal_mode") && q.next());
        EXPECT_EQ(q.value(0).toString(), "wal");
    }

    const QStringList csv = answersCsv(answers).split("\r\n");
    EXPECT_EQ(csv[0], "session,quiz,item,question,expected,given,grade,seconds,answered");
    EXPECT_EQ(csv[2], "s,intervals,a,Name it,P5,\"P5, \"\"fifth\"\"\",right,1.500,"
                      "1970-01-01T00:00:02.000Z");
    EXPECT_EQ(csv.size(), 5); // header, three rows, the empty text after the last line end
}

TEST_F(HistoryFiles, ADamagedFileIsSetAsideNeverOverwritten) {
    const QByteArray garbage = QByteArray("this is not a database\n").repeated(200);
    auto writeGarbage = [&] {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(garbage);
    };
    auto writeOtherSchema = [&] {
        const Connection db(path(), "other");
        db.query().exec("CREATE TABLE notes (x TEXT)");
        db.query().exec("PRAGMA user_version = 7");
    };
    auto tearPages = [&] {
        {
            OpenedHistory opened = openHistory(path(), clock);
            for (int k = 0; k < 60; ++k)
                record(opened, answer(QString::number(k), Grade::Right, k));
        }
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(4096); // pages 2 and 3, headers and all: the tables' roots
        f.write(QByteArray(8192, '\x5a'));
    };
    int sets = 0;
    for (const auto& damage :
         {std::function<void()>(writeGarbage), std::function<void()>(writeOtherSchema),
          std::function<void()>(tearPages)}) {
        QFile::remove(path());
        removeLog();
        damage();
        const QByteArray bytes = bytesOf(path());

        OpenedHistory opened = openHistory(path(), clock);
        ++sets;
        ASSERT_TRUE(opened.history->lasts()) << opened.message.toStdString();
        EXPECT_TRUE(opened.message.contains("damaged")) << opened.message.toStdString();
        EXPECT_TRUE(opened.history->answers().empty()) << "a fresh file";
        const QStringList aside = asideFiles();
        ASSERT_EQ(aside.size(), sets) << aside.join(' ').toStdString();
        EXPECT_TRUE(opened.message.contains(aside.last())) << opened.message.toStdString();
        EXPECT_EQ(bytesOf(dir.filePath(aside.last())), bytes) << "set aside as it was";
        record(opened, answer("a", Grade::Right, 1));
    }
    // Set aside in the same second, each keeps a name of its own.
    EXPECT_EQ(asideFiles(), QStringList({"practice.sqlite.damaged-20261130-005320",
                                         "practice.sqlite.damaged-20261130-005320-2",
                                         "practice.sqlite.damaged-20261130-005320-3"}));
}

TEST_F(HistoryFiles, AReadOnlyFileOrFolderIsReadButNotWritten) {
    {
        OpenedHistory opened = openHistory(path(), clock);
        record(opened, answer("a", Grade::Right, 1000));
    }
    removeLog();
    QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::ReadUser);
    const QByteArray bytes = bytesOf(path());
    {
        OpenedHistory opened = openHistory(path(), clock);
        EXPECT_FALSE(opened.history->lasts());
        EXPECT_TRUE(opened.message.contains("read-only")) << opened.message.toStdString();
        EXPECT_TRUE(opened.message.contains("not be saved")) << opened.message.toStdString();
        EXPECT_EQ(opened.history->states().at("a").box, 2) << "the schedule still serves";
        record(opened, answer("a", Grade::Wrong, 2000));
    }
    EXPECT_EQ(bytesOf(path()), bytes);
    EXPECT_TRUE(asideFiles().isEmpty());
    QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    const QString folder = dir.filePath("locked");
    ASSERT_TRUE(QDir().mkdir(folder));
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    OpenedHistory opened = openHistory(folder + "/practice.sqlite", clock);
    EXPECT_FALSE(opened.history->lasts());
    EXPECT_TRUE(opened.message.contains("read-only")) << opened.message.toStdString();
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files).isEmpty());
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(HistoryFiles, TwoWritersAtOnceLoseNothing) {
    constexpr int PerWriter = 60;
    auto writer = [&](const QString& item) {
        FakeWallClock own;
        OpenedHistory opened = openHistory(path(), own);
        ASSERT_TRUE(opened.history->lasts()) << opened.message.toStdString();
        for (int k = 0; k < PerWriter; ++k) {
            record(opened, answer(item, Grade::Right, k));
            record(opened, answer("shared", Grade::Right, k));
        }
    };
    // Qt's threads, not std::thread: Qt keeps data for a thread it did not start until exit.
    std::unique_ptr<QThread> one(QThread::create(writer, QStringLiteral("one")));
    std::unique_ptr<QThread> two(QThread::create(writer, QStringLiteral("two")));
    one->start();
    two->start();
    one->wait();
    two->wait();
    OpenedHistory opened = openHistory(path(), clock);
    EXPECT_EQ(opened.history->answers().size(), std::size_t(4 * PerWriter));
    const auto states = opened.history->states();
    EXPECT_EQ(states.at("one").asked, PerWriter);
    EXPECT_EQ(states.at("two").asked, PerWriter);
    EXPECT_EQ(states.at("shared").asked, 2 * PerWriter) << "each answer moved the stored state";
}

// An older file (no bests) gains each pair's best from the counts typed; read-only, it is read.
TEST_F(HistoryFiles, BestsAreKeptPerItemAndAnOlderFileIsUpgradedInPlace) {
    {
        const Connection db(path(), "old");
        QSqlQuery q = db.query();
        ASSERT_TRUE(q.exec("CREATE TABLE items (item TEXT PRIMARY KEY, box INTEGER NOT NULL, "
                           "due_ms INTEGER NOT NULL, asked INTEGER NOT NULL, right_count "
                           "INTEGER NOT NULL)"));
        ASSERT_TRUE(q.exec("CREATE TABLE answers (id INTEGER PRIMARY KEY, session TEXT NOT NULL, "
                           "quiz TEXT NOT NULL, item TEXT NOT NULL, prompt TEXT NOT NULL, "
                           "expected TEXT NOT NULL, given TEXT NOT NULL, grade INTEGER NOT NULL, "
                           "seconds REAL NOT NULL, answered_ms INTEGER NOT NULL)"));
        ASSERT_TRUE(q.exec("INSERT INTO items VALUES ('change:C|G', 2, 5, 4, 1)"));
        for (const char* given : {"28", "31", "abc", "700", "3x"})
            ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO answers (session, quiz, item, prompt, "
                                              "expected, given, grade, seconds, answered_ms) "
                                              "VALUES ('s', 'changes', 'change:C|G', 'p', '30', "
                                              "'%1', 0, 60, 1)")
                                   .arg(QLatin1String(given))));
        ASSERT_TRUE(q.exec("INSERT INTO answers (session, quiz, item, prompt, expected, given, "
                           "grade, seconds, answered_ms) VALUES ('s', 'intervals', 'interval:up:"
                           "7', 'p', 'P5', '99', 0, 2, 2)"));
        ASSERT_TRUE(q.exec("PRAGMA user_version = 1"));
    }

    QFile::setPermissions(path(), QFileDevice::ReadOwner);
    {
        OpenedHistory readOnly = openHistory(path(), clock);
        EXPECT_EQ(readOnly.history->answers().size(), 6u);
        EXPECT_TRUE(readOnly.history->bests().empty());
    }
    QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    {
        OpenedHistory opened = openHistory(path(), clock);
        EXPECT_TRUE(opened.message.isEmpty()) << opened.message.toStdString();
        EXPECT_TRUE(asideFiles().isEmpty());
        EXPECT_EQ(opened.history->answers().size(), 6u);
        EXPECT_EQ(opened.history->states().at("change:C|G"), (ItemState{2, 5, 4, 1}));
        EXPECT_EQ(opened.history->bests(), (std::map<QString, int>{{"change:C|G", 31}}));
        for (int score : {35, 20}) {
            AnswerRecord a = answer("change:C|G", Grade::Right, 10);
            a.score = score;
            record(opened, a);
        }
    }
    OpenedHistory again = openHistory(path(), clock);
    EXPECT_EQ(again.history->bests().at("change:C|G"), 35);
    EXPECT_EQ(again.history->answers().size(), 8u);
}

// Every pitch of the shape in the window once, lowest first; a clean run raises the tempo a step.
TEST(PracticeQuestions, RunsPlayThePositionAndSpeedUpAfterCleanRuns) {
    for (const NeckCase& c : Necks) {
        SCOPED_TRACE(c.name);
        const QuizNeck neck = neckOf(c);
        const int strings = int(c.open.size());
        for (const auto& [shape, tones] : std::vector<std::pair<QString, std::set<int>>>{
                 {"minor-pentatonic", {0, 3, 5, 7, 10}}, {"arp-7", {0, 4, 7, 10}}}) {
            const int low = std::max(5, c.capo.fret);
            const Question q = ask(QStringLiteral("run:%1:%2").arg(shape).arg(low), neck);
            const int root = c.open.back() + std::max(low, lowestFretOf(c, strings));
            std::set<int> wanted; // every pitch of the shape the window holds
            for (int s = 1; s <= strings; ++s)
                for (int f = std::max(low, lowestFretOf(c, s)); f <= low + 3; ++f)
                    if (tones.count(((c.open[std::size_t(s - 1)] + f - root) % 12 + 12) % 12))
                        wanted.insert(c.open[std::size_t(s - 1)] + f);
            ASSERT_EQ(q.places.size(), wanted.size()) << shape.toStdString();
            auto next = wanted.begin();
            for (const NeckPlace& p : q.places) {
                EXPECT_EQ(c.open[std::size_t(p.string - 1)] + p.fret, *next++);
                EXPECT_GE(p.fret, std::max(low, lowestFretOf(c, p.string)));
            }
        }
    }
    EXPECT_FALSE(judgeAnswer(ask("run:major:3"), "maybe").known);

    FakeWallClock clock;
    MemoryHistory history;
    PracticeSession session(QuizKind::Runs, {}, {"run:major:3"}, history, clock, 1, 4);
    for (const auto& [said, tempo] :
         std::vector<std::pair<QString, int>>{{"y", RunStartTempo},
                                              {"n", RunStartTempo + RunTempoStep},
                                              {"clean", RunStartTempo + RunTempoStep},
                                              {"yes", RunStartTempo + 2 * RunTempoStep}}) {
        const auto q = session.next();
        ASSERT_TRUE(q);
        EXPECT_EQ(q->tempo, tempo);
        const auto outcome = session.answer(said);
        EXPECT_EQ(outcome->best, history.bests().at("run:major:3"));
    }
    EXPECT_EQ(runTempo(RunMaxTempo), RunMaxTempo);
}

// Days in local time; a named place counts for itself, a found note for each of its places.
TEST(PracticeProgress, DaysAndPlacesCountTheirAnswers) {
    const QDate first(2026, 12, 1);
    const qint64 midnight = QDateTime(first, QTime(0, 0), Qt::UTC).toMSecsSinceEpoch();
    auto at = [&](double hours, Grade grade, double seconds, const QString& quiz = "intervals",
                  const QString& item = "interval:up:7", const QString& expected = "P5") {
        return AnswerRecord{"s",   quiz,     item,
                            "p",   expected, "x",
                            grade, seconds,  midnight + qint64(hours * 3'600'000)};
    };
    const std::vector<AnswerRecord> answers = {
        at(1, Grade::Right, 2),   at(2, Grade::Wrong, 4),
        at(3, Grade::Slow, 9),    at(23.5, Grade::Right, 1), // the next day two hours east of UTC
        at(50, Grade::Right, 1),                             // past the range
        at(-30, Grade::Wrong, 1),                            // before it
    };
    // Hours east of UTC; answers asked and right on each of the two days.
    using Days = std::tuple<int, std::vector<int>, std::vector<int>>;
    for (const auto& [offsetHours, asked, right] : {Days{0, {4, 0}, {3, 0}}, {2, {3, 1}, {2, 1}}}) {
        const auto days = progressByDay(answers, first, first.addDays(1), offsetHours * 3600);
        ASSERT_EQ(days.size(), 2u);
        for (std::size_t k = 0; k < days.size(); ++k) {
            EXPECT_EQ(days[k].day, first.addDays(qint64(k)));
            EXPECT_EQ(std::pair(days[k].asked, days[k].right), std::pair(asked[k], right[k]))
                << offsetHours << " " << k;
        }
    }
    const auto utc = progressByDay(answers, first, first, 0);
    EXPECT_DOUBLE_EQ(utc[0].meanSeconds, 4.0);
    EXPECT_DOUBLE_EQ(utc[0].accuracy(), 0.75);
    EXPECT_TRUE(progressByDay(answers, first, first.addDays(-1), 0).empty());

    const std::vector<AnswerRecord> neck = {
        at(1, Grade::Right, 1, "name-note", "name-note:2:8", "G"),
        at(1, Grade::Wrong, 1, "name-note", "name-note:2:8", "G"),
        at(1, Grade::Wrong, 1, "find-string", "find-string:6:G", "s6f3 s6f15"),
        at(1, Grade::Right, 1, "find-neck", "find-neck:G", "s6f3 s1f3"),
        at(1, Grade::Right, 1), // an interval: no place
    };
    std::map<std::pair<int, int>, std::pair<int, int>> got; // string, fret: asked, right
    for (const PlaceScore& s : placeScores(neck))
        got[{s.place.string, s.place.fret}] = {s.asked, s.right};
    EXPECT_EQ(got, (std::map<std::pair<int, int>, std::pair<int, int>>{
                       {{2, 8}, {2, 1}}, {{6, 3}, {2, 1}}, {{6, 15}, {1, 0}}, {{1, 3}, {1, 1}}}));
}

// Exactly one button right; notes spelled for the key (a double sharp plain).
TEST(PracticeAnswers, ButtonsOfferEveryAnswerOnceSpelledForTheKey) {
    const std::vector<EarProgression> offered = {
        {"axis", "", KeyMode::Major, {"I", "V", "vi", "IV"}, {{0}, {7}, {9}, {5}}},
        {"blues", "", KeyMode::Major, {"I", "IV", "V"}, {{0}, {5}, {7}}},
        {"again", "", KeyMode::Mixolydian, {"I", "V", "vi", "IV"}, {}},
        {"aeolian", "", KeyMode::NaturalMinor, {"i", "bVI", "bVII"}, {{0}, {8}, {10}}},
    };
    for (const auto& [item, count] : {std::pair<const char*, std::size_t>{"name-note:1:2", 12},
                                      {"interval:down:6", 12},
                                      {"quality:m7b5:1", 9},
                                      {"scale:lydian", 12},
                                      {"progression:axis", 2},
                                      {"progression:aeolian", 1}}) {
        PracticeRandom random(3);
        const auto q = askItem(item, {}, random, offered);
        ASSERT_TRUE(q) << item;
        const std::vector<AnswerChoice> choices = answerChoices(*q, 0, FlatColumn, offered);
        EXPECT_EQ(choices.size(), count) << item;
        int right = 0;
        for (const AnswerChoice& choice : choices) {
            const Judgement j = judgeAnswer(*q, choice.answer);
            EXPECT_TRUE(j.known) << item << " " << choice.answer.toStdString();
            right += j.correct;
        }
        EXPECT_EQ(right, 1) << item;
    }
    EXPECT_TRUE(answerChoices(ask("find-neck:E"), 0, FlatColumn).empty());

    for (const auto& [root, column, spelled] :
         {std::tuple{5, FlatColumn, "C Db D Eb E F Gb G Ab A Bb B"},
          {3, SharpColumn, "B# C# D D# E E# F# G G# A A# B"},
          {6, FlatColumn, "C Db D Eb E F Gb G Ab A Bb Cb"}}) {
        QStringList names;
        for (const AnswerChoice& choice : answerChoices(ask("name-note:1:2"), root, column))
            names << choice.caption;
        EXPECT_EQ(names.join(u' '), QLatin1String(spelled)) << root;
    }
}

// Any octave, any inversion; places found above the capo only.
TEST(PracticeAnswers, PlayedNotesAnswerAsTypingWould) {
    // The item, the notes played and the answer they give ("": none).
    const std::tuple<const char*, std::vector<int>, const char*> names[] = {
        {"name-note:1:2", {54, 78}, "Gb"},
        {"name-note:1:2", {66, 70}, ""},
        {"interval:down:7", {55, 62}, "P5"},
        {"interval:up:7", {40, 60}, ""},
        {"quality:m7:2", {48, 60, 63, 67, 70}, "m7"},
        {"quality:7:0", {60, 64, 67}, "maj"},
        {"quality:maj:0", {60, 61, 62}, ""},
        {"find-neck:E", {64}, ""},
    };
    for (const auto& [item, notes, answer] : names)
        EXPECT_EQ(playedName(ask(item), notes).value_or(""), QLatin1String(answer)) << item;

    const QuizNeck standard = neckOf(Necks[0]);
    const QuizNeck dropDCapo2 = neckOf(Necks[1]); // string 6 sounds E2 (40) at the capo's fret 2
    // The item, its neck, the notes played and the places they answer.
    const std::tuple<const char*, const QuizNeck&, std::vector<int>, Places> found[] = {
        {"find-string:6:G", standard, {43, 55}, {{6, 3}, {6, 15}}},
        {"find-string:6:E", dropDCapo2, {40, 52, 38}, {{6, 2}, {6, 14}}},
        {"find-position:5:A", standard, {45, 57, 69}, {{6, 5}, {4, 7}, {1, 5}}},
    };
    for (const auto& [item, neck, notes, places] : found)
        EXPECT_EQ(placeSet(playedPlaces(ask(item, neck), neck, notes)), places) << item;
    EXPECT_TRUE(playedPlaces(ask("name-note:1:2"), standard, {66}).empty());
}

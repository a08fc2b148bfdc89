#include "practice/Questions.h"
#include "practice/Scheduler.h"
#include "practice/Session.h"
#include "practice/SqliteHistory.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <functional>
#include <memory>
#include <gtest/gtest.h>
#include <set>
#include <thread>

using namespace chordalis;

namespace {

// Open strings written out here, string 1 first, so that the expected places follow from the
// pitch arithmetic alone and not from the program's neck model.
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

std::set<std::pair<int, int>> placeSet(const std::vector<NeckPlace>& places) {
    std::set<std::pair<int, int>> set;
    for (const NeckPlace& p : places)
        set.insert({p.string, p.fret});
    return set;
}

QString placesAnswer(const std::set<std::pair<int, int>>& places) {
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

} // namespace

TEST(PracticeQuestions, FindQuestionsNameEveryPlaceOfTheNoteAboveTheCapo) {
    const QStringList names = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};
    for (const NeckCase& c : Necks) {
        const QuizNeck neck = neckOf(c);
        const int strings = int(c.open.size());
        for (int pc = 0; pc < 12; ++pc) {
            std::set<std::pair<int, int>> neckWide;
            for (int s = 1; s <= strings; ++s) {
                std::set<std::pair<int, int>> expected;
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
            EXPECT_EQ(placeSet(ask(QStringLiteral("find-neck:%1").arg(names[pc]), neck).places),
                      neckWide)
                << c.name << " pc " << pc;
            // A window of four frets holds those of the whole neck that lie in it.
            const int low = std::max(0, c.capo.fret) + 1;
            std::set<std::pair<int, int>> inWindow;
            for (const auto& [s, f] : neckWide)
                if (f >= low && f <= low + 3)
                    inWindow.insert({s, f});
            EXPECT_EQ(
                placeSet(ask(QStringLiteral("find-position:%1:%2").arg(low).arg(names[pc]), neck)
                             .places),
                inWindow)
                << c.name << " pc " << pc;
        }
    }
    // Hand-checked: on the standard guitar G lies at frets 3 and 15 of the low E string; under
    // a capo at 2 the open E is gone, and the capo's own fret sounds F#.
    EXPECT_EQ(ask("find-string:6:G").expected, QStringLiteral("s6f3 s6f15"));
    QuizNeck capo2;
    capo2.capo = {2, 0, 0};
    EXPECT_EQ(ask("find-string:6:E", capo2).expected, QStringLiteral("s6f12"));
    EXPECT_EQ(ask("find-string:6:Gb", capo2).expected, QStringLiteral("s6f2 s6f14"));
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
    // A place answer is judged as a set: order and separators do not matter, a missing or an
    // extra place does.
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

    // Each inversion sounds the quality's pitch classes with the right chord tone in the bass.
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

    // The chords of the pairs come from the library: its first three chords on five roots.
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
    // A fixed seed's first numbers, so that a recorded session replays on any machine.
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

    // Due items first (longest due first), then new ones, then the soonest due; never the same
    // item twice in a row while another is there.
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

    // The two new items come next, each answered right; then, half a minute on, the missed one.
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
    QStringList asideFiles() const {
        return QDir(dir.path()).entryList({"practice.sqlite.damaged-*"}, QDir::Files);
    }
};

} // namespace

TEST_F(HistoryFiles, AnswersAndSchedulesOutlastTheConnection) {
    {
        OpenedHistory opened = openHistory(path(), clock);
        ASSERT_TRUE(opened.history->lasts()) << opened.message.toStdString();
        EXPECT_TRUE(opened.message.isEmpty());
        QString error;
        ASSERT_TRUE(opened.history->record(answer("a", Grade::Right, 1000), error))
            << error.toStdString();
        ASSERT_TRUE(
            opened.history->record(answer("a", Grade::Right, 2000, "P5, \"fifth\""), error));
        ASSERT_TRUE(opened.history->record(answer("b", Grade::Wrong, 3000), error));
    }
    OpenedHistory opened = openHistory(path(), clock);
    const auto states = opened.history->states();
    EXPECT_EQ(states.at("a"), (ItemState{3, 2000 + BoxWaitMs[2], 2, 2}));
    EXPECT_EQ(states.at("b"), (ItemState{1, 3000 + BoxWaitMs[0], 1, 0}));
    const auto answers = opened.history->answers();
    ASSERT_EQ(answers.size(), 3u);
    EXPECT_EQ(answers[1], answer("a", Grade::Right, 2000, "P5, \"fifth\""));
    // The write-ahead log is on.
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "probe");
    {
        db.setDatabaseName(path());
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec("PRAGMA journal_mode") && q.next());
        EXPECT_EQ(q.value(0).toString(), "wal");
    }
    db = {};
    QSqlDatabase::removeDatabase("probe");

    const QStringList csv = answersCsv(answers).split("\r\n");
    EXPECT_EQ(csv[0], "session,quiz,item,question,expected,given,grade,seconds,answered");
    EXPECT_EQ(csv[2], "s,intervals,a,Name it,P5,\"P5, \"\"fifth\"\"\",right,1.500,"
                      "1970-01-01T00:00:02.000Z");
    EXPECT_EQ(csv.size(), 5); // header, three rows, the empty text after the last line end
}

TEST_F(HistoryFiles, ADamagedFileIsSetAsideNeverOverwritten) {
    const QByteArray garbage = QByteArray("this is not a database\n").repeated(200);
    // Three kinds of damage: not SQLite at all, the tables of another program, and a database
    // whose pages are torn.
    auto writeGarbage = [&] {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(garbage);
    };
    auto writeOtherSchema = [&] {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "other");
        db.setDatabaseName(path());
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec("CREATE TABLE notes (x TEXT)");
        QSqlQuery(db).exec("PRAGMA user_version = 7");
        db.close();
        db = {};
        QSqlDatabase::removeDatabase("other");
    };
    auto tearPages = [&] {
        {
            OpenedHistory opened = openHistory(path(), clock);
            QString error;
            for (int k = 0; k < 60; ++k)
                opened.history->record(answer(QString::number(k), Grade::Right, k), error);
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
        QFile::remove(path() + "-wal");
        QFile::remove(path() + "-shm");
        damage();
        QFile before(path());
        ASSERT_TRUE(before.open(QIODevice::ReadOnly));
        const QByteArray bytes = before.readAll();
        before.close();

        OpenedHistory opened = openHistory(path(), clock);
        ++sets;
        ASSERT_TRUE(opened.history->lasts()) << opened.message.toStdString();
        EXPECT_TRUE(opened.message.contains("damaged")) << opened.message.toStdString();
        EXPECT_TRUE(opened.history->answers().empty()) << "a fresh file";
        const QStringList aside = asideFiles();
        ASSERT_EQ(aside.size(), sets) << aside.join(' ').toStdString();
        EXPECT_TRUE(opened.message.contains(aside.last())) << opened.message.toStdString();
        QFile kept(dir.filePath(aside.last()));
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), bytes) << "set aside as it was";
        QString error;
        EXPECT_TRUE(opened.history->record(answer("a", Grade::Right, 1), error));
    }
    // Set aside in the same second, each keeps a name of its own.
    EXPECT_EQ(asideFiles(), QStringList({"practice.sqlite.damaged-20261130-005320",
                                         "practice.sqlite.damaged-20261130-005320-2",
                                         "practice.sqlite.damaged-20261130-005320-3"}));
}

TEST_F(HistoryFiles, AReadOnlyFileOrFolderIsReadButNotWritten) {
    {
        OpenedHistory opened = openHistory(path(), clock);
        QString error;
        ASSERT_TRUE(opened.history->record(answer("a", Grade::Right, 1000), error));
    }
    QFile::remove(path() + "-wal");
    QFile::remove(path() + "-shm");
    QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::ReadUser);
    QFile before(path());
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray bytes = before.readAll();
    before.close();
    {
        OpenedHistory opened = openHistory(path(), clock);
        EXPECT_FALSE(opened.history->lasts());
        EXPECT_TRUE(opened.message.contains("read-only")) << opened.message.toStdString();
        EXPECT_TRUE(opened.message.contains("not be saved")) << opened.message.toStdString();
        EXPECT_EQ(opened.history->states().at("a").box, 2) << "the schedule still serves";
        QString error;
        EXPECT_TRUE(opened.history->record(answer("a", Grade::Wrong, 2000), error));
    }
    QFile after(path());
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), bytes);
    EXPECT_TRUE(asideFiles().isEmpty());
    QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    // A folder that cannot be written: nothing is made in it.
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
    // Two connections on two threads, as two windows would be, each writing its answers one
    // transaction at a time while the other does.
    constexpr int PerWriter = 60;
    auto writer = [&](const QString& item) {
        FakeWallClock own;
        OpenedHistory opened = openHistory(path(), own);
        ASSERT_TRUE(opened.history->lasts()) << opened.message.toStdString();
        for (int k = 0; k < PerWriter; ++k) {
            QString error;
            ASSERT_TRUE(opened.history->record(answer(item, Grade::Right, k), error))
                << error.toStdString();
            ASSERT_TRUE(opened.history->record(answer("shared", Grade::Right, k), error))
                << error.toStdString();
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

#include "ui/PracticeWindow.h"

#include "../listening/TestSounds.h"
#include "StartedWindow.h"
#include "app/ListeningControl.h"
#include "app/PracticeNeck.h"
#include "listening/ClipInput.h"
#include "modes/Modes.h"
#include "ui/HeatMapView.h"
#include "ui/NeckView.h"
#include "ui/ProgressChart.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <algorithm>
#include <set>

namespace chordalis {
namespace {

class PracticeWindowTest : public test::GuitarWindow {
protected:
    // The program's clock moved on, and the window's timer given the time to look at it.
    void advance(double seconds) {
        clock().advance(seconds);
        QTest::qWait(30);
    }
    QString text(PracticeWindow& practice, const char* label) {
        return child<QLabel>(practice, label)->text();
    }
    void type(PracticeWindow& practice, const QString& answer) {
        QTest::keyClicks(child<QLineEdit>(practice, "txtAnswer"), answer);
        QTest::keyClick(child<QLineEdit>(practice, "txtAnswer"), Qt::Key_Return);
    }

    // A window on a history of its own, a session of `length` questions started.
    std::unique_ptr<PracticeWindow> startQuiz(const char* caption, int length) {
        auto practice =
            std::make_unique<PracticeWindow>(*program, data.filePath("practice.sqlite"), window);
        practice->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(practice.get()));
        auto* quiz = child<QComboBox>(*practice, "cboQuiz");
        quiz->setCurrentIndex(quiz->findText(QLatin1String(caption)));
        child<QSpinBox>(*practice, "udLength")->setValue(length);
        click(*practice, "cmdStart");
        return practice;
    }

    // A mouse click at the middle of a place's cell as the neck draws it for the hand.
    void clickPlace(PracticeWindow& practice, NeckPlace place,
                    Qt::MouseButton button = Qt::LeftButton) {
        const AppState& s = program->state();
        const NeckGeometry g(s.instrument.strings(), s.instrument.frets);
        NeckView& neck = practice.neck();
        const QRectF r = neck.surfaceRect();
        const double scale = r.height() / g.height();
        // An open string is pressed beside the nut, where the open sign stands.
        const int column = place.fret == 0 ? IndicatorColumn : place.fret;
        const QPointF surface(g.fretX(column, s.leftHanded) + CellSize / 2.0,
                              g.stringY(place.string) + CellSize / 2.0);
        const QPointF at =
            r.topLeft() + QPointF(surface.x() * scale * neck.stretch(), surface.y() * scale);
        QTest::mouseClick(&neck, button, {}, at.toPoint());
    }

    const LedFrame& lastLedFrame() {
        auto& led = static_cast<test::RecordingLedSender&>(program->led());
        static const LedFrame none;
        return led.frames.empty() ? none : led.frames.back();
    }

    QTemporaryDir data;
};

std::set<std::pair<int, int>> placeSet(const std::vector<NeckPlace>& places) {
    std::set<std::pair<int, int>> set;
    for (const NeckPlace& p : places)
        set.insert({p.string, p.fret});
    return set;
}

// In every hand, tuning and capo: a second click takes a place back, a right click never adds.
TEST_F(PracticeWindowTest, ClicksOnTheNeckAnswerPlaceQuestions) {
    // The neck, its open notes, frets and capo, and the hand.
    const std::tuple<const char*, std::vector<int>, int, Capo, bool> cases[] = {
        {"standard, right hand", {64, 59, 55, 50, 45, 40}, 15, {}, false},
        {"standard, left hand, capo 3", {64, 59, 55, 50, 45, 40}, 15, {3, 0, 0}, true},
        {"seven strings, partial capo 2", {64, 59, 55, 50, 45, 40, 35}, 24, {2, 1, 5}, false},
    };
    for (const auto& [name, open, frets, capo, left] : cases) {
        SCOPED_TRACE(name);
        AppState& s = program->context().state;
        s.setInstrument({{CustomPreset, open}, frets});
        s.capo = capo;
        s.leftHanded = left;
        const auto practice = startQuiz("Find a note on the whole neck", 1);
        ASSERT_TRUE(practice->question());
        const std::vector<NeckPlace> wanted = practice->question()->places;
        ASSERT_FALSE(wanted.empty());
        EXPECT_TRUE(practice->neck().isVisible());

        NeckPlace stray{wanted[0].fret == frets ? wanted[0].fret - 1 : wanted[0].fret + 1,
                        wanted[0].string};
        clickPlace(*practice, stray);
        EXPECT_EQ(placeSet(lastLedFrame()), placeSet({stray}));
        clickPlace(*practice, stray, Qt::RightButton);
        clickPlace(*practice, stray, Qt::RightButton);
        for (const NeckPlace& p : wanted)
            clickPlace(*practice, p);
        EXPECT_EQ(placeSet(lastLedFrame()), placeSet(wanted));

        click(*practice, "cmdAnswer");
        EXPECT_EQ(text(*practice, "lblQuestion"), QStringLiteral("Session over: 1 of 1 right"))
            << text(*practice, "lblFeedback").toStdString();
    }
}

// A progression's chords each let go before the next.
TEST_F(PracticeWindowTest, ScalesAndProgressionsPlayAsTheyAreAsked) {
    for (const char* caption :
         {"Scales and modes by ear", "Progressions by ear (Roman numerals)"}) {
        SCOPED_TRACE(caption);
        out().sent.clear();
        const auto practice = startQuiz(caption, 1);
        ASSERT_TRUE(practice->question());
        const Question q = *practice->question();
        EXPECT_FALSE(practice->neck().isVisible());
        std::vector<int> notes = q.notes;
        for (const std::vector<int>& chord : q.chords)
            notes.insert(notes.end(), chord.begin(), chord.end());
        EXPECT_EQ(test::noteOnKeys(out()), notes);
        std::vector<bool> pattern, wanted;
        for (const std::vector<int>& chord : q.chords) {
            wanted.insert(wanted.end(), chord.size(), true);
            wanted.insert(wanted.end(), chord.size(), false);
        }
        for (const auto& sent : out().sent)
            pattern.push_back(statusOf(sent.word) >> 4 == 0x9);
        EXPECT_TRUE(q.chords.empty() || pattern == wanted);
        type(*practice, q.expected);
        EXPECT_EQ(text(*practice, "lblQuestion"), QStringLiteral("Session over: 1 of 1 right"));
    }
}

// The pedal's presses in a minute are the answer; the pair's best outlasts the window.
TEST_F(PracticeWindowTest, AMinuteOfChangesCountsThePedalAndShowsTheBest) {
    auto practice = startQuiz("Chord changes (a minute each)", 2);
    practice->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(practice.get()));
    practice->setChangeSeconds(2);
    const QString pair = practice->question()->item;
    click(*practice, "cmdMinute");
    EXPECT_TRUE(program->metronome().isRunning());
    for (int k = 0; k < 33; ++k)
        pedal(k % 2 + 1);
    EXPECT_TRUE(text(*practice, "lblMinute").contains("the pedal counted 33"));
    advance(2.1);
    EXPECT_FALSE(program->metronome().isRunning());
    EXPECT_EQ(child<QLineEdit>(*practice, "txtAnswer")->text(), "33");
    pedal(1); // next: the count is the answer
    EXPECT_TRUE(text(*practice, "lblFeedback").startsWith("Right"))
        << text(*practice, "lblFeedback").toStdString();
    EXPECT_TRUE(text(*practice, "lblFeedback").contains("(best: 33)"));
    EXPECT_TRUE(text(*practice, "lblQuestion").startsWith("2. "));
    practice.reset();
    FakeWallClock wallClock;
    EXPECT_EQ(openHistory(data.filePath("practice.sqlite"), wallClock).history->bests().at(pair),
              33);
}

// Up and down, one lit note a beat; the metronome gets its own tempo back.
TEST_F(PracticeWindowTest, ARunLightsEachNoteOnItsBeat) {
    const int tempoBefore = program->metronomeSettings().tempo;
    const auto practice = startQuiz("Runs along the metronome", 2);
    ASSERT_TRUE(practice->question());
    const Question q = *practice->question();
    ASSERT_GE(q.places.size(), 3u);
    // A metronome already on starts again with the run, so that its clicks fall on the notes.
    program->metronome().setRunning(true);
    advance(0.3);
    click(*practice, "cmdMinute");
    EXPECT_NEAR(program->metronome().beatZeroTime(), program->clock().now(), 1e-9);
    EXPECT_EQ(program->metronomeSettings().tempo, RunStartTempo);
    const double beat = 60.0 / RunStartTempo;
    const std::size_t n = q.places.size();
    for (std::size_t k = 0; k < 2 * n - 1; ++k) {
        advance(k == 0 ? beat * 1.5 : beat);
        const NeckPlace lit = q.places[k < n ? k : 2 * n - 2 - k];
        EXPECT_EQ(lastLedFrame(), LedFrame({lit})) << k;
    }
    advance(beat);
    EXPECT_FALSE(program->metronome().isRunning());
    EXPECT_EQ(program->metronomeSettings().tempo, tempoBefore);

    // Beats to notes: a beat of count-in, up, down without the top twice, then over.
    const double at[] = {0.0, 0.99, 1.0, 3.5, 4.0, 5.0, 6.0, -1.0};
    const std::optional<int> note[] = {-1, -1, 0, 2, 1, 0, std::nullopt, std::nullopt};
    for (std::size_t k = 0; k < std::size(at); ++k)
        EXPECT_EQ(runNoteAt(at[k], 60, 3), note[k]) << at[k];
}

// Places green for right, red for wrong; a choice without answers says so.
TEST_F(PracticeWindowTest, ProgressPlotsTheQuizAndPeriodChosenAndColoursThePlaces) {
    {
        // An interval answered three weeks ago.
        FakeWallClock past(QDateTime::currentMSecsSinceEpoch() - 21LL * 24 * 3'600'000);
        QString error;
        ASSERT_TRUE(openHistory(data.filePath("practice.sqlite"), past)
                        .history->record({"old", "intervals", "interval:up:7", "p", "P5", "P5",
                                          Grade::Right, 2.0, past.nowMs()},
                                         error));
    }
    const auto practice = startQuiz("Name the marked note", 2);
    const NeckPlace right = practice->question()->places.at(0);
    type(*practice, practice->question()->expected);
    const NeckPlace wrong = practice->question()->places.at(0);
    type(*practice, "H");

    QDialog* progress = practice->showProgress();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(progress));
    auto* chart = progress->findChild<ProgressChart*>();
    auto* heat = progress->findChild<HeatMapView*>();
    auto* quiz = child<QComboBox>(*progress, "cboProgressQuiz");
    auto* period = child<QComboBox>(*progress, "cboProgressPeriod");
    struct Case {
        const char* quiz; // caption; nullptr every quiz
        int period;       // index: a week, four weeks, eight weeks, all
        int days;         // plotted
        int asked;
        int right;
        bool neck; // the heat map shown
    };
    for (const Case& c :
         {Case{nullptr, 2, 56, 3, 2, true}, Case{nullptr, 0, 7, 2, 1, true},
          Case{"Intervals by ear", 0, 7, 0, 0, false}, Case{"Intervals by ear", 3, 22, 1, 1, false},
          Case{"Name the marked note", 3, 7, 2, 1, true}}) {
        SCOPED_TRACE(std::string(c.quiz ? c.quiz : "every quiz") + " " + std::to_string(c.period));
        quiz->setCurrentIndex(c.quiz ? quiz->findText(QLatin1String(c.quiz)) : 0);
        period->setCurrentIndex(c.period);
        const auto& days = chart->days();
        EXPECT_EQ(int(days.size()), c.days);
        int asked = 0, rightCount = 0;
        for (const DayProgress& d : days) {
            asked += d.asked;
            rightCount += d.right;
        }
        EXPECT_EQ(std::pair(asked, rightCount), std::pair(c.asked, c.right));
        EXPECT_EQ(chart->isVisible(), c.asked > 0);
        EXPECT_EQ(child<QLabel>(*progress, "lblProgress")->text().startsWith("No answers"),
                  c.asked == 0);
        EXPECT_EQ(heat->isVisible(), c.neck);
    }
    quiz->setCurrentIndex(0);
    period->setCurrentIndex(0);
    const QImage shot = heat->grab().toImage();
    for (const auto& [place, green] : {std::pair(right, true), std::pair(wrong, false)}) {
        const QRectF cell = heat->cellRect(place);
        const QColor c = shot.pixelColor(
            (cell.topLeft() + QPointF(cell.width() * 0.12, cell.height() / 2)).toPoint());
        EXPECT_EQ(c.green() > c.red(), green) << c.name().toStdString();
    }
}

// A click answers, and so does the button's Alt key; the buttons go at the session's end.
TEST_F(PracticeWindowTest, AnswerButtonsAnswerByClickAndByKey) {
    for (const char* caption :
         {"Name the marked note", "Intervals by ear", "Chord qualities by ear"}) {
        SCOPED_TRACE(caption);
        const auto practice = startQuiz(caption, 2);
        practice->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(practice.get()));
        for (bool byKey : {false, true}) {
            ASSERT_TRUE(practice->question());
            QPushButton* rightButton = nullptr;
            for (QPushButton* b : practice->findChildren<QPushButton*>())
                if (b->objectName().startsWith("cmdChoice") && b->isVisible() &&
                    judgeAnswer(*practice->question(), b->text().section("  ", 1)).correct)
                    rightButton = b;
            ASSERT_TRUE(rightButton);
            if (byKey) {
                QTest::keyClick(QApplication::focusWidget(), rightButton->text().at(1).toLatin1(),
                                Qt::AltModifier);
                QTest::qWait(200); // a key clicks the button as it shows it pressed, 100 ms
            } else {
                rightButton->click();
            }
        }
        EXPECT_EQ(text(*practice, "lblQuestion"), QStringLiteral("Session over: 2 of 2 right"))
            << text(*practice, "lblFeedback").toStdString();
        EXPECT_FALSE(practice->findChild<QWidget*>("fraChoices")->isVisible());
    }
}

// The note is lit until the window closes; in E major the black keys are sharps, never flats.
TEST_F(PracticeWindowTest, TheNoteToNameIsMarkedAndAWrongNameCorrectedAsTheKeySpellsIt) {
    selectRootTab(program->context(), 7); // E
    ASSERT_EQ(program->state().currentRoot, 4);
    const auto practice = startQuiz("Name the marked note", 12);
    ASSERT_TRUE(practice->question());
    EXPECT_EQ(placeSet(lastLedFrame()), placeSet(practice->question()->places));
    clickPlace(*practice, practice->question()->places[0]); // no answer to a name
    EXPECT_TRUE(child<QLineEdit>(*practice, "txtAnswer")->text().isEmpty());
    for (int k = 0; k < 12 && practice->question(); ++k) {
        for (QPushButton* b : practice->findChildren<QPushButton*>())
            if (b->objectName().startsWith("cmdChoice") && b->isVisible() &&
                !judgeAnswer(*practice->question(), b->text().section("  ", 1)).correct) {
                b->click();
                break;
            }
        const QString said = text(*practice, "lblFeedback");
        EXPECT_TRUE(said.startsWith("Not quite: ")) << said.toStdString();
        EXPECT_FALSE(said.contains(QRegularExpression("[A-G]b"))) << said.toStdString();
    }
    practice->close();
    EXPECT_EQ(lastLedFrame(), program->fretboard().ledFrame());
}

// The program's own sounding of the question is no answer.
TEST_F(PracticeWindowTest, APlayedNoteOrChordAnswersLikeATypedOne) {
    for (const char* caption : {"Name the marked note", "Chord qualities by ear"}) {
        SCOPED_TRACE(caption);
        const auto practice = startQuiz(caption, 1);
        ASSERT_TRUE(practice->question());
        const Question q = *practice->question();
        AudioClip clip;
        std::vector<double> hz;
        for (int note : q.notes)
            hz.push_back(noteFrequency(note));
        testsounds::addStrum(clip, hz, 0.3, 0.8, 0.012, 7);
        testsounds::addNoise(clip, 30.0, 7);
        auto* clipInput = new ClipInput(clip);
        ClipInput& input = *clipInput;
        ListenInputs inputs(std::unique_ptr<AudioInput>(clipInput), nullptr, nullptr, nullptr);
        ListeningControl control(*program, inputs);
        ASSERT_FALSE(control.start({}));
        if (q.quiz == QuizKind::Qualities) {
            program->showHeard(q.notes); // its own sound, heard while it plays: no answer
            QTest::qWait(PracticeWindow::PlayedSettleMs + 100);
            EXPECT_TRUE(practice->question());
            advance(10);
        }
        input.deliver(1 << 20);
        control.settle();
        QTest::qWait(PracticeWindow::PlayedSettleMs + 100);
        EXPECT_EQ(text(*practice, "lblQuestion"), QStringLiteral("Session over: 1 of 1 right"))
            << text(*practice, "lblFeedback").toStdString();
        control.stop();
    }
}

TEST_F(PracticeWindowTest, ByEarQuestionsSoundAndTypedAnswersAreJudgedAndSummedUp) {
    auto practice = startQuiz("Intervals by ear", 2);
    EXPECT_EQ(out().sent.size(), 4u) << "two notes, each on and off";
    auto* answer = child<QLineEdit>(*practice, "txtAnswer");
    EXPECT_TRUE(answer->isEnabled());
    EXPECT_TRUE(text(*practice, "lblQuestion").startsWith("1. Name the interval"));
    out().sent.clear();
    click(*practice, "cmdPlayAgain");
    EXPECT_FALSE(out().sent.empty());
    type(*practice, "nonsense");
    EXPECT_TRUE(text(*practice, "lblFeedback").contains("is not an interval"));
    EXPECT_TRUE(text(*practice, "lblQuestion").startsWith("2. "));
    type(*practice, "P8");
    EXPECT_FALSE(answer->isEnabled());
    EXPECT_TRUE(text(*practice, "lblQuestion").startsWith("Session over: "));
    EXPECT_TRUE(text(*practice, "lblFeedback").contains("Accuracy"));
    EXPECT_TRUE(text(*practice, "lblHistory").isEmpty());
    EXPECT_TRUE(boxes.shown.empty());
    practice.reset();
    FakeWallClock wallClock;
    EXPECT_EQ(openHistory(data.filePath("practice.sqlite"), wallClock).history->answers().size(),
              2u);
}

} // namespace
} // namespace chordalis

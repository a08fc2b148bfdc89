// The progressions page beside the seven mode pages, which keep their modes and shortcuts.
#include "StartedWindow.h"
#include "sound/MidiFile.h"
#include "ui/ModeTabs.h"
#include "ui/NeckView.h"
#include "ui/ProgressionsView.h"
#include "ui/SheetPrinting.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTabBar>

namespace chordalis {
namespace {

class ProgressionsWindowTest : public test::StartedWindow {};

TEST_F(ProgressionsWindowTest, TheModePagesKeepTheirModesAndThePageFollowsTheRootTabs) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    const MainPages& pages = program->context().pages;
    ProgressionSession& session = program->progressions();
    for (int i = 0; i < ModeCount; ++i) {
        QTest::keyClick(window, Qt::Key(Qt::Key_1 + i), Qt::ControlModifier);
        EXPECT_EQ(std::pair(window->modeTabs().currentIndex(), pages.mode), std::pair(i, Mode(i)));
    }
    QTest::keyClick(window, Qt::Key_8, Qt::ControlModifier);
    ASSERT_TRUE(window->modeTabs().onProgressions());
    EXPECT_EQ(window->modeTabs().mode(), Mode::ChordFinder); // the mode page shown last
    ASSERT_FALSE(session.page().boxes.empty());
    EXPECT_EQ(session.page().current, 0);

    auto* text = find<QLineEdit>("txtProgression");
    text->setText("| Dm7 | G7 | Cmaj7 |");
    QTest::keyClick(text, Qt::Key_Return);
    window->rootTabs().setCurrentIndex(3); // D
    EXPECT_EQ(session.page().symbols, QStringList({"Em7", "A7", "Dmaj7"}));
    EXPECT_TRUE(window->modeTabs().onProgressions());

    text->setText("| Dm7 | H7 |");
    QTest::keyClick(text, Qt::Key_Return);
    auto* error = find<QLabel>("lblProgressionError");
    EXPECT_TRUE(error->isVisible()); // what it says is the headless tests'

    window->neck().setFocus();
    window->spacePressed();
    EXPECT_TRUE(session.page().playing);
    EXPECT_EQ(find<QPushButton>("cmdProgressionPlay")->text(), "Stop");
    window->spacePressed();
    EXPECT_FALSE(session.page().playing);

    // Back on a mode page the neck is that page's again.
    QTest::keyClick(window, Qt::Key_4, Qt::ControlModifier);
    EXPECT_EQ(pages.mode, Mode::Notes);
    EXPECT_EQ(pages.notes.lblNoteName, QStringLiteral("Note: D"));
}

TEST_F(ProgressionsWindowTest, ExportsPrintThePedalAndTheChoicesKept) {
    QTest::keyClick(window, Qt::Key_8, Qt::ControlModifier);
    ProgressionSession& session = program->progressions();
    session.enterText(QStringLiteral("| C | G/B | Am | F |"));
    QTemporaryDir dir;
    QString next;
    window->progressionsView().chooseFile = [&](ChartFormat) {
        return next;
    };
    for (int f = 0; f < ChartFormatCount; ++f) {
        const char* word = chartFormatWord(ChartFormat(f));
        next = dir.filePath(QStringLiteral("p.") + QLatin1String(word));
        action((std::string("mnuExport_") + word).c_str())->trigger();
        EXPECT_GT(QFileInfo(next).size(), 100) << word;
    }
    QString error;
    const auto song = readMidiFile(dir.filePath("p.midi"), &error);
    ASSERT_TRUE(song) << error.toStdString();
    EXPECT_NEAR(song->length, (4 + 16) * 0.5, 1e-3); // count-in and a pass at 120 bpm
    // A folder in the file's place: said with the stop icon, nothing else written.
    next = dir.path();
    action("mnuExport_midi")->trigger();
    ASSERT_EQ(boxes.shown.size(), shownAtStartUp + 1);
    EXPECT_EQ(boxes.shown.back().icon, BoxIcon::Stop);
    EXPECT_EQ(QDir(dir.path()).count(), 2u + ChartFormatCount);

    // File > Print on this tab prints the chord chart, not a mode page's sheet.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("printed.pdf"));
    ASSERT_TRUE(printChart(printer, *program));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {dir.filePath("printed.pdf"), QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(20000));
    EXPECT_TRUE(text.readAllStandardOutput().contains("G/B"));

    // The pedal's steps go through the chords, round the end; the lights follow.
    program->context().state.mainWindowActive = true;
    program->context().state.ledOptionLeft = AdvancePrimaryAction;
    const LedFrame first = program->fretboard().picture().led;
    program->pedalAction(AdvancePrimaryAction);
    EXPECT_EQ(session.page().current, 1);
    EXPECT_NE(program->fretboard().picture().led, first);
    program->pedalAction(AdvanceSecondaryAction);
    program->pedalAction(AdvanceSecondaryAction);
    EXPECT_EQ(session.page().current, 3);

    // The choices come back at the next start.
    session.setMode(KeyMode::Dorian);
    session.setStyle(VoicingStyle::Drop2);
    session.setPattern(StrumPattern::DownUp);
    session.setDrums(true);
    session.setCountIn(false);
    const ProgressionChoices kept = session.choices();
    program->shutDown(*store);
    startProgram();
    EXPECT_EQ(program->progressions().choices(), kept);
    QTest::keyClick(window, Qt::Key_8, Qt::ControlModifier);
    EXPECT_EQ(find<QComboBox>("cboStrumPattern")->currentIndex(), int(StrumPattern::DownUp));
    EXPECT_EQ(program->progressions().page().symbols, QStringList({"C", "G/B", "Am", "F"}));

    // A stored text that does not read: the library's first.
    program->shutDown(*store);
    store->setValue(QStringLiteral("Progressions/Text"), QStringLiteral("| H7 |"));
    store->sync();
    startProgram();
    QTest::keyClick(window, Qt::Key_8, Qt::ControlModifier);
    EXPECT_EQ(program->progressions().page().chosenProgression, 0);
}

} // namespace
} // namespace chordalis

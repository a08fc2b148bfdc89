// The sound dialogs on a recording output and a virtual clock: nothing waits in real time.
#include "StartedWindow.h"
#include "app/OutputWatch.h"
#include "modes/Commands.h"
#include "ui/BeatIndicator.h"
#include "ui/MetronomeWindow.h"
#include "ui/PlaybackDialog.h"
#include "ui/TreeFiller.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QTreeWidget>

namespace chordalis {
namespace {

class SoundWindowsTest : public test::StartedWindow {
protected:
    PlaybackDialog* openPlayback() {
        action("mnuPlayback")->trigger();
        PlaybackDialog* dialog = window->playbackDialog();
        EXPECT_TRUE(dialog && dialog->isVisible() && dialog->isModal());
        return dialog;
    }
    MetronomeWindow* openMetronome() {
        action("mnuMetronome")->trigger();
        MetronomeWindow* metronome = window->metronomeWindow();
        EXPECT_TRUE(metronome && metronome->isVisible() && metronome->isModal());
        return metronome;
    }
};

TEST_F(SoundWindowsTest, PlaybackDialogOpensOnTheSettingsAndOkReopensWithTheChoice) {
    out().ports = {QStringLiteral("Port A"), QStringLiteral("Port B")};
    PlaybackDialog* dialog = openPlayback();
    auto* device = child<QComboBox>(*dialog, "cboDevice");
    auto* channel = child<QComboBox>(*dialog, "cboChannel");
    auto* instrument = child<QComboBox>(*dialog, "cboInstrument");
    EXPECT_EQ(
        std::tuple(device->currentIndex(), channel->currentIndex(), instrument->currentIndex()),
        std::tuple(0, 0, 24));

    device->setCurrentIndex(2);
    channel->setCurrentIndex(15);
    instrument->setCurrentIndex(127);
    click(*dialog, "cmdOK");
    const PlaybackSettings& p = program->context().state.playback;
    EXPECT_EQ(std::tuple(p.device, p.channel, p.instrument), std::tuple(1, 16, 128));
    EXPECT_EQ(out().openedDevice, 1);
    ASSERT_EQ(out().sent.size(), 1u);
    EXPECT_EQ(out().sent[0].word, packShortMessage(0xCF, 127));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(boxes.shown.empty());

    // The same dialog again; Cancel stores nothing, but the controls keep their place.
    EXPECT_EQ(openPlayback(), dialog);
    EXPECT_EQ(channel->currentIndex(), 15);
    out().sent.clear();
    out().openedDevice = -2;
    QTest::keyClick(child<QSlider>(*dialog, "sldChords"), Qt::Key_Home);
    click(*dialog, "cmdCancel");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(p.chordTempo, 90);
    EXPECT_TRUE(out().sent.empty());
    EXPECT_EQ(out().openedDevice, -2);
    openPlayback();
    EXPECT_EQ(child<QSlider>(*dialog, "sldChords")->value(), 0);
    click(*dialog, "cmdOK");
    EXPECT_EQ(p.chordTempo, 0);
}

// Once in a box; then a Play says why in the status bar, with the way to Retry.
TEST_F(SoundWindowsTest, AnOutputThatFailsAtStartUpIsReportedOnceThenInTheStatusBar) {
    failOpenAtStart = true;
    boxes.shown.clear();
    startProgram();
    EXPECT_EQ(shownAtStartUp, 0u) << "start-up returns before the report";
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Stop);
    EXPECT_TRUE(boxes.shown[0].text.endsWith(QLatin1String("Error Details: no such device")));
    QCoreApplication::processEvents(); // the first frame's own call finds it done
    EXPECT_EQ(boxes.shown.size(), 1u);

    auto* chords = find<QTreeWidget>("tvwChords");
    test::clickNode(*chords, TreeFiller::find(*chords, QStringLiteral("0 Chord")));
    click(*window, "cmdChordPlay");
    auto* bar = find<QStatusBar>("statusBar");
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(bar->currentMessage().startsWith("Nothing sounds"))
        << qPrintable(bar->currentMessage());
    auto* settings = find<QPushButton>("cmdSoundSettings");
    EXPECT_TRUE(settings->isVisible());
    EXPECT_FALSE(window->beatIndicator().isVisible()); // no idle beat beside the notice
    EXPECT_TRUE(program->infoCommand(Mode::Chords));   // the information all the same, silent
    program->info().close();
    EXPECT_EQ(boxes.shown.size(), 1u) << qPrintable(boxes.shown.back().text);

    settings->click();
    PlaybackDialog* dialog = window->playbackDialog();
    ASSERT_TRUE(dialog && dialog->isVisible());
    auto* state = child<QLabel>(*dialog, "lblOutputState");
    EXPECT_EQ(state->text(), QStringLiteral("No sound: no such device"));
    out().failOpen = false; // the device is back
    click(*dialog, "cmdRetry");
    EXPECT_TRUE(out().isOpen());
    EXPECT_TRUE(state->text().startsWith(QLatin1String("Sound: "))) << qPrintable(state->text());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(boxes.shown.size(), 1u);
    bar->clearMessage();
    EXPECT_FALSE(settings->isVisible());
    EXPECT_FALSE(bar->isVisible());
}

TEST_F(SoundWindowsTest, FailingReopenIsReportedAndTheSettingsStoredAllTheSame) {
    program->context().state.playback.device = 5; // gone: the dialog shows the synthesizer
    PlaybackDialog* dialog = openPlayback();
    EXPECT_EQ(child<QComboBox>(*dialog, "cboDevice")->currentIndex(), 0);
    child<QSlider>(*dialog, "sldVolume")->setValue(50);
    out().failOpen = true;
    click(*dialog, "cmdOK");
    EXPECT_EQ(boxes.shown.size(), 1u); // its words are the player test's
    EXPECT_EQ(program->context().state.playback.volume, 50);
    EXPECT_EQ(program->context().state.playback.device, -1);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(SoundWindowsTest, MetronomeWindowShowsAndStoresTheSettings) {
    MetronomeSettings& m = program->context().state.metronome;
    m = {3, 35, 81, 200, 2};
    MetronomeWindow* metronome = openMetronome();
    auto* onOff = child<QPushButton>(*metronome, "cmdOnOff");
    EXPECT_EQ(std::tuple(onOff->isChecked(), onOff->text()), std::tuple(false, "Metronome Off"));
    auto* sound1 = child<QComboBox>(*metronome, "cboSound1");
    auto* tempo = child<QSlider>(*metronome, "sldTempo");
    auto* tempoText = child<QLineEdit>(*metronome, "txtTempo");
    auto* beats = child<QLineEdit>(*metronome, "txtBeats");
    EXPECT_EQ(std::tuple(sound1->currentIndex(), tempo->value(), beats->text()),
              std::tuple(0, 200, QStringLiteral("3")));

    auto* channel = child<QComboBox>(*metronome, "cboMetChannel");
    channel->setCurrentIndex(channel->findText(QStringLiteral(" 10 ")));
    sound1->setCurrentIndex(41);
    tempoText->setText(QStringLiteral("999")); // typed beyond the range
    Q_EMIT tempoText->editingFinished();
    EXPECT_EQ(std::tuple(m.channel, m.sound1, m.tempo, tempo->value()),
              std::tuple(9, 76, 400, 400));
    EXPECT_EQ(tempoText->text(), "400");
    QTest::keyClick(tempo, Qt::Key_Home);
    EXPECT_EQ(std::pair(m.tempo, tempoText->text()), std::pair(40, QStringLiteral("40")));
    beats->clear();
    QTest::keyClicks(beats, QStringLiteral("6"));
    click(*metronome, "UpDown1Up");
    EXPECT_EQ(beats->text(), "7");
    EXPECT_EQ(m.beats, 7);
}

TEST_F(SoundWindowsTest, MetronomeClicksOnAfterOkAndEndsWithTheCloseBox) {
    MetronomeWindow* window1 = openMetronome();
    auto* onOff = child<QPushButton>(*window1, "cmdOnOff");
    QTest::mouseClick(onOff, Qt::LeftButton);
    EXPECT_TRUE(window1->metronome().isRunning());
    EXPECT_EQ(std::tuple(onOff->isChecked(), onOff->text()), std::tuple(true, "Metronome On"));
    click(*window1, "cmdOK");
    EXPECT_FALSE(window1->isVisible());

    clock().advance(0.5);
    window1->metronome().service();
    EXPECT_EQ(out().sent.size(), 2u);

    EXPECT_EQ(openMetronome(), window1);
    EXPECT_TRUE(onOff->isChecked());
    window1->close();
    EXPECT_TRUE(test::waitUntil([this] { return !window->metronomeWindow(); }));
    EXPECT_EQ(program->context().state.metronome.tempo, 120);

    // A new window starts switched off.
    MetronomeWindow* window2 = openMetronome();
    EXPECT_FALSE(window2->metronome().isRunning());
    EXPECT_FALSE(child<QPushButton>(*window2, "cmdOnOff")->isChecked());
}

TEST_F(SoundWindowsTest, AllNotesOffFromTheMenuReleasesEveryNote) {
    action("mnuAllNotesOff")->trigger();
    EXPECT_EQ(out().sent.size(), 128u);
}

// The chosen port is followed by name as ports come and go, never swapped for another.
TEST_F(SoundWindowsTest, PortsPluggedInAfterStartUpAreListedAndTheChosenOneFollowed) {
    const QString a = QStringLiteral("Keys:0"), b = QStringLiteral("Module:0"),
                  c = QStringLiteral("Expander:0");
    const auto rows = [](const QComboBox* list) {
        QStringList r;
        for (int k = 1; k < list->count(); ++k)
            r << list->itemText(k);
        return r;
    };
    out().ports = {a};
    PlaybackDialog* dialog = openPlayback();
    auto* device = child<QComboBox>(*dialog, "cboDevice");
    EXPECT_EQ(rows(device), QStringList{a});
    device->setCurrentIndex(1);
    click(*dialog, "cmdCancel"); // picked, not stored

    out().ports = {b, a}; // plugged in: the system numbers it first
    openPlayback();
    EXPECT_EQ(rows(device), (QStringList{b, a}));
    EXPECT_EQ(device->currentText(), a) << "the pick stays on its port";
    click(*dialog, "cmdOK");
    PlaybackSettings& p = program->context().state.playback;
    EXPECT_EQ(p.device, 1);
    EXPECT_EQ(out().openedDevice, 1);

    // Unplugged, and another takes its number.
    out().ports = {b};
    out().faulted = OutputFault{QStringLiteral("The MIDI port has gone."), false};
    program->soundWatch().service();
    EXPECT_FALSE(out().isOpen());
    const int opened = out().opened;
    clock().advance(OutputWatch::RetryEvery);
    program->soundWatch().service();
    EXPECT_EQ(out().opened, opened);
    EXPECT_FALSE(out().isOpen());
    openPlayback();
    EXPECT_EQ(rows(device), (QStringList{b, a})) << "kept, at the end";
    EXPECT_EQ(device->currentText(), a);
    auto* state = child<QLabel>(*dialog, "lblOutputState");
    EXPECT_EQ(state->text(), "No sound: The MIDI port \"Keys:0\" is not connected.");

    out().ports = {c, a, b};
    click(*dialog, "cmdRetry");
    EXPECT_EQ(rows(device), (QStringList{c, a, b}));
    EXPECT_EQ(device->currentText(), a);
    EXPECT_EQ(p.device, 1);
    EXPECT_TRUE(out().isOpen());
    EXPECT_TRUE(state->text().startsWith(QLatin1String("Sound: "))) << qPrintable(state->text());
    click(*dialog, "cmdCancel");
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
} // namespace chordalis

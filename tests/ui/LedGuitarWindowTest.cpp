#include "StartedWindow.h"
#include "app/PedalActions.h"
#include "ui/FretlightDialog.h"
#include "ui/LedGuitarView.h"
#include "ui/ModeTabs.h"
#include "ui/PositionPicker.h"
#include "ui/TreeFiller.h"

#include <QApplication>
#include <QComboBox>
#include <QRadioButton>
#include <QTreeWidget>

namespace chordalis {
namespace {

class LedGuitarWindowTest : public test::GuitarWindow {
protected:
    // The left switch pressed and let go for the action, the main window taken for the active one.
    void press(int pedalAction) {
        program->context().state.mainWindowActive = true;
        program->context().state.ledOptionLeft = pedalAction;
        pedal(1);
    }
    // Runs the options dialog from its menu entry; act runs once it is up.
    void withOptions(const std::function<void(FretlightDialog&)>& act) {
        EXPECT_TRUE(test::whileModal([this] { action("mnuFretlight")->trigger(); },
                                     [](QWidget* w) { return qobject_cast<FretlightDialog*>(w); },
                                     [&](QWidget& w) { act(static_cast<FretlightDialog&>(w)); }));
    }
};

TEST_F(LedGuitarWindowTest, TheOptionsAreOfferedWhileAGuitarIsConnected) {
    EXPECT_TRUE(action("mnuFretlight")->isVisible());
    EXPECT_TRUE(action("mnuSepFretlight")->isVisible());
    sim->unplug();
    EXPECT_FALSE(action("mnuFretlight")->isVisible());
    EXPECT_FALSE(action("mnuSepFretlight")->isVisible());
    sim->plug();
    EXPECT_TRUE(action("mnuFretlight")->isVisible());

    program->context().state.ledOptionLeft = 3;
    program->context().state.ledOptionRight = 5;
    withOptions([](FretlightDialog& d) {
        EXPECT_TRUE(d.left(2)->isChecked());
        EXPECT_TRUE(d.right(4)->isChecked());
        d.left(0)->click();
        d.right(3)->click();
        click(d, "cmdOK");
    });
    EXPECT_EQ(program->context().state.ledOptionLeft, 1);
    EXPECT_EQ(program->context().state.ledOptionRight, 4);
    withOptions([](FretlightDialog& d) {
        EXPECT_TRUE(d.right(3)->isChecked());
        d.right(1)->click();
        click(d, "cmdCancel");
    });
    EXPECT_EQ(program->context().state.ledOptionRight, 4);
}

TEST_F(LedGuitarWindowTest, TheViewShowsTheLastFrameAsTheGuitarWouldLightIt) {
    action("mnuLedView")->trigger();
    LedGuitarView* view = window->ledView();
    ASSERT_TRUE(view && view->isVisible());
    EXPECT_TRUE(view->statusText().contains(QLatin1String("lights are off")));
    action("mnuLH")->trigger();
    QTreeWidget& chords = *window->modeTabs().tree(TreeId::Chords);
    chords.topLevelItem(0)->setExpanded(true);
    chords.setCurrentItem(chords.topLevelItem(0)->child(0)); // a chord, its first voicing
    const LedFrame frame = program->context().fretboard.ledFrame();
    ASSERT_FALSE(frame.empty());
    const LedPattern& shown = view->patternWidget().pattern();
    EXPECT_EQ(shown, program->guitar().lastPattern());
    EXPECT_EQ(shown, packLedFrame(frame, true)); // mirrored for the left hand
    EXPECT_NE(shown, packLedFrame(frame, false));
    QString firstBytes;
    for (int fret = 0; fret < 8; ++fret)
        firstBytes += QStringLiteral(" %1").arg(shown.byteOfFret(fret), 2, 16, QLatin1Char('0'));
    EXPECT_EQ(view->reportsText().section(u'\n', 0, 0),
              QStringLiteral("Report 1 (frets 0-7): ") + firstBytes.toUpper());
    press(LightsAction);
    EXPECT_TRUE(view->statusText().contains(QLatin1String("shows this")));
    EXPECT_EQ(sim->ledReports().back()[0], 3);
}

TEST_F(LedGuitarWindowTest, StepsMoveTheFocusedListAndWrapAround) {
    QTreeWidget& chords = *window->modeTabs().tree(TreeId::Chords);
    QTreeWidgetItem* folder = chords.topLevelItem(0);
    folder->setExpanded(true);
    chords.setCurrentItem(folder->child(0));
    press(AdvancePrimaryAction);
    EXPECT_EQ(chords.currentItem(), folder->child(1));
    EXPECT_EQ(program->state().selectedChord,
              program->pages().chords.tvwChords.itemOf(TreeFiller::keyOf(folder->child(1))));
    EXPECT_TRUE(chords.hasFocus() || QApplication::focusWidget() == nullptr);

    QTreeWidgetItem* lastFolder = chords.topLevelItem(chords.topLevelItemCount() - 1);
    lastFolder->setExpanded(true);
    chords.setCurrentItem(lastFolder->child(lastFolder->childCount() - 1));
    press(AdvancePrimaryAction); // the last node in view: back to the first
    EXPECT_EQ(chords.currentItem(), chords.topLevelItem(0));

    window->modeTabs().setCurrentIndex(int(Mode::Scales));
    QComboBox& positions = *window->modeTabs().positions(Mode::Scales)->list();
    press(AdvanceSecondaryAction);
    EXPECT_EQ(positions.currentIndex(), 1);
    EXPECT_EQ(program->context().pages.scales.cboScalePositions.index, 1);
    positions.setCurrentIndex(positions.count() - 1);
    press(AdvanceSecondaryAction);
    EXPECT_EQ(positions.currentIndex(), 0);
    EXPECT_EQ(program->context().pages.scales.cboScalePositions.index, 0);
}

} // namespace
} // namespace chordalis

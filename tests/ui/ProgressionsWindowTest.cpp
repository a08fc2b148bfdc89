// The progressions page in the window: its tab beside the seven mode pages, which keep their
// modes, shortcuts and drawings; the root tabs moving its key; Space looping it.
#include "StartedWindow.h"
#include "ui/ModeTabs.h"
#include "ui/NeckView.h"
#include "ui/ProgressionsView.h"

#include <QLabel>
#include <QLineEdit>
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
        EXPECT_EQ(window->modeTabs().currentIndex(), i);
        EXPECT_EQ(pages.mode, Mode(i));
        EXPECT_EQ(window->modeTabs().mode(), Mode(i));
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
    EXPECT_TRUE(error->isVisible());
    EXPECT_TRUE(error->text().contains("\"H7\""));
    EXPECT_EQ(boxes.shown.size(), shownAtStartUp);

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

} // namespace
} // namespace chordalis

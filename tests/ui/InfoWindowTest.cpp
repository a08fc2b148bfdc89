// The information window opened from a page's Info button, in a started window over the
// "examples" fixture.
#include "ui/InfoWindow.h"

#include "StartedWindow.h"
#include "modes/InfoDocument.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>

namespace chordalis {
namespace {

class InfoWindowTest : public test::StartedWindow {
protected:
    void SetUp() override {
        StartedWindow::SetUp();
        test::makeProgramFolder(folder, QStringLiteral(CHORDALIS_TEST_DATA "/examples"));
        startProgram();
    }

    // Clicks the page's Info button; act runs on the information window once it is up.
    void whileInfoShown(const char* button, const std::function<void(InfoWindow&)>& act) {
        const auto click = [&] {
            QTest::mouseClick(window->findChild<QPushButton*>(QLatin1String(button)),
                              Qt::LeftButton);
        };
        EXPECT_TRUE(test::whileModal(
            click, [](QWidget* w) { return qobject_cast<InfoWindow*>(w); },
            [&](QWidget& w) { act(static_cast<InfoWindow&>(w)); }));
    }

    test::TemporaryHome m_cache;
};

TEST_F(InfoWindowTest, ShowsTheTextAndExamplesAndTheCloseBoxRestoresTheInstrument) {
    auto* chords = window->findChild<QTreeWidget*>(QStringLiteral("tvwChords"));
    test::clickNode(*chords, chords->topLevelItem(0)->child(0)); // maj
    out().sent.clear();

    whileInfoShown("cmdChordInfo", [&](InfoWindow& w) {
        // Rich text with the title on the root and the neck picture in it.
        auto* text = child<QTextBrowser>(w, "txtInfo");
        EXPECT_TRUE(text->toPlainText().startsWith(QLatin1String("C Major chord")));
        const QVariant neck = text->document()->resource(QTextDocument::ImageResource,
                                                         QUrl(QLatin1String(InfoNeckImage)));
        EXPECT_FALSE(neck.value<QImage>().isNull());
        EXPECT_TRUE(w.windowTitle().startsWith(QLatin1String("C Major chord")));
        EXPECT_FALSE(child<QLineEdit>(w, "txtStem")->isVisible());

        auto* pause = child<QPushButton>(w, "cmdPause");
        EXPECT_FALSE(pause->isEnabled());
        click(w, "cmdPlay");
        EXPECT_TRUE(pause->isEnabled());
        w.close(); // the close box
    });
    EXPECT_FALSE(program->info().isOpen());
    ASSERT_FALSE(out().sent.empty());
    EXPECT_EQ(out().sent.back().word, packShortMessage(0xC0, 24)); // instrument 25
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
} // namespace chordalis

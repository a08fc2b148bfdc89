// The information window opened from a page's Info button, in a started window over the
// "examples" fixture.
#include "ui/InfoWindow.h"

#include "StartedWindow.h"
#include "modes/InfoDocument.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>

namespace chordalis {
namespace {

class InfoWindowTest : public test::StartedWindow {
protected:
    void SetUp() override {
        m_home = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(m_cache.path()));
        QStandardPaths::setTestModeEnabled(true);
        StartedWindow::SetUp();
        test::makeProgramFolder(folder, QStringLiteral(CHORDALIS_TEST_DATA "/examples"));
        startProgram();
    }
    void TearDown() override {
        StartedWindow::TearDown();
        QStandardPaths::setTestModeEnabled(false);
        qputenv("HOME", m_home);
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

    QTemporaryDir m_cache;
    QByteArray m_home;
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
        // The transport buttons are icons, named by their tooltips.
        for (const auto& [name, tip] :
             {std::pair{"cmdPlay", "Play"}, {"cmdPause", "Pause"}, {"cmdReset", "Back to start"}}) {
            auto* button = child<QPushButton>(w, name);
            EXPECT_EQ(button->toolTip(), QLatin1String(tip)) << name;
            EXPECT_FALSE(button->icon().isNull()) << name;
            EXPECT_TRUE(button->text().isEmpty()) << name;
        }
        auto* examples = child<QComboBox>(w, "cboInfo");
        EXPECT_EQ(examples->count(), 10);
        EXPECT_EQ(examples->currentText(),
                  QStringLiteral("Pop I-IV-V with piano, bass and drums (100 bpm)"));
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

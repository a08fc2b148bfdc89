#include "StartedWindow.h"
#include "modes/InfoDocument.h"
#include "ui/ColourKeyDialog.h"
#include "ui/InfoWindow.h"
#include "ui/NeckView.h"
#include "ui/SkinDialog.h"
#include "ui/TuningDialog.h"

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>

namespace chordalis {
namespace {

// The tuning, neck picture and colour key dialogs of a started window, opened the user's way.
class DialogsTest : public test::StartedWindow {
protected:
    // Triggers a menu entry whose dialog runs modally; act runs on the dialog once it is up.
    void whileModal(const char* action, const char* dialog,
                    const std::function<void(QWidget&)>& act) {
        EXPECT_TRUE(test::whileModal(
            [&] { this->action(action)->trigger(); },
            [&](QWidget* w) { return w->objectName() == QLatin1String(dialog); }, act))
            << dialog;
    }
};

TEST_F(DialogsTest, TuningCancelKeepsTheTuningAndOkStoresIt) {
    whileModal("mnuTuning", "frmTuning", [&](QWidget& d) {
        child<QComboBox>(d, "cboPresets")->setCurrentIndex(7); // Open D
        EXPECT_EQ(child<QSpinBox>(d, "udNote2")->text(), QStringLiteral("F#3"));
        out().sent.clear();
        click(d, "cmdPlay2"); // the string's note
        ASSERT_EQ(out().sent.size(), 2u);
        EXPECT_EQ(out().sent[0].word, packShortMessage(0x90, 54, 100));
        click(d, "cmdCancel");
    });
    EXPECT_EQ(program->state().tuning(), Tuning{});
    EXPECT_EQ(program->context().state.tuningSpelling, 1);

    whileModal("mnuTuning", "frmTuning", [&](QWidget& d) {
        auto* presets = child<QComboBox>(d, "cboPresets");
        EXPECT_EQ(presets->currentIndex(), 7); // as it was left
        QTest::keyClick(child<QSpinBox>(d, "udNote5"), Qt::Key_Up);
        EXPECT_EQ(child<QSpinBox>(d, "udNote5")->text(), QStringLiteral("Eb2"));
        click(d, "cmdOK");
    });
    EXPECT_EQ(program->state().tuning(), (Tuning{0, {62, 57, 54, 50, 45, 39}}));
    auto* nonStandard = find<QLabel>("lblNonStandard"); // over the neck
    EXPECT_TRUE(nonStandard->isVisible());
    EXPECT_TRUE(window->neck().geometry().contains(nonStandard->geometry().center()));

    // A neck changed in the Instrument menu meanwhile: a row per string of it.
    find<QAction>("mnuInstrument1")->trigger(); // 7-String Guitar
    whileModal("mnuTuning", "frmTuning", [&](QWidget& d) {
        EXPECT_EQ(child<QSpinBox>(d, "udNote6")->text(), QStringLiteral("B1"));
        QTest::keyClick(child<QSpinBox>(d, "udNote6"), Qt::Key_Down);
        EXPECT_EQ(child<QSpinBox>(d, "udNote6")->text(), QStringLiteral("Bb1"));
        click(d, "cmdOK");
    });
    EXPECT_EQ(program->state().tuning().notes, (std::vector<int>{64, 59, 55, 50, 45, 40, 34}));
}

TEST_F(DialogsTest, SkinDialogOkLoadsThePictureCancelKeepsIt) {
    whileModal("mnuFretboard", "frmFBDesign", [&](QWidget& d) {
        auto* files = child<QListWidget>(d, "File1");
        EXPECT_EQ(files->currentItem()->text(), QStringLiteral("default.gif"));
        const auto maple = files->findItems(QStringLiteral("maple.gif"), Qt::MatchExactly);
        ASSERT_EQ(maple.size(), 1);
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                          files->visualItemRect(maple[0]).center());
        EXPECT_FALSE(child<QLabel>(d, "imgPreview")->pixmap().isNull());
        click(d, "cmdOK");
    });
    EXPECT_EQ(program->context().state.fretboardFile, QStringLiteral("maple.gif"));
    const QImage maple = program->context().fretboard.image();

    whileModal("mnuFretboard", "frmFBDesign", [&](QWidget& d) {
        child<QListWidget>(d, "File1")->setCurrentRow(0);
        click(d, "cmdCancel");
    });
    EXPECT_EQ(program->context().state.fretboardFile, QStringLiteral("maple.gif"));
    EXPECT_TRUE(program->context().fretboard.image() == maple);
}

TEST_F(DialogsTest, ColourKeyFromTheKeyButtonStaysOpenBesideTheWindow) {
    find<QPushButton>("CmdKey")->click();
    ColourKeyDialog& key = window->colourKey();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&key));
    EXPECT_FALSE(key.isModal());
    key.setColourPicker([](QWidget*, const QColor&) { return QColor(1, 2, 3); });
    QTest::mouseClick(child(key, "piccol1"), Qt::LeftButton);
    click(key, "cmdCancel");
    EXPECT_EQ(program->context().state.colourChord, 16711680);
    EXPECT_EQ(key.key().piccol[1], 1 + 2 * 256 + 3 * 65536); // what OK would store

    // From the menu the same box is modal (what its buttons do is the headless tests').
    whileModal("mnuFColours", "frmKey", [&](QWidget& d) { click(d, "cmdCancel"); });
}

// Over the "examples" fixture.

class InfoWindowTest : public test::StartedWindow {
protected:
    void SetUp() override {
        StartedWindow::SetUp();
        folder.copyFixture(QStringLiteral("examples"));
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

TEST_F(InfoWindowTest, ShowsTheTextAndExamplesAndTheCloseBoxEndsTheSession) {
    auto* chords = window->findChild<QTreeWidget*>(QStringLiteral("tvwChords"));
    test::clickNode(*chords, chords->topLevelItem(0)->child(0)); // maj

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
    EXPECT_FALSE(program->info().isOpen()); // what closing sends is the headless tests'
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
} // namespace chordalis

#include "ui/MainWindow.h"

#include "StartedWindow.h"
#include "app/ProgramFolder.h"
#include "fretboard/Fretboard.h"
#include "modes/Commands.h"
#include "modes/Finder.h"
#include "modes/Modes.h"
#include "ui/ChordBoxGrid.h"
#include "ui/ModeTabs.h"
#include "ui/NeckView.h"
#include "ui/SearchField.h"
#include "ui/SheetPrinting.h"
#include "ui/TreeFiller.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCompleter>
#include <QDesktopServices>
#include <QLabel>
#include <QPrinter>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTreeWidget>
#include <QUrl>

namespace chordalis {
namespace {

using test::clickNode;

// Records the addresses the window asks the desktop to open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl& url) { opened << url; }
};

// A started program with its window shown, on a folder and a settings file of its own.
class MainWindowTest : public test::StartedWindow {
protected:
    bool storeWritten() const { return QFileInfo(storePath()).size() > 0; }

    QTreeWidget& tree(const char* name) const { return *find<QTreeWidget>(name); }
    QTreeWidgetItem* node(const char* tree, const char* key) const {
        return TreeFiller::find(*find<QTreeWidget>(tree), QLatin1String(key));
    }
};

// With no capture device the toggle falls back and says why.
TEST_F(MainWindowTest, ListeningWithoutACaptureDeviceStaysOff) {
    QAction* listen = find<QAction>("mnuListen");
    EXPECT_FALSE(listen->isChecked());
    listen->trigger();
    EXPECT_FALSE(listen->isChecked());
    EXPECT_FALSE(window->statusBar()->currentMessage().isEmpty());
}

// The on-screen neck shows its first marker where the surface puts it, at the widget's scale.
void expectFirstMarkerShown(NeckView& neck, const Fretboard& fretboard) {
    for (const Mark& mark : fretboard.marks()) {
        if (mark.kind != MarkKind::Circle)
            continue;
        const QImage image = neck.grab().toImage();
        const QRectF r = neck.surfaceRect();
        // A point inside the marker, left of its label.
        const QPointF inside = QPointF(mark.x + 2.5, mark.y + 10.5) * (r.width() / SurfaceWidth);
        const QPoint at = ((r.topLeft() + inside) * image.devicePixelRatio()).toPoint();
        EXPECT_EQ(image.pixelColor(at), toQColor(mark.colour));
        return;
    }
    ADD_FAILURE() << "no marker";
}

TEST_F(MainWindowTest, ChordWorkflowShowsLabelsAndMarksForBothHands) {
    const AppState& s = program->context().state;
    QTabBar& roots = window->rootTabs();
    ASSERT_EQ(roots.tabText(5), "Eb");
    QTest::mouseClick(&roots, Qt::LeftButton, {}, roots.tabRect(5).center());
    clickNode(tree("tvwChords"), node("tvwChords", "4 Chord"));
    EXPECT_EQ(find<QLabel>("lblChordName")->text(), "Chord: Ebm7");
    QTreeWidget& voicings = tree("tvwVoicings");
    ASSERT_GE(voicings.topLevelItemCount(), 2);
    // No open grip: the Am7-shape barre at the 6th fret, the list's first.
    EXPECT_EQ(TreeFiller::keyOf(voicings.currentItem()), QStringLiteral("5Voicing"));
    EXPECT_EQ(voicings.currentItem(), voicings.topLevelItem(0));
    expectFirstMarkerShown(window->neck(), program->context().fretboard);

    auto* boxes = find<ChordBoxGrid>("gridChordBoxes");
    QWidget* canvas = boxes->widget();
    auto boxCentre = [&](int k) {
        for (int y = 0; y < canvas->height(); y += 4)
            for (int x = 0; x < canvas->width(); x += 4)
                if (boxes->boxAt({x, y}) == k)
                    return QPoint(x + 20, y + 40);
        return QPoint(-1, -1);
    };
    QTest::mouseClick(canvas, Qt::LeftButton, {}, boxCentre(2));
    EXPECT_EQ(s.selectedVoicing, s.voicings[2].number);
    EXPECT_EQ(TreeFiller::keyOf(voicings.currentItem()),
              QStringLiteral("%1Voicing").arg(s.voicings[2].number));
    // Readable on a dark palette: the box's lines come out light on the dark ground.
    QPalette dark = boxes->palette();
    dark.setColor(QPalette::Base, QColor(30, 30, 34));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    canvas->setPalette(dark);
    const QImage image = canvas->grab().toImage();
    int light = 0, ground = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int l = image.pixelColor(x, y).lightness();
            light += l > 180;
            ground += l < 50;
        }
    EXPECT_GT(light, 200);
    EXPECT_GT(ground, light);
    canvas->setPalette(boxes->palette());

    clickNode(voicings, voicings.topLevelItem(1));
    EXPECT_EQ(s.selectedVoicing, leadingNumber(TreeFiller::keyOf(voicings.topLevelItem(1))));

    QAction* rh = find<QAction>("mnuRH");
    QAction* lh = find<QAction>("mnuLH");
    lh->trigger();
    EXPECT_TRUE(lh->isChecked() && !rh->isChecked());
    expectFirstMarkerShown(window->neck(), program->context().fretboard);
}

TEST_F(MainWindowTest, FinderPressesBuildAndNameAChordForBothHands) {
    const AppState& s = program->context().state;
    window->modeTabs().setCurrentIndex(int(Mode::ChordFinder));
    NeckView& neck = window->neck();
    auto press = [&neck](Qt::MouseButton button, double x, double y) {
        const QRectF r = neck.surfaceRect();
        QTest::mouseClick(&neck, button, {},
                          (r.topLeft() + QPointF(x, y) * (r.width() / SurfaceWidth)).toPoint());
    };
    press(Qt::LeftButton, 200, 128); // C on string 5
    press(Qt::LeftButton, 140, 104); // E on string 4
    press(Qt::LeftButton, 30, 80);   // open G
    auto* root5 = find<QLabel>("lblDescription5");
    EXPECT_EQ(root5->text(), QStringLiteral("Cmaj \u2014 C Major"));
    EXPECT_TRUE(root5->styleSheet().contains(QStringLiteral("#0000c0"))); // its mark
    press(Qt::RightButton, 600, 128); // any other button clears the string
    EXPECT_EQ(finderValue(s, 5), 0);

    find<QAction>("mnuLH")->trigger(); // the player's same place is the mirrored press
    press(Qt::LeftButton, SurfaceWidth - 200, 128);
    EXPECT_EQ(finderValue(s, 5), 3);
}

TEST_F(MainWindowTest, TheNeckShowsTheStringsTheStateHolds) {
    NeckView& neck = window->neck();
    const double sixStringAspect = neck.surfaceRect().height() / neck.surfaceRect().width();
    find<QAction>("mnuInstrument1")->trigger(); // View > Neck > Instrument > 7-String Guitar
    const NeckGeometry& g = program->fretboard().geometry();
    ASSERT_EQ(g.strings(), 7);
    EXPECT_EQ(g.frets(), 24);
    find<QAction>("mnuFrets15")->trigger();
    QApplication::processEvents();
    const QRectF r = neck.surfaceRect();
    EXPECT_NEAR(r.height() / r.width(), double(g.height()) / g.width(), 0.01);
    EXPECT_GT(r.height() / r.width(), sixStringAspect);

    const double scale = r.width() / g.width(); // each string's drawing is the headless tests'
    window->modeTabs().setCurrentIndex(int(Mode::ChordFinder));
    const QPointF bPlace(30, g.stringCentreY(7)); // beside the nut: the open B
    QTest::mouseClick(&neck, Qt::LeftButton, {}, (r.topLeft() + bPlace * scale).toPoint());
    EXPECT_EQ(finderValue(program->state(), 7), -1);
    EXPECT_TRUE(find<QLabel>("lblDescription7")->isVisible());

    find<QAction>("mnuInstrument0")->trigger();
    find<QAction>("mnuFrets15")->trigger();
    QApplication::processEvents();
    EXPECT_NEAR(neck.surfaceRect().height() / neck.surfaceRect().width(), sixStringAspect, 0.001);
    EXPECT_FALSE(find<QLabel>("lblDescription7")->isVisible());

    // A capo across strings 5 to 3, dark behind the wire, kept when the frets change.
    find<QAction>("mnuCapo2")->trigger();
    find<QAction>("mnuCapoSpan1")->trigger();
    find<QAction>("mnuFrets20")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(program->fretboard().picture().capo, (Capo{2, 3, 5}));
    const NeckGeometry& six = program->fretboard().geometry();
    const QRectF board = neck.surfaceRect();
    const QImage capoShot = neck.grab().toImage();
    const QPointF bar = board.topLeft() + QPointF(six.fretWireX(2) - 4.5, six.stringCentreY(4)) *
                                              (board.width() / six.width());
    EXPECT_LT(capoShot.pixelColor(bar.toPoint()).lightness(), 70);
}

// Typing on a tree starts a search; a name that is nothing is said.
TEST_F(MainWindowTest, SearchFieldGoesWhereTheNamePoints) {
    SearchField& field = window->searchField();
    const AppState& state = program->context().state;
    const MainPages& pages = program->context().pages;
    auto enter = [&](const char* text, bool listed = true) {
        // The offscreen platform may leave no window active once the list's popup closes.
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, Qt::Key_F, Qt::ControlModifier);
        ASSERT_TRUE(field.hasFocus()) << text;
        QTest::keyClicks(&field, QString::fromUtf8(text));
        EXPECT_EQ(field.completions()->model()->rowCount() > 0, listed) << text;
        QCoreApplication::processEvents();
        const QWidget* list = field.completions()->popup();
        if (list->isVisible()) { // wider than the field at the window's edge, yet on the screen
            EXPECT_LE(list->geometry().right(), list->screen()->availableGeometry().right())
                << text;
        }
        QTest::keyClick(&field, Qt::Key_Return);
        test::waitUntil([&] { return !field.completions()->popup()->isVisible(); }, 1000);
        QCoreApplication::processEvents();
    };

    enter("F#m7b5");
    EXPECT_EQ(window->modeTabs().mode(), Mode::Chords);
    EXPECT_EQ(window->rootTabs().tabText(window->rootTabs().currentIndex()), "F#");
    EXPECT_EQ(find<QLabel>("lblChordName")->text(), "Chord: F#m7b5");
    EXPECT_EQ(tree("tvwChords").currentItem()->text(0), "m7b5");
    EXPECT_EQ(window->statusBar()->currentMessage(), "F# Half-Diminished 7th");

    enter("D/F#"); // which grips a slash chord lists first is the headless tests'
    EXPECT_EQ(window->modeTabs().mode(), Mode::Chords);
    ASSERT_FALSE(state.voicings.empty());
    EXPECT_EQ(tree("tvwVoicings").currentItem()->text(0), state.voicings.front().caption);

    // A letter typed on a tree moves into the field.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    tree("tvwChords").setFocus();
    QTest::keyClick(&tree("tvwChords"), 'E');
    EXPECT_TRUE(field.hasFocus());
    QTest::keyClick(QApplication::focusWidget(), 'b'); // the next key reaches the field
    EXPECT_EQ(field.text(), "Eb");
    QTest::keyClick(&field, Qt::Key_Return);
    test::waitUntil([&] { return window->modeTabs().mode() == Mode::Notes; }, 1000);
    EXPECT_EQ(window->modeTabs().mode(), Mode::Notes);
    EXPECT_EQ(pages.rootTab, 6);

    enter("Xq7", false);
    EXPECT_EQ(window->modeTabs().mode(), Mode::Notes); // nothing moved
    EXPECT_TRUE(window->statusBar()->currentMessage().contains("\"Xq7\""))
        << window->statusBar()->currentMessage().toStdString();
}

TEST_F(MainWindowTest, ExpandingOrCollapsingAFolderActsAsAClickOnIt) {
    clickNode(tree("tvwScales"), node("tvwScales", "0 Scale"));
    ASSERT_EQ(program->context().state.selectedScale, 0);
    QTreeWidgetItem* folder = node("tvwScales", "1 Group");
    folder->setExpanded(true);
    EXPECT_EQ(program->context().state.selectedScale, -1);
    EXPECT_EQ(tree("tvwScales").currentItem(), folder);
    EXPECT_TRUE(
        program->context().pages.scales.tvwScales.find(QStringLiteral("1 Group"))->expanded);

    clickNode(tree("tvwScales"), node("tvwScales", "2 Scale - All"));
    node("tvwScales", "0 Group")->setExpanded(false);
    EXPECT_EQ(program->context().state.selectedScale, -1);
}

TEST_F(MainWindowTest, PositionOptionsRebuildTheirOwnList) {
    auto* list = find<QComboBox>("cboArpPositions");
    window->modeTabs().setCurrentIndex(int(Mode::Arpeggios));
    list->setCurrentIndex(13);
    Q_EMIT list->activated(13);
    ASSERT_EQ(program->context().pages.arpeggios.cboArpPositions.index, 13);

    QTest::mouseClick(find<QRadioButton>("optArpPositions1"), Qt::LeftButton);
    EXPECT_EQ(list->count(), 13);
    EXPECT_EQ(list->currentText(), "11th Position");
    QTest::mouseClick(find<QRadioButton>("optArpPositions0"), Qt::LeftButton);
    EXPECT_EQ(list->count(), 14);
    EXPECT_EQ(list->currentText(), "11th Position");
}

TEST_F(MainWindowTest, HelpDocumentsOpenOrAreReportedMissing) {
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
    QDir(folder.path()).mkpath(QStringLiteral("system"));
    QFile(folder.filePath(QStringLiteral("system/rmp.htm"))).open(QIODevice::WriteOnly);
    QFile::remove(folder.filePath(QStringLiteral("userguide/index.htm")));

    find<QAction>("mnuRMP")->trigger();
    find<QAction>("mnuUserGuide")->trigger();
    find<QAction>("mnuQuillonSoftware")->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));

    EXPECT_EQ(recorder.opened,
              QList<QUrl>({QUrl::fromLocalFile(programFile(folder.path(), "system/rmp.htm")),
                           QUrl(QStringLiteral("https://chordalis.org"))}));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Stop);
    EXPECT_EQ(boxes.shown[0].text,
              "ERROR: I cannot find the file: \n" + folder.path() + "/userguide/index.htm");

    // Without a handler nothing opens it: said.
    find<QAction>("mnuRMP")->trigger();
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].icon, BoxIcon::Stop);
    EXPECT_TRUE(boxes.shown[1].text.startsWith("ERROR: No program on this computer could open: \n" +
                                               programFile(folder.path(), "system/rmp.htm")));
}

TEST_F(MainWindowTest, PrintRefusesAnEmptyPageAndTheSheetGoesToPrinterOrFile) {
    find<QAction>("mnuPrint")->trigger(); // the chords page, no chord chosen: no dialog
    find<QAction>("mnuExportPdf")->trigger();
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].icon, BoxIcon::Exclamation);

    window->modeTabs().setCurrentIndex(int(Mode::Notes)); // the single note always prints
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
    EXPECT_TRUE(printSheet(printer, *program));
    EXPECT_TRUE(exportSheet(*program, dir.filePath(QStringLiteral("exported.pdf")), boxes));
    EXPECT_GT(QFileInfo(dir.filePath(QStringLiteral("printed.pdf"))).size(), 1000);
    EXPECT_GT(QFileInfo(dir.filePath(QStringLiteral("exported.pdf"))).size(), 1000);
    EXPECT_FALSE(exportSheet(*program, dir.filePath(QStringLiteral("no/folder/x.pdf")), boxes));
    EXPECT_EQ(boxes.shown.back().icon, BoxIcon::Stop);
}

TEST_F(MainWindowTest, QuitQuestionNoKeepsEverythingYesWritesOnce) {
    boxes.answer = false;
    window->close();
    find<QAction>("mnuExit")->trigger();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(storeWritten());
    ASSERT_EQ(boxes.shown.size(), 2u); // the question's words are the program test's
    EXPECT_TRUE(boxes.shown[0].question && boxes.shown[1].question);

    boxes.answer = true;
    find<QAction>("mnuLH")->trigger();
    find<QAction>("mnuExit")->trigger();
    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(storeWritten());
    EXPECT_TRUE(
        QSettings(storePath(), QSettings::IniFormat).contains(QStringLiteral("Window/Geometry")));
}

TEST_F(MainWindowTest, WindowGeometryPersistsAndSurvivesBadValues) {
    window->resize(870, 640);
    QCoreApplication::processEvents();
    program->shutDown(*store);
    startProgram();
    EXPECT_EQ(window->size(), QSize(870, 640));

    program->shutDown(*store);
    store->setValue(QStringLiteral("Window/Geometry"), QByteArray("\x01\xd9\xd0\xcb junk"));
    store->sync();
    startProgram();
    EXPECT_GE(window->width(), 700);
    EXPECT_GE(window->height(), 500);
}

} // namespace
} // namespace chordalis

#include "MainWindowTest.moc"

#include "ui/MainWindow.h"

#include "app/ListenInputs.h"
#include "app/ListeningControl.h"
#include "app/MessageBoxes.h"
#include "app/Program.h"
#include "app/ProgramFolder.h"
#include "modes/Info.h"
#include "modes/Modes.h"
#include "modes/RootTabs.h"
#include "ui/ColourKeyDialog.h"
#include "ui/FretlightDialog.h"
#include "ui/InfoWindow.h"
#include "ui/LedGuitarView.h"
#include "ui/MetronomeWindow.h"
#include "ui/ModeTabs.h"
#include "ui/NeckView.h"
#include "ui/PlaybackDialog.h"
#include "ui/PositionPicker.h"
#include "ui/PracticeWindow.h"
#include "ui/ProgressionsView.h"
#include "ui/SearchField.h"
#include "ui/SheetPrinting.h"
#include "ui/SkinDialog.h"
#include "ui/SplashWindow.h"
#include "ui/Theme.h"
#include "ui/TreeFiller.h"
#include "ui/TuningDialog.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabBar>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace chordalis {

namespace {

const QString GeometryKey = QStringLiteral("Window/Geometry");
constexpr QSize DefaultSize(1000, 700);

} // namespace

MainWindow::MainWindow(Program& program, QSettings& store, MessageBoxes& boxes, QWidget* parent)
    : QMainWindow(parent), m_program(program), m_store(store), m_boxes(boxes),
      m_neck(new NeckView(program.fretboard())), m_nonStandard(new QLabel), m_rootTabs(new QTabBar),
      m_modes(new ModeTabs(program.pages(), program.state())), m_splash(new SplashWindow(this)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QLatin1String(Caption));
    m_progressions = new ProgressionsView(program.progressions(), program.state(), boxes);
    m_modes->addProgressionsPage(m_progressions);

    m_nonStandard->setObjectName(QStringLiteral("lblNonStandard"));
    m_nonStandard->setText(
        QStringLiteral("Fretboard Display is not Supported for Non-Standard Tunings"));
    m_nonStandard->setStyleSheet(QStringLiteral(
        "QLabel { background: rgba(20, 20, 24, 200); color: white; padding: 6px 12px; "
        "border-radius: 4px; }"));
    m_nonStandard->hide();

    m_rootTabs->setObjectName(QStringLiteral("tabRoot"));
    m_rootTabs->setExpanding(true);
    m_rootTabs->setUsesScrollButtons(false);
    m_rootTabs->setElideMode(Qt::ElideNone);
    m_rootTabs->setDrawBase(false);
    for (const RootTab& tab : RootTabs)
        m_rootTabs->addTab(QLatin1String(tab.caption));

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(0);
    // The label lies over the middle of the neck, in the same grid cell.
    auto* neckArea = new QGridLayout;
    neckArea->addWidget(m_neck, 0, 0);
    neckArea->addWidget(m_nonStandard, 0, 0, Qt::AlignCenter);
    layout->addLayout(neckArea);
    layout->addSpacing(8);
    layout->addWidget(m_rootTabs);
    layout->addSpacing(4);
    layout->addWidget(m_modes, 1);
    setCentralWidget(central);

    createMenus();
    createViewMenu();
    installKeyboard();
    createSearch();

    // Start on the Chords page and the tab "C", matching the root the core starts with.
    m_rootTabs->setCurrentIndex(0);
    m_modes->setCurrentIndex(int(Mode::Chords));
    connect(m_modes, &ModeTabs::keyRequested, this, [this] { showColourKey(false); });

    connect(m_rootTabs, &QTabBar::currentChanged, this, [this] { rootChange(); });
    // A click on the tab already chosen redraws as well, like a click on another tab.
    connect(m_rootTabs, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0 && index == m_rootTabs->currentIndex())
            rootChange();
    });
    connect(m_modes, &QTabWidget::currentChanged, this, [this] { modeDispatch(); });
    connect(m_modes, &ModeTabs::nodeClicked, this, &MainWindow::nodeClicked);
    connect(m_modes, &ModeTabs::itemChosen, this, [this](TreeId tree, int item) {
        chooseItem(m_program.context(), tree, item);
        showPages();
    });
    connect(m_modes, &ModeTabs::nodeExpanded, this,
            [this](TreeId tree, const QString& key, bool expanded) {
                setNodeExpanded(m_program.context(), tree, key, expanded);
            });
    connect(m_modes, &ModeTabs::positionChosen, this, [this](Mode mode, int index) {
        chordalis::positionChosen(m_program.context(), mode, index);
        showPages();
    });
    connect(m_modes, &ModeTabs::positionOptionClicked, this, [this](Mode mode, int option) {
        chordalis::positionOptionClicked(m_program.context(), mode, option);
        showPages();
    });
    connect(m_modes, &ModeTabs::infoRequested, this, &MainWindow::showInfo);
    // Only the chord finder page takes presses on the neck; the core checks the page.
    connect(m_neck, &NeckView::pressed, this, [this](Qt::MouseButton button, QPointF pos) {
        chordalis::finderClicked(m_program.context(), button, pos);
        showPages();
    });
    connect(m_modes, &ModeTabs::playRequested, this,
            [this](Mode mode) { m_program.playCommand(mode); });

    // The neck follows a playback's notes and the loop's chords; the status bar follows the
    // metronome.
    m_program.setNeckChangedHook([this] { m_neck->update(); });
    connect(m_progressions, &ProgressionsView::neckChanged, this, [this] { showPages(); });
    m_program.progressions().changed = [this] {
        m_progressions->showPage();
        m_neck->refresh();
    };
    m_program.setBeatHook([this](bool loopTempo) {
        if (loopTempo)
            m_progressions->showPage();
        showBeat();
    });
    m_program.soundWatch().setNoticeHook([this](const QString& text) { showSoundNotice(text); });
    central->installEventFilter(this);

    restoreWindowGeometry();
    showPages();
}

// --- menus ---------------------------------------------------------------------------------

QAction* MainWindow::addAction(QMenu* menu, const QString& name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QAction* MainWindow::addSeparator(QMenu* menu, const QString& name) {
    QAction* separator = menu->addSeparator();
    separator->setObjectName(name);
    return separator;
}

void MainWindow::createMenus() {
    auto menu = [this](const QString& name, const QString& caption) {
        QMenu* m = menuBar()->addMenu(caption);
        m->setObjectName(name);
        return m;
    };

    QMenu* file = menu(QStringLiteral("mnuFile"), QStringLiteral("&File"));
    QAction* print = addAction(file, QStringLiteral("mnuPrint"), QStringLiteral("&Print"));
    connect(print, &QAction::triggered, this, [this] {
        if (m_modes->onProgressions())
            printProgressionChart(this, m_program, m_boxes);
        else
            printCurrentSheet(this, m_program, m_boxes);
    });
    connect(addAction(file, QStringLiteral("mnuExportPdf"), QStringLiteral("&Export as PDF...")),
            &QAction::triggered, this, [this] {
                if (m_modes->onProgressions())
                    m_progressions->exportAs(ChartFormat::Pdf);
                else
                    exportCurrentSheet(this, m_program, m_boxes, m_pdfFolder);
            });
    addSeparator(file, QStringLiteral("mnuSep5"));
    QAction* exit = addAction(file, QStringLiteral("mnuExit"), QStringLiteral("E&xit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* options = menu(QStringLiteral("mnuOptions"), QStringLiteral("&Options"));
    connect(addAction(options, QStringLiteral("mnuPlayback"), QStringLiteral("&Playback Settings")),
            &QAction::triggered, this, &MainWindow::showPlaybackSettings);
    connect(addAction(options, QStringLiteral("mnuTuning"), QStringLiteral("&Tuning")),
            &QAction::triggered, this, &MainWindow::showTuning);
    connect(addAction(options, QStringLiteral("mnuMetronome"), QStringLiteral("&Metronome")),
            &QAction::triggered, this, &MainWindow::showMetronome);
    createListening(options);
    connect(addAction(options, QStringLiteral("mnuPractice"), QStringLiteral("Pract&ice...")),
            &QAction::triggered, this, &MainWindow::showPractice);
    connect(addAction(options, QStringLiteral("mnuAllNotesOff"), QStringLiteral("&All Notes Off")),
            &QAction::triggered, this, [this] { m_program.allNotesOff(); });
    connect(addAction(options, QStringLiteral("mnuLedView"), QStringLiteral("LED &Guitar View")),
            &QAction::triggered, this, &MainWindow::showLedView);
    addSeparator(options, QStringLiteral("mnuSep34gy7"));
    // The LED guitar's options are shown while a guitar is connected (showPages).
    m_fretlight = addAction(options, QStringLiteral("mnuFretlight"),
                            QStringLiteral("Optek &Fretlight\u00AE Guitar Support"));
    m_fretlight->setVisible(false);
    connect(m_fretlight, &QAction::triggered, this, &MainWindow::showFretlightOptions);
    m_fretlightSeparator = addSeparator(options, QStringLiteral("mnuSepFretlight"));
    m_fretlightSeparator->setVisible(false);
    m_rightHanded = addAction(options, QStringLiteral("mnuRH"), QStringLiteral("&Right Handed"));
    m_leftHanded = addAction(options, QStringLiteral("mnuLH"), QStringLiteral("&Left Handed"));
    auto* hands = new QActionGroup(this);
    for (QAction* a : {m_rightHanded, m_leftHanded}) {
        a->setCheckable(true);
        hands->addAction(a);
    }
    connect(m_rightHanded, &QAction::triggered, this, [this] { setLeftHanded(false); });
    connect(m_leftHanded, &QAction::triggered, this, [this] { setLeftHanded(true); });
    addSeparator(options, QStringLiteral("mnuSep2"));
    connect(addAction(options, QStringLiteral("mnuFretboard"), QStringLiteral("&Fretboard Design")),
            &QAction::triggered, this, &MainWindow::showFretboardDesign);
    connect(addAction(options, QStringLiteral("mnuFColours"), QStringLiteral("Fingering &Colours")),
            &QAction::triggered, this, [this] { showColourKey(true); });

    QMenu* help = menu(QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    connect(addAction(help, QStringLiteral("mnuUserGuide"), QStringLiteral("&User Guide...")),
            &QAction::triggered, this,
            [this] { displayHtml(QStringLiteral("userguide/index.htm")); });
    connect(addAction(help, QStringLiteral("mnuRMP"), QStringLiteral("&Root Movement Patterns")),
            &QAction::triggered, this, [this] { displayHtml(QStringLiteral("system/rmp.htm")); });
    addSeparator(help, QStringLiteral("mnuSep6"));
    connect(addAction(help, QStringLiteral("mnuQuillonSoftware"),
                      QStringLiteral("&Visit chordalis.org")),
            &QAction::triggered, this, [this] {
                if (!QDesktopServices::openUrl(QUrl(QLatin1String(WebSite))))
                    m_boxes.inform(BoxIcon::Stop, noViewerMessage(QLatin1String(WebSite)));
            });
    addSeparator(help, QStringLiteral("mnuSep4"));
    connect(addAction(help, QStringLiteral("mnuAbout"), QStringLiteral("&About Chordalis...")),
            &QAction::triggered, this, [this] { m_splash->showModal(); });
}

// --- the search field ----------------------------------------------------------------------

void MainWindow::createSearch() {
    // Right of the menus, out of the pages' way.
    m_search = new SearchField(m_program, menuBar());
    m_search->setMinimumWidth(240);
    menuBar()->setCornerWidget(m_search, Qt::TopRightCorner);
    auto* find = new QShortcut(QKeySequence::Find, this);
    find->setObjectName(QStringLiteral("shortcutFind"));
    connect(find, &QShortcut::activated, m_search, &SearchField::begin);
    connect(m_search, &SearchField::searched, this, &MainWindow::goToSearch);
    // Typing on the neck or in a tree starts a search.
    m_search->watch(m_neck);
    for (int t = 0; t < TreeCount; ++t)
        m_search->watch(m_modes->tree(TreeId(t)));
}

void MainWindow::goToSearch(const QString& text) {
    constexpr int ShownMs = 15000;
    const auto found = m_program.search().find(text);
    if (found.empty()) {
        const QStringList near = m_program.search().suggest(text);
        QString message = QStringLiteral("No chord, scale, arpeggio, triad or note is called "
                                         "\"%1\".")
                              .arg(text.trimmed());
        if (!near.isEmpty())
            message += QStringLiteral(" Did you mean %1?").arg(near.join(QLatin1String(", ")));
        statusBar()->showMessage(message, ShownMs);
        return;
    }
    m_program.progressions().leave(); // a mode page takes the neck
    const QString problem = m_program.showFound(found.front());
    {
        // The page is already drawn: its tab is only shown.
        const QSignalBlocker blocker(m_modes);
        m_modes->setCurrentIndex(int(m_program.pages().mode));
    }
    showPages();
    statusBar()->showMessage(problem.isEmpty() ? found.front().name : problem, ShownMs);
}

// --- what the user does --------------------------------------------------------------------

void MainWindow::showPages() {
    const MainPages& pages = m_program.pages();
    {
        const QSignalBlocker tabs(m_rootTabs);
        m_rootTabs->setCurrentIndex(pages.rootTab - 1);
    }
    m_modes->showPages();
    m_progressions->showPage();
    m_nonStandard->setVisible(pages.lblNonStandardVisible);
    const bool left = m_program.state().leftHanded;
    m_leftHanded->setChecked(left);
    m_rightHanded->setChecked(!left);
    m_fretlight->setVisible(m_program.state().ledConnected);
    m_fretlightSeparator->setVisible(m_program.state().ledConnected);
    NeckExtras extras = m_program.state().view.neckExtras();
    extras.darkWindow = isDark(palette());
    listeningExtras(extras);
    m_neck->setExtras(extras, m_program.state().view.fretNumbers);
    m_neck->refresh();
}

void MainWindow::rootChange() {
    if (m_modes->onProgressions()) {
        // The key moves; the neck shows the progression's chord, not a mode page's.
        selectRootTab(m_program.context(), m_rootTabs->currentIndex() + 1);
        m_program.progressions().rootChanged();
    } else {
        chordalis::rootChange(m_program.context(), m_rootTabs->currentIndex() + 1);
    }
    showPages();
}

void MainWindow::modeDispatch() {
    if (m_modes->onProgressions()) {
        m_program.progressions().enter();
    } else {
        // A loop plays on under another page; the neck is that page's again.
        m_program.progressions().leave();
        // The current mode is read from the page container, never kept anywhere else.
        chordalis::modeDispatch(m_program.context(), m_modes->mode());
    }
    showPages();
}

void MainWindow::nodeClicked(TreeId tree, const QString& key) {
    chordalis::nodeClicked(m_program.context(), tree, key);
    showPages();
}

void MainWindow::setLeftHanded(bool leftHanded) {
    chordalis::setLeftHanded(m_program.context(),
                             leftHanded); // redraws the current mode mirrored or not
    showPages();
}

// --- dialogs: each built at its first showing, then only hidden and shown again ------------

namespace {

// Shows a window that does not wait for its answer, in front and with the focus.
void present(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace

TuningDialog& MainWindow::tuningDialog() {
    if (!m_tuning) {
        m_tuning = new TuningDialog(m_program, this);
        connect(m_tuning, &TuningDialog::playNoteRequested, this,
                [this](int note) { m_program.playNote(note); });
    }
    return *m_tuning;
}

SkinDialog& MainWindow::skinDialog() {
    if (!m_skins)
        m_skins = new SkinDialog(m_program, m_boxes, this);
    return *m_skins;
}

ColourKeyDialog& MainWindow::colourKey() {
    if (!m_colourKey) {
        m_colourKey = new ColourKeyDialog(m_program, m_boxes, this);
        connect(m_colourKey, &ColourKeyDialog::applied, this, &MainWindow::showPages);
    }
    return *m_colourKey;
}

void MainWindow::showTuning() {
    if (tuningDialog().exec() == QDialog::Accepted)
        showPages();
}

void MainWindow::showFretboardDesign() {
    SkinDialog& dialog = skinDialog();
    if (dialog.prepare() && dialog.exec() == QDialog::Accepted)
        showPages();
}

void MainWindow::showColourKey(bool fromMenu) {
    ColourKeyDialog& key = colourKey();
    if (!fromMenu) {
        // The Key button: shown without waiting and without taking the shared colours.
        present(key);
        return;
    }
    key.showme();
    key.hide(); // a key already open from the button becomes modal
    key.exec();
}

void MainWindow::showPlaybackSettings() {
    if (!m_playback) {
        m_playback = new PlaybackDialog(m_program.playbackSettings(),
                                        {[this] { return m_program.listPorts(); },
                                         [this] { m_program.openSound(); },
                                         [this] { return m_program.reopenSound(); },
                                         [this] {
                                             return m_program.soundState();
                                         }},
                                        this);
        addListenSection(*m_playback);
    }
    present(*m_playback);
}

void MainWindow::showMetronome() {
    if (!m_metronome)
        m_metronome =
            new MetronomeWindow(m_program.metronomeSettings(), m_program.metronome(), this);
    present(*m_metronome);
}

void MainWindow::showPractice() {
    if (!m_practice)
        m_practice = new PracticeWindow(m_program, defaultHistoryPath(), this);
    present(*m_practice);
}

MetronomeWindow* MainWindow::metronomeWindow() const {
    return m_metronome;
}

void MainWindow::showFretlightOptions() {
    if (!m_fretlightDialog)
        m_fretlightDialog = new FretlightDialog(m_program, this);
    m_fretlightDialog->showModal();
}

void MainWindow::showLedView() {
    if (!m_ledView) {
        m_ledView = new LedGuitarView(m_program.guitar(), this);
        m_ledView->setAttribute(Qt::WA_DeleteOnClose);
    }
    present(*m_ledView);
}

LedGuitarView* MainWindow::ledView() const {
    return m_ledView;
}

// --- the pedal's step actions --------------------------------------------------------------

namespace {

// A key as the user would press it, handled before this returns.
void pressKey(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

} // namespace

void MainWindow::stepList(const SteppedList& list) {
    if (list.kind == SteppedList::Tree) {
        QTreeWidget* tree = m_modes->tree(list.tree);
        tree->setFocus(Qt::OtherFocusReason);
        const QString before = TreeFiller::keyOf(tree->currentItem());
        // Open the chosen node, then move to the next one in view; at the end, back to the top.
        pressKey(tree, Qt::Key_Right);
        pressKey(tree, Qt::Key_Down);
        if (TreeFiller::keyOf(tree->currentItem()) == before)
            pressKey(tree, Qt::Key_Home);
        return;
    }
    PositionPicker* picker = m_modes->positions(list.page);
    if (!picker)
        return;
    QComboBox* box = picker->list();
    box->setFocus(Qt::OtherFocusReason);
    const int before = box->currentIndex();
    pressKey(box, Qt::Key_Down);
    if (box->currentIndex() == before)
        pressKey(box, Qt::Key_Home);
}

void MainWindow::displayHtml(const QString& relativePath) {
    const QString path = programFile(m_program.programFolder(), relativePath);
    if (!QFileInfo::exists(path)) {
        m_boxes.inform(BoxIcon::Stop, cannotFindMessage(path));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        m_boxes.inform(BoxIcon::Stop, noViewerMessage(path));
}

void MainWindow::showInfo(Mode mode) {
    if (!m_program.infoCommand(mode))
        return;
    InfoWindow info(m_program.info(), this);
    info.exec();
}

// --- window life ---------------------------------------------------------------------------

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_program.isShutDown() || m_program.confirmQuit(m_store)) {
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange)
        m_program.setMainWindowActive(isActiveWindow());
    QMainWindow::changeEvent(event);
}

void MainWindow::restoreWindowGeometry() {
    const QVariant stored = m_store.value(GeometryKey);
    // A value that is not a geometry (an edited store) leaves the default size.
    if (stored.typeId() == QMetaType::QByteArray && restoreGeometry(stored.toByteArray()))
        return;
    QSize size = DefaultSize;
    if (const QScreen* s = screen())
        size = size.boundedTo(s->availableSize() * 0.95);
    resize(size);
}

void MainWindow::saveWindowGeometry(QSettings& store) {
    if (m_geometrySaved)
        return;
    m_geometrySaved = true;
    store.setValue(GeometryKey, saveGeometry());
}

} // namespace chordalis

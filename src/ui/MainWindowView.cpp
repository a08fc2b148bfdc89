// The main window's View menu, its keyboard, the neck's share of the height and the metronome's
// beat in the status bar.

#include "app/Program.h"
#include "modes/Modes.h"
#include "ui/BeatIndicator.h"
#include "ui/MainWindow.h"
#include "ui/MetronomeWindow.h"
#include "ui/ModeTabs.h"
#include "ui/NeckView.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTabBar>
#include <algorithm>

namespace chordalis {

namespace {

// A checkable entry bound to a flag of the view settings.
QAction* addToggle(QMenu* menu, const QString& name, const QString& caption, bool& flag,
                   const std::function<void()>& changed) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setCheckable(true);
    action->setChecked(flag);
    QObject::connect(action, &QAction::toggled, menu, [&flag, changed](bool on) {
        flag = on;
        changed();
    });
    return action;
}

// A submenu of exclusive choices bound to a setting.
template <class Enum>
QMenu* addChoices(QMenu* menu, const QString& name, const QString& caption, Enum& setting,
                  std::initializer_list<std::pair<Enum, const char*>> choices,
                  const std::function<void()>& changed) {
    QMenu* sub = menu->addMenu(caption);
    sub->setObjectName(name);
    auto* group = new QActionGroup(sub);
    int i = 0;
    for (const auto& [value, text] : choices) {
        QAction* action = sub->addAction(QLatin1String(text));
        action->setObjectName(name + QString::number(i++));
        action->setCheckable(true);
        action->setChecked(value == setting);
        group->addAction(action);
        QObject::connect(action, &QAction::triggered, sub, [&setting, value, changed] {
            setting = value;
            changed();
        });
    }
    return sub;
}

// What the pages with a Play button play.
bool hasPlay(Mode mode) {
    return mode != Mode::Notes && mode != Mode::ChordScale;
}

} // namespace

MainWindow::~MainWindow() {
    // The program outlives the window: nothing may call back into it.
    m_program.setNeckChangedHook({});
    m_program.metronome().setBeatObserver({});
}

void MainWindow::createViewMenu() {
    QMenu* view = new QMenu(QStringLiteral("&View"), this);
    view->setObjectName(QStringLiteral("mnuView"));
    // Before Help, as desktops order their menus.
    menuBar()->insertMenu(menuBar()->actions().constLast(), view);

    static const char* const Captions[ModeCount] = {
        "&Chords", "&Scales", "&Arpeggios", "&Notes", "&Triads", "Chor&d/Scale", "Chord &Finder"};
    for (int i = 0; i < ModeCount; ++i) {
        QAction* mode = view->addAction(QLatin1String(Captions[i]));
        mode->setObjectName(QStringLiteral("mnuMode%1").arg(i));
        mode->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + i)));
        connect(mode, &QAction::triggered, this, [this, i] { m_modes->setCurrentIndex(i); });
    }
    view->addSeparator();
    QAction* previous = view->addAction(QStringLiteral("Pre&vious Root"));
    previous->setObjectName(QStringLiteral("mnuPreviousRoot"));
    previous->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Left));
    connect(previous, &QAction::triggered, this, [this] { stepRoot(-1); });
    QAction* next = view->addAction(QStringLiteral("Ne&xt Root"));
    next->setObjectName(QStringLiteral("mnuNextRoot"));
    next->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Right));
    connect(next, &QAction::triggered, this, [this] { stepRoot(1); });
    view->addSeparator();

    ViewSettings& v = m_program.viewSettings();
    const std::function<void()> changed = [this] {
        viewChanged();
    };
    addChoices(view, QStringLiteral("mnuLabels"), QStringLiteral("Marker &Labels"), v.labels,
               {{MarkerLabels::Fingers, "&Fingers on Chords and Triads, Else Note Names"},
                {MarkerLabels::Notes, "&Note Names"},
                {MarkerLabels::Intervals, "&Intervals from the Root"}},
               changed);
    addChoices(view, QStringLiteral("mnuFretNumbers"), QStringLiteral("Fret N&umbers"),
               v.fretNumbers,
               {{FretNumbers::None, "&None"},
                {FretNumbers::Inlays, "&3, 5, 7, 9, 12, 15"},
                {FretNumbers::Every, "&Every Fret"}},
               changed);
    addToggle(view, QStringLiteral("mnuShadePosition"), QStringLiteral("Shade the &Position"),
              v.shadePosition, changed);
    addToggle(view, QStringLiteral("mnuOutlineRoots"), QStringLiteral("&Outline Root Notes"),
              v.outlineRoots, changed);
    addToggle(view, QStringLiteral("mnuHighlightPlaying"),
              QStringLiteral("&Highlight the Sounding Note"), v.highlightSounding, changed);
    addToggle(view, QStringLiteral("mnuBeatIndicator"),
              QStringLiteral("&Beat Indicator in the Status Bar"), v.beatIndicator, changed);
    view->addSeparator();
    addChoices(view, QStringLiteral("mnuRuns"), QStringLiteral("Scale and Arpeggio &Runs"), v.run,
               {{RunRoute::OneOctave, "&One Octave from the Root"},
                {RunRoute::AsShown, "&As Shown: Up and Down the Position"}},
               changed);
}

void MainWindow::installKeyboard() {
    // The entries other parts of the window carry out get their keys here.
    if (auto* print = findChild<QAction*>(QStringLiteral("mnuPrint")))
        print->setShortcut(QKeySequence::Print);
    if (auto* guide = findChild<QAction*>(QStringLiteral("mnuUserGuide")))
        guide->setShortcut(QKeySequence::HelpContents);

    auto* space = new QShortcut(QKeySequence(Qt::Key_Space), this);
    space->setObjectName(QStringLiteral("shortcutPlay"));
    connect(space, &QShortcut::activated, this, &MainWindow::spacePressed);

    // The root tabs take the focus on a click too, and step round with the arrow keys.
    m_rootTabs->setFocusPolicy(Qt::StrongFocus);
    m_rootTabs->installEventFilter(this);

    m_beat = new BeatIndicator;
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->addPermanentWidget(m_beat);
    statusBar()->hide();
    connect(m_beat, &BeatIndicator::clicked, this, &MainWindow::showMetronome);
    // A notice that has run its time leaves the status bar to the beat, or hides it.
    connect(statusBar(), &QStatusBar::messageChanged, this, [this] { showBeat(); });
}

void MainWindow::spacePressed() {
    QWidget* focus = QApplication::focusWidget();
    if (auto* button = qobject_cast<QAbstractButton*>(focus)) {
        button->click();
        return;
    }
    if (auto* list = qobject_cast<QComboBox*>(focus)) {
        list->showPopup();
        return;
    }
    const Mode mode = m_modes->mode();
    if (hasPlay(mode))
        m_program.playCommand(mode);
}

void MainWindow::stepRoot(int steps) {
    chordalis::stepRootTab(m_program.context(), steps);
    showPages();
}

void MainWindow::viewChanged() {
    showPages();
    fitNeck();
    showBeat();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize) {
        fitNeck();
    } else if (watched == m_rootTabs && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = !(key->modifiers() & ~Qt::KeypadModifier);
        if (plain && (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right)) {
            stepRoot(key->key() == Qt::Key_Left ? -1 : 1);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::fitNeck() {
    QWidget* central = centralWidget();
    const QMargins margins = central->layout()->contentsMargins();
    const int width = central->width() - margins.left() - margins.right();
    const int wanted = m_neck->heightForWidth(width);
    // What lies under the neck at the size it asks for; the neck gives way first.
    const int below = central->layout()->spacing() * 2 + 8 + 4 + m_rootTabs->sizeHint().height() +
                      m_modes->sizeHint().height();
    const int room = central->height() - margins.top() - margins.bottom() - below;
    const int least = m_neck->minimumSizeHint().height();
    m_neck->setPreferredHeight(std::clamp(room, least, std::max(wanted, least)));
}

void MainWindow::showBeat() {
    const Metronome& metronome = m_program.metronome();
    const bool shown = (m_program.state().view.beatIndicator && metronome.isRunning()) ||
                       !statusBar()->currentMessage().isEmpty();
    m_beat->setBeat(metronome.beat(), m_program.state().metronome.beats,
                    m_program.state().metronome.tempo);
    if (statusBar()->isVisibleTo(this) != shown)
        statusBar()->setVisible(shown);
}

void MainWindow::showSoundNotice(const QString& text) {
    constexpr int ShownMs = 15000;
    statusBar()->showMessage(text, ShownMs);
}

} // namespace chordalis

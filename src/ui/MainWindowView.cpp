// The main window's View menu, its keyboard, the neck's share of the height and the metronome's
// beat in the status bar.

#include "app/ListeningControl.h"
#include "app/Program.h"
#include "modes/Modes.h"
#include "theory/Instruments.h"
#include "ui/BeatIndicator.h"
#include "ui/MainWindow.h"
#include "ui/MetronomeWindow.h"
#include "ui/ModeTabs.h"
#include "ui/NeckView.h"
#include "ui/ProgressionsView.h"
#include "ui/Theme.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
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
    m_program.setBeatHook({});
    m_program.progressions().changed = nullptr;
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
    QAction* progressions = view->addAction(QStringLiteral("Pro&gressions"));
    progressions->setObjectName(QStringLiteral("mnuModeProgressions"));
    progressions->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + ModeCount)));
    connect(progressions, &QAction::triggered, this,
            [this] { m_modes->setCurrentIndex(ModeTabs::ProgressionsTab); });
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
    createNeckMenu(view);
    addChoices(view, QStringLiteral("mnuRuns"), QStringLiteral("Scale and Arpeggio &Runs"), v.run,
               {{RunRoute::OneOctave, "&One Octave from the Root"},
                {RunRoute::AsShown, "&As Shown: Up and Down the Position"}},
               changed);
    view->addSeparator();
    addChoices(view, QStringLiteral("mnuTheme"), QStringLiteral("The&me"), v.theme,
               {{Theme::System, "&System: as the Desktop"},
                {Theme::Light, "&Light"},
                {Theme::Dark, "&Dark"}},
               [this] { themeChanged(); });
}

namespace {

// The caption with an accelerator on the first of its letters or digits no entry of the same menu
// has taken yet (digits first where they say most).
QString accelerated(const QString& caption, QSet<QChar>& used, bool digitsFirst = false) {
    for (bool digits : {digitsFirst, false}) {
        for (qsizetype k = 0; k < caption.size(); ++k) {
            const QChar c = caption[k].toLower();
            if ((digits ? !c.isDigit() : !c.isLetterOrNumber()) || used.contains(c))
                continue;
            used.insert(c);
            return caption.left(k) + u'&' + caption.mid(k);
        }
    }
    return caption;
}

} // namespace

void MainWindow::createNeckMenu(QMenu* view) {
    QMenu* neck = view->addMenu(QStringLiteral("N&eck"));
    neck->setObjectName(QStringLiteral("mnuNeck"));
    auto entry = [](QMenu* menu, const QString& name, const QString& caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        return action;
    };
    auto take = [this](const Instrument& instrument) {
        setInstrument(m_program.context(), instrument);
        viewChanged();
    };

    // Instruments: the guitar in standard tuning (Options > Tuning tunes it further), then the
    // other tunings and instruments, each with its frets.
    QMenu* instruments = neck->addMenu(QStringLiteral("&Instrument"));
    instruments->setObjectName(QStringLiteral("mnuInstrument"));
    QSet<QChar> used;
    connect(entry(instruments, QStringLiteral("mnuInstrument0"),
                  accelerated(QStringLiteral("Six-String Guitar, Standard Tuning"), used)),
            &QAction::triggered, this, [take] { take(Instrument{}); });
    instruments->addSeparator();
    for (size_t k = 0; k < InstrumentPresets.size(); ++k) {
        const InstrumentPreset& preset = InstrumentPresets[k];
        connect(entry(instruments, QStringLiteral("mnuInstrument%1").arg(k + 1),
                      accelerated(QString::fromUtf8(preset.name), used)),
                &QAction::triggered, this, [take, &preset] { take(preset.instrument()); });
    }

    // Frets: the common neck lengths; the current one checked.
    QMenu* frets = neck->addMenu(QStringLiteral("&Frets"));
    frets->setObjectName(QStringLiteral("mnuFrets"));
    auto* fretGroup = new QActionGroup(frets);
    used.clear();
    for (int count : {12, 15, 17, 19, 20, 21, 22, 24}) {
        QAction* a = entry(frets, QStringLiteral("mnuFrets%1").arg(count),
                           accelerated(QStringLiteral("%1 Frets").arg(count), used, true));
        a->setCheckable(true);
        a->setData(count);
        fretGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, take, count] {
            Instrument instrument = m_program.state().instrument;
            instrument.frets = count;
            take(instrument);
        });
    }
    connect(frets, &QMenu::aboutToShow, this, [this, fretGroup] {
        for (QAction* a : fretGroup->actions())
            a->setChecked(a->data().toInt() == m_program.state().maxFret());
    });

    // The capo: its fret, and the strings it lies across.
    QMenu* capo = neck->addMenu(QStringLiteral("&Capo"));
    capo->setObjectName(QStringLiteral("mnuCapo"));
    auto* capoGroup = new QActionGroup(capo);
    used.clear();
    auto put = [this](Capo c) {
        if (setCapo(m_program.context(), c))
            viewChanged();
    };
    for (int fret = 0; fret <= Capo::MaxCapoFret; ++fret) {
        QAction* a = entry(
            capo, QStringLiteral("mnuCapo%1").arg(fret),
            accelerated(fret == 0 ? QStringLiteral("None") : QStringLiteral("Fret %1").arg(fret),
                        used, true));
        a->setCheckable(true);
        a->setData(fret);
        capoGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, put, fret] {
            Capo c = m_program.state().capo;
            c.fret = fret;
            if (fret == 0)
                c = Capo{};
            put(c);
        });
    }
    capo->addSeparator();
    struct Across {
        int high, low; // 0, 0: every string
        const char* caption;
    };
    static constexpr Across Spans[] = {
        {0, 0, "Across All Strings"},    {3, 5, "Across Strings 5 to 3"},
        {2, 5, "Across Strings 5 to 2"}, {2, 4, "Across Strings 4 to 2"},
        {1, 3, "Across Strings 3 to 1"}, {4, 6, "Across Strings 6 to 4"}};
    auto* spanGroup = new QActionGroup(capo);
    for (size_t k = 0; k < std::size(Spans); ++k) {
        const Across span = Spans[k];
        QAction* a = entry(capo, QStringLiteral("mnuCapoSpan%1").arg(k),
                           accelerated(QLatin1String(span.caption), used));
        a->setCheckable(true);
        spanGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, put, span] {
            Capo c = m_program.state().capo;
            c.highString = span.high;
            c.lowString = span.low;
            if (c.fret == 0 && span.high > 0)
                c.fret = 2; // a capo across some strings sits most often at the 2nd fret
            put(c);
        });
    }
    connect(capo, &QMenu::aboutToShow, this, [this, capoGroup, spanGroup] {
        const Capo& c = m_program.state().capo;
        const Instrument& neck = m_program.state().instrument;
        for (QAction* a : capoGroup->actions()) {
            a->setChecked(a->data().toInt() == c.fret);
            a->setEnabled(a->data().toInt() < neck.frets);
        }
        const auto actions = spanGroup->actions();
        for (qsizetype k = 0; k < actions.size(); ++k) {
            const Across& span = Spans[size_t(k)];
            actions[k]->setChecked(c.highString == span.high && c.lowString == span.low);
            actions[k]->setEnabled(span.low <= neck.strings());
        }
    });
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
    // Beside a sound notice: where to do something about it.
    m_soundSettings = new QPushButton(QStringLiteral("Sound settings..."));
    m_soundSettings->setObjectName(QStringLiteral("cmdSoundSettings"));
    m_soundSettings->setFlat(true);
    m_soundSettings->setCursor(Qt::PointingHandCursor);
    m_soundSettings->setAutoDefault(false);
    m_soundSettings->hide();
    statusBar()->addPermanentWidget(m_soundSettings);
    connect(m_soundSettings, &QPushButton::clicked, this, &MainWindow::showPlaybackSettings);
    statusBar()->hide();
    connect(m_beat, &BeatIndicator::clicked, this, &MainWindow::showMetronome);
    // A notice that has run its time leaves the status bar to the beat, or hides it.
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& text) {
        if (text.isEmpty())
            m_soundSettings->hide();
        showBeat();
    });
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
    if (m_modes->onProgressions()) {
        ProgressionSession& loop = m_program.progressions();
        if (loop.page().playing)
            loop.stop();
        else
            loop.play();
        m_progressions->showPage();
        return;
    }
    const Mode mode = m_modes->mode();
    if (hasPlay(mode))
        m_program.playCommand(mode);
}

void MainWindow::stepRoot(int steps) {
    chordalis::stepRootTab(m_program.context(), steps);
    if (m_modes->onProgressions())
        m_program.progressions().rootChanged();
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
    // What lies under the neck at the least size that keeps every control in view: the neck
    // takes the height its width asks for as long as the pages keep that, so that in a wide,
    // short window it still fills the width; below it, it gives way first.
    const int below = central->layout()->spacing() * 2 + 8 + 4 + m_rootTabs->sizeHint().height() +
                      m_modes->minimumSizeHint().height();
    const int room = central->height() - margins.top() - margins.bottom() - below;
    const int least = m_neck->minimumSizeHint().height();
    m_neck->setPreferredHeight(std::clamp(room, least, std::max(wanted, least)));
}

void MainWindow::setThemeChooser(const ThemeChooser* themes) {
    if (m_themes && m_themes->scheme())
        disconnect(m_themes->scheme(), nullptr, this, nullptr);
    m_themes = themes;
    if (m_themes && m_themes->scheme())
        connect(m_themes->scheme(), &DesktopScheme::changed, this, [this] {
            if (m_program.state().view.theme == Theme::System)
                themeChanged();
        });
}

void MainWindow::themeChanged() {
    if (m_themes)
        m_themes->apply(m_program.state().view.theme);
    // The tree icons and the finder's chips are made for the palette: made again.
    viewChanged();
}

void MainWindow::showBeat() {
    const Metronome& metronome = m_program.metronome();
    const bool shown = (m_program.state().view.beatIndicator && metronome.isRunning()) ||
                       !statusBar()->currentMessage().isEmpty();
    m_beat->setBeat(metronome.beat(), m_program.state().metronome.beats,
                    m_program.state().metronome.tempo);
    // Beside a notice the beat shows only when asked for and running, so the notice has room.
    m_beat->setVisible(m_program.state().view.beatIndicator && metronome.isRunning());
    if (statusBar()->isVisibleTo(this) != shown)
        statusBar()->setVisible(shown);
}

void MainWindow::showSoundNotice(const QString& text) {
    constexpr int ShownMs = 15000;
    statusBar()->showMessage(text, ShownMs);
    m_soundSettings->show();
}

} // namespace chordalis

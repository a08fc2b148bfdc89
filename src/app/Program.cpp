#include "app/Program.h"

#include "app/FileProblems.h"
#include "app/ProgramFolder.h"
#include "app/ProgressionSettings.h"
#include "app/Settings.h"
#include "app/SkinChooser.h"
#include "app/StartupWarnings.h"
#include "fretboard/Skins.h"
#include "ledguitar/SimulatedGuitar.h"
#include "ledguitar/backends/HidapiTransport.h"
#include "modes/Chords.h"
#include "modes/Commands.h"
#include "modes/Info.h"
#include "modes/LibraryTrees.h"
#include "modes/Modes.h"
#include "modes/RootTabs.h"
#include "modes/TreeClicks.h"
#include "sound/backends/SystemMidiOut.h"

#include <QSettings>
#include <chrono>
#include <cstdio>
#include <utility>

namespace chordalis {

Devices Devices::system() {
    Devices d;
    d.clock = std::make_unique<EventLoopClock>();
    d.midiOut = std::make_unique<SystemMidiOut>();
    d.led = std::make_unique<SilentLedSender>();
    const QByteArray guitar = qgetenv("CHORDALIS_LED_GUITAR");
    if (guitar == "simulated")
        d.hid = std::make_unique<SimulatedGuitar>();
    else if (guitar != "off")
        d.hid = std::make_unique<HidapiTransport>();
    return d;
}

HidTransport& Program::hidTransport(Devices& devices) {
    if (!devices.hid)
        devices.hid = std::make_unique<NoHidTransport>();
    return *devices.hid;
}

Program::Program(QString programFolder, MessageBoxes& boxes, Devices devices, bool quietWarnings)
    : m_devices(std::move(devices)), m_ini(programFolder), m_warnings(quietWarnings),
      m_folder(std::move(programFolder)), m_boxes(boxes) {
    m_fretboard.setLedSender(m_guitar);
    QObject::connect(&m_guitar, &LedGuitar::connectionChanged, [this] {
        if (m_window)
            m_window->showPages(); // the guitar's menu entries follow the connection
    });
    QObject::connect(&m_guitar, &LedGuitar::notice,
                     [this](const QString& text) { m_boxes.inform(BoxIcon::Stop, text); });
    QObject::connect(&m_guitar, &LedGuitar::actionRequested,
                     [this](int action) { pedalAction(action); });
    // The neck follows what the player sounds; the window repaints it.
    m_player.setSoundingObserver([this](int string, int note, bool on) {
        if (note < 0)
            m_fretboard.clearSounding();
        else
            m_fretboard.setSounding(string, note, on);
        if (m_neckChanged)
            m_neckChanged();
    });
    // A loop that plays keeps the metronome's tempo.
    m_metronome.setBeatObserver([this] {
        const bool loopTempo = m_progressions.followTempo();
        if (m_beatHook)
            m_beatHook(loopTempo);
    });
}

void Program::showHeard(const std::vector<int>& notes) {
    m_fretboard.clearSounding();
    for (int note : notes)
        m_fretboard.setSounding(0, note, true);
    if (m_neckChanged)
        m_neckChanged();
    if (m_heardHook)
        m_heardHook(notes);
}

void Program::showChecked(std::vector<CheckedString> checked) {
    m_fretboard.setChecked(std::move(checked));
    if (m_neckChanged)
        m_neckChanged();
}

Program::~Program() {
    waitForOpening();
    // The metronome's queued clicks are taken back before the output goes.
    m_metronome.setRunning(false);
}

std::optional<int> Program::startUp(QSettings& store, QSize screenSize, ProgramWindow* window) {
    m_window = window;
    if (!initTables())
        return 1;
    if (!loadSettings(store, screenSize))
        return 0;
    if (m_window)
        m_window->createWindow();
    loadLibraries();
    if (!applyFretboard(*this) && skinFileExists(m_folder, m_state.fretboardFile))
        m_warnings.warn(QStringLiteral("fretboards/%1 cannot be read as a whole neck picture; the "
                                       "built-in neck is drawn")
                            .arg(m_state.fretboardFile));
    clearNeck(m_context); // the empty neck, as the window is first drawn during the splash
    if (m_window) {
        m_window->showPages();
        m_window->showSplash();
        if (m_shutDown) // ended while the splash was up
            return 0;
        m_window->showWindow();
    }
    if (m_window) {
        m_window->showPages();
        // Once the window is on the screen: the output's slow work (the port list, the sound
        // font, the audio device) starts on a thread of its own, so that it never delays that
        // first frame; over the window come what the data files gave warnings about (stderr is
        // not seen there), then the output's result when it is known.
        m_window->afterFirstFrame([this] {
            beginOpeningSound();
            if (!m_warnings.messages().isEmpty())
                m_boxes.inform(BoxIcon::Exclamation, startupWarningsText(m_warnings.messages()));
            reportUnsavedSettings();
            m_startUpSaid = true;
            if (m_opening.valid() &&
                m_opening.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
                finishOpeningSound();
        });
    } else {
        reportUnsavedSettings();
        openSound();
        m_soundWatch.start();
    }
    if (m_shutDown) // ended while that report was up
        return 0;
    m_guitar.start();
    if (m_shutDown)
        return 0;
    return std::nullopt;
}

void Program::beginOpeningSound() {
    if (!m_window || m_shutDown || m_openingBegun)
        return;
    m_openingBegun = true;
    m_opening = std::async(std::launch::async,
                           [this, out = m_devices.midiOut.get(), device = m_state.playback.device] {
                               out->portNames(); // the list is taken once, here
                               auto error = out->open(device);
                               // Said on the program's thread once the start-up's own messages are
                               // out of the way; a program gone meanwhile takes the call with its
                               // context.
                               QMetaObject::invokeMethod(
                                   &m_openingEnded,
                                   [this] {
                                       if (m_startUpSaid)
                                           finishOpeningSound();
                                   },
                                   Qt::QueuedConnection);
                               return error;
                           });
}

void Program::waitForOpening() {
    if (m_opening.valid())
        m_openingResult = m_opening.get();
}

void Program::finishOpeningSound() {
    beginOpeningSound(); // when the window's first frame never came
    waitForOpening();
    if (!m_openingResult)
        return;
    const std::optional<QString> error = *m_openingResult;
    m_openingResult.reset();
    if (m_shutDown)
        return;
    reportOpening(error);
    // Watched from now on: the output is no longer being opened on another thread.
    m_soundWatch.start();
}

void Program::keepOpeningError(const std::optional<QString>& error) {
    m_openingError = error.value_or(QString());
}

void Program::reportOpening(const std::optional<QString>& error) {
    keepOpeningError(error);
    if (error)
        m_boxes.inform(BoxIcon::Stop, QLatin1String(MidiOpenFailure) + *error);
    m_player.programChange(); // dropped when nothing is open
}

bool Program::initTables() {
    if (const auto missing = firstMissingLibraryFile(m_folder)) {
        m_boxes.inform(BoxIcon::Stop, missingFileMessage(m_folder, *missing));
        return false;
    }
    return true;
}

bool Program::loadSettings(QSettings& store, QSize screenSize) {
    if (screenSize.width() < 800 || screenSize.height() < 600) {
        if (!m_boxes.ask(BoxIcon::Exclamation, QLatin1String(ScreenQuestion)))
            return false;
    }
    readSettings(store, m_state);
    m_state.resetSelections();
    m_settingsLoaded = true;
    m_settingsAsRead = settingsTexts(m_state);
    const ProgressionChoices choices = readProgressionChoices(store);
    m_progressions.restore(choices);
    m_progressionChoicesAsRead = progressionChoiceTexts(choices);
    m_unsaved = takeUnsavedNote(store.fileName());
    return true;
}

void Program::reportUnsavedSettings() {
    if (const auto note = std::exchange(m_unsaved, std::nullopt); note && !m_shutDown)
        m_boxes.inform(BoxIcon::Exclamation, unsavedSettingsText(*note));
}

void Program::loadLibraries() {
    chordalis::loadLibraries(m_context);
    m_search = SearchIndex(m_state.chords, m_state.scales, m_state.triads);
    m_state.ledConnected = false;
    m_state.ledOptionLeft = 1;
    m_state.ledOptionRight = 1;
}

bool Program::openSound() {
    MidiOut& out = midiOut();
    m_openingBegun = true;   // start-up's opening, had it not begun, is this one
    m_openingResult.reset(); // this opening's result is the one that counts
    out.close();
    const auto error = openChosen();
    reportOpening(error);
    return !error;
}

QStringList Program::listPorts() {
    MidiOut& out = midiOut();
    QStringList before = out.portNames();
    if (m_chosenPortAbsent)
        before << m_chosenPort;
    const int device = m_state.playback.device;
    if (device != m_chosenPortDevice || m_chosenPort.isEmpty())
        m_chosenPort = device >= 0 && device < before.size() ? before[device] : QString();
    QStringList now = out.listPortsAgain();
    m_chosenPortAbsent = !m_chosenPort.isEmpty() && !now.contains(m_chosenPort);
    if (m_chosenPortAbsent)
        now << m_chosenPort;
    if (!m_chosenPort.isEmpty())
        m_state.playback.device = int(now.indexOf(m_chosenPort));
    m_chosenPortDevice = m_state.playback.device;
    return now;
}

std::optional<QString> Program::openChosen() {
    const int device = m_state.playback.device;
    if (m_chosenPortAbsent && device == m_chosenPortDevice)
        return QStringLiteral("The MIDI port \"%1\" is not connected.").arg(m_chosenPort);
    // The port opened is followed by its name from now on.
    const QStringList ports = midiOut().portNames();
    if (device != m_chosenPortDevice || m_chosenPort.isEmpty()) {
        m_chosenPort = device >= 0 && device < ports.size() ? ports[device] : QString();
        m_chosenPortDevice = device;
        m_chosenPortAbsent = false;
    }
    return midiOut().open(device);
}

std::optional<QString> Program::reopenSound() {
    MidiOut& out = midiOut();
    out.close();
    // A port is looked for again: it may have been plugged in, or back, since the last list.
    if (m_state.playback.device >= 0)
        listPorts();
    auto error = openChosen();
    keepOpeningError(error);
    if (!error)
        m_player.programChange();
    return error;
}

QString Program::soundState() {
    MidiOut& out = midiOut();
    if (out.isOpen()) {
        const QString name = out.outputName();
        return QStringLiteral("Sound: %1.").arg(name.isEmpty() ? QStringLiteral("open") : name);
    }
    return QStringLiteral("No sound: %1")
        .arg(m_openingError.isEmpty() ? QStringLiteral("the output is closed.") : m_openingError);
}

void Program::sayWhySilent() {
    if (midiOut().isOpen())
        return;
    if (m_soundWatch.isLost()) {
        m_soundWatch.silentPlay();
        return;
    }
    // The backend's details were in the start-up box and stay in the playback settings: the
    // notice is one short line.
    m_soundWatch.notice(QStringLiteral("Nothing sounds: the sound output could not be opened. "
                                       "Choose it again, or another, in Sound settings."));
}

bool Program::confirmQuit(QSettings& store) {
    if (!m_boxes.ask(BoxIcon::Question, QLatin1String(QuitQuestion)))
        return false;
    shutDown(store);
    return true;
}

void Program::shutDown(QSettings& store) {
    if (m_shutDown)
        return;
    m_shutDown = true;
    // Ended before the settings were read: what the store holds stays as it is.
    if (m_settingsLoaded) {
        // Only what this run changed: another instance's changes to other keys stay.
        const QStringList written = writeChangedSettings(store, m_state, m_settingsAsRead);
        writeProgressionChoices(store, m_progressions.choices(), m_progressionChoicesAsRead);
        if (m_window)
            m_window->saveWindowState(store);
        store.sync();
        // A store that cannot be written (read-only file or folder, a folder in its place, a
        // full disk) is said on stderr and at the next start; the end waits for no one.
        if (store.status() != QSettings::NoError) {
            UnsavedSettings note{store.fileName(), writeProblem(store.fileName()), {}};
            const SettingsTexts now = settingsTexts(m_state);
            for (const QString& key : written)
                if (m_settingsAsRead.value(key) != now.value(key))
                    note.changes << key + QStringLiteral(" = ") + now.value(key);
            std::fprintf(stderr, "%s\n", qPrintable(unsavedSettingsLine(note)));
            keepUnsavedNote(note);
        }
    }
    waitForOpening();
    m_soundWatch.stop();
    m_info.close();
    m_progressions.stop();
    m_metronome.setRunning(false);
    midiOut().close();
    m_fretboard.resetLeds(); // the guitar's lights off
    m_guitar.stop();
}

void Program::playCommand(Mode mode) {
    if (const QString refusal = playRefusal(m_state, mode); !refusal.isEmpty()) {
        m_boxes.inform(BoxIcon::Exclamation, refusal);
        return;
    }
    waitForOpening();
    sayWhySilent();
    const PositionList* list = positionList(m_pages, mode);
    playShown(m_state, m_player, mode, list ? fretWindow(*list, m_state.maxFret()) : FretWindow{});
}

void Program::pedalAction(int action) {
    // The steps move the focused list with keys, which only the active window takes.
    if (!m_state.mainWindowActive)
        return;
    const Mode mode = m_pages.mode;
    switch (action) {
    case RootNoteAction:
        if (const int tab = nextRootTab(m_pages.rootTab))
            rootChange(m_context, tab);
        break;
    case PlaySoundAction:
        if (pedalPlays(mode))
            playCommand(mode);
        return;
    case LightsAction:
        if (m_guitar.lightsOn()) {
            m_fretboard.resetLeds(); // sent while still on, so the guitar goes dark
            m_guitar.setLightsOn(false);
        } else {
            m_guitar.setLightsOn(true);
            rootChange(m_context, m_pages.rootTab); // redraws and sends the current display
        }
        break;
    case AdvancePrimaryAction:
    case AdvanceSecondaryAction:
        if (m_progressions.shown()) {
            // On the progressions page the steps go through its chords, forwards and back.
            m_progressions.stepChord(action == AdvancePrimaryAction ? 1 : -1);
            break;
        }
        if (const auto list = steppedList(mode, action == AdvanceSecondaryAction); list && m_window)
            m_window->stepList(*list);
        return;
    default:
        return;
    }
    if (m_window)
        m_window->showPages();
}

void Program::setPedalActions(int left, int right) {
    m_state.ledOptionLeft = left;
    m_state.ledOptionRight = right;
}

QString Program::showFound(const Found& found) {
    struct Page {
        Mode mode;
        TreeId tree;
        const char* what;
    };
    const Page page = found.mode == FoundMode::Chord   ? Page{Mode::Chords, TreeId::Chords, "chord"}
                      : found.mode == FoundMode::Scale ? Page{Mode::Scales, TreeId::Scales, "scale"}
                      : found.mode == FoundMode::Arpeggio
                          ? Page{Mode::Arpeggios, TreeId::Arpeggios, "arpeggio"}
                      : found.mode == FoundMode::Triad ? Page{Mode::Triads, TreeId::Triads, "triad"}
                                                       : Page{Mode::Notes, TreeId::Chords, "note"};
    if (found.rootTab >= 1 && found.rootTab <= int(RootTabs.size()))
        selectRootTab(m_context, found.rootTab);
    modeDispatch(m_context, page.mode);
    if (page.mode == Mode::Notes)
        return {};
    if (!chooseItem(m_context, page.tree, found.item))
        return QStringLiteral("The library has no %1 %2.")
            .arg(QLatin1String(page.what), found.name);
    if (found.bass >= 0 && page.mode == Mode::Chords && !putBassFirst(m_context, found.bass))
        return QStringLiteral("No grip of %1 has %2 in the bass; the usual list is shown.")
            .arg(found.name.section(QLatin1String(" over "), 0, 0), found.bassName);
    return {};
}

bool Program::infoCommand(Mode mode) {
    if (const QString refusal = infoRefusal(m_state, mode); !refusal.isEmpty()) {
        m_boxes.inform(BoxIcon::Exclamation, refusal);
        return false;
    }
    m_progressions.stop(); // the examples sound alone
    // A page without an Info button shows nothing.
    const QString key = infoModeKey(mode);
    return !key.isEmpty() && m_info.showInfo(key, infoItem(m_state, mode));
}

} // namespace chordalis

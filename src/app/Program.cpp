#include "app/Program.h"

#include "app/ProgramFolder.h"
#include "app/Settings.h"
#include "app/SkinChooser.h"
#include "modes/Commands.h"
#include "modes/LibraryTrees.h"
#include "sound/backends/SystemMidiOut.h"

#include <QSettings>

namespace chordalis {

Devices Devices::system() {
    Devices d;
    d.clock = std::make_unique<EventLoopClock>();
    d.midiOut = std::make_unique<SystemMidiOut>();
    d.led = std::make_unique<SilentLedSender>();
    return d;
}

Program::Program(QString programFolder, MessageBoxes& boxes, Devices devices, bool quietWarnings)
    : m_devices(std::move(devices)), ini(programFolder), warnings(quietWarnings),
      m_folder(std::move(programFolder)), m_boxes(boxes) {}

Program::~Program() {
    waitForOpening();
    // The metronome's queued clicks are taken back before the output goes.
    metronome.setRunning(false);
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
    applyFretboard(*this);
    if (m_window) {
        m_window->showPages();
        // The output's slow work (the port list, the sound font, the audio device) goes on
        // while the splash is up; nothing else uses the output meanwhile.
        m_opening = std::async(std::launch::async,
                               [out = m_devices.midiOut.get(), device = state.playback.device] {
                                   out->portNames(); // the list is taken once, here
                                   return out->open(device);
                               });
        m_window->showSplash();
        if (m_shutDown) // ended while the splash was up
            return 0;
        m_window->showWindow();
    }
    clearNeck(m_context); // the empty neck
    if (m_window) {
        m_window->showPages();
        // Reported once the window is on the screen, over it.
        m_window->afterFirstFrame([this] { finishOpeningSound(); });
    } else {
        openSound();
    }
    if (m_shutDown) // ended while that report was up
        return 0;
    return std::nullopt;
}

void Program::waitForOpening() {
    if (m_opening.valid())
        m_openingResult = m_opening.get();
}

void Program::finishOpeningSound() {
    waitForOpening();
    if (!m_openingResult)
        return;
    const std::optional<QString> error = *m_openingResult;
    m_openingResult.reset();
    if (m_shutDown)
        return;
    if (error)
        m_boxes.inform(BoxIcon::Stop, QLatin1String(MidiOpenFailure) + *error);
    player.programChange(); // dropped when nothing is open
}

bool Program::initTables() {
    state.maxScreenFret = DefaultMaxFret;
    state.maxFret = DefaultMaxFret;
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
    readSettings(store, state);
    state.resetSelections();
    m_settingsLoaded = true;
    return true;
}

void Program::loadLibraries() {
    chordalis::loadLibraries(m_context);
    state.ledConnected = false;
    state.ledOptionLeft = 1;
    state.ledOptionRight = 1;
}

bool Program::openSound() {
    MidiOut& out = midiOut();
    m_openingResult.reset(); // this opening's result is the one that counts
    out.close();
    const auto error = out.open(state.playback.device);
    if (error)
        m_boxes.inform(BoxIcon::Stop, QLatin1String(MidiOpenFailure) + *error);
    player.programChange(); // dropped when nothing is open
    return !error;
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
        writeSettings(store, state);
        if (m_window)
            m_window->saveWindowState(store);
        store.sync();
    }
    waitForOpening();
    metronome.setRunning(false);
    midiOut().close();
    led().sendFrame({}); // the guitar's lights off
}

void Program::playCommand(Mode mode) {
    if (const QString refusal = playRefusal(state, mode); !refusal.isEmpty()) {
        m_boxes.inform(BoxIcon::Exclamation, refusal);
        return;
    }
    waitForOpening();
    playShown(state, player, mode);
}

void Program::infoCommand(Mode mode) {
    if (const QString refusal = infoRefusal(state, mode); !refusal.isEmpty())
        m_boxes.inform(BoxIcon::Exclamation, refusal);
    // With a selection the information window opens; it comes with the info pages.
}

} // namespace chordalis

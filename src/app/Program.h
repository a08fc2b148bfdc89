#pragma once

#include "app/InfoSession.h"
#include "app/MessageBoxes.h"
#include "app/OutputWatch.h"
#include "app/PedalActions.h"
#include "app/ProgressionSession.h"
#include "app/Settings.h"
#include "app/UnsavedSettings.h"
#include "fretboard/Fretboard.h"
#include "fretboard/LedSender.h"
#include "ledguitar/HidTransport.h"
#include "ledguitar/LedGuitar.h"
#include "library/IniReader.h"
#include "library/Warnings.h"
#include "modes/AppState.h"
#include "modes/ModeContext.h"
#include "modes/Pages.h"
#include "search/SearchIndex.h"
#include "sound/Clock.h"
#include "sound/Metronome.h"
#include "sound/MidiFilePlayer.h"
#include "sound/MidiOut.h"
#include "sound/Player.h"

#include <QObject>
#include <QSize>
#include <functional>
#include <future>
#include <memory>
#include <optional>

class QSettings;

namespace chordalis {

inline constexpr const char* ScreenQuestion =
    "It is recommended that you use a screen resolution of at least 800x600 for this program.  "
    "Do you wish to continue?";
inline constexpr const char* QuitQuestion = "Are you sure you want to quit?";
inline constexpr const char* MidiOpenFailure =
    "A system error has occured while trying to open a MIDI output channel.\r\n"
    "This program will function fully except for playback support.\r\n\r\n"
    "Error Details: ";

// The devices the program plays and lights through. The program owns them.
struct Devices {
    std::unique_ptr<Clock> clock;
    std::unique_ptr<MidiOut> midiOut; // may refer to the clock
    std::unique_ptr<LedSender> led;
    // Where an LED guitar is looked for; null: nowhere. Every frame goes to `led` as well.
    std::unique_ptr<HidTransport> hid;

    // The real ones: an event-loop clock, the built-in synthesizer and the system's MIDI ports,
    // and the system's HID devices. The environment variable CHORDALIS_LED_GUITAR set to
    // "simulated" puts a simulated guitar in their place, "off" looks for none.
    static Devices system();
};

// The window layer as start-up and shut-down see it. Without one (tests, the companion tool)
// start-up runs headless.
class ProgramWindow {
public:
    virtual ~ProgramWindow() = default;
    // Builds the main window, hidden: after the settings, before the libraries.
    virtual void createWindow() = 0;
    // Shows the splash window and waits for it.
    virtual void showSplash() = 0;
    // Shows the main window.
    virtual void showWindow() = 0;
    // Copies the page models into the window's controls.
    virtual void showPages() = 0;
    // Calls `then` once the shown main window's first frame is on the screen (at once, for a
    // window that draws nowhere).
    virtual void afterFirstFrame(std::function<void()> then) { then(); }
    // Keeps the window's own state (its geometry) in the store at shut-down.
    virtual void saveWindowState(QSettings& store) = 0;
    // Gives the list the keyboard focus and steps it as the keys Right and Down would (Home
    // when that moves nothing); the list's own click behaviour runs.
    virtual void stepList(const SteppedList&) {}
};

// The program: the shared state, the page models and the data files of one program folder, the
// neck, and the devices with the player and the metronome that use them. It runs the one
// start-up and the one shut-down; the window, the companion tool and the tests all drive it.
class Program {
    Devices m_devices; // first: everything below refers to them

public:
    Program(QString programFolder, MessageBoxes& boxes, Devices devices,
            bool quietWarnings = false);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program();

    // The start-up, in this order: the library files check; the screen check and the settings;
    // the window is built; the libraries with their trees and every page reset, the LED guitar
    // state and the neck picture; the splash; the main window is shown with the empty neck; the
    // playback output is opened (a failure is reported over the window) and the instrument
    // chosen; an LED guitar is looked for. With a window, the output (the port list, the sound
    // font, the audio device) is opened on a thread of its own once the main window's first
    // frame is on the screen, so that nothing of it competes with that frame; its result is
    // taken, and a failure reported, when it ends (finishOpeningSound).
    // Returns the exit status when start-up ends the program (1 for a missing library file, 0 when
    // the user declines a small screen or the program was ended meanwhile), nothing when it runs
    // on.
    std::optional<int> startUp(QSettings& store, QSize screenSize, ProgramWindow* window = nullptr);

    // The steps of start-up, for the companion tool, which sets its options between them.
    // False (after the fatal message) when a library file is missing.
    bool initTables();
    // The screen check, then the settings, then the start values of the root and selections.
    // False when the user declines to go on with a small screen.
    bool loadSettings(QSettings& store, QSize screenSize);
    // The libraries, their trees and every page reset, then the LED guitar state.
    void loadLibraries();
    // Opens the output the playback settings choose (closing what was open) and sends the chosen
    // instrument. A device that cannot be opened is reported with the backend's own words, and
    // the program goes on without sound. Returns whether the output is open.
    bool openSound();

    // Takes the result of the output's opening begun at start-up, when it has not been taken:
    // reports a failure, sends the chosen instrument and starts the sound watch. Waits for the
    // opening to end (begun here if the window's first frame has not begun it). Start-up calls it
    // by itself when the opening ends.
    void finishOpeningSound();

    // Opens the output again as the settings choose, without a message box, and sends the
    // chosen instrument: the error when it cannot be opened. The watch uses it, and the playback
    // settings' Retry.
    std::optional<QString> reopenSound();
    // Lists the system's MIDI output ports again (a device plugged in after start-up) for the
    // playback settings' device list. The chosen port stays chosen by its name wherever the new
    // list puts it; a chosen port that is not there now is kept at the list's end, so that
    // nothing else is opened in its place and it is opened again once it is back. The list the
    // device numbers now count in.
    QStringList listPorts();
    // What the output does now, in a line for the playback settings: "Sound: <output>" or
    // "No sound: <why>".
    QString soundState();
    // Said in the status bar (never in a box) when a Play or an Info finds no output open, and
    // where to choose another; the details are in soundState. Nothing when the output is open.
    void sayWhySilent();
    // Watches the output from the end of start-up to shut-down: a loss is said once, and the
    // output opened again when it is back.
    OutputWatch& soundWatch() { return m_soundWatch; }

    // Asks the quit question; on Yes runs shutDown and returns true.
    bool confirmQuit(QSettings& store);

    // Writes the settings this run changed (and those the store lacks) and the window's state
    // once, stops the metronome, closes the output and switches the guitar's lights off, then
    // lets the guitar go. Later calls do nothing, so a window close, a logout and a termination
    // signal arriving together still write once. Nothing waits for the user: a store that cannot
    // be written is said on stderr and at the next start (UnsavedSettings).
    void shutDown(QSettings& store);
    bool isShutDown() const { return m_shutDown; }

    // A page's Play button: the refusal's message box, or the playback.
    void playCommand(Mode mode);
    // A switch of the guitar's pedal asks for action 1..5 (PedalAction); nothing happens unless
    // the main window is the active window.
    void pedalAction(int action);
    // The names of the loaded libraries, for the search field and `chordalis-cli find`.
    const SearchIndex& search() const { return m_search; }
    // Goes where a search result points, as the user's own clicks would: its page, its root tab
    // (kept when the result names none) and its item. A slash chord's grips are listed with those
    // sounding the bass lowest first. Returns what the status bar is to say: empty when all
    // went as asked, else why not (the library lacks the item, no grip has that bass).
    QString showFound(const Found& found);

    // A page's Info button: the refusal's message box when nothing is chosen, else the
    // information of the chosen item is made ready (`info`). True when the information window
    // is to be shown; false after a refusal or the message that the item's text is missing.
    bool infoCommand(Mode mode);

    const QString& programFolder() const { return m_folder; }
    MessageBoxes& boxes() { return m_boxes; }
    // The output, once an opening begun at start-up has ended.
    MidiOut& midiOut() {
        waitForOpening();
        return *m_devices.midiOut;
    }
    Clock& clock() { return *m_devices.clock; }
    LedSender& led() { return *m_devices.led; }

    // What the window shows: the shared state, the page models, the neck and the warnings.
    const AppState& state() const { return m_state; }
    const MainPages& pages() const { return m_pages; }
    const Fretboard& fretboard() const { return m_fretboard; }
    const Warnings& warnings() const { return m_warnings; }

    // What the display commands (modes/Modes.h, modes/TreeClicks.h) work on.
    ModeContext& context() { return m_context; }

    // The settings the dialogs edit in place, each read afresh where it is used.
    PlaybackSettings& playbackSettings() { return m_state.playback; }
    MetronomeSettings& metronomeSettings() { return m_state.metronome; }
    ViewSettings& viewSettings() { return m_state.view; }
    ListenSettings& listenSettings() { return m_state.listen; }

    // The parts the windows drive: the metronome, the LED guitar (its lights, pattern and
    // pedal), the information window's session and its example player.
    Metronome& metronome() { return m_metronome; }
    const Metronome& metronome() const { return m_metronome; }
    LedGuitar& guitar() { return m_guitar; }
    InfoSession& info() { return m_info; }
    // The progressions page: its key, progression, grips and loop.
    ProgressionSession& progressions() { return m_progressions; }
    const ProgressionSession& progressions() const { return m_progressions; }
    MidiFilePlayer& examplePlayer() { return m_examplePlayer; }
    Player& player() { return m_player; }

    // Every note of the output silenced (Options > All Notes Off).
    void allNotesOff() { m_player.allNotesOff(); }
    // One note through the output, as the tuning dialog's string buttons play it.
    void playNote(int note) { m_player.playSingleNote(note); }
    // Whether the main window is the active window: the pedal works only then.
    void setMainWindowActive(bool active) { m_state.mainWindowActive = active; }
    // The pedal action 1..5 of each switch of the LED guitar.
    std::pair<int, int> pedalActions() const {
        return {m_state.ledOptionLeft, m_state.ledOptionRight};
    }
    void setPedalActions(int left, int right);

    // Called when the neck changes outside a display: a note of a playback starts or stops.
    void setNeckChangedHook(std::function<void()> hook) { m_neckChanged = std::move(hook); }
    // Called after each click of the metronome and when it starts, stops or changes its tempo;
    // `loopTempo`: the loop that plays has taken the metronome's new tempo with it.
    void setBeatHook(std::function<void(bool loopTempo)> hook) { m_beatHook = std::move(hook); }
    // Lights the places of these MIDI notes on the neck as sounding, in place of what sounded
    // before (what the player or the listener heard last): the shown grip's or position's
    // markers of each pitch, else the markers of its pitch class. Empty: nothing lit.
    void showHeard(const std::vector<int>& notes);
    // Marks the verdicts of a strum checked against the grip drawn, in place of the last check;
    // a display's next clear forgets them.
    void showChecked(std::vector<CheckedString> checked);
    // Told the same notes after showHeard has lit them (the practice window takes them as a
    // played answer); empty: nobody is told.
    void setHeardHook(std::function<void(const std::vector<int>&)> hook) {
        m_heardHook = std::move(hook);
    }

private:
    static HidTransport& hidTransport(Devices& devices);
    // Opens the output the settings choose on a thread of its own, once per run and only with
    // a window; its end calls finishOpeningSound on the program's thread.
    void beginOpeningSound();
    void waitForOpening();
    // What the last opening of the output said: empty when it opened.
    void keepOpeningError(const std::optional<QString>& error);
    // An opening's failure message, then the chosen instrument.
    void reportOpening(const std::optional<QString>& error);
    // What the last run could not write to the store, said once.
    void reportUnsavedSettings();

    AppState m_state;
    MainPages m_pages;
    IniReader m_ini;
    Warnings m_warnings;
    Fretboard m_fretboard{m_state.neckSettings(), *m_devices.led};
    Player m_player{m_state.playback, *m_devices.midiOut, *m_devices.clock};
    Metronome m_metronome{m_state.metronome, m_state.playback, *m_devices.midiOut,
                          *m_devices.clock};
    // The LED guitar output and its pedal; the neck's frames go through it.
    LedGuitar m_guitar{hidTransport(m_devices),
                       *m_devices.led,
                       {m_state.ledConnected, m_state.leftHanded, m_state.ledOptionLeft,
                        m_state.ledOptionRight, m_state.instrument}};
    // The information window's examples, played through the same output.
    MidiFilePlayer m_examplePlayer{*m_devices.midiOut, *m_devices.clock};
    InfoSession m_info{*this};
    ModeContext m_context{m_state, m_pages, m_ini, m_fretboard, m_warnings};
    SearchIndex m_search; // made again with every library load
    ProgressionSession m_progressions{*this, *m_devices.midiOut, *m_devices.clock};
    OutputWatch m_soundWatch{*m_devices.midiOut, *m_devices.clock, [this] {
                                 return reopenSound();
                             }};
    // The output's opening on a thread of its own after the window's first frame: the
    // backend's error, if any. Its end is told through m_openingEnded's event queue.
    std::future<std::optional<QString>> m_opening;
    QObject m_openingEnded;
    bool m_openingBegun = false;
    bool m_startUpSaid = false; // the start-up's messages over the window have been shown
    std::optional<std::optional<QString>> m_openingResult; // taken, not yet reported
    // Opens the device the settings choose; a chosen port not in the last list is not opened.
    std::optional<QString> openChosen();
    QString m_openingError; // why the output is closed, from its last opening
    // The chosen port by name, and the device number it had at the last listing (so that a
    // number the user chose since is told apart); empty for the built-in synthesizer.
    QString m_chosenPort;
    int m_chosenPortDevice = -1;
    bool m_chosenPortAbsent = false; // not in the system's last list
    QString m_folder;
    MessageBoxes& m_boxes;
    ProgramWindow* m_window = nullptr;
    std::function<void()> m_neckChanged;
    std::function<void(const std::vector<int>&)> m_heardHook;
    std::function<void(bool)> m_beatHook;
    bool m_settingsLoaded = false;
    SettingsTexts m_settingsAsRead;           // what this run read, to write only its changes
    SettingsTexts m_progressionChoicesAsRead; // the same for the progressions page's choices
    std::optional<UnsavedSettings> m_unsaved; // what the last run on this store could not write
    bool m_shutDown = false;
};

} // namespace chordalis

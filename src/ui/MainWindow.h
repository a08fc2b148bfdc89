#pragma once

#include "modes/Pages.h"
#include "modes/TreeClicks.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>

class QAction;
class QActionGroup;
class QLabel;
class QPushButton;
class QSettings;
class QTabBar;

namespace chordalis {

class ListenInputs;
struct NeckExtras;
class TunerPane;
class BeatIndicator;
class ListeningControl;
class ColourKeyDialog;
class FretlightDialog;
class LedGuitarView;
class MessageBoxes;
class MetronomeWindow;
class PracticeWindow;
class ProgressionsView;
class ModeTabs;
class NeckView;
class PlaybackDialog;
class Program;
class SearchField;
class SkinDialog;
class SplashWindow;
class ThemeChooser;
class TuningDialog;
struct SteppedList;

// frmMain: the neck picture, the root tabs and the mode pages, with the menus. It shows the page
// models of the program and turns the user's actions into calls on the core; whoever changes the
// shared state redraws the current mode.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    static constexpr const char* Caption =
        "Chordalis - The Ultimate Chord, Scale and Arpeggio Reference for Guitarists";
    static constexpr const char* WebSite = "https://chordalis.org";

    // Created hidden; the window geometry of the last run is taken from the store.
    MainWindow(Program& program, QSettings& store, MessageBoxes& boxes, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Copies the page models and the handedness into the controls.
    void showPages();

    // Keeps the window's geometry in the store, once.
    void saveWindowGeometry(QSettings& store);

    // Opens a document of the program folder ("userguide/index.htm") in the desktop's viewer,
    // or reports that it is missing or that nothing could show it.
    void displayHtml(const QString& relativePath);

    // A page's Info button: the refusal, or the information window of the chosen item, modal.
    void showInfo(Mode mode);

    // The dialogs, built at their first use.
    TuningDialog& tuningDialog();
    SkinDialog& skinDialog();
    ColourKeyDialog& colourKey();

    // mnuTuning, mnuFretboard; mnuFColours (fromMenu: refreshed, modal) and CmdKey (as left,
    // without waiting).
    void showTuning();
    void showFretboardDesign();
    void showColourKey(bool fromMenu);
    // mnuFretlight: the LED guitar's options, modal. mnuLedView: the LED Guitar View.
    void showFretlightOptions();
    void showLedView();

    // A pedal's step action: gives the list the focus and sends it Right and Down (a tree) or
    // Down (a position list), then Home when that moved nothing.
    void stepList(const SteppedList& list);

    SplashWindow& splash() const { return *m_splash; }
    NeckView& neck() const { return *m_neck; }
    QTabBar& rootTabs() const { return *m_rootTabs; }
    ModeTabs& modeTabs() const { return *m_modes; }
    ProgressionsView& progressionsView() const { return *m_progressions; }
    // Options > Playback Settings, also the status bar's "Sound settings..." after a notice.
    void showPlaybackSettings();
    // The sound dialogs, null until first shown (the metronome window also after its closing).
    PlaybackDialog* playbackDialog() const { return m_playback; }
    MetronomeWindow* metronomeWindow() const;
    FretlightDialog* fretlightDialog() const { return m_fretlightDialog; }
    LedGuitarView* ledView() const;

    BeatIndicator& beatIndicator() const { return *m_beat; }
    SearchField& searchField() const { return *m_search; }

    // Goes where the text of the search field points (its page, root and item), or says in the
    // status bar that it names nothing, with the nearest names.
    void goToSearch(const QString& text);

    // View > Theme applies its choice through this; without one (tests) the choice is only kept.
    // With Theme System the window follows the chooser's desktop scheme as it changes.
    void setThemeChooser(const ThemeChooser* themes);

    // Space: what Space means to the control with the focus (a button is pressed, a list opens),
    // or else the Play of the current page.
    void spacePressed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenus();
    void createSearch();
    QAction* addAction(QMenu* menu, const QString& name, const QString& caption);
    QAction* addSeparator(QMenu* menu, const QString& name);

    void rootChange();
    void modeDispatch();
    void nodeClicked(TreeId tree, const QString& key);
    void setLeftHanded(bool leftHanded);
    void showMetronome();
    void showPractice();

    void restoreWindowGeometry();

    // MainWindowView.cpp: the View menu, the keyboard, the neck's share of the height and the
    // beat in the status bar.
    void createViewMenu();
    void createNeckMenu(QMenu* view);
    void installKeyboard();
    void stepRoot(int steps);
    void viewChanged();
    void fitNeck();
    void showBeat();
    // The theme of the view settings applied, and what draws its own colours redrawn.
    void themeChanged();
    // A notice about the sound (its output lost or back) in the status bar, for a while.
    void showSoundNotice(const QString& text);

    // MainWindowListen.cpp: the listening toggle (Options > Listen, Ctrl+L; off at every start),
    // the tuner's reading and the notes heard in the status bar, the heard notes lit on the neck.
    void createListening(QMenu* options);
    void setListening(bool on);
    void showHeard();
    ListenInputs& listenInputs();
    // The input chosen in the sound settings changed: listening, if on, moves to it.
    void listenChoiceChanged();
    void listeningExtras(NeckExtras& extras) const;
    // The sound settings' listening section: the inputs listed at each opening, kept at OK.
    void addListenSection(PlaybackDialog& dialog);

    Program& m_program;
    QSettings& m_store;
    MessageBoxes& m_boxes;
    NeckView* m_neck;
    QLabel* m_nonStandard;
    QTabBar* m_rootTabs;
    ModeTabs* m_modes;
    ProgressionsView* m_progressions;
    SplashWindow* m_splash;
    TuningDialog* m_tuning = nullptr;
    SkinDialog* m_skins = nullptr;
    ColourKeyDialog* m_colourKey = nullptr;
    PlaybackDialog* m_playback = nullptr;
    QPointer<MetronomeWindow> m_metronome;
    QPointer<PracticeWindow> m_practice;
    FretlightDialog* m_fretlightDialog = nullptr;
    QPointer<LedGuitarView> m_ledView;
    QAction* m_fretlight = nullptr;
    QAction* m_fretlightSeparator = nullptr;
    QAction* m_rightHanded = nullptr;
    QAction* m_leftHanded = nullptr;
    BeatIndicator* m_beat = nullptr;
    SearchField* m_search = nullptr;
    QPushButton* m_soundSettings = nullptr; // beside a sound notice in the status bar
    const ThemeChooser* m_themes = nullptr;
    bool m_geometrySaved = false;
    QString m_pdfFolder; // where Export as PDF last wrote
    QAction* m_listen = nullptr;
    std::unique_ptr<ListenInputs> m_inputs; // made at the first listening or sound settings
    TunerPane* m_tunerPane = nullptr;
    std::unique_ptr<ListeningControl> m_listening;
};

} // namespace chordalis

#pragma once

#include "sound/Metronome.h"
#include "sound/TapTempo.h"

#include <QDialog>
#include <QElapsedTimer>

class QComboBox;
class QLineEdit;
class QPushButton;
class QSlider;

namespace chordalis {

struct MetronomeSettings;

// frmMetronome: switches the clicks on and off and edits the metronome settings, every change in
// force at once. The tempo is dragged on the slider, typed into its box (taken when the box is
// left or Enter is pressed; beyond 40..400 it is held at the nearest end) or tapped. OK (and
// Escape) only hides the window: the beat goes on while the user works in the main window. The
// close box destroys the window, and with it its metronome and the clicks; the settings remain.
class MetronomeWindow : public QDialog {
    Q_OBJECT

public:
    // The controls are set from the settings, which they edit; the On/Off button and the tempo
    // drive the program's metronome, which must be switched off.
    MetronomeWindow(MetronomeSettings& settings, Metronome& metronome, QWidget* parent = nullptr);

    Metronome& metronome() { return m_metronome; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void beatsEdited(const QString& text);
    void tempoTyped();
    void tapped();
    void stepBeats(int step);
    QWidget* upDown();
    // The On/Off button's caption and icon for the state it is in.
    void showOnOff(bool on);

    MetronomeSettings& m_settings;
    Metronome& m_metronome;
    QPushButton* m_onOff; // checked while the clicks run
    QSlider* m_tempo;
    QLineEdit* m_tempoText;
    QPushButton* m_tap;
    TapTempo m_tapTempo;
    QElapsedTimer m_tapClock;
    QLineEdit* m_beats;
    QComboBox* m_sound1;
    QComboBox* m_sound2;
    QComboBox* m_channel;
};

} // namespace chordalis

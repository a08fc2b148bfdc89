#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QSlider;

namespace chordalis {

struct PlaybackSettings;

// frmPlayback: the output device, channel, instrument and volume of all playback and the speeds
// of chords, scales and arpeggios. Created once and afterwards only hidden and shown, so the
// controls keep what the user left in them, also after Cancel. OK stores what they show and
// reopens the output; Cancel (and the close box) stores nothing. A line under the output says
// whether it sounds, and Retry stores the output chosen and opens it again there and then (a
// device back after a restart of its server, or plugged in again), saying the result on that line
// instead of in a box. The output ports are listed again at each opening and at Retry, so that
// a device plugged in after start-up can be chosen.
class PlaybackDialog : public QDialog {
    Q_OBJECT

public:
    // `ports` lists the system's output ports anew (device k is row k + 1); `reopen` opens the
    // output anew with the stored settings and sends the program change; `retry` does so without
    // a box, returning the error; `state` says what the output does now.
    struct Output {
        std::function<QStringList()> ports;
        std::function<void()> reopen;
        std::function<std::optional<QString>()> retry;
        std::function<QString()> state;
    };
    PlaybackDialog(PlaybackSettings& settings, Output output, QWidget* parent = nullptr);

    // A section of another part's below the tempo (listening's input): `shown` fills it at each
    // opening, `ok` keeps what it shows at OK. The dialog takes the widget.
    void addSection(QWidget* section, std::function<void()> shown, std::function<void()> ok);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void store();
    // Fills the device list from the ports listed now: a row the user picked and has not stored
    // stays picked by its port's name, else the settings' device is shown.
    void listDevices();
    void ok();
    void retry();

    PlaybackSettings& m_settings;
    Output m_output;
    QLabel* m_state;
    QComboBox* m_device;
    QStringList m_ports; // what the device list shows, device k in row k + 1
    int m_storedRow = 0; // the row of the settings' device, as last listed or stored
    QComboBox* m_channel;
    QComboBox* m_instrument;
    QSlider* m_volume;
    QSlider* m_chords;
    QSlider* m_scales;
    QSlider* m_arpeggios;
    std::vector<std::pair<std::function<void()>, std::function<void()>>> m_sections;
};

} // namespace chordalis

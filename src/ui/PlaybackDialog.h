#pragma once

#include <QDialog>
#include <functional>

class QComboBox;
class QSlider;

namespace chordalis {

struct PlaybackSettings;

// frmPlayback: the output device, channel, instrument and volume of all playback and the speeds
// of chords, scales and arpeggios. Created once and afterwards only hidden and shown, so the
// controls keep what the user left in them, also after Cancel. OK stores what they show and
// reopens the output; Cancel (and the close box) stores nothing.
class PlaybackDialog : public QDialog {
    Q_OBJECT

public:
    // `ports` are the output ports listed at start-up; `reopen` opens the output anew with the
    // stored settings and sends the program change.
    PlaybackDialog(PlaybackSettings& settings, const QStringList& ports,
                   std::function<void()> reopen, QWidget* parent = nullptr);

private:
    void ok();

    PlaybackSettings& m_settings;
    std::function<void()> m_reopen;
    QComboBox* m_device;
    QComboBox* m_channel;
    QComboBox* m_instrument;
    QSlider* m_volume;
    QSlider* m_chords;
    QSlider* m_scales;
    QSlider* m_arpeggios;
};

} // namespace chordalis

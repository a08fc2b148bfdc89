#pragma once

#include "listening/AudioInput.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <memory>

class QAudioSource;
class QIODevice;
class QMediaDevices;

namespace chordalis {

// The desktop's capture devices through Qt Multimedia (PulseAudio, PipeWire or ALSA underneath).
// The device is read in the format it prefers (float samples where it offers them), at the rate
// it runs at; any channel count and sample format are mixed down to one channel of -1..1. The
// sink is called on the thread that opened the input, which must run an event loop; so is the
// check for a device that has gone.
class QtAudioInput : public QObject, public AudioInput {
public:
    QtAudioInput();
    ~QtAudioInput() override;

    QStringList deviceNames() const override;
    std::optional<QString> open(const QString& device, Sink sink) override;
    void close() override;
    bool isOpen() const override { return m_source != nullptr; }
    double sampleRate() const override { return m_rate; }
    std::optional<QString> fault() const override { return isOpen() ? m_fault : std::nullopt; }

private:
    void readAvailable();
    void devicesChanged();

    std::unique_ptr<QMediaDevices> m_devices;
    QTimer m_watch; // looks for the device again: a source removed is not always signalled
    std::unique_ptr<QAudioSource> m_source;
    QIODevice* m_stream = nullptr; // owned by m_source
    QByteArray m_deviceId;
    QString m_deviceName;
    Sink m_sink;
    double m_rate = 0.0;
    std::optional<QString> m_fault;
    std::vector<float> m_block;
    QByteArray m_pending; // bytes of a frame not yet whole
};

} // namespace chordalis

#pragma once

#include "listening/AudioInput.h"

#include <QObject>
#include <memory>

class QAudioSource;
class QIODevice;
class QMediaDevices;

namespace chordalis {

// The desktop's capture devices through Qt Multimedia (PulseAudio, PipeWire or ALSA underneath).
// The device is asked for one channel of float samples at 48 kHz and takes what it offers nearest
// (any channel count and sample format are mixed down to one channel of -1..1). The sink is called
// on the thread that opened the input, which must run an event loop; so is the check for a device
// that has gone.
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
    std::unique_ptr<QAudioSource> m_source;
    QIODevice* m_stream = nullptr; // owned by m_source
    QByteArray m_deviceId;
    QString m_deviceName;
    Sink m_sink;
    double m_rate = 0.0;
    std::optional<QString> m_fault;
    std::vector<float> m_block;
};

} // namespace chordalis

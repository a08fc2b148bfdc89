#include "listening/backends/QtAudioInput.h"

#include <QAudioDevice>
#include <QAudioSource>
#include <QMediaDevices>

namespace chordalis {

QtAudioInput::QtAudioInput() : m_devices(std::make_unique<QMediaDevices>()) {
    connect(m_devices.get(), &QMediaDevices::audioInputsChanged, this,
            &QtAudioInput::devicesChanged);
    // PulseAudio's source going away changes the device list without a signal.
    m_watch.setInterval(500);
    connect(&m_watch, &QTimer::timeout, this, &QtAudioInput::devicesChanged);
}

QtAudioInput::~QtAudioInput() {
    close();
}

QStringList QtAudioInput::deviceNames() const {
    QStringList names;
    const QAudioDevice fallback = QMediaDevices::defaultAudioInput();
    if (!fallback.isNull())
        names << fallback.description();
    for (const QAudioDevice& d : QMediaDevices::audioInputs())
        if (d.id() != fallback.id())
            names << d.description();
    return names;
}

std::optional<QString> QtAudioInput::open(const QString& device, Sink sink) {
    close();
    QAudioDevice chosen = QMediaDevices::defaultAudioInput();
    if (!device.isEmpty()) {
        chosen = QAudioDevice();
        for (const QAudioDevice& d : QMediaDevices::audioInputs())
            if (d.description() == device)
                chosen = d;
        if (chosen.isNull())
            return QStringLiteral("The audio input \"%1\" is not there.").arg(device);
    }
    if (chosen.isNull())
        return QStringLiteral("No audio input device was found.");
    // At the rate the device runs at: a PulseAudio source asked for another rate says it can,
    // then delivers nothing.
    QAudioFormat format = chosen.preferredFormat();
    QAudioFormat floats = format;
    floats.setSampleFormat(QAudioFormat::Float);
    if (chosen.isFormatSupported(floats))
        format = floats;
    if (format.sampleRate() < 8000 || format.sampleRate() > 192000 || format.channelCount() < 1 ||
        format.sampleFormat() == QAudioFormat::Unknown)
        return QStringLiteral("The audio input \"%1\" offers no format that can be read.")
            .arg(chosen.description());
    m_source = std::make_unique<QAudioSource>(chosen, format);
    m_stream = m_source->start();
    if (!m_stream || m_source->error() != QAudio::NoError) {
        m_source.reset();
        m_stream = nullptr;
        return QStringLiteral("The audio input \"%1\" could not be opened.")
            .arg(chosen.description());
    }
    m_deviceId = chosen.id();
    m_deviceName = chosen.description();
    m_rate = format.sampleRate();
    m_sink = std::move(sink);
    m_fault.reset();
    connect(m_stream, &QIODevice::readyRead, this, &QtAudioInput::readAvailable);
    m_watch.start();
    connect(m_source.get(), &QAudioSource::stateChanged, this, [this](QAudio::State) {
        if (m_source && m_source->error() != QAudio::NoError && !m_fault)
            m_fault = QStringLiteral("The audio input \"%1\" stopped.").arg(m_deviceName);
    });
    return std::nullopt;
}

void QtAudioInput::close() {
    m_watch.stop();
    if (m_source) {
        m_source->disconnect(this);
        if (m_stream)
            m_stream->disconnect(this);
        m_source->stop();
    }
    m_source.reset();
    m_stream = nullptr;
    m_sink = nullptr;
    m_rate = 0.0;
    m_fault.reset();
    m_pending.clear();
}

void QtAudioInput::readAvailable() {
    if (!m_source || !m_stream || !m_sink)
        return;
    const QAudioFormat format = m_source->format();
    const int channels = format.channelCount();
    const int frameBytes = format.bytesPerFrame();
    if (frameBytes <= 0)
        return;
    // All that has come (the stream of a PulseAudio source says 0 bytes are available while it
    // holds data), with a partial frame kept for the next call.
    m_pending += m_stream->readAll();
    const int frames = int(m_pending.size() / frameBytes);
    m_block.resize(size_t(frames));
    const char* p = m_pending.constData();
    for (int f = 0; f < frames; ++f) {
        float sum = 0.0f;
        for (int c = 0; c < channels; ++c)
            sum += format.normalizedSampleValue(p + f * frameBytes + c * format.bytesPerSample());
        m_block[size_t(f)] = sum / float(channels);
    }
    m_pending.remove(0, qsizetype(frames) * frameBytes);
    if (frames > 0)
        m_sink(std::span<const float>(m_block.data(), size_t(frames)));
}

void QtAudioInput::devicesChanged() {
    if (!m_source || m_fault)
        return;
    for (const QAudioDevice& d : QMediaDevices::audioInputs())
        if (d.id() == m_deviceId)
            return;
    m_fault = QStringLiteral("The audio input \"%1\" has gone.").arg(m_deviceName);
}

} // namespace chordalis

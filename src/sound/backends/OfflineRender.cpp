#include "sound/backends/OfflineRender.h"

#include "sound/backends/FluidSynthOut.h"

#include <QDataStream>
#include <QFile>
#include <QSaveFile>
#include <cmath>

namespace chordalis {

std::optional<RenderedSound> renderMessages(const std::vector<RecordingMidiOut::Sent>& messages,
                                            double tailSeconds, QString* error, double sampleRate) {
    RenderedSound sound;
    sound.sampleRate = sampleRate;
    auto engine = SynthEngine::create(defaultSoundFont(), sound.sampleRate, error);
    if (!engine)
        return std::nullopt;
    double end = 0.0;
    for (const auto& m : messages) {
        engine->shortMessageAt(m.word, m.time);
        end = std::max(end, m.time);
    }
    const int frames = int(std::ceil((end + tailSeconds) * sound.sampleRate));
    sound.samples.resize(size_t(frames) * 2);
    engine->render(sound.samples.data(), frames);
    return sound;
}

bool writeWav(const RenderedSound& sound, const QString& path, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    const quint32 dataBytes = quint32(sound.samples.size() * sizeof(short));
    const quint32 rate = quint32(sound.sampleRate);
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(2) << rate << quint32(rate * 4) << quint16(4)
        << quint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    for (short s : sound.samples)
        out << qint16(s);
    if (out.status() != QDataStream::Ok || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace chordalis

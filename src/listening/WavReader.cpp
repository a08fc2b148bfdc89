#include "listening/WavReader.h"

#include <QFile>
#include <cmath>
#include <cstring>

namespace chordalis {

namespace {

constexpr int FormatPcm = 1;
constexpr int FormatFloat = 3;
constexpr int FormatExtensible = 0xFFFE;
constexpr qint64 LargestFile = qint64(1) << 31; // 2 GiB: more than an hour of any recording

quint32 le32(const char* p) {
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | quint8(p[i]);
    return v;
}
quint16 le16(const char* p) {
    return quint16(quint8(p[0]) | (quint8(p[1]) << 8));
}

bool fail(QString* error, const QString& why) {
    if (error)
        *error = why;
    return false;
}

// One sample of the given format at p as -1..1.
float sampleAt(const char* p, int format, int bits) {
    if (format == FormatFloat) {
        if (bits == 32) {
            float f;
            const quint32 v = le32(p);
            std::memcpy(&f, &v, 4);
            return f;
        }
        const quint64 v = quint64(le32(p)) | (quint64(le32(p + 4)) << 32);
        double d;
        std::memcpy(&d, &v, 8);
        return float(d);
    }
    switch (bits) {
    case 8:
        return float(int(quint8(p[0])) - 128) / 128.0f;
    case 16:
        return float(qint16(le16(p))) / 32768.0f;
    case 24: {
        const qint32 v = qint32((quint32(quint8(p[0])) << 8) | (quint32(quint8(p[1])) << 16) |
                                (quint32(quint8(p[2])) << 24)) >>
                         8;
        return float(v) / 8388608.0f;
    }
    default:
        return float(double(qint32(le32(p))) / 2147483648.0);
    }
}

} // namespace

std::optional<AudioClip> readWav(const QByteArray& bytes, QString* error) {
    const char* data = bytes.constData();
    const qint64 size = bytes.size();
    if (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0) {
        fail(error, QStringLiteral("not a WAV file (no RIFF/WAVE header)"));
        return std::nullopt;
    }
    int format = 0, channels = 0, bits = 0;
    quint32 rate = 0;
    bool haveFormat = false;
    qint64 pos = 12;
    while (pos + 8 <= size) {
        const char* chunk = data + pos;
        const qint64 length = le32(chunk + 4);
        const qint64 body = pos + 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (length < 16 || body + length > size) {
                fail(error, QStringLiteral("the format chunk is cut short"));
                return std::nullopt;
            }
            format = le16(data + body);
            channels = le16(data + body + 2);
            rate = le32(data + body + 4);
            bits = le16(data + body + 14);
            if (format == FormatExtensible) {
                if (length < 40) {
                    fail(error, QStringLiteral("the extensible format chunk is cut short"));
                    return std::nullopt;
                }
                format = le16(data + body + 24); // the sub-format GUID begins with the format
            }
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat) {
                fail(error, QStringLiteral("the sound data comes before its format"));
                return std::nullopt;
            }
            const bool pcm =
                format == FormatPcm && (bits == 8 || bits == 16 || bits == 24 || bits == 32);
            const bool real = format == FormatFloat && (bits == 32 || bits == 64);
            if (!pcm && !real) {
                fail(error, QStringLiteral("format %1 with %2 bits per sample is not read "
                                           "(PCM of 8, 16, 24 or 32 bits, or float of 32 or 64)")
                                .arg(format)
                                .arg(bits));
                return std::nullopt;
            }
            if (channels < 1 || channels > 8) {
                fail(error, QStringLiteral("%1 channels (1 to 8 are read)").arg(channels));
                return std::nullopt;
            }
            if (rate < 1000 || rate > 768000) {
                fail(error,
                     QStringLiteral("a sample rate of %1 Hz (1000 to 768000 are read)").arg(rate));
                return std::nullopt;
            }
            const qint64 frameBytes = qint64(channels) * (bits / 8);
            const qint64 frames = std::min(length, size - body) / frameBytes;
            if (frames < 1) {
                fail(error, QStringLiteral("the file holds no sound"));
                return std::nullopt;
            }
            AudioClip clip;
            clip.sampleRate = rate;
            clip.samples.resize(size_t(frames));
            const float scale = 1.0f / float(channels);
            for (qint64 f = 0; f < frames; ++f) {
                float sum = 0.0f;
                for (int c = 0; c < channels; ++c)
                    sum += sampleAt(data + body + f * frameBytes + c * (bits / 8), format, bits);
                // A float file may hold NaN or infinity: silence, not poison for the analysis.
                clip.samples[size_t(f)] = std::isfinite(sum) ? sum * scale : 0.0f;
            }
            return clip;
        }
        pos = body + length + (length & 1); // chunks are padded to an even length
    }
    fail(error,
         haveFormat ? QStringLiteral("no sound data chunk") : QStringLiteral("no format chunk"));
    return std::nullopt;
}

std::optional<AudioClip> readWavFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(error, QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    if (file.size() > LargestFile) {
        fail(error, QStringLiteral("%1 is larger than 2 GiB").arg(path));
        return std::nullopt;
    }
    QString why;
    auto clip = readWav(file.readAll(), &why);
    if (!clip)
        fail(error, QStringLiteral("%1: %2").arg(path, why));
    return clip;
}

QByteArray wavBytes(const AudioClip& clip) {
    QByteArray out;
    auto put32 = [&out](quint32 v) {
        for (int i = 0; i < 4; ++i)
            out.append(char((v >> (8 * i)) & 0xFF));
    };
    auto put16 = [&out](quint16 v) {
        out.append(char(v & 0xFF));
        out.append(char(v >> 8));
    };
    const quint32 dataBytes = quint32(clip.samples.size() * 4);
    const quint32 rate = quint32(clip.sampleRate);
    out.append("RIFF", 4);
    put32(36 + dataBytes);
    out.append("WAVEfmt ", 8);
    put32(16);
    put16(FormatFloat);
    put16(1);
    put32(rate);
    put32(rate * 4);
    put16(4);
    put16(32);
    out.append("data", 4);
    put32(dataBytes);
    for (float s : clip.samples) {
        quint32 v;
        std::memcpy(&v, &s, 4);
        put32(v);
    }
    return out;
}

} // namespace chordalis

#include "sound/backends/FontTuning.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <map>
#include <mutex>

namespace chordalis {

namespace {

// A font's measured offsets as the tool writes them: for each program, the first key measured
// and each key's offset from there on in tenths of a cent.
struct MeasuredProgram {
    int program;
    int firstKey;
    std::vector<int> tenths;
};
struct MeasuredFont {
    qint64 size;
    const char* sha256; // hex
    std::vector<MeasuredProgram> programs;
};

#include "sound/backends/FontTuningTable.inc"

std::atomic<bool> applied{true};

std::vector<ProgramOffsets> offsetsOf(const MeasuredFont& font) {
    std::vector<ProgramOffsets> out;
    for (const MeasuredProgram& p : font.programs) {
        ProgramOffsets o;
        o.program = p.program;
        for (size_t i = 0; i < p.tenths.size(); ++i)
            if (const size_t key = size_t(p.firstKey) + i; key < o.cents.size())
                o.cents[key] = p.tenths[i] / 10.0;
        out.push_back(o);
    }
    return out;
}

} // namespace

const std::vector<ProgramOffsets>* fontOffsets(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile())
        return nullptr;
    const qint64 size = info.size();
    const MeasuredFont* candidate = nullptr;
    for (const MeasuredFont& font : MeasuredFonts)
        if (font.size == size)
            candidate = &font;
    if (!candidate)
        return nullptr;
    // The digest is worked out once per file as it is now; every synthesizer (each offline
    // render among them) asks again.
    static std::mutex mutex;
    static std::map<QString, std::vector<ProgramOffsets>> known; // by path, size and time
    static std::map<QString, bool> unknown;
    const QString key = info.canonicalFilePath() + QLatin1Char('\n') + QString::number(size) +
                        QLatin1Char('\n') +
                        QString::number(info.lastModified().toMSecsSinceEpoch());
    std::lock_guard lock(mutex);
    if (const auto it = known.find(key); it != known.end())
        return &it->second;
    if (unknown.count(key))
        return nullptr;
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file) ||
        hash.result().toHex() != QByteArray(candidate->sha256)) {
        unknown[key] = true;
        return nullptr;
    }
    return &(known[key] = offsetsOf(*candidate));
}

void setFontTuningApplied(bool on) {
    applied = on;
}

bool fontTuningApplied() {
    return applied;
}

} // namespace chordalis

// Measures how far each key of a sound font's programs sounds from its note as the built-in
// synthesizer plays it, and writes the table the synthesizer tunes the font by:
//   chordalis-font-tuning [--programs FIRST-LAST] [--keys FIRST-LAST] > FontTuningTable.inc
// (src/sound/backends/FontTuningTable.inc). The font is the one the synthesizer loads
// (CHORDALIS_SOUNDFONT, else the system's General MIDI font); the programs are the guitars and
// basses (24-39) and the keys B0 to B6 (23-95) unless given. Each key is held 1.2 s at 48 kHz
// and read as the tuner reads it: its offset is the median of its pitch from 0.3 s on, where the
// attack has settled. A key that does not hold within 2 cents of that median on 90 % of its
// voiced frames, or that sits more than 50 cents off (another note's sample), is left as it is.
#include "listening/Pitch.h"
#include "listening/TestSounds.h"
#include "sound/backends/FluidSynthOut.h"
#include "sound/backends/FontTuning.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <cstdio>

using namespace chordalis;

namespace {

// "A-B" into a range within lowest..highest; false when it is none.
bool readRange(const QString& text, int lowest, int highest, int* first, int* last) {
    const QStringList parts = text.split(QLatin1Char('-'));
    bool ok1 = false, ok2 = false;
    if (parts.size() != 2)
        return false;
    *first = parts[0].toInt(&ok1);
    *last = parts[1].toInt(&ok2);
    return ok1 && ok2 && lowest <= *first && *first <= *last && *last <= highest;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    int firstProgram = 24, lastProgram = 39, firstKey = 23, lastKey = 95;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const bool programs = args[i] == QLatin1String("--programs");
        const bool keys = args[i] == QLatin1String("--keys");
        if ((programs || keys) && i + 1 < args.size() &&
            (programs ? readRange(args[i + 1], 0, 127, &firstProgram, &lastProgram)
                      : readRange(args[i + 1], 0, 127, &firstKey, &lastKey))) {
            ++i;
            continue;
        }
        std::fprintf(stderr, "usage: chordalis-font-tuning [--programs FIRST-LAST] "
                             "[--keys FIRST-LAST]\n");
        return 2;
    }
    const QString font = defaultSoundFont();
    QFile file(font);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (font.isEmpty() || !file.open(QIODevice::ReadOnly) || !hash.addData(&file)) {
        std::fprintf(stderr, "no sound font to measure (%s)\n", qPrintable(font));
        return 1;
    }
    setFontTuningApplied(false); // the font as it is

    std::printf("// Measured by chordalis-font-tuning from %s:\n// how far each key sounds from "
                "its note once its attack has settled, in tenths of a cent\n// (sharp above "
                "zero), for programs %d-%d and keys %d-%d. Run the tool again when the\n// font "
                "changes: the synthesizer leaves a font it does not know as it is.\n",
                qPrintable(QFileInfo(QFileInfo(font).canonicalFilePath()).fileName()), firstProgram,
                lastProgram, firstKey, lastKey);
    std::printf(
        "const std::vector<MeasuredFont> MeasuredFonts{\n    {%lld,\n     \"%s\",\n     {\n",
        static_cast<long long>(file.size()), hash.result().toHex().constData());
    int measured = 0, left = 0;
    for (int program = firstProgram; program <= lastProgram; ++program) {
        std::printf("         {%d,\n          %d,\n          {", program, firstKey);
        for (int key = firstKey; key <= lastKey; ++key) {
            QString error;
            const auto held = testsounds::heldKey(program, key, 48000.0, &error);
            if (!held) {
                std::fprintf(stderr, "%s\n", qPrintable(error));
                return 1;
            }
            int tenths = 0;
            const double cents = held->medianHz > 0.0
                                     ? 1200.0 * std::log2(held->medianHz / noteFrequency(key))
                                     : NAN;
            if (held->share >= 0.9 && std::abs(cents) <= 50.0) {
                tenths = int(std::lround(cents * 10.0));
                ++measured;
            } else {
                ++left;
            }
            // Sixteen keys to a line.
            const int k = key - firstKey;
            std::printf("%s%d", k == 0 ? "" : k % 16 == 0 ? ",\n           " : ", ", tenths);
        }
        std::printf("}},\n");
        std::fprintf(stderr, "program %d measured\n", program);
    }
    std::printf("     }},\n};\n");
    std::fprintf(stderr, "%d keys measured, %d left as they are\n", measured, left);
    return 0;
}

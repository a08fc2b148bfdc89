#include "ledguitar/LedPattern.h"

namespace chordalis {

uint8_t ledStringBit(int string, bool leftHanded) {
    if (string < 1 || string > LedStrings)
        return 0;
    if (leftHanded)
        string = 7 - string;
    return uint8_t(0x40 >> string); // 1: 0x20 .. 6: 0x01
}

LedPattern packLedFrame(const QStringList& positions, bool leftHanded) {
    LedPattern pattern;
    for (const QString& entry : positions) {
        const qsizetype tilde = entry.indexOf(u'~');
        if (tilde < 0)
            continue;
        bool fretOk = false;
        bool stringOk = false;
        const int fret = entry.left(tilde).toInt(&fretOk);
        const int string = entry.mid(tilde + 1).toInt(&stringOk);
        if (!fretOk || !stringOk || fret < 0 || fret >= LedFrets)
            continue;
        pattern.blocks[size_t(fret / 8)][size_t(fret % 8)] |= ledStringBit(string, leftHanded);
    }
    return pattern;
}

} // namespace chordalis

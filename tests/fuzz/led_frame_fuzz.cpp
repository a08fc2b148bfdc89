// Any text as the positions of an LED frame ("fret~string" joined by ";").
#include "ledguitar/LedPattern.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList positions = text.split(u';');
    (void)chordalis::packLedFrame(positions, false);
    (void)chordalis::packLedFrame(positions, true);
    return 0;
}

// Any bytes as a HID report descriptor; a descriptor that is read gives fields that can be
// written and read back within a report of their own size.
#include "ledguitar/ReportDescriptor.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QString error;
    const auto descriptor = chordalis::parseReportDescriptor(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)), &error);
    if (!descriptor)
        return 0;
    QByteArray report(64, '\0');
    for (int bit = 0; bit < 600; bit += 37) {
        chordalis::insertBits(report, bit, 1 + bit % 32, 0xA5A5A5A5u);
        (void)chordalis::extractBits(report, bit, 1 + bit % 32);
    }
    return 0;
}

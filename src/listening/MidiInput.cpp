#include "listening/MidiInput.h"

namespace chordalis {

bool HeldNotes::apply(std::span<const unsigned char> message) {
    if (message.size() < 3 || message[0] < 0x80 || message[0] >= 0xF0 || message[1] > 127 ||
        message[2] > 127)
        return false;
    std::array<bool, 128>& channel = m_held[message[0] & 0x0F];
    const int kind = message[0] & 0xF0;
    const int data1 = message[1], data2 = message[2];
    bool changed = false;
    if (kind == 0x90 || kind == 0x80) {
        const bool on = kind == 0x90 && data2 > 0;
        changed = channel[size_t(data1)] != on;
        channel[size_t(data1)] = on;
    } else if (kind == 0xB0 && (data1 == 123 || data1 == 120)) {
        for (bool& held : channel) {
            changed = changed || held;
            held = false;
        }
    }
    return changed;
}

std::vector<int> HeldNotes::notes() const {
    std::vector<int> held;
    for (int n = 0; n < 128; ++n)
        for (const auto& channel : m_held)
            if (channel[size_t(n)]) {
                held.push_back(n);
                break;
            }
    return held;
}

} // namespace chordalis

#include "listening/ClipInput.h"

#include <algorithm>

namespace chordalis {

namespace {
const QString ClipDevice = QStringLiteral("Test clip");
}

ClipInput::ClipInput(std::optional<AudioClip> clip, int blockFrames)
    : m_clip(std::move(clip)), m_block(std::max(1, blockFrames)) {}

QStringList ClipInput::deviceNames() const {
    return m_clip ? QStringList{ClipDevice} : QStringList{};
}

std::optional<QString> ClipInput::open(const QString& device, Sink sink) {
    close();
    if (!m_clip)
        return QStringLiteral("No audio input device was found.");
    if (!device.isEmpty() && device != ClipDevice)
        return QStringLiteral("The audio input \"%1\" is not there.").arg(device);
    m_sink = std::move(sink);
    m_position = 0;
    m_fault.reset();
    m_open = true;
    return std::nullopt;
}

void ClipInput::close() {
    m_open = false;
    m_sink = nullptr;
}

int ClipInput::deliver(int blocks) {
    int delivered = 0;
    while (m_open && !m_fault && delivered < blocks && m_position < m_clip->samples.size()) {
        const size_t n = std::min(size_t(m_block), m_clip->samples.size() - m_position);
        m_sink(std::span<const float>(m_clip->samples.data() + m_position, n));
        m_position += n;
        ++delivered;
    }
    return delivered;
}

void ClipInput::vanish() {
    if (m_open)
        m_fault = QStringLiteral("The audio input device has gone.");
}

} // namespace chordalis

#include "library/Warnings.h"

#include <cstdio>

namespace chordalis {

void Warnings::warn(const QString& message) {
    m_messages.append(message);
    if (!m_quiet)
        std::fprintf(stderr, "chordalis: warning: %s\n", qUtf8Printable(message));
}

} // namespace chordalis

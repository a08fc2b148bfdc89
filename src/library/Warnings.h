#pragma once

#include <QString>
#include <QStringList>

namespace chordalis {

// Where problems with the data files are reported: each message goes to stderr (unless quiet)
// and is kept, so that tests and the companion tool can read them back.
class Warnings {
public:
    explicit Warnings(bool quiet = false) : m_quiet(quiet) {}

    void warn(const QString& message);
    const QStringList& messages() const { return m_messages; }
    void clear() { m_messages.clear(); }

private:
    bool m_quiet;
    QStringList m_messages;
};

} // namespace chordalis

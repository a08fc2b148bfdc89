#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <span>

namespace chordalis {

// Where listened sound comes from: a capture device of the desktop's sound system, or in tests a
// clip played in blocks. An open input hands each block it captures (one channel, -1..1, at
// sampleRate() frames per second) to the sink it was opened with, on a thread of the input's own
// choosing; it never calls the sink after close() has returned.
class AudioInput {
public:
    using Sink = std::function<void(std::span<const float> block)>;

    virtual ~AudioInput() = default;

    // The capture devices' names, the system's default first.
    virtual QStringList deviceNames() const = 0;
    // Closes what is open, then opens the named device (empty: the system's default). Returns
    // the reason, for the user, when it cannot; the input then stays closed.
    virtual std::optional<QString> open(const QString& device, Sink sink) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Frames per second of the open device; 0 when closed.
    virtual double sampleRate() const = 0;
    // Why an open input has stopped delivering (its device vanished, the server stopped), as a
    // sentence for the user; nothing while it works or when it is closed.
    virtual std::optional<QString> fault() const = 0;
};

} // namespace chordalis

#pragma once

#include <QStringList>

namespace chordalis {

// Where the LED frame goes after each display: the positions "fret~string" that should light,
// lowest string first. An empty frame switches every LED off.
class LedSender {
public:
    virtual ~LedSender() = default;
    virtual void sendFrame(const QStringList& positions) = 0;
};

// Used while no guitar is attached: the frame goes nowhere.
class SilentLedSender final : public LedSender {
public:
    void sendFrame(const QStringList&) override {}
};

} // namespace chordalis

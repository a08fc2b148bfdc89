#pragma once

#include "theory/Neck.h"

#include <QString>
#include <vector>

namespace chordalis {

// What an LED guitar lights after a display: the places of its marks, lowest string first. An
// empty frame switches every LED off.
using LedFrame = std::vector<NeckPlace>;

// "fret~string", the form in which a person or a file sees a lit place.
inline QString ledPlaceText(NeckPlace place) {
    return QStringLiteral("%1~%2").arg(place.fret).arg(place.string);
}

// Where the neck hands each LED frame.
class LedSender {
public:
    virtual ~LedSender() = default;
    virtual void sendFrame(const LedFrame& frame) = 0;
};

// Used while no guitar is attached: the frame goes nowhere.
class SilentLedSender final : public LedSender {
public:
    void sendFrame(const LedFrame&) override {}
};

} // namespace chordalis

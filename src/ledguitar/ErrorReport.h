#pragma once

#include <QString>

namespace chordalis {

// Where the LED guitar classes report a failure they caught: an error number and the member it
// happened in ("TFretlight:FootIN Property Get"). The program's own routine takes no action; a
// test can record what was reported.
class ErrorReport {
public:
    virtual ~ErrorReport() = default;
    virtual void report(int number, const QString& source) = 0;
};

// The number every caught failure is reported with.
inline constexpr int CaughtFailure = 9999;

class IgnoredErrors final : public ErrorReport {
public:
    void report(int, const QString&) override {}
};

} // namespace chordalis

#pragma once

#include <QString>
#include <exception>

namespace chordalis {

// Where the LED guitar classes report a failure they caught: an error number and the member it
// happened in ("TFretlight:DeviceIsMatched Method"). The program's own routine takes no action;
// a test can record what was reported.
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

// Runs a member's body and gives its result; a failure it throws is reported under the member's
// source text and gives the member's default instead.
template <class T, class Body>
T caughtFailure(ErrorReport& errors, const char* source, T fallback, Body&& body) {
    try {
        return body();
    } catch (const std::exception&) {
        errors.report(CaughtFailure, QLatin1String(source));
        return fallback;
    }
}

} // namespace chordalis

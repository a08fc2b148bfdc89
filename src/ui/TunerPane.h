#pragma once

#include "listening/Tuner.h"

#include <QDockWidget>
#include <QString>
#include <functional>

class QLabel;
class QSpinBox;

namespace chordalis {

// The tuner pane (a dock under the neck): the reading of the pitch heard on the current tuning
// and instrument, a needle over -50..+50 cents with the in-tune zone, and the reference pitch
// A4 (430..450 Hz), whose change is handed to the hook.
class TunerPane : public QDockWidget {
public:
    explicit TunerPane(QWidget* parent = nullptr);

    void setReading(const TunerReading& reading);
    void setA4(double hz);
    void setA4Hook(std::function<void(double)> hook) { m_a4Changed = std::move(hook); }

private:
    class Needle;
    QLabel* m_string;
    QLabel* m_note;
    QLabel* m_cents;
    Needle* m_needle;
    QSpinBox* m_a4;
    std::function<void(double)> m_a4Changed;
};

} // namespace chordalis

#pragma once

#include "practice/Progress.h"

#include <QWidget>
#include <vector>

namespace chordalis {

// picProgress: accuracy (a line, 0..100 %, left scale) and mean answer time (bars, seconds, right
// scale) per day, oldest day on the left; days without answers leave a gap. Drawn in the
// palette's colours, so that it reads in the light and the dark theme.
class ProgressChart : public QWidget {
    Q_OBJECT

public:
    explicit ProgressChart(QWidget* parent = nullptr);
    void setDays(std::vector<DayProgress> days);
    const std::vector<DayProgress>& days() const { return m_days; }

    QSize sizeHint() const override { return {560, 220}; }
    QSize minimumSizeHint() const override { return {280, 140}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<DayProgress> m_days;
};

} // namespace chordalis

#include "ui/ProgressChart.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace chordalis {

namespace {

// The accuracy line's and the time bars' colours: a green and a blue that read on white and on
// the dark theme's grey alike.
const QColor AccuracyColour(0x2e, 0xa0, 0x4f);
const QColor TimeColour(0x4a, 0x7f, 0xd0);

// A round number of seconds at or above the longest mean, for the right scale: 5, 10, 20, 30,
// 60 and on by minutes.
double secondsScale(double longest) {
    for (double top : {5.0, 10.0, 20.0, 30.0, 60.0})
        if (longest <= top)
            return top;
    return std::ceil(longest / 60.0) * 60.0;
}

} // namespace

ProgressChart::ProgressChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picProgress"));
}

void ProgressChart::setDays(std::vector<DayProgress> days) {
    m_days = std::move(days);
    update();
}

void ProgressChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    p.fillRect(rect(), pal.base());
    const QFontMetrics fm(font());
    const int left = fm.horizontalAdvance(QStringLiteral("100%")) + 8;
    const int right = fm.horizontalAdvance(QStringLiteral("60 s")) + 8;
    const int top = fm.height() + 4;
    const int bottom = fm.height() + 6;
    const QRectF plot(left, top, width() - left - right, height() - top - bottom);
    if (plot.width() < 20 || plot.height() < 20)
        return;

    double longest = 0;
    for (const DayProgress& d : m_days)
        longest = std::max(longest, d.meanSeconds);
    const double topSeconds = secondsScale(longest);

    // Grid and scales: 0, 50 and 100 % on the left, the seconds on the right.
    QColor grid = pal.text().color();
    grid.setAlpha(50);
    p.setPen(QPen(grid, 1));
    for (int pct : {0, 50, 100}) {
        const double y = plot.bottom() - plot.height() * pct / 100.0;
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    p.setPen(AccuracyColour);
    for (int pct : {0, 50, 100}) {
        const double y = plot.bottom() - plot.height() * pct / 100.0;
        p.drawText(QRectF(0, y - fm.height() / 2.0, left - 4, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1%").arg(pct));
    }
    p.setPen(TimeColour);
    for (double part : {0.0, 0.5, 1.0}) {
        const double y = plot.bottom() - plot.height() * part;
        p.drawText(QRectF(plot.right() + 4, y - fm.height() / 2.0, right - 4, fm.height()),
                   Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("%1 s").arg(topSeconds * part, 0, 'g', 3));
    }
    p.setPen(pal.text().color());
    p.drawText(QRectF(plot.left(), 0, plot.width(), top), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("Accuracy and mean answer time per day"));
    if (m_days.empty())
        return;

    const double step = plot.width() / double(m_days.size());
    auto xOf = [&](std::size_t k) {
        return plot.left() + step * (double(k) + 0.5);
    };
    // The first day of each week under the plot.
    p.setPen(pal.text().color());
    for (std::size_t k = 0; k < m_days.size(); k += 7)
        p.drawText(QRectF(xOf(k) - 40, plot.bottom() + 2, 80, bottom),
                   Qt::AlignHCenter | Qt::AlignTop,
                   m_days[k].day.toString(QStringLiteral("d MMM")));

    QColor bar = TimeColour;
    bar.setAlpha(140);
    for (std::size_t k = 0; k < m_days.size(); ++k) {
        const DayProgress& d = m_days[k];
        if (d.asked == 0)
            continue;
        const double h = plot.height() * std::min(1.0, d.meanSeconds / topSeconds);
        p.fillRect(QRectF(xOf(k) - step * 0.3, plot.bottom() - h, step * 0.6, h), bar);
    }
    // The accuracy line, broken where a day had no answers; a dot on each day that had.
    p.setPen(QPen(AccuracyColour, 2));
    QPainterPath line;
    bool drawing = false;
    for (std::size_t k = 0; k < m_days.size(); ++k) {
        const DayProgress& d = m_days[k];
        if (d.asked == 0) {
            drawing = false;
            continue;
        }
        const QPointF at(xOf(k), plot.bottom() - plot.height() * d.accuracy());
        if (drawing)
            line.lineTo(at);
        else
            line.moveTo(at);
        drawing = true;
    }
    p.drawPath(line);
    p.setBrush(AccuracyColour);
    for (std::size_t k = 0; k < m_days.size(); ++k)
        if (m_days[k].asked > 0)
            p.drawEllipse(QPointF(xOf(k), plot.bottom() - plot.height() * m_days[k].accuracy()),
                          2.5, 2.5);
}

} // namespace chordalis

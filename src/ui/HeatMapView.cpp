#include "ui/HeatMapView.h"

#include "ui/Theme.h"

#include <QPainter>
#include <algorithm>

namespace chordalis {

QColor heatColour(double accuracy) {
    const double a = std::clamp(accuracy, 0.0, 1.0);
    // Red (0) to amber (0.5) to green (1), in hue; saturated and fairly dark so that white
    // figures read on it.
    return QColor::fromHsvF(float(a * 120.0 / 360.0), 0.85f, 0.80f, 0.85f);
}

HeatMapView::HeatMapView(NeckSettings settings, QWidget* parent)
    : QWidget(parent), m_board(settings, m_led) {
    setObjectName(QStringLiteral("picHeatMap"));
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    m_board.clearFretboard();
}

void HeatMapView::setScores(std::vector<PlaceScore> scores) {
    m_scores = std::move(scores);
    m_board.clearFretboard(); // the neck as the settings hold it now
    updateGeometry();
    update();
}

int HeatMapView::heightForWidth(int width) const {
    const NeckGeometry& g = m_board.geometry();
    return g.width() > 0 ? width * g.height() / g.width() : 0;
}

double HeatMapView::scale() const {
    const NeckGeometry& g = m_board.geometry();
    if (g.width() <= 0 || g.height() <= 0)
        return 1.0;
    return std::min(double(width()) / g.width(), double(height()) / g.height());
}

QPointF HeatMapView::origin() const {
    const NeckGeometry& g = m_board.geometry();
    return {(width() - g.width() * scale()) / 2.0, (height() - g.height() * scale()) / 2.0};
}

QRectF HeatMapView::cellRect(NeckPlace place) const {
    const double s = scale();
    // An open string stands beside the nut, where it is clicked, not over its name.
    const int column = place.fret == 0 ? IndicatorColumn : place.fret;
    return {origin() + QPointF(m_board.fretX(column), m_board.stringY(place.string)) * s,
            QSizeF(CellSize, CellSize) * s};
}

void HeatMapView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.save();
    p.translate(origin());
    p.scale(scale(), scale());
    NeckExtras extras;
    extras.darkWindow = isDark(palette()); // the surround as the window's palette has it
    m_board.paint(p, extras);
    p.restore();
    QFont small = font();
    small.setPixelSize(std::max(7, int(CellSize * scale() * 0.42)));
    p.setFont(small);
    const NeckGeometry& g = m_board.geometry();
    for (const PlaceScore& s : m_scores) {
        if (s.asked == 0 || s.place.string < 1 || s.place.string > g.strings() ||
            s.place.fret < 0 || s.place.fret > g.frets())
            continue;
        const QRectF cell = cellRect(s.place);
        p.setPen(Qt::NoPen);
        p.setBrush(heatColour(s.accuracy()));
        p.drawRoundedRect(cell, cell.width() * 0.2, cell.height() * 0.2);
        p.setPen(Qt::white);
        p.drawText(cell, Qt::AlignCenter, QString::number(qRound(s.accuracy() * 100)));
    }
}

} // namespace chordalis

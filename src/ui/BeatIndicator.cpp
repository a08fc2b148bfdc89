#include "ui/BeatIndicator.h"

#include <QMouseEvent>
#include <QPainter>

namespace chordalis {

namespace {

constexpr int Dot = 10;
constexpr int DotGap = 6;

} // namespace

BeatIndicator::BeatIndicator(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("beatIndicator"));
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("The metronome is running: click to open it"));
}

void BeatIndicator::setBeat(int beat, int beats, int tempo) {
    if (beat == m_beat && beats == m_beats && tempo == m_tempo)
        return;
    const bool resized = beats != m_beats || tempo != m_tempo;
    m_beat = beat;
    m_beats = beats;
    m_tempo = tempo;
    if (resized)
        updateGeometry();
    update();
}

QString BeatIndicator::caption() const {
    QString text = QStringLiteral("Metronome %1 bpm").arg(m_tempo);
    if (m_beats < 1 || m_beats > MaxDots)
        text += QStringLiteral("   beat %1").arg(m_beat);
    return text;
}

QSize BeatIndicator::sizeHint() const {
    const int dots = m_beats >= 1 && m_beats <= MaxDots ? m_beats : 0;
    const int text = fontMetrics().horizontalAdvance(caption());
    return {text + (dots ? 12 + dots * (Dot + DotGap) : 0) + 4,
            std::max(fontMetrics().height(), Dot) + 4};
}

void BeatIndicator::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(palette().color(QPalette::WindowText));
    const QString text = caption();
    p.drawText(rect().adjusted(2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
    if (m_beats < 1 || m_beats > MaxDots)
        return;
    const QColor accent(214, 40, 40);
    const QColor lit = palette().color(QPalette::Highlight);
    double x = 2 + fontMetrics().horizontalAdvance(text) + 12;
    const double y = (height() - Dot) / 2.0;
    for (int b = 1; b <= m_beats; ++b, x += Dot + DotGap) {
        const bool on = b == m_beat;
        p.setPen(QPen(palette().color(QPalette::Mid), 1.0));
        p.setBrush(on ? (b == 1 ? accent : lit) : palette().color(QPalette::Base));
        p.drawEllipse(QRectF(x, y, Dot, Dot));
    }
}

void BeatIndicator::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        Q_EMIT clicked();
}

} // namespace chordalis

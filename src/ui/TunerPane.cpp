#include "ui/TunerPane.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QSpinBox>
#include <QtMath>
#include <algorithm>

namespace chordalis {

namespace {

// Cents either side of the string's note that the needle's arc spans.
constexpr double NeedleRange = TunerText::NeedleRange;

} // namespace

// The needle: an arc over -50..+50 cents, its in-tune zone green, the needle at the reading.
class TunerPane::Needle : public QWidget {
public:
    Needle() {
        setObjectName(QStringLiteral("picTunerNeedle"));
        setMinimumSize(220, 90);
    }
    void set(const TunerText& text) {
        m_text = text;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QPalette& pal = palette();
        const QPointF centre(width() / 2.0, height() - 8.0);
        const double radius = std::min(width() / 2.0 - 10.0, height() - 16.0);
        const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
        // The arc spans 60 degrees either side of straight up; angles in 1/16 degree.
        p.setPen(QPen(pal.color(QPalette::Mid), 4.0));
        p.drawArc(box, 30 * 16, 120 * 16);
        const double zone = TunerReading::InTuneCents / NeedleRange * 60.0;
        p.setPen(QPen(pal.color(QPalette::Highlight), 6.0));
        p.drawArc(box, qRound((90 - zone) * 16), qRound(2 * zone * 16));
        p.setPen(QPen(pal.color(QPalette::WindowText), 1.5));
        for (int k = -5; k <= 5; ++k) {
            const double a = qDegreesToRadians(90.0 - k * 12.0);
            const QPointF dir(std::cos(a), -std::sin(a));
            p.drawLine(centre + dir * (radius - (k == 0 ? 12 : 6)), centre + dir * radius);
        }
        if (!m_text.heard)
            return;
        const double a = qDegreesToRadians(90.0 - m_text.needle * 60.0);
        const QPointF tip = centre + QPointF(std::cos(a), -std::sin(a)) * (radius - 4);
        p.setPen(QPen(m_text.inTune ? pal.color(QPalette::Highlight) : pal.color(QPalette::Text),
                      3.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(centre, tip);
        p.setBrush(pal.color(QPalette::Text));
        p.drawEllipse(centre, 4.0, 4.0);
    }

private:
    TunerText m_text;
};

TunerPane::TunerPane(QWidget* parent)
    : QDockWidget(QStringLiteral("Tuner"), parent), m_string(new QLabel), m_note(new QLabel),
      m_cents(new QLabel), m_needle(new Needle), m_a4(new QSpinBox) {
    setObjectName(QStringLiteral("frmTuner"));
    m_string->setObjectName(QStringLiteral("lblTunerString"));
    m_note->setObjectName(QStringLiteral("lblTunerNote"));
    m_cents->setObjectName(QStringLiteral("lblTunerCents"));
    QFont big = m_note->font();
    big.setPointSizeF(big.pointSizeF() * 2.0);
    big.setBold(true);
    m_note->setFont(big);
    m_note->setMinimumWidth(90);
    m_a4->setObjectName(QStringLiteral("spnA4"));
    m_a4->setRange(int(LowestA4), int(HighestA4));
    m_a4->setValue(int(DefaultA4));
    m_a4->setSuffix(QStringLiteral(" Hz"));
    m_a4->setPrefix(QStringLiteral("A4 = "));
    m_a4->setToolTip(QStringLiteral("The reference pitch the tuner reads against (430 to 450 Hz)"));
    connect(m_a4, &QSpinBox::valueChanged, this, [this](int hz) {
        if (m_a4Changed)
            m_a4Changed(hz);
    });

    auto* body = new QWidget;
    auto* grid = new QGridLayout(body);
    grid->addWidget(m_note, 0, 0, 2, 1, Qt::AlignCenter);
    grid->addWidget(m_string, 0, 1);
    grid->addWidget(m_cents, 1, 1);
    grid->addWidget(m_needle, 0, 2, 3, 1);
    grid->addWidget(m_a4, 2, 0, 1, 2, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    setWidget(body);
    setReading({});
}

void TunerPane::setReading(const TunerReading& reading) {
    const TunerText text = tunerText(reading);
    m_string->setText(text.string);
    m_note->setText(text.heard ? text.note : QStringLiteral("–"));
    m_cents->setText(text.inTune ? text.cents + QStringLiteral(", in tune") : text.cents);
    m_needle->set(text);
}

void TunerPane::setA4(double hz) {
    const QSignalBlocker quiet(m_a4);
    m_a4->setValue(int(std::lround(hz)));
}

} // namespace chordalis

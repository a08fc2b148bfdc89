#include "ui/LedGuitarView.h"

#include "ledguitar/LedGuitar.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace chordalis {

namespace {

constexpr int Cell = 26;       // pixels per fret and per string row
constexpr int LabelWidth = 28; // row names on the left
constexpr int HeadHeight = 20; // fret numbers above

} // namespace

LedPatternWidget::LedPatternWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picLedPattern"));
    setMinimumSize(sizeHint());
}

QSize LedPatternWidget::sizeHint() const {
    return {LabelWidth + LedFrets * Cell + 2, HeadHeight + LedStrings * Cell + 2};
}

void LedPatternWidget::setPattern(const LedPattern& pattern) {
    if (pattern == m_pattern)
        return;
    m_pattern = pattern;
    update();
}

void LedPatternWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect board(LabelWidth, HeadHeight, LedFrets * Cell, LedStrings * Cell);
    p.fillRect(rect(), palette().window());
    p.fillRect(board, QColor(58, 40, 28)); // a dark fingerboard

    p.setPen(palette().windowText().color());
    for (int fret = 0; fret < LedFrets; ++fret) {
        p.drawText(QRect(board.left() + fret * Cell, 0, Cell, HeadHeight), Qt::AlignCenter,
                   QString::number(fret));
    }
    for (int row = 0; row < LedStrings; ++row) {
        p.drawText(QRect(0, board.top() + row * Cell, LabelWidth - 4, Cell),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(row + 1));
    }
    // Fret wires, and a stronger line where one report's block ends and the next begins.
    for (int fret = 1; fret < LedFrets; ++fret) {
        const int x = board.left() + fret * Cell;
        p.setPen(QPen(fret % 8 == 0 ? QColor(230, 200, 80) : QColor(150, 150, 150),
                      fret % 8 == 0 ? 2 : 1));
        p.drawLine(x, board.top(), x, board.bottom());
    }
    for (int row = 0; row < LedStrings; ++row) {
        const uint8_t bit = uint8_t(0x20 >> row);
        const int y = board.top() + row * Cell + Cell / 2;
        p.setPen(QPen(QColor(200, 200, 200), 1));
        p.drawLine(board.left(), y, board.right(), y);
        for (int fret = 0; fret < LedFrets; ++fret) {
            const bool lit = m_pattern.byteOfFret(fret) & bit;
            const QPointF centre(board.left() + fret * Cell + Cell / 2.0, y);
            p.setPen(lit ? QPen(QColor(255, 230, 200), 1) : QPen(QColor(90, 90, 90), 1));
            p.setBrush(lit ? QColor(255, 60, 30) : QColor(40, 30, 24));
            p.drawEllipse(centre, lit ? 8.0 : 5.0, lit ? 8.0 : 5.0);
        }
    }
}

LedGuitarView::LedGuitarView(LedGuitar& guitar, QWidget* parent)
    : QWidget(parent, Qt::Window), m_guitar(guitar), m_pattern(new LedPatternWidget),
      m_status(new QLabel), m_reports(new QLabel) {
    setObjectName(QStringLiteral("frmLedView"));
    setWindowTitle(QStringLiteral("LED Guitar View"));
    m_status->setObjectName(QStringLiteral("lblLedStatus"));
    m_status->setWordWrap(true);
    m_reports->setObjectName(QStringLiteral("lblLedReports"));
    m_reports->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_reports->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_pattern);
    layout->addWidget(m_reports);
    layout->addStretch();

    connect(&guitar, &LedGuitar::patternChanged, this, &LedGuitarView::refresh);
    connect(&guitar, &LedGuitar::connectionChanged, this, &LedGuitarView::refresh);
    connect(&guitar, &LedGuitar::lightsChanged, this, &LedGuitarView::refresh);
    refresh();
}

QString LedGuitarView::statusText() const {
    if (!m_guitar.neckFits())
        return QStringLiteral("The LED guitar has six strings: on a neck of another size its "
                              "lights stay dark.");
    const TFretlight* device = m_guitar.device();
    if (!m_guitar.connected())
        return QStringLiteral("No LED guitar is connected. This is what it would light.");
    if (!device || device->IsAllUnbound())
        return QStringLiteral("A device with the LED guitar's ids is connected, but it is not the "
                              "guitar. This is what the guitar would light.");
    if (!m_guitar.lightsOn())
        return QStringLiteral("The LED guitar is connected, its lights are off (the pedal action "
                              "\"Lights On/Off\" switches them on). This is what it would light.");
    return QStringLiteral("The LED guitar is connected and shows this.");
}

QString LedGuitarView::reportsText() const {
    QStringList lines;
    const LedPattern& pattern = m_guitar.lastPattern();
    for (int b = 0; b < LedBlocks; ++b) {
        QStringList bytes;
        for (uint8_t byte : pattern.blocks[size_t(b)])
            bytes << QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
        lines << QStringLiteral("Report %1 (frets %2-%3):  %4")
                     .arg(b + 1)
                     .arg(b * 8)
                     .arg(b * 8 + 7)
                     .arg(bytes.join(u' '));
    }
    return lines.join(u'\n');
}

void LedGuitarView::refresh() {
    m_pattern->setPattern(m_guitar.lastPattern());
    m_status->setText(statusText());
    m_reports->setText(reportsText());
}

} // namespace chordalis

#include "ui/Legend.h"

#include "ui/Theme.h"

#include <QApplication>
#include <QBoxLayout>
#include <QLabel>
#include <QPainter>

namespace chordalis {

namespace {

// One sample: a disc or square of the colour, outlined so that a light colour still shows.
class Swatch : public QWidget {
public:
    Swatch(ColourLegend::Sample sample, QWidget* parent) : QWidget(parent), m_sample(sample) {
        setFixedSize(14, 14);
    }
    void setColour(const QColor& colour) {
        if (colour == m_colour)
            return;
        m_colour = colour;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(palette().color(QPalette::WindowText), 1.0));
        p.setBrush(m_colour);
        const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        if (m_sample == ColourLegend::Sample::Disc)
            p.drawEllipse(r);
        else
            p.drawRect(r);
    }

private:
    ColourLegend::Sample m_sample;
    QColor m_colour;
};

} // namespace

ColourLegend::ColourLegend(const QString& name, std::vector<Entry> entries,
                           Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), m_entries(std::move(entries)) {
    setObjectName(name);
    auto* layout = new QBoxLayout(
        orientation == Qt::Horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(orientation == Qt::Horizontal ? 14 : 3);
    for (const Entry& e : m_entries) {
        auto* row = new QHBoxLayout;
        row->setSpacing(6);
        auto* text = new QLabel(e.text, this);
        QWidget* sample = nullptr;
        if (e.sample == Sample::Text) {
            // The words themselves carry the colour, as the descriptions do.
            text->setTextFormat(Qt::PlainText);
            QFont bold = text->font();
            bold.setBold(true);
            text->setFont(bold);
            sample = text;
        } else {
            sample = new Swatch(e.sample, this);
            row->addWidget(sample);
        }
        row->addWidget(text);
        if (orientation == Qt::Vertical)
            row->addStretch();
        layout->addLayout(row);
        m_samples.push_back(sample);
    }
    if (orientation == Qt::Horizontal)
        layout->addStretch();
    refresh();
}

void ColourLegend::refresh() {
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const QColor colour = toQColor(*m_entries[i].colour);
        if (m_entries[i].sample == Sample::Text) {
            // Set only when it changes: each setting polishes the label anew.
            const QString style = finderChipStyle(colour, QApplication::palette(), false);
            if (m_samples[i]->styleSheet() != style)
                m_samples[i]->setStyleSheet(style);
        } else {
            static_cast<Swatch*>(m_samples[i])->setColour(colour);
        }
    }
}

} // namespace chordalis

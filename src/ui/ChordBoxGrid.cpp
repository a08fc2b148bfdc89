#include "ui/ChordBoxGrid.h"

#include "fretboard/ChordBoxPainter.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace chordalis {

namespace {

constexpr int CellWidth = 92; // pixels; the height follows the box's shape
constexpr int LegendHeight = 22;

} // namespace

class ChordBoxGrid::Canvas : public QWidget {
public:
    Canvas(ChordBoxGrid& grid, const std::vector<ChordBox>& boxes, const AppState& state,
           std::function<int()> chosen)
        : m_grid(grid), m_boxes(boxes), m_state(state), m_chosen(std::move(chosen)) {
        QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        policy.setHeightForWidth(true);
        setSizePolicy(policy);
        setMouseTracking(false);
    }

    int columns(int width) const { return std::max(1, width / CellWidth); }
    double cellWidth(int width) const { return double(width) / columns(width); }
    // The boxes grow with the cells, keeping their shape.
    double cellHeight(int width) const {
        const int strings = m_boxes.empty() ? 6 : m_boxes.front().strings;
        return cellWidth(width) / chordBoxWidthFor(1, strings);
    }
    QRectF cell(int k, int width) const {
        const int c = columns(width);
        return {(k % c) * cellWidth(width), LegendHeight + (k / c) * cellHeight(width),
                cellWidth(width), cellHeight(width)};
    }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override {
        const int rows = (int(m_boxes.size()) + columns(width) - 1) / columns(width);
        return LegendHeight + int(std::ceil(rows * cellHeight(width))) + 2;
    }
    QSize sizeHint() const override { return {3 * CellWidth, heightForWidth(3 * CellWidth)}; }

    int boxAt(QPoint point) const {
        for (std::size_t k = 0; k < m_boxes.size(); ++k) {
            if (cell(int(k), width()).contains(point))
                return int(k);
        }
        return -1;
    }

    ChordBoxStyle style() const {
        ChordBoxStyle s;
        s.ink = palette().color(QPalette::Text);
        s.paper = palette().color(QPalette::Base);
        s.dot = s.ink;
        s.root = toQColor(m_state.colourRoot);
        s.rootText = Qt::white;
        s.labels = m_state.view.labels;
        return s;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.fillRect(rect(), palette().color(QPalette::Base));
        QPainterBoxCanvas canvas(painter);
        ChordBoxStyle s = style();
        if (!m_boxes.empty())
            paintBoxLegend(canvas, {6, LegendHeight / 2.0}, 12, s);
        const int chosen = m_chosen();
        for (std::size_t k = 0; k < m_boxes.size(); ++k) {
            s.frame = m_boxes[k].number == chosen ? palette().color(QPalette::Highlight)
                                                  : QColor(Qt::transparent);
            paintChordBox(canvas, m_boxes[k], cell(int(k), width()).adjusted(2, 2, -2, -2), s);
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        const int k = boxAt(event->position().toPoint());
        if (event->button() == Qt::LeftButton && k >= 0)
            Q_EMIT m_grid.boxClicked(m_boxes[std::size_t(k)].number);
    }
    bool event(QEvent* e) override {
        if (e->type() == QEvent::ToolTip) {
            auto* help = static_cast<QHelpEvent*>(e);
            const int k = boxAt(help->pos());
            if (k >= 0)
                QToolTip::showText(help->globalPos(),
                                   m_boxes[std::size_t(k)].caption + QLatin1String(": ") +
                                       m_boxes[std::size_t(k)].fretsText(),
                                   this);
            else
                QToolTip::hideText();
            return true;
        }
        return QWidget::event(e);
    }

private:
    ChordBoxGrid& m_grid;
    const std::vector<ChordBox>& m_boxes;
    const AppState& m_state;
    std::function<int()> m_chosen;
};

ChordBoxGrid::ChordBoxGrid(const QString& name, const std::vector<ChordBox>& boxes,
                           const AppState& state, std::function<int()> chosen, QWidget* parent)
    : QScrollArea(parent), m_canvas(new Canvas(*this, boxes, state, std::move(chosen))) {
    setObjectName(name);
    setWidget(m_canvas);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMinimumWidth(CellWidth + 24);
    setFocusPolicy(Qt::NoFocus);
}

void ChordBoxGrid::refresh() {
    m_canvas->updateGeometry();
    m_canvas->update();
}

int ChordBoxGrid::boxAt(QPoint point) const {
    return m_canvas->boxAt(point);
}

} // namespace chordalis

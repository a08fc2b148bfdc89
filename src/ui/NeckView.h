#pragma once

#include <QPointF>
#include <QWidget>

namespace chordalis {

class Fretboard;

// picFretboard: the 753 x 183 neck surface scaled into the widget with its aspect ratio kept and
// centred, painted at the screen's own resolution. Mouse presses are reported in surface units
// (mirrored hands included, since the surface itself is drawn mirrored); the core decides what
// they mean.
class NeckView : public QWidget {
    Q_OBJECT

public:
    explicit NeckView(const Fretboard& fretboard, QWidget* parent = nullptr);

    // Where the surface lies inside the widget, in widget pixels.
    QRectF surfaceRect() const;
    // A widget position in surface units (may lie outside 0..753 x 0..183).
    QPointF toSurface(QPointF widgetPos) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

Q_SIGNALS:
    void pressed(Qt::MouseButton button, QPointF surfacePos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const Fretboard& m_fretboard;
};

} // namespace chordalis

#pragma once

#include <QPointF>
#include <QWidget>

namespace chordalis {

// The fretboard picture picFretboard: the 753 x 183 neck surface scaled into the widget with its
// aspect ratio kept and centred. Mouse presses are reported in surface units, the core decides
// what they mean.
class NeckView : public QWidget {
    Q_OBJECT

public:
    static constexpr int SurfaceWidth = 753;
    static constexpr int SurfaceHeight = 183;

    explicit NeckView(QWidget* parent = nullptr);

    void setLeftHanded(bool leftHanded);
    bool isLeftHanded() const { return m_leftHanded; }

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
    void paintNeck(QPainter& p) const;

    bool m_leftHanded = false;
};

} // namespace chordalis

#pragma once

#include "fretboard/NeckExtras.h"

#include <QPointF>
#include <QTimer>
#include <QWidget>

namespace chordalis {

class Fretboard;

// picFretboard: the neck surface (753 x 183 units for the six-string neck of 15 frets, else as the
// neck's geometry has it) scaled into the widget with its aspect ratio kept and centred; where
// the widget is wider than that, the neck is drawn longer (up to MaxStretch times its shape, its
// markers round) so that it fills the width, painted at the screen's own resolution, with the fret
// numbers in a strip under it when they are chosen. Mouse presses are reported in surface units
// (mirrored hands included, since the surface itself is drawn mirrored); the core decides what they
// mean. A tooltip over a marker names its note.
class NeckView : public QWidget {
    Q_OBJECT

public:
    explicit NeckView(const Fretboard& fretboard, QWidget* parent = nullptr);

    // What the window adds to the neck: labels, shading, rings and the fret numbers.
    void setExtras(const NeckExtras& extras, FretNumbers fretNumbers);
    const NeckExtras& extras() const { return m_extras; }
    FretNumbers fretNumbers() const { return m_fretNumbers; }

    // Where the surface lies inside the widget, in widget pixels (the strip lies under it).
    QRectF surfaceRect() const;
    // How much longer than its shape the neck is drawn: 1 .. MaxStretch.
    double stretch() const;
    static constexpr double MaxStretch = 2.0;
    // A widget position in surface units (may lie outside the surface).
    QPointF toSurface(QPointF widgetPos) const;

    // Repaints what the neck shows now, taking a new size when the neck has changed shape.
    void refresh();

    // The height the surface and its strip take at a width, aspect kept.
    int heightForWidth(int width) const override;
    // The height the window gives the neck: the layout keeps to it, so that the neck shrinks
    // before the controls under it do.
    void setPreferredHeight(int height);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // How long after the last step of a resize the neck is drawn sharp at its new size; until
    // then each step scales the last rendering, so that a drag keeps up with the pointer.
    static constexpr int SharpFrameDelayMs = 100;

Q_SIGNALS:
    void pressed(Qt::MouseButton button, QPointF surfacePos);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Surface units the widget shows top to bottom: the surface and the strip when shown.
    int contentHeight() const;
    int surfaceWidth() const;
    int surfaceHeight() const;

    const Fretboard& m_fretboard;
    NeckExtras m_extras;
    FretNumbers m_fretNumbers = FretNumbers::None;
    int m_preferredHeight = 0;
    QSize m_surfaceSize;      // of the neck last laid out
    bool m_sharpNext = false; // the frame after a resize's quick ones: the neck drawn anew
    QTimer m_sharpLater;      // started again at each quick frame
};

} // namespace chordalis

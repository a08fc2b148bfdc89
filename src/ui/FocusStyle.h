#pragma once

#include <QProxyStyle>

namespace chordalis {

// The desktop's own style with a focus frame that can be seen: once the user moves with the
// keyboard, the control (or the tree row, tab or option) with the focus gets a frame two pixels
// wide in the highlight colour.
class FocusStyle : public QProxyStyle {
    Q_OBJECT

public:
    FocusStyle() = default;
    // Over the style of that name ("Fusion"); an unknown name gives Qt's default style.
    explicit FocusStyle(const QString& baseStyle) : QProxyStyle(baseStyle) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};

} // namespace chordalis

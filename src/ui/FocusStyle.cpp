#include "ui/FocusStyle.h"

#include <QPainter>
#include <QStyleOption>

namespace chordalis {

namespace {

void drawFrame(QPainter* painter, const QRect& rect, const QPalette& palette) {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(palette.color(QPalette::Highlight), 2.0));
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(QRectF(rect).adjusted(1, 1, -1, -1), 2.5, 2.5);
    painter->restore();
}

bool keyboardFocus(const QStyleOption* option) {
    return (option->state & QStyle::State_HasFocus) &&
           (option->state & QStyle::State_KeyboardFocusChange);
}

} // namespace

void FocusStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    if (element == PE_FrameFocusRect) {
        // Only after a move with the keyboard: a click shows where it went by itself.
        if (option->state & State_KeyboardFocusChange)
            drawFrame(painter, option->rect, option->palette);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void FocusStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    // Buttons, lists and text boxes show their focus only by a tinted outline in some styles, or
    // not at all; a frame around the whole control is unmistakable.
    if ((element == CE_PushButton || element == CE_ShapedFrame) && keyboardFocus(option))
        drawFrame(painter, option->rect, option->palette);
}

} // namespace chordalis

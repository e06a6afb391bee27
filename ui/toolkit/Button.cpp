#include "Button.h"

#include <QPen>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace quorvel {

namespace {
const QColor kGrayText{109, 109, 109};
} // namespace

Button::Button(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void Button::paintEvent(QPaintEvent* event) {
    (void)event;
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    // The frame and background as the style draws them, then the caption on top, wrapped.
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.setPen(isEnabled() ? QColor(Qt::black) : kGrayText);
    painter.setFont(font());
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, caption);
    // The flat style draws no focus of its own; a dotted frame inside the edge shows where the keyboard is.
    if (hasFocus()) {
        painter.setPen(QPen(QColor(Qt::black), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

} // namespace quorvel

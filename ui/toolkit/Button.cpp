#include "Button.h"

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
}

} // namespace quorvel

// Speed buttons: the frame from the style, the label centred.
#include "app/speed_button.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <algorithm>

TSpeedButton::TSpeedButton(QWidget* parent) : QToolButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

void TSpeedButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    QStyleOptionToolButton frame = option;
    frame.text.clear();
    frame.icon = QIcon();
    painter.drawComplexControl(QStyle::CC_ToolButton, frame);
    // The label as wide as icon, gap and caption, in the middle of the button.
    const int labelWidth =
        option.iconSize.width() + 4 + fontMetrics().horizontalAdvance(option.text);
    const int left = std::max(0, (width() - labelWidth) / 2);
    option.rect = QRect(left, 0, std::min(width(), labelWidth + 2), height());
    if (isDown() || isChecked())
        option.rect.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                              style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    painter.drawControl(QStyle::CE_ToolButtonLabel, option);
}

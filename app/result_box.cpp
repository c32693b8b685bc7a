// The result box's figure, sized to the text it shows.
#include "app/result_box.h"

#include <QStyle>
#include <QStyleOptionFrame>

TResultBox::TResultBox(int largest, int smallest, QWidget* parent)
    : QLineEdit(parent), FLargest(largest), FSmallest(smallest) {
    setReadOnly(true);
    QFont figure = font();
    figure.setPointSize(FLargest);
    figure.setBold(true);
    setFont(figure);
    setFixedHeight(sizeHint().height());
    QPalette failed = palette();
    failed.setColor(QPalette::PlaceholderText, QColor(0xb8, 0x3a, 0x32));
    setPalette(failed);
}

void TResultBox::ShowValue(const QString& figure) {
    setPlaceholderText({});
    setText(figure);
    FitFont();
    setCursorPosition(0);
}

void TResultBox::ShowFailure(const QString& message) {
    clear();
    setPlaceholderText(message);
    FitFont();
}

void TResultBox::Clear() {
    clear();
    setPlaceholderText({});
    FitFont();
}

void TResultBox::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    FitFont();
}

void TResultBox::FitFont() {
    const QString shown = text().isEmpty() ? placeholderText() : text();
    QStyleOptionFrame option;
    initStyleOption(&option);
    // The line edit keeps 2 pixels of its own on each side of the text.
    const int room = style()->subElementRect(QStyle::SE_LineEditContents, &option, this).width() -
                     textMargins().left() - textMargins().right() - 4;
    QFont figure = font();
    int size = FLargest;
    for (; size > FSmallest; --size) {
        figure.setPointSize(size);
        if (QFontMetrics(figure).horizontalAdvance(shown) <= room) break;
    }
    figure.setPointSize(size);
    if (figure != font()) setFont(figure);
}

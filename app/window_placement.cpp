// First placement of a window: centred once, remembered by a property of the window,
// kept on the screen.
#include "app/window_placement.h"

#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <algorithm>

void CentreOnFirstShow(QWidget& window, const QWidget* over) {
    static constexpr const char* Placed = "zentavoPlaced";
    if (window.property(Placed).toBool()) return;
    window.setProperty(Placed, true);
    const QScreen* screen = over ? over->screen() : window.screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    // The frame's size where the window manager has told it, else the window's own.
    const QSize frame = window.frameGeometry().size().expandedTo(window.size());
    QPoint place = (over ? over->frameGeometry().center() : area.center()) -
                   QPoint(frame.width() / 2, frame.height() / 2);
    place.setX(std::max(area.left(), std::min(place.x(), area.right() + 1 - frame.width())));
    place.setY(std::max(area.top(), std::min(place.y(), area.bottom() + 1 - frame.height())));
    window.move(place);
}

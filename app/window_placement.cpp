// First placement of a window: centred once, remembered by a property of the window.
#include "app/window_placement.h"

#include <QScreen>
#include <QVariant>
#include <QWidget>

void CentreOnFirstShow(QWidget& window, const QWidget* over) {
    static constexpr const char* Placed = "zentavoPlaced";
    if (window.property(Placed).toBool()) return;
    window.setProperty(Placed, true);
    if (over) {
        window.move(over->frameGeometry().center() - window.rect().center());
    } else if (const QScreen* screen = window.screen()) {
        window.move(screen->availableGeometry().center() - window.rect().center());
    }
}

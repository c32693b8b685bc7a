// Where the program's windows first appear: centred over another window, or on
// the screen, the first time they are shown, and always whole on the screen that
// holds them; afterwards they stay where the user put them.
#pragma once

class QWidget;

// Centres the window over `over` (its frame), or on its screen's available area when
// `over` is null, the first time this is called for it, then moves it as little as
// needed to lie whole on the available area of the screen that holds `over` (or the
// window); a window larger than that area keeps its top-left corner, and so its
// title bar, on the screen. Later calls do nothing. Call from the window's showEvent.
void CentreOnFirstShow(QWidget& window, const QWidget* over = nullptr);

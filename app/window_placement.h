// Where the program's windows first appear: centred over another window, or on
// the screen, the first time they are shown; afterwards they stay where the user
// put them.
#pragma once

class QWidget;

// Centres the window over `over` (its frame), or on its screen's available area when
// `over` is null, the first time this is called for it; later calls do nothing. Call
// from the window's showEvent.
void CentreOnFirstShow(QWidget& window, const QWidget* over = nullptr);

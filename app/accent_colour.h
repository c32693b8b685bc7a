// The program's one accent colour, shared by the button pictures and the plotted
// curve so the two read as one family.
#pragma once

#include <QColor>

inline QColor AccentColour() {
    return {0x2f, 0x6f, 0xc0};
}

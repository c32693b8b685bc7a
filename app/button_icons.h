// The small pictures of the calculator's buttons and its window icon, drawn in code
// so they stay sharp at any display scale.
#pragma once

#include <QIcon>
#include <QPixmap>

enum class TButtonIcon {
    Variable,
    Compute,
    Help,
    Copy,
    About,
    Print,
    Close,
    Plot,
    Solve,
    Save,
    Application
};

QIcon ButtonIcon(TButtonIcon kind);
// One picture drawn at the given side in pixels.
QPixmap ButtonPixmap(TButtonIcon kind, int side);

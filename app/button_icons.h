// The small pictures of the calculator's buttons and its window icon, drawn in code
// so they stay sharp at any display scale.
#pragma once

#include <QIcon>

enum class TButtonIcon { Variable, Compute, Help, Copy, About, Print, Application };

QIcon ButtonIcon(TButtonIcon kind);

// Registers the dialogs' compiled-in resources (documentation text, About picture)
// once; needed because the resources live in a static library.
#pragma once

void EnsureDialogResources();

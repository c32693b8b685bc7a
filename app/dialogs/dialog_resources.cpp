// Registers the dialogs' compiled-in resources once.
#include "app/dialogs/dialog_resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void RegisterDialogResources() {
    Q_INIT_RESOURCE(dialogs);
}

void EnsureDialogResources() {
    static const bool registered = (RegisterDialogResources(), true);
    (void)registered;
}

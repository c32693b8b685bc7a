// Program start: the application titled "Zentavo" with the user's decimal
// separator, the main window, and the message loop until the window is closed.
#include "app/application.h"
#include "app/main_window.h"
#include "platform/regional_settings.h"

int main(int argc, char** argv) {
    TZentavoApplication application(argc, argv);
    ApplySystemDecimalSeparator();
    TF_Main_LSF window;
    window.show();
    return application.exec();
}

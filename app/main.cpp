// Program start: the application titled "Zentavo" with the user's decimal
// separator, the main window, and the message loop until the window is closed.
// Without a display to show it on, it says so and exits with status 1 (instead of
// the toolkit's abort).
#include <QByteArray>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "app/application.h"
#include "app/main_window.h"
#include "platform/regional_settings.h"

namespace {

constexpr char NoDisplay[] = "zentavo: cannot open a display (is DISPLAY set?)\n";

[[noreturn]] void ExitWithoutDisplay() {
    if (write(2, NoDisplay, sizeof NoDisplay - 1) < 0) {
    }
    _exit(1);
}

// The X11 or Wayland platform, chosen by default or by QT_QPA_PLATFORM, with neither
// DISPLAY nor WAYLAND_DISPLAY to reach it.
bool DisplayMissing() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool windowed =
        platform.isEmpty() || platform.startsWith("xcb") || platform.startsWith("wayland");
    return windowed && qEnvironmentVariableIsEmpty("DISPLAY") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// A display that is set but cannot be reached ends in the toolkit's fatal message
// about the platform plugin: the same message and status as without one.
void OnQtMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg && text.contains(QLatin1String("platform plugin"))) ExitWithoutDisplay();
    std::fprintf(stderr, "%s\n", qPrintable(text));
    if (type == QtFatalMsg) std::abort();
}

} // namespace

int main(int argc, char** argv) {
    if (DisplayMissing()) ExitWithoutDisplay();
    const QtMessageHandler previous = qInstallMessageHandler(OnQtMessage);
    TZentavoApplication application(argc, argv);
    qInstallMessageHandler(previous);
    ApplySystemDecimalSeparator();
    TF_Main_LSF window;
    window.show();
    return application.exec();
}

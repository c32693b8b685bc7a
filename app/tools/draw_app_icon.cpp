// Writes the program's icon as a PNG of the given size (for the desktop menu):
// draw_app_icon OUTPUT.png [SIZE]. Run with QT_QPA_PLATFORM=offscreen; the icons of
// resources/icons are drawn this way, one per size a desktop asks for.
#include <QGuiApplication>
#include <QPixmap>

#include "app/button_icons.h"

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc < 2) return 2;
    const int side = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 64;
    return ButtonPixmap(TButtonIcon::Application, side).save(argv[1]) ? 0 : 1;
}

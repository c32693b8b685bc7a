// Draws the About window's 170 x 45 picture and saves it as a PNG:
//   draw_about_picture app/dialogs/resources/about_picture.png
// The PNG is kept in the repository; run this again only to change the picture.
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>

namespace {

// A small calculator: body, display with a curve, and a 4 x 3 block of keys.
void DrawCalculator(QPainter& p, const QRectF& box) {
    QLinearGradient body(box.topLeft(), box.bottomLeft());
    body.setColorAt(0, QColor(0xf4, 0xf6, 0xfa));
    body.setColorAt(1, QColor(0xc9, 0xd3, 0xe3));
    p.setPen(QPen(QColor(0x1d, 0x2b, 0x4a), 1.2));
    p.setBrush(body);
    p.drawRoundedRect(box, 4, 4);

    const QRectF display(box.left() + 4, box.top() + 4, box.width() - 8, 11);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1d, 0x2b, 0x4a));
    p.drawRoundedRect(display, 1.5, 1.5);
    QPainterPath wave;
    for (int i = 0; i <= 40; ++i) {
        const double t = i / 40.0;
        const QPointF point(display.left() + 2 + t * (display.width() - 4),
                            display.center().y() - 3.2 * std::sin(t * 2 * M_PI) * (1 - 0.4 * t));
        if (i == 0)
            wave.moveTo(point);
        else
            wave.lineTo(point);
    }
    p.setPen(QPen(QColor(0x7f, 0xe0, 0xc9), 1.1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);

    const double keyTop = display.bottom() + 3;
    const double keyW = (box.width() - 8 - 2 * 2) / 3.0;
    const double keyH = (box.bottom() - 4 - keyTop - 3 * 1.5) / 4.0;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QRectF key(box.left() + 4 + col * (keyW + 2), keyTop + row * (keyH + 1.5), keyW,
                             keyH);
            const bool accent = (col == 2 && row == 3);
            p.setPen(Qt::NoPen);
            p.setBrush(accent ? QColor(0xe0, 0x6c, 0x2f) : QColor(0x4a, 0x5d, 0x84));
            p.drawRoundedRect(key, 1, 1);
        }
    }
}

QImage DrawPicture() {
    QImage image(170, 45, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // Banner behind the formula.
    const QRectF banner(0.5, 0.5, 169, 44);
    QLinearGradient sky(banner.topLeft(), banner.topRight());
    sky.setColorAt(0, QColor(0x1d, 0x2b, 0x4a));
    sky.setColorAt(1, QColor(0x2f, 0x6f, 0x8f));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(banner, 6, 6);

    DrawCalculator(p, QRectF(6, 4, 30, 37));

    // The formula with its variables.
    QFont serif(QStringLiteral("DejaVu Serif"));
    serif.setPixelSize(17);
    serif.setItalic(true);
    p.setFont(serif);
    p.setPen(Qt::white);
    p.drawText(QRectF(44, 3, 122, 26), Qt::AlignCenter, QStringLiteral("F(x; y; z)"));

    // Underline in the accent colour, and a row of small dots like grid rows.
    p.setPen(QPen(QColor(0xe0, 0x6c, 0x2f), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(52, 31), QPointF(158, 31));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xff, 0xff, 0x90));
    for (int i = 0; i < 9; ++i)
        p.drawEllipse(QPointF(56 + i * 12.5, 38), 1.3, 1.3);
    p.end();
    return image;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_about_picture OUTPUT.png\n");
        return 2;
    }
    return DrawPicture().save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}

// Button pictures: a rounded tile with a symbol, in the colours of a desktop theme.
#include "app/button_icons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// Paints one picture into a square of side 16 (logical units).
void Paint(QPainter& p, TButtonIcon kind) {
    p.setRenderHint(QPainter::Antialiasing);
    auto tile = [&](const QColor& colour) {
        QPainterPath path;
        path.addRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
        p.fillPath(path, colour);
        p.setPen(QPen(colour.darker(140), 1));
        p.drawPath(path);
    };
    auto glyph = [&](const QString& text, bool bold = true) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(12);
        font.setBold(bold);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, text);
    };
    switch (kind) {
    case TButtonIcon::Variable:
        tile(QColor(0xd9, 0x7a, 0x1e));
        glyph(QStringLiteral("x"));
        break;
    case TButtonIcon::Compute:
    case TButtonIcon::Application:
        tile(QColor(0x2e, 0x8b, 0x3e));
        glyph(QStringLiteral("="));
        break;
    case TButtonIcon::Help:
        tile(QColor(0x2f, 0x6f, 0xc0));
        glyph(QStringLiteral("?"));
        break;
    case TButtonIcon::About:
        tile(QColor(0x5a, 0x6b, 0x7d));
        glyph(QStringLiteral("i"));
        break;
    case TButtonIcon::Copy: {
        const QColor ink(0x3b, 0x4a, 0x5a);
        p.setPen(QPen(ink, 1.2));
        p.setBrush(QColor(0xe8, 0xee, 0xf5));
        p.drawRoundedRect(QRectF(1.5, 1.5, 9, 11), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(5.5, 4.5, 9, 11), 1.5, 1.5);
        p.drawLine(QPointF(7.5, 8), QPointF(12.5, 8));
        p.drawLine(QPointF(7.5, 10.5), QPointF(12.5, 10.5));
        p.drawLine(QPointF(7.5, 13), QPointF(11, 13));
        break;
    }
    case TButtonIcon::Print: {
        const QColor ink(0x3b, 0x4a, 0x5a);
        p.setPen(QPen(ink, 1.2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(0x8a, 0x99, 0xa8));
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        break;
    }
    }
}

} // namespace

QPixmap ButtonPixmap(TButtonIcon kind, int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.scale(side / 16.0, side / 16.0);
    Paint(painter, kind);
    return pixmap;
}

QIcon ButtonIcon(TButtonIcon kind) {
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64})
        icon.addPixmap(ButtonPixmap(kind, side));
    return icon;
}

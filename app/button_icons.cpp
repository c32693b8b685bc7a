// Button pictures: rounded tiles with white stroked symbols.
#include "app/button_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "app/accent_colour.h"

namespace {

// Every button picture is the same rounded tile in the one accent colour with a
// white symbol drawn in strokes of one width, so the set reads as one family at 16
// pixels and stays sharp when scaled. The program's own icon keeps its green.
constexpr qreal Stroke = 1.6;
const QColor Accent = AccentColour();
const QColor ApplicationGreen(0x2e, 0x8b, 0x3e);

void Tile(QPainter& p, const QColor& colour) {
    QPainterPath path;
    path.addRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    p.fillPath(path, colour);
    p.setPen(QPen(colour.darker(135), 1));
    p.drawPath(path);
}

QPen SymbolPen() {
    return QPen(Qt::white, Stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Paint(QPainter& p, TButtonIcon kind) {
    p.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
    case TButtonIcon::Variable: { // a two-column table: the grid of variables
        Tile(p, Accent);
        p.setPen(SymbolPen());
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(3.5, 4, 9, 8));
        p.drawLine(QPointF(7, 4), QPointF(7, 12));
        p.drawLine(QPointF(3.5, 8), QPointF(12.5, 8));
        break;
    }
    case TButtonIcon::Compute:
    case TButtonIcon::Application:
        Tile(p, kind == TButtonIcon::Application ? ApplicationGreen : Accent);
        p.setPen(SymbolPen());
        p.drawLine(QPointF(4.5, 6.2), QPointF(11.5, 6.2));
        p.drawLine(QPointF(4.5, 9.8), QPointF(11.5, 9.8));
        break;
    case TButtonIcon::Help: {
        Tile(p, Accent);
        p.setPen(SymbolPen());
        p.setBrush(Qt::NoBrush);
        QPainterPath hook;
        hook.moveTo(5.6, 6.0);
        hook.cubicTo(5.6, 2.9, 10.4, 2.9, 10.4, 5.8);
        hook.cubicTo(10.4, 7.6, 8.0, 7.8, 8.0, 9.8);
        p.drawPath(hook);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(8.0, 12.4), 1.1, 1.1);
        break;
    }
    case TButtonIcon::About:
        Tile(p, Accent);
        p.setPen(SymbolPen());
        p.drawLine(QPointF(8, 7.2), QPointF(8, 12.2));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(8, 4.4), 1.1, 1.1);
        break;
    case TButtonIcon::Copy:
        Tile(p, Accent);
        p.setPen(SymbolPen());
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(3.5, 3.5, 6, 7), 1, 1);
        p.setBrush(Accent);
        p.drawRoundedRect(QRectF(6.5, 5.5, 6, 7), 1, 1);
        break;
    case TButtonIcon::Print:
        Tile(p, Accent);
        p.setPen(SymbolPen());
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(5.5, 3.2, 5, 3));
        p.drawRoundedRect(QRectF(3.2, 6.2, 9.6, 4.8), 1, 1);
        p.setBrush(Accent);
        p.drawRect(QRectF(5.5, 9.2, 5, 3.6));
        break;
    case TButtonIcon::Plot: { // a rising curve over an axis
        Tile(p, Accent);
        p.setPen(SymbolPen());
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(3.5, 3.5), QPointF(3.5, 12.5));
        p.drawLine(QPointF(3.5, 12.5), QPointF(12.5, 12.5));
        QPainterPath curve;
        curve.moveTo(5.5, 10.5);
        curve.cubicTo(8.0, 10.5, 8.5, 5.0, 12.5, 4.5);
        p.drawPath(curve);
        break;
    }
    case TButtonIcon::Solve: { // a wave crossing the axis, its crossing marked
        Tile(p, Accent);
        p.setPen(SymbolPen());
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(2.5, 8), QPointF(13.5, 8));
        QPainterPath wave;
        wave.moveTo(3.0, 12.0);
        wave.cubicTo(6.0, 12.0, 6.5, 4.0, 9.0, 4.0);
        wave.cubicTo(11.0, 4.0, 11.5, 6.0, 13.0, 6.5);
        p.drawPath(wave);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(6.4, 8), 1.7, 1.7);
        break;
    }
    case TButtonIcon::Save: { // a bookmark ribbon: kept for later
        Tile(p, Accent);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        const QPointF ribbon[] = {{5, 3.5}, {11, 3.5}, {11, 12.5}, {8, 10}, {5, 12.5}};
        p.drawPolygon(ribbon, 5);
        break;
    }
    case TButtonIcon::Close:
        Tile(p, Accent);
        p.setPen(SymbolPen());
        p.drawLine(QPointF(5.2, 5.2), QPointF(10.8, 10.8));
        p.drawLine(QPointF(10.8, 5.2), QPointF(5.2, 10.8));
        break;
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

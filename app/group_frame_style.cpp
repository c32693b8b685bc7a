// Fusion with its group-box frame painted by QPainter. Fusion paints that frame from
// a picture in its resources, and reading it makes the image reader load every
// image-format plugin (GIF, ICO, JPEG, SVG and their libraries) at the first paint;
// nothing else at start-up reads an image.
#include "app/group_frame_style.h"

#include <QApplication>
#include <QGroupBox>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

// Space above Fusion's frame when the box has neither title nor check box.
constexpr int FrameTopMargin = 3;

class TGroupFrameStyle : public QProxyStyle {
public:
    explicit TGroupFrameStyle(QStyle* fusion) : QProxyStyle(fusion) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_FrameGroupBox) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        // The frame starts below the title, as Fusion places it.
        const auto* box = qobject_cast<const QGroupBox*>(widget);
        const bool bare = box && !box->isCheckable() && box->title().isEmpty();
        const int top =
            bare ? FrameTopMargin
                 : qMax(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height()) +
                       FrameTopMargin;
        const QRectF frame =
            QRectF(option->rect.adjusted(0, top, 0, 0)).adjusted(1.5, 1.5, -0.5, -0.5);
        // Fusion's picture: a grey line at a fifth of full strength with round corners
        // and an almost clear shade inside, over light and dark palettes alike.
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QColor(117, 117, 117, 50));
        painter->setBrush(QColor(0, 0, 0, 3));
        painter->drawRoundedRect(frame, 2, 2);
        painter->restore();
    }
};

} // namespace

void DrawGroupFramesInCode(QApplication& application) {
    if (QApplication::style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0)
        return;
    // The application owns its style, and the proxy the Fusion style it draws over.
    application.setStyle(new TGroupFrameStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
}

// The plot window's ways out: the table as text, CSV, an image, a printed page.
#include "app/plot_window.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QSvgGenerator>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>

#include "app/dialogs/text_print_form.h"
#include "app/qt_text.h"
#include "app/sweep_table_model.h"
#include "platform/regional_settings.h"

QString TPlotWindow::TableText() const {
    QString text;
    if (!Swept()) return text;
    text += FromStd(Swept()->SweptName()) + QStringLiteral("\tF\n");
    for (int row = 0; row < FTableModel->rowCount(); ++row)
        text += FTableModel->XText(row) + '\t' + FTableModel->ValueText(row) + '\n';
    return text;
}

QString TPlotWindow::CsvText() const {
    const QChar separator = DecimalSeparator() == ',' ? ';' : ',';
    const auto field = [separator](const QString& value) {
        if (!value.contains(separator) && !value.contains('"')) return value;
        return '"' + QString(value).replace('"', QStringLiteral("\"\"")) + '"';
    };
    QString text;
    if (!Swept()) return text;
    text += field(FromStd(Swept()->SweptName())) + separator + QStringLiteral("F\n");
    for (int row = 0; row < FTableModel->rowCount(); ++row)
        text +=
            field(FTableModel->XText(row)) + separator + field(FTableModel->ValueText(row)) + '\n';
    return text;
}

namespace {

// The path with the suffix added when the user typed none.
QString WithSuffix(const QString& path, const QString& suffix) {
    return QFileInfo(path).suffix().isEmpty() ? path + '.' + suffix : path;
}

// The size a saved picture of the chart has: wide enough for a report page.
constexpr QSize PictureSize(1600, 1000);

} // namespace

void TPlotWindow::SaveCsv(const QString& typed) const {
    const QString path = WithSuffix(typed, QStringLiteral("csv"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(CsvText().toUtf8()) < 0 || !file.flush())
        throw Exception(("The file '" + path + "' could not be written").toStdString());
}

// SVG by its suffix; otherwise PNG (the suffix added when none was typed): the chart
// drawn anew at PictureSize on white, not a grab of the window.
void TPlotWindow::SaveImage(const QString& typed) {
    const QString path = WithSuffix(typed, QStringLiteral("png"));
    bool written = false;
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(ChartView->size());
        svg.setViewBox(ChartView->rect());
        svg.setTitle(windowTitle());
        QPainter painter;
        written = painter.begin(&svg);
        if (written) ChartView->render(&painter);
        written = written && painter.end() && QFile::exists(path);
    } else {
        QImage picture(PictureSize, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        ChartView->scene()->render(&painter, QRectF(QPointF(), PictureSize), FChart->geometry());
        painter.end();
        written = picture.save(path, "PNG");
    }
    if (!written) throw Exception(("The file '" + path + "' could not be written").toStdString());
}

QString TPlotWindow::Caption() const {
    QString caption = QStringLiteral("F = ") + FromStd(FRun.Inputs().Formula);
    for (std::size_t i = 0; i < FRun.Inputs().Names.size(); ++i)
        if (Swept() && FRun.Inputs().Names[i] != Swept()->SweptName())
            caption +=
                QStringLiteral("\n%1: %2")
                    .arg(FromStd(FRun.Inputs().Names[i]), FromStd(FRun.Inputs().ValueTexts[i]));
    return caption;
}

void TPlotWindow::PrintTo(QPrinter& printer) {
    printer.setDocName(QStringLiteral("Plot"));
    QPainter painter;
    if (!painter.begin(&printer)) throw EPrintError(PrintMessages::CannotOpen);
    const QRect sheet = painter.viewport();
    const int margin = sheet.width() / 12; // about 2 cm on A4
    const QRect page = sheet.adjusted(margin, margin, -margin, -margin);
    QFont font = painter.font();
    font.setPointSize(11);
    painter.setFont(font);
    const QRect captionArea(page.left(), page.top(), page.width(), page.height() / 5);
    QRect used;
    painter.drawText(captionArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, Caption(),
                     &used);
    const int top = used.bottom() + page.height() / 40;
    const QRect chartArea(page.left(), top, page.width(),
                          std::min(page.height() - top, page.width() * 3 / 4));
    ChartView->render(&painter, chartArea);
    painter.end();
    if (printer.printerState() == QPrinter::Error) throw EPrintError(PrintMessages::PrinterFailed);
}

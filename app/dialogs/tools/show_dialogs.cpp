// Shows one of the dialogs with sample content, for looking at them by eye:
//   show_dialogs print|documentation|about
//   show_dialogs pdf FILE.pdf      (prints a long sample log into a PDF file)
#include <QApplication>
#include <QPrinter>
#include <QStringList>
#include <QTextStream>

#include "app/dialogs/about_form.h"
#include "app/dialogs/helper_form.h"
#include "app/dialogs/text_print_form.h"

namespace {

QStringList SampleSessionLog() {
    QStringList lines;
    const char* formulas[] = {"5.22 - 5.44E-4 * (x - 817)", "sqrt(square(x) + 1)",
                              "L*(((c/100)/12)*power((1+((c/100)/12));n))/"
                              "(power((1+((c/100)/12));n)-1)"};
    const char* values[] = {"5.66336", "2.23606797749979", "709.131365585954"};
    for (int i = 0; i < 3; ++i) {
        lines << QStringLiteral("- - %1 - - - - - - - - -").arg(i + 1)
              << QStringLiteral("Formula: F = %1").arg(QString::fromLatin1(formulas[i]));
        if (i < 2)
            lines << QStringLiteral("x: 2");
        else
            lines << "L: 16000"
                  << "c: 6"
                  << "n: 24";
        lines << QStringLiteral("Y value: %1").arg(QString::fromLatin1(values[i]));
    }
    return lines;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString which = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("print");
    if (which == QLatin1String("print")) {
        TTextPrintForm form;
        form.SetReportLines(SampleSessionLog());
        return form.exec();
    }
    if (which == QLatin1String("pdf") && argc > 2) {
        TTextPrintForm form;
        QStringList lines;
        for (int i = 0; i < 25; ++i)
            lines << SampleSessionLog();
        lines.insert(6, QStringLiteral("Formula: F = ") +
                            QStringLiteral("power(x;2) + sin(x)*cos(x) - ").repeated(8) + "1");
        form.SetReportLines(lines);
        form.Printer().setOutputFormat(QPrinter::PdfFormat);
        form.Printer().setOutputFileName(QString::fromLocal8Bit(argv[2]));
        form.Button1Click();
        return 0;
    }
    if (which == QLatin1String("documentation")) {
        THelperForm form;
        form.show();
        return app.exec();
    }
    TAboutForm form;
    return form.exec();
}

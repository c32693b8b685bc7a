// The documentation window: a fixed manual of the calculator and its formula
// language, shown beside the main window; a click on its border hides it.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QFrame;
class QTextEdit;

// The complete documentation text, one paragraph per line.
QString DocumentationText();
// Its section titles, shown in bold.
QStringList DocumentationHeadings();

class THelperForm : public QWidget {
    Q_OBJECT
public:
    explicit THelperForm(QWidget* parent = nullptr);

    // Child widgets, owned by the window through Qt's parent chain.
    QFrame* Panel;        // fills the window; a click on it hides the window
    QTextEdit* RichEdit1; // the documentation text, read-only

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormClick();
};

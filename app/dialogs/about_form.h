// The About window: product picture, name and version; a click on the window, its
// panel, the name or Ok closes it.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr);

    // Child widgets, owned by the window through Qt's parent chain.
    QFrame* Panel;
    QLabel* Picture;      // 170 x 45 picture; clicks do nothing
    QLabel* ProductName;  // "Zentavo"; a click closes
    QLabel* Version;      // "version 4.1"; clicks do nothing
    QPushButton* Button1; // "&Ok"

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormClick();
};

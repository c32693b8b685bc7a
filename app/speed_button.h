// A speed button: a tool button that never takes the keyboard focus, with its icon
// and caption centred together (a tool button's own label sits at its left edge
// when the layout makes it wider than its contents).
#pragma once

#include <QToolButton>

class TSpeedButton : public QToolButton {
    Q_OBJECT

public:
    explicit TSpeedButton(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

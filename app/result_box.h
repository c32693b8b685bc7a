// The read-only box that shows the computed value: a large bold figure that steps
// down in size, as far as the size of the other boxes, when the figure or a failure's
// message would not fit, and keeps its height meanwhile, so the window never moves.
#pragma once

#include <QLineEdit>

class TResultBox : public QLineEdit {
    Q_OBJECT

public:
    // The figure at `largest` points, bold; long texts shrink to `smallest` points.
    TResultBox(int largest, int smallest, QWidget* parent);

    void ShowValue(const QString& figure);
    // Empties the box and shows the message in its place, greyed in red.
    void ShowFailure(const QString& message);
    void Clear();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The largest size at which the shown text (the figure or the message) fits.
    void FitFont();

    int FLargest;
    int FSmallest;
};

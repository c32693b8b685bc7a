// The drop-down list of formulas: the predefined ones first, then the user's saved
// formulas under a "My formulas" heading. It tells the window when it is about to
// open (so the saved ones can be read again) and when the user asks to delete a
// saved formula (the Delete key or the context menu, closed or open).
#pragma once

#include <QComboBox>

class TFormulaDropList : public QComboBox {
    Q_OBJECT

public:
    explicit TFormulaDropList(QWidget* parent = nullptr);

    // Items added before the first call are the fixed ones. Replaces the saved items
    // by these names (sorted already); with a problem text, one disabled item says
    // the saved formulas cannot be read and shows the text as its hint. The current
    // item stays current when it is still listed.
    void SetSavedNames(const QStringList& names, const QString& problem);
    // The saved formula's name at the index; empty for any other item.
    QString SavedNameAt(int index) const;
    // The index of the saved formula of that name, or -1.
    int IndexOfSaved(const QString& name) const;

    void showPopup() override;

signals:
    void PopupAboutToShow();
    void DeleteRequested(int index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OfferDelete(int index, const QPoint& globalPosition);

    int FFixedCount = -1;      // items before the saved part, once known
    int FFirstSaved = 1 << 30; // the first saved formula's index
};

// The drop-down list of predefined and saved formulas.
#include "app/formula_drop_list.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QStandardItemModel>

TFormulaDropList::TFormulaDropList(QWidget* parent) : QComboBox(parent) {
    view()->installEventFilter(this);
    view()->viewport()->installEventFilter(this);
}

void TFormulaDropList::SetSavedNames(const QStringList& names, const QString& problem) {
    if (FFixedCount < 0) FFixedCount = count();
    const int current = currentIndex();
    const QString currentSaved = SavedNameAt(current);
    auto* items = qobject_cast<QStandardItemModel*>(model());
    if (count() > FFixedCount) items->removeRows(FFixedCount, count() - FFixedCount);
    FFirstSaved = count();
    if (!names.isEmpty() || !problem.isEmpty()) {
        insertSeparator(count());
        addItem(QStringLiteral("My formulas"));
        QFont heading = font();
        heading.setBold(true);
        items->item(count() - 1)->setFont(heading);
        items->item(count() - 1)->setFlags(Qt::NoItemFlags);
        if (!problem.isEmpty()) {
            addItem(QStringLiteral("(cannot be read)"));
            items->item(count() - 1)->setFlags(Qt::NoItemFlags);
            items->item(count() - 1)->setToolTip(problem);
        }
        FFirstSaved = count();
        // One insertion for all of them: thousands of names fill the list at once.
        QList<QStandardItem*> rows;
        rows.reserve(names.size());
        for (const QString& name : names)
            rows << new QStandardItem(name);
        items->invisibleRootItem()->insertRows(FFirstSaved, rows);
    }
    setCurrentIndex(!currentSaved.isEmpty() ? IndexOfSaved(currentSaved)
                    : current < FFixedCount ? current
                                            : -1);
}

QString TFormulaDropList::SavedNameAt(int index) const {
    return index >= FFirstSaved && index < count() ? itemText(index) : QString();
}

int TFormulaDropList::IndexOfSaved(const QString& name) const {
    // From the first saved item on: a saved name may repeat a predefined item's text.
    for (int index = FFirstSaved; !name.isEmpty() && index < count(); ++index)
        if (itemText(index) == name) return index;
    return -1;
}

void TFormulaDropList::showPopup() {
    emit PopupAboutToShow();
    QComboBox::showPopup();
}

void TFormulaDropList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && !SavedNameAt(currentIndex()).isEmpty()) {
        emit DeleteRequested(currentIndex());
        return;
    }
    QComboBox::keyPressEvent(event);
}

void TFormulaDropList::contextMenuEvent(QContextMenuEvent* event) {
    OfferDelete(currentIndex(), event->globalPos());
}

// In the open list, Delete and the context menu act on the item under the
// highlight or the mouse; the list closes first so the question is not hidden.
bool TFormulaDropList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view() && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        const int index = view()->currentIndex().row();
        if (SavedNameAt(index).isEmpty()) return false;
        hidePopup();
        emit DeleteRequested(index);
        return true;
    }
    if (watched == view()->viewport() && event->type() == QEvent::ContextMenu) {
        const auto* menuEvent = static_cast<QContextMenuEvent*>(event);
        const int index = view()->indexAt(menuEvent->pos()).row();
        if (SavedNameAt(index).isEmpty()) return true;
        const QPoint at = menuEvent->globalPos();
        hidePopup();
        OfferDelete(index, at);
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}

void TFormulaDropList::OfferDelete(int index, const QPoint& globalPosition) {
    const QString name = SavedNameAt(index);
    if (name.isEmpty()) return;
    QMenu menu(this);
    QAction* remove = menu.addAction(QStringLiteral("Delete the saved formula '%1'…").arg(name));
    remove->setShortcut(QKeySequence(Qt::Key_Delete));
    if (menu.exec(globalPosition) == remove) emit DeleteRequested(index);
}

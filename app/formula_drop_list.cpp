// The drop-down list of predefined and saved formulas.
#include "app/formula_drop_list.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QStandardItemModel>

namespace {
constexpr int SavedNameRole = Qt::UserRole + 1;
} // namespace

TFormulaDropList::TFormulaDropList(QWidget* parent) : QComboBox(parent) {
    view()->installEventFilter(this);
    view()->viewport()->installEventFilter(this);
}

void TFormulaDropList::SetSavedNames(const QStringList& names, const QString& problem) {
    if (FFixedCount < 0) FFixedCount = count();
    const int current = currentIndex();
    const QString currentSaved = SavedNameAt(current);
    while (count() > FFixedCount) removeItem(count() - 1);
    if (names.isEmpty() && problem.isEmpty()) {
        setCurrentIndex(current < FFixedCount ? current : -1);
        return;
    }
    auto* items = qobject_cast<QStandardItemModel*>(model());
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
    for (const QString& name : names) {
        addItem(name);
        setItemData(count() - 1, name, SavedNameRole);
    }
    if (!currentSaved.isEmpty())
        setCurrentIndex(IndexOfSaved(currentSaved));
    else
        setCurrentIndex(current < FFixedCount ? current : -1);
}

QString TFormulaDropList::SavedNameAt(int index) const {
    return index < 0 ? QString() : itemData(index, SavedNameRole).toString();
}

int TFormulaDropList::IndexOfSaved(const QString& name) const {
    return name.isEmpty() ? -1 : findData(name, SavedNameRole, Qt::MatchExactly);
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

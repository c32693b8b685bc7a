// The main window's formula lists: the predefined formulas and the user's saved ones
// in the drop-down, loading one, saving and deleting.
#include "app/main_window.h"

#include <QCollator>
#include <QInputDialog>
#include <QListView>
#include <QMessageBox>

#include "app/application.h"
#include "app/formula_drop_list.h"
#include "app/qt_text.h"
#include "app/result_box.h"
#include "session/predefined_formulas.h"

void TF_Main_LSF::ClearDropList() {
    CbDropList->setCurrentIndex(-1);
}

// A saved formula loads as a predefined one does, with its own values.
void TF_Main_LSF::LoadPredefinedFormula() {
    const std::vector<TPredefinedFormula> formulas = PredefinedFormulas();
    const int index = CbDropList->currentIndex();
    TPredefinedFormula entry;
    if (const QString saved = CbDropList->SavedNameAt(index); !saved.isEmpty()) {
        const TSavedFormula* formula = FindSavedFormula(FSavedFormulas, saved.toStdString());
        if (!formula) return;
        entry = AsPredefinedEntry(*formula);
        FChosenSavedName = saved;
    } else if (index >= 0 && index < static_cast<int>(formulas.size())) {
        entry = formulas[static_cast<size_t>(index)];
    } else {
        return;
    }
    Edit1->clear();
    V_Q->clear();
    EditYValue->Clear();
    Edit1->setText(FromStd(entry.Formula));
    Edit1->setCursorPosition(0);
    V_Q->setText(FromStd(entry.Variables));
    V_Q->setCursorPosition(0);
    FSession.LoadPredefinedCells(entry);
    SyncGrid();
}

void TF_Main_LSF::CbDropListClick() {
    if (CbDropList->currentText().isEmpty() || CbDropList->view()->isVisible()) return;
    LoadPredefinedFormula();
    ParseVariableList();
}

void TF_Main_LSF::CbDropListExit() {
    RememberControl(CbDropList);
}

// ---- Saved formulas -----------------------------------------------------------------

void TF_Main_LSF::ReloadSavedFormulas() {
    try {
        FSavedFormulas = FStore.Load();
        FStoreProblem.clear();
    } catch (const EFormulaStoreError&) {
        FSavedFormulas.clear();
        FStoreProblem = TZentavoApplication::CurrentErrorText();
    }
    QStringList names;
    for (const TSavedFormula& formula : FSavedFormulas)
        names << FromStd(formula.Name);
    // In the user's alphabetical order ("Ärger" beside "Apfel"), letter case aside.
    QCollator order;
    order.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(), order);
    CbDropList->SetSavedNames(names, FStoreProblem);
}

namespace {

bool Confirm(QWidget* parent, const QString& question) {
    return QMessageBox::question(parent, QString::fromLatin1(TZentavoApplication::Title),
                                 question) == QMessageBox::Yes;
}

} // namespace

// The name is checked before anything changes; the store is read again when saving,
// so a formula saved meanwhile from elsewhere is kept, and a taken name is only
// replaced after asking.
void TF_Main_LSF::SaveSpdBtnClick() {
    ReloadSavedFormulas();
    if (!FStoreProblem.isEmpty()) throw EFormulaStoreError(FStoreProblem.toStdString());
    QInputDialog ask(this, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    ask.setWindowTitle(QStringLiteral("Save formula"));
    ask.setLabelText(QStringLiteral("Name of the saved formula (up to %1 characters):")
                         .arg(MaxFormulaNameLength));
    ask.setTextValue(FChosenSavedName);
    ask.setMinimumWidth(ask.fontMetrics().horizontalAdvance(QLatin1Char('x')) * 48);
    if (ask.exec() != QDialog::Accepted) return;
    const std::string name = CheckedFormulaName(ask.textValue().toStdString());
    TSavedFormula formula =
        FSession.Snapshot(name, V_Q->text().toStdString(), Edit1->text().toStdString());
    SyncGrid();
    if (FStore.Save(formula, false) == TFormulaStore::TSaveResult::NameTaken) {
        if (!Confirm(this, QStringLiteral("A saved formula '%1' exists already. Replace it?")
                               .arg(FromStd(name))))
            return;
        FStore.Save(formula, true);
    }
    FChosenSavedName = FromStd(name);
    ReloadSavedFormulas();
}

void TF_Main_LSF::DeleteSavedFormula(int index) {
    const QString name = CbDropList->SavedNameAt(index);
    if (name.isEmpty()) return;
    if (!Confirm(this, QStringLiteral("Delete the saved formula '%1'?").arg(name))) return;
    FStore.Remove(name.toStdString());
    if (SameFormulaName(FChosenSavedName.toStdString(), name.toStdString()))
        FChosenSavedName.clear();
    ReloadSavedFormulas();
    ClearDropList();
}

// The main window kept in step with the session: the variable list parsed, the grid
// and the quantity box brought in line, and the control last left (for the buttons
// that give the focus back).
#include "app/main_window.h"

#include <QLineEdit>

#include "app/qt_text.h"
#include "app/variable_grid.h"
#include "app/variable_grid_model.h"

void TF_Main_LSF::ParseVariableList() {
    FSession.ParseVariableList(V_Q->text().toStdString());
    SyncGrid();
    RememberControl(V_Q);
}

void TF_Main_LSF::UpdateVariableGrid() {
    FSession.UpdateVariableGrid();
    SyncGrid();
}

void TF_Main_LSF::SyncGrid() {
    FGridModel->Sync();
    SG_Variables->OpenEditors();
    SG_Variables->FitNameColumn();
    edVarQuantity->setText(FromStd(FSession.QuantityText()));
}

void TF_Main_LSF::RememberControl(QWidget* control) {
    FLastExited = control;
}

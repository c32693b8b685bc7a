// The calculator's main window TF_Main_LSF: formula box, variable list and value
// grid, result box, predefined formulas, print choice and the buttons. A thin layer
// over TCalculationSession; every handler runs under the application's error guard.
#pragma once

#include <QPointer>
#include <QWidget>

#include "app/button_icons.h"
#include "app/formula_drop_list.h"
#include "session/calculation_session.h"
#include "session/formula_store.h"

class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QKeyEvent;
class QLineEdit;
class TResultBox;
class QPushButton;
class QRadioButton;
class QToolButton;
class TAboutForm;
class THelperForm;
class TTextPrintForm;
class TVariableGrid;
class TVariableGridModel;
class TPlotWindow;

class TF_Main_LSF : public QWidget {
    Q_OBJECT

public:
    explicit TF_Main_LSF(QWidget* parent = nullptr);
    ~TF_Main_LSF() override;

    const TCalculationSession& Session() const noexcept { return FSession; }
    // The report window, once Print has opened it.
    TTextPrintForm* PrintForm() const noexcept { return FPrintForm; }
    // The documentation window, once Help has opened it.
    THelperForm* HelperForm() const noexcept { return FHelperForm; }
    // The plot window, once the Plot button has opened it.
    TPlotWindow* PlotWindow() const noexcept { return FPlotWindow; }

    // Operations used across the window's handlers.
    void ParseVariableList(); // the body of V_QExit
    void UpdateVariableGrid();
    void LoadPredefinedFormula();
    void RememberControl(QWidget* control);
    void RestoreFocus();

    // Event handlers, named after control and event.
    void FormCreate();
    void V_QExit();
    bool V_QKeyPress(const QKeyEvent& key); // true: the key is swallowed
    void Edit1Exit();
    bool Edit1KeyPress(const QKeyEvent& key);
    void SG_VariablesExit();
    void EditYValueExit();
    void CbDropListExit();
    void SpeedButton1Click();
    void ComputeSpdBtnClick();
    void PlotSpdBtnClick();
    void SolveSpdBtnClick();
    // Asks for a name and saves the formula, the variable list and the values.
    void SaveSpdBtnClick();
    // Deletes the saved formula at that drop-down index after asking; predefined
    // items are left alone.
    void DeleteSavedFormula(int index);
    // Reads the saved formulas again and lists them in the drop-down; a store that
    // cannot be read lists none and keeps its message for Save.
    void ReloadSavedFormulas();
    // The saved formulas as last read, and the message when they could not be.
    const std::vector<TSavedFormula>& SavedFormulas() const noexcept { return FSavedFormulas; }
    const QString& StoreProblem() const noexcept { return FStoreProblem; }
    TFormulaInputs PlotSource() const;
    // Writes a value the plot window's solver found into the variable's cell.
    void UseSolvedValue(const std::string& name, const std::string& valueText);
    // Marks in the formula box where the parser stopped: the token selected, or the
    // caret at the end when the text ended early. The focus stays where it is.
    void MarkParseError(const std::string& formula, std::size_t start, std::size_t end);
    void CopySpdBtnClick();
    void HelpSpdBtnClick();
    void AboutSpdBtnClick();
    void PrintreportSpdBtnClick();
    void RbPreferences_intermClick();
    void RbPreferences_allsessionClick();
    void CbDropListClick();
    bool CbDropListKeyPress(const QKeyEvent& key);

    // Controls, named as the user's documentation and the tests know them.
    QLineEdit* Edit1;
    QLineEdit* edVarQuantity;
    QToolButton* SpeedButton1;
    QLineEdit* V_Q;
    TVariableGrid* SG_Variables;
    TResultBox* EditYValue;
    TFormulaDropList* CbDropList;
    QRadioButton* RbPreferences_interm;
    QRadioButton* RbPreferences_allsession;
    QPushButton* BitBtn1;
    QToolButton* HelpSpdBtn;
    QToolButton* CopySpdBtn;
    QToolButton* AboutSpdBtn;
    QToolButton* PrintreportSpdBtn;
    QToolButton* ComputeSpdBtn;
    QToolButton* PlotSpdBtn;
    QToolButton* SolveSpdBtn;
    QToolButton* SaveSpdBtn;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    QHBoxLayout* BuildFormulaStrip(const QFont& largeFont);
    QGroupBox* BuildVariableSetting();
    QGroupBox* BuildResultBox(const QFont& largeFont);
    QGroupBox* BuildPredefinedBox();
    QGroupBox* BuildPreferences();
    void ConnectHandlers();
    void SetTabOrder();
    QToolButton* MakeSpeedButton(const QString& name, const QString& caption, const QString& hint,
                                 TButtonIcon icon, const QKeySequence& shortcut);
    // The recorded control that holds the widget (itself or an ancestor), or nullptr.
    QWidget* ControlOf(QWidget* widget) const;
    void OnFocusChanged(QWidget* old, QWidget* now);
    void SyncGrid();
    // The result box empty, or empty with the message of a failed computation.
    TPlotWindow& OpenPlotWindow();
    void ClearDropList();

    TCalculationSession FSession;
    TFormulaStore FStore;
    std::vector<TSavedFormula> FSavedFormulas;
    QString FStoreProblem;
    QString FChosenSavedName; // the saved formula last chosen or saved: Save's suggestion
    TVariableGridModel* FGridModel;
    TTextPrintForm* FPrintForm = nullptr; // owned as a child window, made on first Print
    THelperForm* FHelperForm = nullptr;   // owned as a child window, made on first Help
    TPlotWindow* FPlotWindow = nullptr;   // owned as a child window, made on first use
    QWidget* FLastExited = nullptr;       // not owned
    // The control of this window that has (or last had) the keyboard focus.
    QPointer<QWidget> FCurrentControl; // not owned
    QMetaObject::Connection FFocusConnection;
};

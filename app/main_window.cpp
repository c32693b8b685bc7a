// The main window: its construction, and the handlers that connect the controls to
// the calculation session (the layout is in main_window_layout.cpp, the formula
// lists in main_window_formulas.cpp).
#include "app/main_window.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include "app/application.h"
#include "app/dialogs/about_form.h"
#include "app/dialogs/helper_form.h"
#include "app/dialogs/text_print_form.h"
#include "app/plot_window.h"
#include "app/qt_text.h"
#include "app/result_box.h"
#include "app/variable_grid.h"
#include "app/variable_grid_model.h"
#include "app/window_placement.h"
#include "engine/errors.h"
#include "session/predefined_formulas.h"
#include "session/variable_list.h"

namespace {

QStringList ToLines(const std::vector<std::string>& lines) {
    QStringList result;
    for (const std::string& line : lines)
        result << FromStd(line);
    return result;
}

bool IsEnter(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

// A key that produces a character: what the text boxes count as a keystroke. Tab
// moves the focus, and Delete is an editing key (X11 reports it with the text DEL).
bool IsCharacterKey(const QKeyEvent& key) {
    return !key.text().isEmpty() && key.key() != Qt::Key_Tab && key.key() != Qt::Key_Backtab &&
           key.key() != Qt::Key_Delete;
}

} // namespace

TF_Main_LSF::TF_Main_LSF(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("F_Main_LSF"));
    setWindowTitle(QStringLiteral("Multivariable Calculator - Zentavo"));
    setWindowIcon(ButtonIcon(TButtonIcon::Application));
    BuildControls();
    SetTabOrder();
    ConnectHandlers();
    FormCreate();
    Edit1->setFocus();
}

TF_Main_LSF::~TF_Main_LSF() {
    // The child widgets outlive the session while the base class destroys them:
    // stop listening to focus changes and detach the grid from the session's cells.
    disconnect(FFocusConnection);
    SG_Variables->setModel(nullptr);
}

void TF_Main_LSF::ConnectHandlers() {
    Edit1->installEventFilter(this);
    V_Q->installEventFilter(this);
    CbDropList->installEventFilter(this);
    FFocusConnection = connect(qApp, &QApplication::focusChanged, this,
                               [this](QWidget* old, QWidget* now) { OnFocusChanged(old, now); });
    auto click = [this](QAbstractButton* button, void (TF_Main_LSF::*handler)()) {
        connect(button, &QAbstractButton::clicked, this,
                [this, handler] { RunHandler([&] { (this->*handler)(); }); });
    };
    click(SpeedButton1, &TF_Main_LSF::SpeedButton1Click);
    click(ComputeSpdBtn, &TF_Main_LSF::ComputeSpdBtnClick);
    click(PlotSpdBtn, &TF_Main_LSF::PlotSpdBtnClick);
    click(SolveSpdBtn, &TF_Main_LSF::SolveSpdBtnClick);
    click(SaveSpdBtn, &TF_Main_LSF::SaveSpdBtnClick);
    click(CopySpdBtn, &TF_Main_LSF::CopySpdBtnClick);
    click(HelpSpdBtn, &TF_Main_LSF::HelpSpdBtnClick);
    click(AboutSpdBtn, &TF_Main_LSF::AboutSpdBtnClick);
    click(PrintreportSpdBtn, &TF_Main_LSF::PrintreportSpdBtnClick);
    click(RbPreferences_interm, &TF_Main_LSF::RbPreferences_intermClick);
    click(RbPreferences_allsession, &TF_Main_LSF::RbPreferences_allsessionClick);
    connect(BitBtn1, &QPushButton::clicked, this, &QWidget::close);
    connect(CbDropList, &QComboBox::activated, this,
            [this] { RunHandler([&] { CbDropListClick(); }); });
    connect(CbDropList, &TFormulaDropList::PopupAboutToShow, this,
            [this] { RunHandler([&] { ReloadSavedFormulas(); }); });
    connect(CbDropList, &TFormulaDropList::DeleteRequested, this,
            [this](int index) { RunHandler([&] { DeleteSavedFormula(index); }); });
}

// ---- Focus and keys -------------------------------------------------------------

QWidget* TF_Main_LSF::ControlOf(QWidget* widget) const {
    for (QWidget* w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget())
        if (w == Edit1 || w == V_Q || w == SG_Variables || w == EditYValue || w == CbDropList)
            return w;
    return nullptr;
}

// A control is left when the focus moves from it to another control of this window.
// Focus moving to another window (an error box, the print window, the drop-down
// list's popup, another program) does not leave it; coming back into a different
// control of this window does, so the window keeps its own current control.
void TF_Main_LSF::OnFocusChanged(QWidget*, QWidget* now) {
    if (!now || now->window() != this) return;
    QWidget* entered = ControlOf(now);
    if (!entered) entered = now;
    QWidget* left = FCurrentControl;
    FCurrentControl = entered;
    if (left == entered) return;
    RunFocusHandler([this, left] {
        if (left == V_Q)
            V_QExit();
        else if (left == Edit1)
            Edit1Exit();
        else if (left == SG_Variables)
            SG_VariablesExit();
        else if (left == EditYValue)
            EditYValueExit();
        else if (left == CbDropList)
            CbDropListExit();
    });
}

bool TF_Main_LSF::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    const auto& key = *static_cast<QKeyEvent*>(event);
    bool swallowed = false;
    RunFocusHandler([&] {
        if (watched == V_Q)
            swallowed = V_QKeyPress(key);
        else if (watched == Edit1)
            swallowed = Edit1KeyPress(key);
        else if (watched == CbDropList)
            swallowed = CbDropListKeyPress(key);
    });
    return swallowed;
}

bool TF_Main_LSF::V_QKeyPress(const QKeyEvent& key) {
    if (!IsCharacterKey(key)) return false;
    const bool enter = IsEnter(key);
    if (enter) V_QExit();
    ClearDropList();
    EditYValue->Clear();
    return enter;
}

bool TF_Main_LSF::Edit1KeyPress(const QKeyEvent& key) {
    if (!IsEnter(key)) return false;
    Edit1Exit();
    return true;
}

bool TF_Main_LSF::CbDropListKeyPress(const QKeyEvent& key) {
    if (!IsEnter(key)) return false;
    if (CbDropList->view()->isVisible()) CbDropList->hidePopup();
    CbDropListClick();
    return true;
}

// ---- Session handlers -------------------------------------------------------------

void TF_Main_LSF::V_QExit() {
    ParseVariableList();
}

void TF_Main_LSF::Edit1Exit() {
    EditYValue->Clear();
    ClearDropList();
    ParseVariableList();
    RememberControl(Edit1);
}

void TF_Main_LSF::SG_VariablesExit() {
    RememberControl(SG_Variables);
}

void TF_Main_LSF::EditYValueExit() {
    RememberControl(EditYValue);
}

void TF_Main_LSF::SpeedButton1Click() {
    Edit1Exit();
}

// A failure leaves the result box empty, its message shown in it greyed in red (the
// error box says it too), until the next computation or change.
void TF_Main_LSF::ComputeSpdBtnClick() {
    EditYValue->Clear();
    ParseVariableList();
    const std::string formula = Edit1->text().toStdString();
    try {
        EditYValue->ShowValue(FromStd(FSession.Compute(formula)));
    } catch (const EParseError& error) {
        MarkParseError(formula, error.Start(), error.End());
        EditYValue->ShowFailure(TZentavoApplication::CurrentErrorText());
        throw;
    } catch (...) {
        EditYValue->ShowFailure(TZentavoApplication::CurrentErrorText());
        throw;
    }
}

// The plot window reads the formula and the variables at each Plot press as Compute
// would see them. It never changes them.
TFormulaInputs TF_Main_LSF::PlotSource() const {
    return FSession.InputsAsTyped(V_Q->text().toStdString(), Edit1->text().toStdString());
}

TPlotWindow& TF_Main_LSF::OpenPlotWindow() {
    if (!FPlotWindow)
        FPlotWindow = new TPlotWindow([this] { return PlotSource(); },
                                      [this](const std::string& name, const std::string& text) {
                                          UseSolvedValue(name, text);
                                      },
                                      this);
    return *FPlotWindow;
}

void TF_Main_LSF::PlotSpdBtnClick() {
    OpenPlotWindow().ShowForSource();
}

void TF_Main_LSF::SolveSpdBtnClick() {
    OpenPlotWindow().ShowForSolve();
}

// The one change the plot window makes here, at the user's request: the list is
// brought in line with its box as Compute would, and the cell gets the value.
void TF_Main_LSF::UseSolvedValue(const std::string& name, const std::string& valueText) {
    FSession.SetValueOf(V_Q->text().toStdString(), name, valueText);
    SyncGrid();
}

void TF_Main_LSF::MarkParseError(const std::string& formula, std::size_t start, std::size_t end) {
    // byte offsets in the UTF-8 text to positions in the box's text
    const auto position = [&formula](std::size_t offset) {
        return static_cast<int>(
            QString::fromUtf8(formula.data(), static_cast<qsizetype>(offset)).size());
    };
    const int from = position(start), to = position(end);
    if (to > from)
        Edit1->setSelection(from, to - from);
    else
        Edit1->setCursorPosition(from);
}

// ---- Start-up, focus memory and the other buttons -----------------------------------

void TF_Main_LSF::FormCreate() {
    ReloadSavedFormulas();
    // Said once the window is up; Save repeats it while the file stays unreadable.
    if (!FStoreProblem.isEmpty())
        QTimer::singleShot(
            0, this, [this] { TZentavoApplication::Instance()->PresentError(FStoreProblem); });
    RbPreferences_interm->setChecked(true);
    UpdateVariableGrid();
    ClearDropList();
    Edit1->setText(FromStd(DefaultFormula()));
    Edit1->setCursorPosition(0);
}

void TF_Main_LSF::RestoreFocus() {
    if (FLastExited) FLastExited->setFocus(Qt::OtherFocusReason);
}

void TF_Main_LSF::RbPreferences_intermClick() {
    RestoreFocus();
}

void TF_Main_LSF::RbPreferences_allsessionClick() {
    RestoreFocus();
}

void TF_Main_LSF::CopySpdBtnClick() {
    if (EditYValue->text().isEmpty()) return;
    EditYValue->selectAll();
    QGuiApplication::clipboard()->setText(EditYValue->text());
}

// The documentation window is made the first time it is asked for: most sessions
// never open it, and it costs its text's layout.
void TF_Main_LSF::HelpSpdBtnClick() {
    if (!FHelperForm) FHelperForm = new THelperForm(this);
    FHelperForm->show();
    FHelperForm->raise();
    FHelperForm->activateWindow();
}

void TF_Main_LSF::AboutSpdBtnClick() {
    TAboutForm about(this);
    about.exec();
}

void TF_Main_LSF::PrintreportSpdBtnClick() {
    const std::vector<std::string>* report = nullptr;
    if (RbPreferences_interm->isChecked())
        report = &FSession.IntermediateLog();
    else if (RbPreferences_allsession->isChecked())
        report = &FSession.SessionLog();
    if (!report) return;
    if (!FPrintForm) FPrintForm = new TTextPrintForm(this); // made on first use
    FPrintForm->SetReportLines(ToLines(*report));
    FPrintForm->exec();
}

void TF_Main_LSF::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    CentreOnFirstShow(*this);
}

void TF_Main_LSF::closeEvent(QCloseEvent* event) {
    if (FHelperForm) FHelperForm->hide();
    if (FPlotWindow) FPlotWindow->hide();
    QWidget::closeEvent(event);
}

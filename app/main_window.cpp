// The main window: controls, layout, tab order, and the handlers that connect them
// to the calculation session.
#include "app/main_window.h"

#include <QClipboard>
#include <QCollator>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/application.h"
#include "app/dialogs/about_form.h"
#include "app/dialogs/helper_form.h"
#include "app/dialogs/text_print_form.h"
#include "app/formula_drop_list.h"
#include "app/plot_window.h"
#include "app/qt_text.h"
#include "app/speed_button.h"
#include "app/text_box.h"
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

QLabel* MakeLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
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
    FPrintForm = new TTextPrintForm(this);
    FHelperForm = new THelperForm(this);
    FormCreate();
    Edit1->setFocus();
}

TF_Main_LSF::~TF_Main_LSF() {
    // The child widgets outlive the session while the base class destroys them:
    // stop listening to focus changes and detach the grid from the session's cells.
    disconnect(FFocusConnection);
    SG_Variables->setModel(nullptr);
}

QToolButton* TF_Main_LSF::MakeSpeedButton(const QString& name, const QString& caption,
                                          const QString& hint, TButtonIcon icon,
                                          const QKeySequence& shortcut) {
    auto* button = new TSpeedButton(this);
    button->setObjectName(name);
    button->setText(caption);
    button->setIcon(ButtonIcon(icon));
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    const QString keys = shortcut.toString(QKeySequence::NativeText);
    button->setToolTip(hint + QStringLiteral(" (") + keys + QStringLiteral(")"));
    button->setAccessibleName(caption);
    button->setAccessibleDescription(hint);
    // The shortcut clicks the button without moving the focus, like the mouse does.
    auto* key = new QShortcut(shortcut, this);
    connect(key, &QShortcut::activated, button, &QToolButton::click);
    return button;
}

void TF_Main_LSF::BuildControls() {
    QFont largeFont = font();
    largeFont.setPointSize(10);
    QHBoxLayout* top = BuildFormulaStrip(largeFont);
    QGroupBox* variables = BuildVariableSetting();
    auto* right = new QVBoxLayout;
    right->addWidget(BuildResultBox(largeFont));
    right->addWidget(BuildPredefinedBox(), 1);
    right->addWidget(BuildPreferences());
    // Every speed button as tall as the Close button beside them.
    const int buttonHeight = BitBtn1->sizeHint().height();
    for (QToolButton* button :
         {SpeedButton1, HelpSpdBtn, CopySpdBtn, AboutSpdBtn, PrintreportSpdBtn, ComputeSpdBtn,
          PlotSpdBtn, SolveSpdBtn, SaveSpdBtn})
        button->setFixedHeight(buttonHeight);

    auto* body = new QHBoxLayout;
    body->addWidget(variables);
    body->addLayout(right);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(8, 6, 8, 8);
    root->addLayout(top);
    root->addLayout(body, 1);
    // Fixed size, from what the fonts in use need: nothing is clipped at any scale.
    root->setSizeConstraint(QLayout::SetFixedSize);
}

// Top strip: the formula.
QHBoxLayout* TF_Main_LSF::BuildFormulaStrip(const QFont& largeFont) {
    Edit1 = new TTextBox(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setFont(largeFont);
    Edit1->setMinimumWidth(417);
    Edit1->setToolTip(QStringLiteral("Formula edit box\nEnter a formula"));
    Edit1->setAccessibleName(QStringLiteral("Formula"));
    Edit1->setAccessibleDescription(QStringLiteral("Formula edit box. Enter a formula"));
    auto* formulaLabel = MakeLabel(QStringLiteral("Formula  ="), this);
    formulaLabel->setBuddy(Edit1);
    auto* top = new QHBoxLayout;
    top->addWidget(formulaLabel);
    top->addWidget(Edit1, 1);
    return top;
}

// Left: the variable list, its quantity and the grid of values.
QGroupBox* TF_Main_LSF::BuildVariableSetting() {
    auto* GroupBox1 = new QGroupBox(QStringLiteral("Variable setting"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    edVarQuantity = new QLineEdit(GroupBox1);
    edVarQuantity->setObjectName(QStringLiteral("edVarQuantity"));
    edVarQuantity->setEnabled(false);
    edVarQuantity->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    edVarQuantity->setAccessibleName(QStringLiteral("Quantity"));
    SpeedButton1 = MakeSpeedButton(QStringLiteral("SpeedButton1"), QStringLiteral("Variable"),
                                   QStringLiteral("Variable quantity"), TButtonIcon::Variable,
                                   QKeySequence(Qt::Key_F8));
    SpeedButton1->setMinimumWidth(71);
    SpeedButton1->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    V_Q = new TTextBox(QStringLiteral("x"), GroupBox1);
    V_Q->setObjectName(QStringLiteral("V_Q"));
    V_Q->setToolTip(QStringLiteral("User-defined variables\nUse semiclon as list-separator"));
    V_Q->setAccessibleName(QStringLiteral("Assign variables"));
    V_Q->setAccessibleDescription(
        QStringLiteral("User-defined variables. Use semiclon as list-separator"));
    FGridModel = new TVariableGridModel(FSession.Cells(), this);
    SG_Variables = new TVariableGrid(FGridModel, GroupBox1);
    SG_Variables->setObjectName(QStringLiteral("SG_Variables"));
    SG_Variables->setToolTip(QStringLiteral("Grid setting\nAssign values for the variables"));
    SG_Variables->setAccessibleName(QStringLiteral("Variable values"));
    SG_Variables->setAccessibleDescription(
        QStringLiteral("Grid setting. Assign values for the variables"));
    SG_Variables->setMinimumSize(257, 277);
    auto* quantityLabel = MakeLabel(QStringLiteral("Quantity"), GroupBox1);
    quantityLabel->setBuddy(edVarQuantity);
    auto* assignLabel = MakeLabel(QStringLiteral("Assign"), GroupBox1);
    assignLabel->setBuddy(V_Q);
    auto* left = new QGridLayout(GroupBox1);
    left->addWidget(quantityLabel, 0, 0);
    left->addWidget(edVarQuantity, 0, 1);
    left->setColumnStretch(2, 1);
    left->addWidget(SpeedButton1, 0, 3);
    left->addWidget(assignLabel, 1, 0);
    left->addWidget(V_Q, 1, 1, 1, 3);
    left->addWidget(SG_Variables, 2, 0, 1, 4);
    return GroupBox1;
}

// Right, top: the result.
QGroupBox* TF_Main_LSF::BuildResultBox(const QFont& largeFont) {
    auto* GroupBox3 = new QGroupBox(QStringLiteral("Computed value for expression"), this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    EditYValue = new QLineEdit(GroupBox3);
    EditYValue->setObjectName(QStringLiteral("EditYValue"));
    EditYValue->setReadOnly(true);
    EditYValue->setFont(largeFont);
    EditYValue->setMinimumWidth(170);
    EditYValue->setToolTip(QStringLiteral("Computed value"));
    EditYValue->setAccessibleName(QStringLiteral("Result"));
    EditYValue->setAccessibleDescription(QStringLiteral("Computed value"));
    auto* resultLabel = MakeLabel(QStringLiteral("Result"), GroupBox3);
    resultLabel->setBuddy(EditYValue);
    auto* result = new QHBoxLayout(GroupBox3);
    result->addWidget(resultLabel);
    result->addWidget(EditYValue, 1);
    return GroupBox3;
}

// Right, middle: the predefined formulas and the Save, Solve and Plot buttons.
QGroupBox* TF_Main_LSF::BuildPredefinedBox() {
    auto* GbPredefined = new QGroupBox(QStringLiteral("Predefined formulas for some tasks"), this);
    GbPredefined->setObjectName(QStringLiteral("GbPredefined"));
    CbDropList = new TFormulaDropList(GbPredefined);
    CbDropList->setObjectName(QStringLiteral("CbDropList"));
    CbDropList->setToolTip(QStringLiteral("Assign predefined formula"));
    CbDropList->setAccessibleName(QStringLiteral("Predefined formula"));
    CbDropList->setAccessibleDescription(QStringLiteral("Assign predefined formula"));
    CbDropList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    int longest = 0;
    for (const TPredefinedFormula& entry : PredefinedFormulas()) {
        CbDropList->addItem(FromStd(entry.ItemText));
        longest = std::max(longest, CbDropList->fontMetrics().horizontalAdvance(
                                        CbDropList->itemText(CbDropList->count() - 1)));
    }
    // As wide as its longest item, so every item shows whole with the list closed.
    // A fixed minimum: the size never changes with the item shown, so the window's
    // layout stays put while the user clicks.
    QStyleOptionComboBox comboOption;
    comboOption.initFrom(CbDropList);
    const QSize longestItem(longest, CbDropList->fontMetrics().height());
    CbDropList->setMinimumWidth(std::max(
        206, CbDropList->style()
                 ->sizeFromContents(QStyle::CT_ComboBox, &comboOption, longestItem, CbDropList)
                 .width()));
    CbDropList->view()->setMinimumWidth(CbDropList->view()->sizeHintForColumn(0) + 24);
    auto* predefined = new QVBoxLayout(GbPredefined);
    predefined->addWidget(CbDropList);
    predefined->addStretch(1);
    PlotSpdBtn = MakeSpeedButton(QStringLiteral("PlotSpdBtn"), QStringLiteral("Plot"),
                                 QStringLiteral("Plot the formula against one variable"),
                                 TButtonIcon::Plot, QKeySequence(Qt::Key_F7));
    SolveSpdBtn = MakeSpeedButton(
        QStringLiteral("SolveSpdBtn"), QStringLiteral("Solve"),
        QStringLiteral("Find the values of one variable that give F a target value"),
        TButtonIcon::Solve, QKeySequence(Qt::Key_F6));
    SaveSpdBtn = MakeSpeedButton(QStringLiteral("SaveSpdBtn"), QStringLiteral("Save"),
                                 QStringLiteral("Save the formula with its variables and values"),
                                 TButtonIcon::Save, QKeySequence(Qt::CTRL | Qt::Key_S));
    auto* sweepButtons = new QHBoxLayout;
    for (QToolButton* button : {SaveSpdBtn, SolveSpdBtn, PlotSpdBtn}) {
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        button->setMinimumWidth(90);
        sweepButtons->addWidget(button);
    }
    predefined->addLayout(sweepButtons);
    return GbPredefined;
}

// Right, bottom: the print choice and the buttons.
QGroupBox* TF_Main_LSF::BuildPreferences() {
    auto* GbPreferences = new QGroupBox(QStringLiteral("Calculation/Preferences"), this);
    GbPreferences->setObjectName(QStringLiteral("GbPreferences"));
    RbPreferences_interm = new QRadioButton(QStringLiteral("Intermediate result"), GbPreferences);
    RbPreferences_interm->setObjectName(QStringLiteral("RbPreferences_interm"));
    RbPreferences_interm->setToolTip(QStringLiteral("Display intermediate result for printing"));
    RbPreferences_interm->setAccessibleDescription(
        QStringLiteral("Display intermediate result for printing"));
    RbPreferences_allsession =
        new QRadioButton(QStringLiteral("All session results"), GbPreferences);
    RbPreferences_allsession->setObjectName(QStringLiteral("RbPreferences_allsession"));
    RbPreferences_allsession->setToolTip(QStringLiteral("Display all-session result for printing"));
    RbPreferences_allsession->setAccessibleDescription(
        QStringLiteral("Display all-session result for printing"));
    BitBtn1 =
        new QPushButton(ButtonIcon(TButtonIcon::Close), QStringLiteral("Close"), GbPreferences);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    // Enter on the focused button closes, as on any desktop button.
    BitBtn1->setAutoDefault(true);
    BitBtn1->setToolTip(QStringLiteral("End the calculation session"));
    BitBtn1->setAccessibleDescription(QStringLiteral("End the calculation session"));
    BitBtn1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    HelpSpdBtn = MakeSpeedButton(QStringLiteral("HelpSpdBtn"), QStringLiteral("Help"),
                                 QStringLiteral("Documentation for usage of Zentavo"),
                                 TButtonIcon::Help, QKeySequence(Qt::Key_F1));
    CopySpdBtn = MakeSpeedButton(QStringLiteral("CopySpdBtn"), QStringLiteral("Copy"),
                                 QStringLiteral("Copy the result to clipboard"), TButtonIcon::Copy,
                                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    AboutSpdBtn = MakeSpeedButton(QStringLiteral("AboutSpdBtn"), QStringLiteral("About"),
                                  QStringLiteral("About Zentavo program"), TButtonIcon::About,
                                  QKeySequence(Qt::CTRL | Qt::Key_F1));
    PrintreportSpdBtn =
        MakeSpeedButton(QStringLiteral("PrintreportSpdBtn"), QStringLiteral("Print"),
                        QStringLiteral("Print the results of calculation session"),
                        TButtonIcon::Print, QKeySequence(Qt::CTRL | Qt::Key_P));
    ComputeSpdBtn = MakeSpeedButton(QStringLiteral("ComputeSpdBtn"), QStringLiteral("Compute"),
                                    QStringLiteral("Compute value for expression"),
                                    TButtonIcon::Compute, QKeySequence(Qt::Key_F9));
    auto* buttons = new QGridLayout;
    for (int column = 0; column < 3; ++column)
        buttons->setColumnStretch(column, 1);
    buttons->addWidget(BitBtn1, 0, 0);
    buttons->addWidget(HelpSpdBtn, 0, 1);
    buttons->addWidget(CopySpdBtn, 0, 2);
    buttons->addWidget(AboutSpdBtn, 1, 0);
    buttons->addWidget(PrintreportSpdBtn, 1, 1);
    buttons->addWidget(ComputeSpdBtn, 1, 2);
    auto* preferences = new QVBoxLayout(GbPreferences);
    // At their own width: a radio button answers clicks on its circle and caption only.
    preferences->addWidget(RbPreferences_interm, 0, Qt::AlignLeft);
    preferences->addWidget(RbPreferences_allsession, 0, Qt::AlignLeft);
    preferences->addSpacing(4);
    preferences->addLayout(buttons);
    return GbPreferences;
}

void TF_Main_LSF::SetTabOrder() {
    const QList<QWidget*> order = {Edit1,
                                   V_Q,
                                   SG_Variables,
                                   EditYValue,
                                   RbPreferences_interm,
                                   RbPreferences_allsession,
                                   BitBtn1,
                                   CbDropList};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
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
    EditYValue->clear();
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

void TF_Main_LSF::V_QExit() {
    ParseVariableList();
}

void TF_Main_LSF::Edit1Exit() {
    EditYValue->clear();
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

void TF_Main_LSF::ComputeSpdBtnClick() {
    EditYValue->clear();
    ParseVariableList();
    const std::string formula = Edit1->text().toStdString();
    try {
        EditYValue->setText(FromStd(FSession.Compute(formula)));
    } catch (const EParseError& error) {
        MarkParseError(formula, error.Start(), error.End());
        throw;
    }
    EditYValue->setCursorPosition(0);
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

// ---- Predefined formulas ------------------------------------------------------------

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
    EditYValue->clear();
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

void TF_Main_LSF::RememberControl(QWidget* control) {
    FLastExited = control;
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

void TF_Main_LSF::HelpSpdBtnClick() {
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
    FPrintForm->SetReportLines(ToLines(*report));
    FPrintForm->exec();
}

void TF_Main_LSF::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    CentreOnFirstShow(*this);
}

void TF_Main_LSF::closeEvent(QCloseEvent* event) {
    FHelperForm->hide();
    if (FPlotWindow) FPlotWindow->hide();
    QWidget::closeEvent(event);
}

// The main window's controls and layout, built area by area, and its tab order.
#include "app/main_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/formula_drop_list.h"
#include "app/qt_text.h"
#include "app/result_box.h"
#include "app/speed_button.h"
#include "app/text_box.h"
#include "app/variable_grid.h"
#include "app/variable_grid_model.h"
#include "session/predefined_formulas.h"

namespace {

QLabel* MakeLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

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
    // What height the variable grid leaves over goes to the result.
    right->addWidget(BuildResultBox(largeFont), 1);
    right->addWidget(BuildPredefinedBox());
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
    // The figure the window is for stands out: large and bold, and never smaller than
    // the formula's text.
    EditYValue = new TResultBox(largeFont.pointSize() + 6, largeFont.pointSize(), GroupBox3);
    EditYValue->setObjectName(QStringLiteral("EditYValue"));
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
    const QString hint = QStringLiteral("Assign predefined formula");
    CbDropList->setToolTip(hint);
    // With nothing chosen the closed list says what it is for instead of showing blank.
    CbDropList->setPlaceholderText(hint);
    CbDropList->setAccessibleName(QStringLiteral("Predefined formula"));
    CbDropList->setAccessibleDescription(hint);
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

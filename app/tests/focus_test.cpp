// Focus behaviour of the main window: tab order, speed buttons that never take the
// focus, what leaving a control does, the focus memory behind the radio buttons,
// and the grid's value editors.
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include "app/dialogs/helper_form.h"
#include "app/tests/window_fixture.h"
#include "app/variable_grid.h"

namespace {

using Lines = QStringList;

// The control a focused widget belongs to (a grid editor belongs to the grid).
QString ControlName(QWidget* focused, const TF_Main_LSF& window) {
    if (focused && window.SG_Variables->isAncestorOf(focused)) return "SG_Variables";
    return focused ? focused->objectName() : QString("none");
}

// Of the two radio buttons only the checked one is a Tab stop (arrow keys move
// between them), as on every desktop.
TEST_F(WindowTest, TabVisitsControlsInOrderAndBack) {
    const Lines order = {"V_Q",     "SG_Variables", "EditYValue", "RbPreferences_interm",
                         "BitBtn1", "CbDropList",   "Edit1"};
    Lines forward, backward;
    for (qsizetype i = 0; i < order.size(); ++i) {
        Press(Qt::Key_Tab);
        forward << ControlName(Focused(), *window);
    }
    EXPECT_EQ(forward, order);
    for (qsizetype i = 0; i < order.size(); ++i) {
        Press(Qt::Key_Backtab, Qt::ShiftModifier);
        backward.prepend(ControlName(Focused(), *window));
    }
    Lines expectedBack = order;
    expectedBack.move(expectedBack.size() - 1, 0);
    EXPECT_EQ(backward, expectedBack);
}

// Fails when a speed button loses Qt::NoFocus (a click test cannot tell).
TEST_F(WindowTest, TabNeverReachesASpeedButton) {
    for (int i = 0; i < 30; ++i) {
        Press(Qt::Key_Tab);
        ASSERT_TRUE(Focused());
        EXPECT_FALSE(qobject_cast<QToolButton*>(Focused()))
            << Focused()->objectName().toStdString();
    }
}

// Pressing Compute while typing the formula keeps the focus and the result.
TEST_F(WindowTest, SpeedButtonKeepsFocusAndResult) {
    QTest::keyClick(window->Edit1, Qt::Key_End);
    QTest::keyClicks(window->Edit1, " + 1");
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    EXPECT_EQ(Focused(), window->Edit1);
    EXPECT_EQ(window->EditYValue->text(), "6.66336");
}

TEST_F(WindowTest, LeavingFormulaBoxEmptiesResultAndParsesList) {
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    window->V_Q->setText("p;q");
    window->CbDropList->setCurrentIndex(1);
    QTest::mouseClick(window->EditYValue, Qt::LeftButton);
    EXPECT_TRUE(window->EditYValue->text().isEmpty());
    EXPECT_EQ(window->CbDropList->currentIndex(), -1);
    EXPECT_EQ(GridNames(), (Lines{"p", "q"}));
}

struct TMemoryCase {
    const char* rule;
    const char* control; // object name of the control the user was in
    bool resultKept;     // only leaving the formula box empties the result
};

// Test listings name a case by its rule.
void PrintTo(const TMemoryCase& c, std::ostream* out) {
    *out << c.rule;
}

class FocusMemoryTest : public WindowTest, public testing::WithParamInterface<TMemoryCase> {};

// Clicking a radio button checks it and gives the focus back to the control the
// user was in; leaving the formula box this way still empties the result.
TEST_P(FocusMemoryTest, RadioClickReturnsFocus) {
    const TMemoryCase& c = GetParam();
    QWidget* control = window->findChild<QWidget*>(c.control);
    ASSERT_TRUE(control);
    control->setFocus(Qt::MouseFocusReason);
    if (control == window->SG_Variables) {
        ASSERT_EQ(Focused(), ValueEditor(0));
    }
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    ASSERT_FALSE(window->EditYValue->text().isEmpty());
    QTest::mouseClick(window->RbPreferences_allsession, Qt::LeftButton);
    EXPECT_TRUE(window->RbPreferences_allsession->isChecked());
    EXPECT_EQ(ControlName(Focused(), *window), c.control);
    EXPECT_EQ(window->EditYValue->text().isEmpty(), !c.resultKept);
    QTest::mouseClick(window->RbPreferences_interm, Qt::LeftButton);
    EXPECT_TRUE(window->RbPreferences_interm->isChecked());
    EXPECT_EQ(ControlName(Focused(), *window), c.control);
}

INSTANTIATE_TEST_SUITE_P(Controls, FocusMemoryTest,
                         testing::Values(TMemoryCase{"FormulaBox", "Edit1", false},
                                         TMemoryCase{"VariableList", "V_Q", true},
                                         TMemoryCase{"Grid", "SG_Variables", true},
                                         TMemoryCase{"ResultBox", "EditYValue", true},
                                         TMemoryCase{"DropList", "CbDropList", true}),
                         [](const auto& test) { return std::string(test.param.rule); });

// The print window is another window: switching to it is not a leave.
TEST_F(WindowTest, OtherWindowTakingFocusIsNotALeave) {
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    WhileModal([&] { QTest::mouseClick(window->PrintreportSpdBtn, Qt::LeftButton); },
               [](QWidget*) {});
    Reactivate();
    EXPECT_EQ(Focused(), window->Edit1);
    EXPECT_EQ(window->EditYValue->text(), "5.66336");
}

// Leaving the formula box by way of another window (the documentation, another
// program) still leaves it once the user comes back into a different control.
TEST_F(WindowTest, LeaveByWayOfAnotherWindowStillCounts) {
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    window->CbDropList->setCurrentIndex(1);
    QTest::mouseClick(window->HelpSpdBtn, Qt::LeftButton);
    window->HelperForm()->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isActiveWindow(); }));
    window->HelperForm()->RichEdit1->setFocus(Qt::MouseFocusReason);
    window->V_Q->setFocus(Qt::MouseFocusReason); // the click that brings the window back
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == window.get(); }));
    ASSERT_EQ(Focused(), window->V_Q);
    EXPECT_TRUE(window->EditYValue->text().isEmpty());
    EXPECT_EQ(window->CbDropList->currentIndex(), -1);
}

// Tab into the grid lands in a value editor; Up and Down move between rows; Tab and
// Shift+Tab leave the grid; a click on a name puts the focus into its row's value.
TEST_F(WindowTest, GridKeyboardMovesBetweenValueEditors) {
    window->V_Q->setText("a;b;c");
    QTest::mouseClick(window->V_Q, Qt::LeftButton);
    Press(Qt::Key_Tab);
    ASSERT_EQ(Focused(), ValueEditor(0));
    Press(Qt::Key_Down);
    EXPECT_EQ(Focused(), ValueEditor(1));
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    EXPECT_EQ(Focused(), ValueEditor(2));
    Press(Qt::Key_Up);
    EXPECT_EQ(Focused(), ValueEditor(1));
    Press(Qt::Key_Return);
    EXPECT_EQ(Focused(), ValueEditor(2)) << "Enter moves down";
    Press(Qt::Key_Return);
    EXPECT_EQ(Focused(), ValueEditor(2)) << "and stays on the last row";
    Press(Qt::Key_Up);
    Press(Qt::Key_Tab);
    EXPECT_EQ(Focused(), window->EditYValue);
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Focused(), ValueEditor(1)) << "the grid remembers its row";
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Focused(), window->V_Q);

    QTableView* grid = window->SG_Variables;
    const QRect nameCell = grid->visualRect(grid->model()->index(2, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, nameCell.center());
    EXPECT_EQ(Focused(), ValueEditor(2));
}

// Coming back to the window after leaving it from a value cell, the grid hands the
// focus to the editor as it was left: the first key typed is not lost.
TEST_F(WindowTest, TheFirstKeyAfterComingBackReachesTheCell) {
    QTest::mouseClick(ValueEditor(0), Qt::LeftButton);
    Press(Qt::Key_End);                                          // the caret after the 2
    window->SG_Variables->setFocus(Qt::ActiveWindowFocusReason); // the window is active again
    EXPECT_EQ(Focused(), ValueEditor(0));
    QTest::keyClicks(Focused(), "78");
    EXPECT_EQ(ValueEditor(0)->text(), "278") << "both keys reach the cell";
}

// Entering a value cell by Tab, arrow, Enter or a click selects its text, so typing
// replaces it; coming back to the window leaves the caret alone.
TEST_F(WindowTest, EnteringAValueCellSelectsItsText) {
    window->V_Q->setText("a;b");
    QTest::mouseClick(window->V_Q, Qt::LeftButton);
    Press(Qt::Key_Tab);
    EXPECT_EQ(ValueEditor(0)->selectedText(), "2");
    Press(Qt::Key_Down);
    EXPECT_EQ(ValueEditor(1)->selectedText(), "2");
    Press(Qt::Key_3);
    EXPECT_EQ(ValueEditor(1)->text(), "3");
    QTest::mouseClick(ValueEditor(0), Qt::LeftButton);
    EXPECT_EQ(ValueEditor(0)->selectedText(), "2");
    QTest::mouseClick(ValueEditor(0), Qt::LeftButton);
    EXPECT_FALSE(ValueEditor(0)->hasSelectedText()) << "a second click places the caret";
}

// Texts typed into rows survive the list shrinking and growing again.
TEST_F(WindowTest, GridKeepsValuesAcrossListChanges) {
    QTest::mouseClick(window->V_Q, Qt::LeftButton);
    Retype(window->V_Q, "a;b;c");
    Press(Qt::Key_Tab);
    Retype(ValueEditor(0), "1");
    Retype(ValueEditor(1), "5");
    Retype(ValueEditor(2), "7");
    QTest::mouseClick(window->V_Q, Qt::LeftButton);
    Retype(window->V_Q, "c");
    Press(Qt::Key_Tab);
    EXPECT_EQ(GridNames(), Lines{"c"});
    EXPECT_EQ(GridValues(), Lines{"1"});
    EXPECT_EQ(window->edVarQuantity->text(), "1");
    QTest::mouseClick(window->V_Q, Qt::LeftButton);
    Retype(window->V_Q, "a;b;c;d");
    Press(Qt::Key_Tab);
    EXPECT_EQ(GridValues(), (Lines{"1", "5", "7", "2"}));
    EXPECT_EQ(window->edVarQuantity->text(), "4");
    QTest::mouseClick(window->V_Q, Qt::LeftButton);
    Retype(window->V_Q, " ; ");
    Press(Qt::Key_Tab);
    EXPECT_EQ(GridNames(), Lines{"x"});
    EXPECT_EQ(GridValues(), Lines{"2"}) << "the placeholder row overwrites row 1";
}

// Leaving V_Q by clicking into a row that its own parse removes must not crash;
// the focus ends in a live control of the window.
TEST_F(WindowTest, ClickIntoRowRemovedByParseIsSafe) {
    window->V_Q->setText("a;b;c");
    QTest::mouseClick(window->V_Q, Qt::LeftButton);
    Press(Qt::Key_Tab);
    QTest::mouseClick(window->V_Q, Qt::LeftButton);
    Retype(window->V_Q, "a");
    QTest::mouseClick(ValueEditor(2), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(GridNames(), Lines{"a"});
    ASSERT_TRUE(Focused());
    EXPECT_EQ(Focused()->window(), window.get());
}

} // namespace

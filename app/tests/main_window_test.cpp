// The main window driven as a user does: start-up state, Compute with typed values,
// Enter, Copy, Print, Help, About, Close, shortcuts and the error display.
#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include "app/application.h"
#include "app/dialogs/about_form.h"
#include "app/dialogs/helper_form.h"
#include "app/dialogs/text_print_form.h"
#include "app/tests/window_fixture.h"
#include "app/variable_grid.h"
#include "platform/regional_settings.h"
#include "session/math_expr.h"

namespace {

using Lines = QStringList;

const char* const DefaultFormula = "5.22 - 5.44E-4 * (x - 817)";

TEST_F(WindowTest, StartsWithDefaultsOfWindowCreation) {
    EXPECT_EQ(window->windowTitle(), "Multivariable Calculator - Zentavo");
    EXPECT_EQ(window->Edit1->text(), DefaultFormula);
    EXPECT_EQ(window->V_Q->text(), "x");
    EXPECT_EQ(GridNames(), Lines{"x"});
    EXPECT_EQ(GridValues(), Lines{"2"});
    EXPECT_EQ(window->SG_Variables->model()->headerData(0, Qt::Horizontal), "Name");
    EXPECT_EQ(window->SG_Variables->model()->headerData(1, Qt::Horizontal), "Value");
    EXPECT_EQ(window->edVarQuantity->text(), "1");
    EXPECT_FALSE(window->edVarQuantity->isEnabled());
    EXPECT_TRUE(window->EditYValue->text().isEmpty());
    EXPECT_TRUE(window->EditYValue->isReadOnly());
    EXPECT_TRUE(window->RbPreferences_interm->isChecked());
    EXPECT_EQ(window->CbDropList->currentIndex(), -1);
    EXPECT_EQ(window->CbDropList->count(), 7);
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the window is not resizable";
}

TEST_F(WindowTest, EveryControlHasAccessibleNameAndNothingIsClipped) {
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible()) continue;
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            EXPECT_FALSE(button->accessibleName().isEmpty() && button->text().isEmpty())
                << button->objectName().toStdString();
            EXPECT_GE(button->width(), button->minimumSizeHint().width())
                << button->objectName().toStdString();
        }
        if (auto* label = qobject_cast<QLabel*>(w)) {
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        }
        if (auto* group = qobject_cast<QGroupBox*>(w)) {
            EXPECT_GE(group->width(), group->minimumSizeHint().width());
        }
    }
    for (QWidget* w :
         {static_cast<QWidget*>(window->Edit1), static_cast<QWidget*>(window->V_Q),
          static_cast<QWidget*>(window->SG_Variables), static_cast<QWidget*>(window->EditYValue),
          static_cast<QWidget*>(window->edVarQuantity),
          static_cast<QWidget*>(window->CbDropList)}) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        ASSERT_TRUE(a);
        EXPECT_FALSE(a->text(QAccessible::Name).isEmpty()) << w->objectName().toStdString();
    }
}

// The worked example through the window: the result box and both logs.
TEST_F(WindowTest, ComputeShowsResultAndWritesBothLogs) {
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    EXPECT_EQ(window->EditYValue->text(), "5.66336");
    EXPECT_EQ(window->Session().IntermediateLog(),
              (std::vector<std::string>{"Formula: F = 5.22 - 5.44E-4 * (x - 817)", "x: 2",
                                        "F value: 5.66336"}));
    EXPECT_EQ(window->Session().SessionLog().front(), "- - 1 - - - - - - - - -");
    EXPECT_TRUE(errors.isEmpty());
}

// The speed buttons take no focus, so the value editor is still open at Compute:
// what was typed counts at once.
TEST_F(WindowTest, ValueTypedIntoOpenEditorCountsAtCompute) {
    QTest::mouseClick(ValueEditor(0), Qt::LeftButton);
    ASSERT_EQ(Focused(), ValueEditor(0));
    Retype(ValueEditor(0), "817");
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    EXPECT_EQ(Focused(), ValueEditor(0));
    EXPECT_EQ(window->EditYValue->text(), "5.22");
}

// Compute parses the list first: a new list typed into V_Q counts without leaving it.
TEST_F(WindowTest, ComputeParsesVariableListFirst) {
    QTest::mouseClick(window->V_Q, Qt::LeftButton);
    Retype(window->V_Q, "a;b");
    Retype(window->Edit1, "a*b+x0");
    window->V_Q->setFocus();
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    EXPECT_EQ(GridNames(), (Lines{"a", "b"}));
    EXPECT_EQ(window->edVarQuantity->text(), "2");
    EXPECT_EQ(errors, Lines{"Parse error: Unknown symbol: 'x0'"});
    errors.clear();
    Retype(window->Edit1, "a*b");
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    EXPECT_EQ(window->EditYValue->text(), "4");
}

// A failure shows its text and leaves the result box empty and the logs untouched.
TEST_F(WindowTest, FailedComputeShowsErrorAndEmptiesResult) {
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    ASSERT_EQ(window->EditYValue->text(), "5.66336");
    Retype(ValueEditor(0), "2,5");
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    EXPECT_EQ(errors, Lines{"'2,5' is not a valid floating point value."});
    EXPECT_TRUE(window->EditYValue->text().isEmpty());
    EXPECT_EQ(window->EditYValue->placeholderText(), errors.value(0)) << "the box says it failed";
    EXPECT_TRUE(window->Session().IntermediateLog().empty());
    EXPECT_EQ(window->Session().SessionCount(), 1);
    Retype(ValueEditor(0), "2");
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    EXPECT_TRUE(window->EditYValue->placeholderText().isEmpty());
}

// The real error box: caption "Zentavo", error icon, one OK button, "." rule.
TEST_F(WindowTest, ErrorBoxHasTitleIconAndOkButton) {
    TZentavoApplication::Instance()->SetErrorPresenter({});
    Retype(window->Edit1, "");
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    qsizetype buttons = 0;
    WhileModal([&] { QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton); },
               [&](QWidget* modal) {
                   auto* box = qobject_cast<QMessageBox*>(modal);
                   ASSERT_TRUE(box);
                   title = box->windowTitle();
                   text = box->text();
                   icon = box->icon();
                   buttons = box->buttons().size();
               });
    EXPECT_EQ(title, "Zentavo");
    EXPECT_EQ(text, "List index out of bounds (0)");
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(buttons, 1);
    // The box itself is not a leave of the formula box: the window goes on as before.
    Reactivate();
    EXPECT_EQ(Focused(), window->Edit1);
}

// Errors raised in focus or key handlers are shown after the event; an exception
// escaping a handler is caught by the application object as a last resort.
TEST_F(WindowTest, ErrorGuardsShowTheDisplayText) {
    RunFocusHandler([] { throw TMathExpr("Nothing assigned to one of the variables"); });
    EXPECT_TRUE(errors.isEmpty()) << "shown only after the current event";
    QCoreApplication::processEvents();
    EXPECT_EQ(errors, Lines{"Nothing assigned to one of the variables."});

    class TThrower : public QObject {
    protected:
        bool event(QEvent*) override { throw Exception("Raised in a handler"); }
    } thrower;
    QEvent event(QEvent::User);
    EXPECT_TRUE(QCoreApplication::sendEvent(&thrower, &event));
    EXPECT_EQ(errors.last(), "Raised in a handler.");
}

struct TEnterCase {
    const char* rule;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

// Test listings name a case by its rule.
void PrintTo(const TEnterCase& c, std::ostream* out) {
    *out << c.rule;
}

class EnterKeyTest : public WindowTest, public testing::WithParamInterface<TEnterCase> {};

// Enter in V_Q or Edit1 never inserts a character and never computes; in V_Q it
// parses the list, in Edit1 it acts as leaving the box; the focus stays.
TEST_P(EnterKeyTest, EnterNeverInsertsOrComputes) {
    const auto [rule, key, modifiers] = GetParam();
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    window->CbDropList->setCurrentIndex(2);

    QTest::keyClick(window->Edit1, key, modifiers);
    EXPECT_EQ(window->Edit1->text(), DefaultFormula);
    EXPECT_TRUE(window->EditYValue->text().isEmpty());
    EXPECT_EQ(window->CbDropList->currentIndex(), -1);
    EXPECT_EQ(Focused(), window->Edit1);

    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    window->CbDropList->setCurrentIndex(2);
    QTest::mouseClick(window->V_Q, Qt::LeftButton);
    window->V_Q->setText("x;y;z");
    QTest::keyClick(window->V_Q, key, modifiers);
    EXPECT_EQ(window->V_Q->text(), "x;y;z");
    EXPECT_EQ(GridNames(), (Lines{"x", "y", "z"}));
    EXPECT_TRUE(window->EditYValue->text().isEmpty());
    EXPECT_EQ(window->CbDropList->currentIndex(), -1);
    EXPECT_EQ(window->Session().SessionCount(), 2);
    EXPECT_EQ(Focused(), window->V_Q);
}

INSTANTIATE_TEST_SUITE_P(Keys, EnterKeyTest,
                         testing::Values(TEnterCase{"Return", Qt::Key_Return, Qt::NoModifier},
                                         TEnterCase{"KeypadEnter", Qt::Key_Enter,
                                                    Qt::KeypadModifier}),
                         [](const auto& test) { return std::string(test.param.rule); });

// Any character typed into V_Q empties the result and clears the list's selection.
TEST_F(WindowTest, TypingIntoVariableListEmptiesResult) {
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    window->CbDropList->setCurrentIndex(3);
    QTest::keyClicks(window->V_Q, ";y");
    EXPECT_TRUE(window->EditYValue->text().isEmpty());
    EXPECT_EQ(window->CbDropList->currentIndex(), -1);
    EXPECT_EQ(window->V_Q->text(), "x;y");
}

struct TVariableKeyCase {
    const char* rule;
    Qt::Key key;
    const char* text; // as the X11 platform reports it
    bool counts;      // a key that produces a character empties the result
};

// Test listings name a case by its rule.
void PrintTo(const TVariableKeyCase& c, std::ostream* out) {
    *out << c.rule;
}

class VariableListKeyTest : public WindowTest,
                            public testing::WithParamInterface<TVariableKeyCase> {};

TEST_P(VariableListKeyTest, OnlyCharacterKeysEmptyTheResult) {
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    window->CbDropList->setCurrentIndex(3);
    const TVariableKeyCase& c = GetParam();
    QTest::sendKeyEvent(QTest::Click, window->V_Q, c.key, QString::fromLatin1(c.text), {});
    EXPECT_EQ(window->EditYValue->text().isEmpty(), GetParam().counts);
    EXPECT_EQ(window->CbDropList->currentIndex() == -1, GetParam().counts);
}

INSTANTIATE_TEST_SUITE_P(Keys, VariableListKeyTest,
                         testing::Values(TVariableKeyCase{"Letter", Qt::Key_Y, "y", true},
                                         TVariableKeyCase{"Backspace", Qt::Key_Backspace, "\b",
                                                          true},
                                         TVariableKeyCase{"Escape", Qt::Key_Escape, "\x1b", true},
                                         TVariableKeyCase{"Delete", Qt::Key_Delete, "\x7f", false},
                                         TVariableKeyCase{"Arrow", Qt::Key_Left, "", false},
                                         TVariableKeyCase{"FunctionKey", Qt::Key_F2, "", false}),
                         [](const auto& test) { return std::string(test.param.rule); });

TEST_F(WindowTest, CopyPutsResultOnClipboardOnlyWhenThereIsOne) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("before");
    QTest::mouseClick(window->CopySpdBtn, Qt::LeftButton);
    EXPECT_EQ(clipboard->text(), "before") << "empty result box copies nothing";
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    QTest::mouseClick(window->CopySpdBtn, Qt::LeftButton);
    EXPECT_EQ(clipboard->text(), "5.66336");
    EXPECT_EQ(Focused(), window->Edit1);

    clipboard->setText("before");
    Retype(window->Edit1, "1/0");
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    QTest::mouseClick(window->CopySpdBtn, Qt::LeftButton);
    EXPECT_EQ(clipboard->text(), "before") << "a failed Compute leaves nothing to copy";
}

// The keyboard shortcuts click the speed buttons without moving the focus.
TEST_F(WindowTest, ShortcutsActLikeClicksWithoutFocus) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("before");
    Press(Qt::Key_F9);
    EXPECT_EQ(window->EditYValue->text(), "5.66336");
    EXPECT_EQ(Focused(), window->Edit1);
    Press(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(clipboard->text(), "5.66336");
    Press(Qt::Key_F8); // Variable: as leaving the formula box
    EXPECT_TRUE(window->EditYValue->text().isEmpty());
    EXPECT_EQ(Focused(), window->Edit1);
}

// The report shown by Print: the chosen log, or nothing before any computation.
TEST_F(WindowTest, PrintShowsChosenLog) {
    auto report = [&] {
        QString text;
        bool isPrintForm = false;
        WhileModal([&] { QTest::mouseClick(window->PrintreportSpdBtn, Qt::LeftButton); },
                   [&](QWidget* modal) {
                       auto* form = qobject_cast<TTextPrintForm*>(modal);
                       isPrintForm = form == window->PrintForm();
                       if (form) text = form->RichEdit1->toPlainText();
                   });
        EXPECT_TRUE(isPrintForm);
        Reactivate();
        return text;
    };
    EXPECT_EQ(report(), "");
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    EXPECT_EQ(report(), "Formula: F = 5.22 - 5.44E-4 * (x - 817)\nx: 2\nF value: 5.66336");

    Retype(window->Edit1, "x+");
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    EXPECT_EQ(report(), "") << "a failed Compute empties the intermediate log";

    QTest::mouseClick(window->RbPreferences_allsession, Qt::LeftButton);
    Retype(window->Edit1, "x*3");
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    EXPECT_EQ(report(), "- - 1 - - - - - - - - -\nFormula: F = 5.22 - 5.44E-4 * (x - 817)\n"
                        "x: 2\nY value: 5.66336\n- - 2 - - - - - - - - -\n"
                        "Formula: F = x*3\nx: 2\nY value: 6");
}

TEST_F(WindowTest, HelpShowsTheSameDocumentationWindow) {
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    QTest::mouseClick(window->HelpSpdBtn, Qt::LeftButton);
    EXPECT_TRUE(window->HelperForm()->isVisible());
    window->HelperForm()->hide();
    QTest::mouseClick(window->HelpSpdBtn, Qt::LeftButton);
    EXPECT_TRUE(window->HelperForm()->isVisible());
    EXPECT_EQ(window->findChildren<THelperForm*>().size(), 1);
    // Another window taking the focus is not a leave of the formula box.
    EXPECT_EQ(window->EditYValue->text(), "5.66336");
}

TEST_F(WindowTest, AboutIsModalAndGoneAfterwards) {
    bool isAbout = false;
    WhileModal([&] { QTest::mouseClick(window->AboutSpdBtn, Qt::LeftButton); },
               [&](QWidget* modal) { isAbout = qobject_cast<TAboutForm*>(modal) != nullptr; });
    EXPECT_TRUE(isAbout);
    EXPECT_TRUE(window->findChildren<TAboutForm*>().isEmpty());
}

TEST_F(WindowTest, CloseButtonClosesTheWindow) {
    QTest::mouseClick(window->BitBtn1, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
}

// The separator from the system locale (LANG / LC_ALL) reaches the default formula,
// the number reader and the result writer. Run by ctest with a German and a C locale.
TEST(SystemLocale, SeparatorComesFromTheEnvironment) {
    const QByteArray expected = qgetenv("ZENTAVO_EXPECT_SEPARATOR");
    if (expected.isEmpty()) GTEST_SKIP() << "run by ctest with a locale set";
    ApplySystemDecimalSeparator();
    ASSERT_EQ(DecimalSeparator(), expected.at(0));
    TF_Main_LSF window;
    window.show();
    const QString point = QString::fromLatin1(expected);
    EXPECT_EQ(window.Edit1->text(), "5" + point + "22 - 5" + point + "44E-4 * (x - 817)");
    QTest::mouseClick(window.ComputeSpdBtn, Qt::LeftButton);
    EXPECT_EQ(window.EditYValue->text(), "5" + point + "66336");
    SetDecimalSeparator('.');
}

} // namespace

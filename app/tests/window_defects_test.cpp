// What a user met in the real window and must not meet again: cut texts, a focus
// that jumps into the grid or is lost after an error box, clipped texts.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QToolButton>

#include "app/application.h"
#include "app/tests/window_fixture.h"

namespace {

// A pasted formula, variable list or value of any length is kept whole.
TEST_F(WindowTest, LongTextsAreNeverCut) {
    QString ones = "1";
    for (int i = 1; i < 50000; ++i)
        ones += "+1";
    QGuiApplication::clipboard()->setText(ones);
    window->Edit1->selectAll();
    QTest::keyClick(window->Edit1, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(window->Edit1->text().size(), ones.size());
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    EXPECT_EQ(window->EditYValue->text(), "50000");

    window->V_Q->setFocus(Qt::MouseFocusReason);
    QGuiApplication::clipboard()->setText(QString(40000, ' ') + "q");
    window->V_Q->selectAll();
    Press(Qt::Key_V, Qt::ControlModifier);
    Press(Qt::Key_Return);
    EXPECT_EQ(GridNames(), QStringList{"q"});
    QGuiApplication::clipboard()->setText(QString(40000, '0') + "5");
    QTest::mouseClick(ValueEditor(0), Qt::LeftButton);
    ValueEditor(0)->selectAll();
    Press(Qt::Key_V, Qt::ControlModifier);
    Retype(window->Edit1, "q");
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    EXPECT_EQ(window->EditYValue->text(), "5");
}

// A parse that removes the row whose editor had the focus last leaves the focus
// where the user is.
TEST_F(WindowTest, ShrinkingGridLeavesTheFocusAlone) {
    window->V_Q->setFocus(Qt::MouseFocusReason);
    Retype(window->V_Q, "a;b;c");
    Press(Qt::Key_Return);
    QTest::mouseClick(ValueEditor(2), Qt::LeftButton);
    Retype(ValueEditor(2), "7");
    QTest::mouseClick(window->V_Q, Qt::LeftButton);
    Retype(window->V_Q, "a");
    Press(Qt::Key_Return);
    EXPECT_EQ(Focused(), window->V_Q);
    Press(Qt::Key_Z);
    EXPECT_EQ(window->V_Q->text(), "az");
    EXPECT_EQ(GridValues(), QStringList{"2"});
}

// After the error box of a failed Compute the cell editor has the focus again, its
// caret where it was, and the next key lands in it.
TEST_F(WindowTest, ErrorBoxGivesTheFocusBackToTheCellEditor) {
    TZentavoApplication::Instance()->SetErrorPresenter({});
    QTest::mouseClick(ValueEditor(0), Qt::LeftButton);
    Retype(ValueEditor(0), "abc");
    ValueEditor(0)->setCursorPosition(1);
    WhileModal([] { Press(Qt::Key_F9); }, [](QWidget*) {});
    Reactivate();
    ASSERT_EQ(Focused(), ValueEditor(0));
    EXPECT_EQ(ValueEditor(0)->cursorPosition(), 1);
    Press(Qt::Key_Z);
    EXPECT_EQ(ValueEditor(0)->text(), "azbc");
}

// Every predefined formula shows whole in the closed drop-down list.
TEST_F(WindowTest, DropListItemsShowWhole) {
    QComboBox* list = window->CbDropList;
    for (int i = 0; i < list->count(); ++i) {
        list->setCurrentIndex(i);
        QStyleOptionComboBox option;
        option.initFrom(list);
        option.currentText = list->currentText();
        const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                          QStyle::SC_ComboBoxEditField, list);
        EXPECT_GE(field.width(), list->fontMetrics().horizontalAdvance(list->currentText()))
            << list->currentText().toStdString();
    }
}

// A 5,000-character value in the message keeps the error box inside the screen.
TEST_F(WindowTest, LongErrorTextKeepsTheBoxOnTheScreen) {
    TZentavoApplication::Instance()->SetErrorPresenter({});
    Retype(ValueEditor(0), QString(5000, '7') + "z");
    int width = 0;
    WhileModal([&] { QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton); },
               [&](QWidget* box) { width = box->frameGeometry().width(); });
    EXPECT_GT(width, 0);
    EXPECT_LE(width, window->screen()->availableGeometry().width());
}

// A parse error marks its place in the formula box without taking the focus.
TEST_F(WindowTest, ParseErrorMarksItsPlace) {
    Retype(window->Edit1, "1+*2");
    window->V_Q->setFocus(Qt::MouseFocusReason);
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    EXPECT_EQ(errors.value(0), "Parse error: Factor expected.");
    EXPECT_EQ(Focused(), window->V_Q);
    EXPECT_EQ(window->Edit1->selectedText(), "*");
    Retype(window->Edit1, "sin(x");
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    EXPECT_FALSE(window->Edit1->hasSelectedText());
    EXPECT_EQ(window->Edit1->cursorPosition(), 5) << "the text ended early";
}

// What the documentation says of an emptied value cell: Compute reads the list
// again, which puts the start value 2 back, and computes with it.
TEST_F(WindowTest, EmptiedValueCellComputesWithTwo) {
    Retype(ValueEditor(0), "");
    Retype(window->Edit1, "x*10");
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    EXPECT_EQ(window->EditYValue->text(), "20");
    EXPECT_EQ(GridValues(), QStringList{"2"});
}

// The figure is large, and a long one steps down in size until it shows whole.
TEST_F(WindowTest, ResultFigureShrinksToShowWhole) {
    TResultBox* box = window->EditYValue;
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    const int large = box->font().pointSize();
    Retype(window->Edit1, "-1/3*1E-300");
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    ASSERT_EQ(box->text(), "-3.33333333333333E-301");
    EXPECT_LT(box->font().pointSize(), large);
    EXPECT_LE(box->fontMetrics().horizontalAdvance(box->text()), box->contentsRect().width());
    Retype(window->Edit1, "2");
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    EXPECT_EQ(box->font().pointSize(), large);
}

// A shown and painted window has loaded no print plugin (the printer is made on the
// first print) and no image-format plugin (nothing at start reads a picture).
// Means something only as the first test of its process, as ctest runs it.
TEST_F(WindowTest, StartLoadsNoPrintOrImagePlugin) {
    const testing::UnitTest& run = *testing::UnitTest::GetInstance();
    // The running test counts as a successful one until it fails.
    if (run.successful_test_count() + run.failed_test_count() + run.skipped_test_count() > 1)
        GTEST_SKIP() << "earlier tests of this process may have loaded them";
    window->grab();
    QFile maps(QStringLiteral("/proc/self/maps"));
    ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
    const QString loaded = QString::fromUtf8(maps.readAll());
    EXPECT_FALSE(loaded.contains(QLatin1String("/plugins/printsupport/")));
    EXPECT_FALSE(loaded.contains(QLatin1String("/plugins/imageformats/")));
}

} // namespace

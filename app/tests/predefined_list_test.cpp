// The drop-down list of predefined formulas: what selecting, Enter and the open
// list's arrow keys load, and each entry computing through the window.
#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>
#include <QToolButton>

#include "app/tests/window_fixture.h"
#include "platform/regional_settings.h"
#include "session/predefined_formulas.h"

namespace {

using Lines = QStringList;

class PredefinedListTest : public WindowTest {
protected:
    // Selects an entry with the keyboard on the closed list (Home, then Down).
    void Choose(int index) {
        window->CbDropList->setFocus(Qt::TabFocusReason);
        Press(Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            Press(Qt::Key_Down);
    }
};

struct TEntryCase {
    int index;
    const char* result; // with "," as separator
};

// Test listings name a case by its entry.
void PrintTo(const TEntryCase& c, std::ostream* out) {
    *out << "entry " << c.index;
}

class PredefinedEntryTest : public PredefinedListTest,
                            public testing::WithParamInterface<TEntryCase> {};

// Each entry loads its formula, list and sample values ("," as separator) and
// computes from them.
TEST_P(PredefinedEntryTest, EntryLoadsAndComputes) {
    SetDecimalSeparator(',');
    const TPredefinedFormula entry = PredefinedFormulas()[static_cast<size_t>(GetParam().index)];
    Choose(GetParam().index);
    EXPECT_EQ(window->Edit1->text().toStdString(), entry.Formula);
    EXPECT_EQ(window->V_Q->text().toStdString(), entry.Variables);
    Lines values;
    for (const std::string& value : entry.SampleValues)
        values << QString::fromStdString(value);
    EXPECT_EQ(GridValues(), values);
    EXPECT_EQ(window->edVarQuantity->text(), QString::number(entry.Names.size()));
    EXPECT_TRUE(window->EditYValue->text().isEmpty());
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
    EXPECT_TRUE(window->EditYValue->text().startsWith(GetParam().result))
        << window->EditYValue->text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Entries, PredefinedEntryTest,
                         testing::Values(TEntryCase{0, "709,129"}, TEntryCase{1, "6225,49"},
                                         TEntryCase{2, "1270,48"}, TEntryCase{3, "17281,77"},
                                         TEntryCase{4, "62,137"}, TEntryCase{5, "22,8958"},
                                         TEntryCase{6, "1,1386"}),
                         [](const auto& test) {
                             return "entry" + std::to_string(test.param.index);
                         });

// Enter reloads the selected entry over edited values; with nothing selected it
// does nothing.
TEST_F(PredefinedListTest, EnterReloadsSelectedEntry) {
    window->CbDropList->setFocus(Qt::TabFocusReason);
    Press(Qt::Key_Return);
    EXPECT_EQ(window->V_Q->text(), "x");

    Choose(2);
    Retype(ValueEditor(0), "5");
    window->CbDropList->setFocus(Qt::TabFocusReason);
    Press(Qt::Key_Return);
    EXPECT_EQ(GridValues(), (Lines{"1000", "6", "48"}));
    EXPECT_EQ(window->CbDropList->currentIndex(), 2);
}

// Arrow keys in the open list load nothing; Enter closes it and loads the
// highlighted entry.
TEST_F(PredefinedListTest, OpenListLoadsOnlyWhenClosed) {
    window->CbDropList->setFocus(Qt::TabFocusReason);
    window->CbDropList->showPopup();
    QAbstractItemView* list = window->CbDropList->view();
    ASSERT_TRUE(list->isVisible());
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(window->V_Q->text(), "x");
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(window->CbDropList->currentIndex(), list->currentIndex().row());
    EXPECT_EQ(window->V_Q->text().toStdString(),
              PredefinedFormulas()[static_cast<size_t>(list->currentIndex().row())].Variables);
}

// A shorter entry hides the rows beyond it; their texts stay.
TEST_F(PredefinedListTest, ShorterEntryHidesRowsButKeepsThem) {
    Choose(1);
    EXPECT_EQ(GridNames(), (Lines{"L", "c", "n", "p"}));
    Press(Qt::Key_Up);
    EXPECT_EQ(GridNames(), (Lines{"L", "c", "n"}));
    EXPECT_EQ(window->Session().Cells().Cell(1, 4), "15");
}

// Leaving the formula box and typing into V_Q clear the selection.
TEST_F(PredefinedListTest, SelectionClearedByFormulaBoxAndVariableList) {
    Choose(3);
    window->Edit1->setFocus(Qt::MouseFocusReason);
    window->V_Q->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(window->CbDropList->currentIndex(), -1);
    Choose(3);
    QTest::keyClicks(window->V_Q, "x");
    EXPECT_EQ(window->CbDropList->currentIndex(), -1);
    EXPECT_EQ(window->CbDropList->currentText(), "");
}

} // namespace

// The user's saved formulas in the window offscreen: Save asks a name and keeps the
// list, the values and the formula; the drop-down offers them after the predefined
// ones and loads them the same way; a taken name is replaced only after asking;
// Delete asks first; a store that cannot be read is said and never overwritten.
#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <deque>

#include "app/tests/window_fixture.h"
#include "session/formula_store.h"
#include "session/predefined_formulas.h"

namespace {

class SavedFormulasTest : public WindowTest {
protected:
    QString StorePath() const { return dataHome.path() + "/zentavo/formulas.json"; }

    // Runs the action and answers the modal windows it opens, in order: a name for
    // the name dialog (empty: cancel), Yes or No for a question. Returns the texts
    // the windows showed.
    QStringList Answering(const std::function<void()>& action, std::deque<QString> answers) {
        QStringList shown;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || answers.empty() || !modal->isVisible()) return;
            const QString answer = answers.front();
            answers.pop_front();
            if (auto* ask = qobject_cast<QInputDialog*>(modal)) {
                shown << ask->textValue();
                ask->setTextValue(answer);
                answer.isEmpty() ? ask->reject() : ask->accept();
            } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                shown << box->text();
                box->button(answer == "Yes" ? QMessageBox::Yes : QMessageBox::No)->click();
            }
        });
        poll.start(10);
        action();
        poll.stop();
        EXPECT_TRUE(answers.empty()) << "unanswered: " << answers.size();
        return shown;
    }
    QStringList Save(std::deque<QString> answers) {
        return Answering([&] { QTest::mouseClick(window->SaveSpdBtn, Qt::LeftButton); },
                         std::move(answers));
    }
    QStringList SavedItems() const {
        QStringList items;
        for (int i = 0; i < window->CbDropList->count(); ++i)
            if (!window->CbDropList->SavedNameAt(i).isEmpty())
                items << window->CbDropList->itemText(i);
        return items;
    }
    void Choose(const QString& name) {
        window->CbDropList->setCurrentIndex(window->CbDropList->IndexOfSaved(name));
        window->CbDropList->setFocus();
        QTest::keyClick(window->CbDropList, Qt::Key_Return);
    }
};

TEST_F(SavedFormulasTest, SaveKeepsListValuesAndFormulaAndChoosingLoadsThem) {
    const int predefined = static_cast<int>(PredefinedFormulas().size());
    EXPECT_EQ(window->CbDropList->count(), predefined) << "no heading without saved formulas";
    Retype(window->Edit1, "l*w");
    Retype(window->V_Q, "l;w");
    QTest::keyClick(window->V_Q, Qt::Key_Return);
    Retype(ValueEditor(0), "2.5");
    Retype(ValueEditor(1), "4");
    EXPECT_EQ(Save({"Fläche"}), QStringList{""}) << "nothing to suggest yet";
    EXPECT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
    Retype(window->Edit1, "a");
    Save({"Zebra"});

    // The predefined items stay as they were; the saved ones follow a heading.
    for (int i = 0; i < predefined; ++i)
        EXPECT_EQ(window->CbDropList->itemText(i).toStdString(),
                  PredefinedFormulas()[static_cast<size_t>(i)].ItemText);
    EXPECT_EQ(window->CbDropList->itemText(predefined + 1), "My formulas");
    EXPECT_FALSE(window->CbDropList->model()->index(predefined + 1, 0).flags() & Qt::ItemIsEnabled);
    EXPECT_EQ(SavedItems(), (QStringList{"Fläche", "Zebra"}));

    Retype(window->Edit1, "0");
    Retype(window->V_Q, "q");
    QTest::keyClick(window->V_Q, Qt::Key_Return);
    Choose("Fläche");
    EXPECT_EQ(window->Edit1->text(), "l*w");
    EXPECT_EQ(window->V_Q->text(), "l;w");
    EXPECT_EQ(GridValues(), (QStringList{"2.5", "4"}));
    QTest::mouseClick(window->ComputeSpdBtn, Qt::LeftButton);
    EXPECT_EQ(window->EditYValue->text(), "10");
    EXPECT_EQ(Save({""}), QStringList{"Fläche"}) << "the chosen name is suggested";

    // Down from the last predefined item passes the heading and loads the first saved.
    window->CbDropList->setCurrentIndex(predefined - 1);
    Retype(window->Edit1, "0");
    window->CbDropList->setFocus();
    QTest::keyClick(window->CbDropList, Qt::Key_Down);
    EXPECT_EQ(window->CbDropList->currentText(), "Fläche");
    EXPECT_EQ(window->Edit1->text(), "l*w");
}

TEST_F(SavedFormulasTest, ATakenNameIsReplacedOnlyAfterAskingAndBadNamesAreRefused) {
    Save({"Mine"});
    Retype(window->Edit1, "x*3");
    const QStringList asked = Save({"MINE", "No"});
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked[1], "A saved formula 'MINE' exists already. Replace it?");
    EXPECT_NE(TFormulaStore(StorePath().toStdString()).Load()[0].Formula, "x*3");
    Save({"MINE", "Yes"});
    EXPECT_EQ(TFormulaStore(StorePath().toStdString()).Load()[0].Formula, "x*3");
    EXPECT_EQ(SavedItems(), QStringList{"MINE"});

    Save({"   "});
    Save({QString(101, 'n')});
    EXPECT_EQ(errors,
              (QStringList{"A saved formula needs a name.",
                           "The name of a saved formula may have at most 100 characters."}));
    EXPECT_EQ(SavedItems(), QStringList{"MINE"});
}

TEST_F(SavedFormulasTest, DeleteAsksAndLeavesThePredefinedItemsAlone) {
    Save({"Gone"});
    Save({"Kept"});
    window->CbDropList->setCurrentIndex(0);
    window->CbDropList->setFocus();
    QTest::keyClick(window->CbDropList, Qt::Key_Delete); // a predefined item: no question
    EXPECT_EQ(window->CbDropList->count(), static_cast<int>(PredefinedFormulas().size()) + 4);

    window->CbDropList->setCurrentIndex(window->CbDropList->IndexOfSaved("Gone"));
    const QStringList asked =
        Answering([&] { QTest::keyClick(window->CbDropList, Qt::Key_Delete); }, {"Yes"});
    EXPECT_EQ(asked, QStringList{"Delete the saved formula 'Gone'?"});
    EXPECT_EQ(SavedItems(), QStringList{"Kept"});
    EXPECT_EQ(window->CbDropList->currentIndex(), -1);
}

// Another window or program saves: the list shows it when it opens.
TEST_F(SavedFormulasTest, TheListIsReadAgainWhenItOpens) {
    TFormulaStore(StorePath().toStdString()).Save({"From elsewhere", "x", {"5"}, "x+1", {}}, false);
    EXPECT_TRUE(SavedItems().isEmpty());
    window->CbDropList->showPopup();
    window->CbDropList->hidePopup();
    EXPECT_EQ(SavedItems(), QStringList{"From elsewhere"});
}

TEST_F(SavedFormulasTest, AStoreThatCannotBeReadIsSaidAndNeverOverwritten) {
    window.reset();
    QDir().mkpath(dataHome.path() + "/zentavo");
    QFile file(StorePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\"version\": 7, \"formulas\": []}");
    file.close();
    window = std::make_unique<TF_Main_LSF>();
    window->show();
    QCoreApplication::processEvents();
    ASSERT_EQ(errors.size(), 1) << "said at start-up";
    EXPECT_TRUE(errors[0].contains(StorePath()) && errors[0].contains("format version 7"))
        << errors[0].toStdString();
    EXPECT_TRUE(SavedItems().isEmpty());
    QTest::mouseClick(window->SaveSpdBtn, Qt::LeftButton); // refused before any question
    EXPECT_EQ(errors.size(), 2);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "{\"version\": 7, \"formulas\": []}");
}

} // namespace

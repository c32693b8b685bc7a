// The documentation window: its text, its look, and that a click on its border
// hides it while a click on the text does not.
#include "app/dialogs/helper_form.h"

#include <QApplication>
#include <QFrame>
#include <QScrollBar>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

TEST(HelperFormTest, IsAFixedNonModalWindowWithTheReadOnlyDocumentation) {
    THelperForm form;
    EXPECT_EQ(form.windowTitle(), "Documentation");
    EXPECT_TRUE(form.isWindow());
    EXPECT_EQ(form.windowModality(), Qt::NonModal);
    EXPECT_EQ(form.size(), QSize(477, 392));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_TRUE(form.RichEdit1->isReadOnly());
    EXPECT_EQ(form.RichEdit1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(form.RichEdit1->lineWrapMode(), QTextEdit::WidgetWidth);
    EXPECT_EQ(form.RichEdit1->toPlainText(), DocumentationText());
    // The section titles are bold, the rest is not.
    for (const QString& heading : DocumentationHeadings()) {
        const QTextCursor found = form.RichEdit1->document()->find(heading);
        ASSERT_FALSE(found.isNull()) << heading.toStdString();
        EXPECT_EQ(found.charFormat().fontWeight(), QFont::Bold) << heading.toStdString();
    }
    EXPECT_NE(form.RichEdit1->document()->find("Keys: F9").charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(form.RichEdit1->textCursor().position(), 0) << "opens at the top";
    EXPECT_TRUE(DocumentationText().startsWith("Zentavo")) << "documentation resource missing";
}

TEST(HelperFormTest, AClickOnTheBorderHidesItAndAClickOnTheTextDoesNot) {
    THelperForm form;
    form.show();
    QTest::mouseClick(form.RichEdit1->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(form.isVisible()) << "a click on the text closed the window";
    QTest::mouseClick(form.Panel, Qt::LeftButton, {}, QPoint(0, 0));
    EXPECT_FALSE(form.isVisible());

    form.show();
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(0, 0));
    EXPECT_FALSE(form.isVisible());

    form.show();
    form.activateWindow();
    QTest::keyClick(form.RichEdit1, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible()) << "Escape closes it";
}

// Showing it again brings back the same window where the user left it, still
// scrolled where it was.
TEST(HelperFormTest, ShowingItAgainShowsTheSameWindow) {
    THelperForm form;
    form.show();
    form.RichEdit1->verticalScrollBar()->setValue(200);
    form.move(form.pos() + QPoint(30, 20));
    const QPoint place = form.pos();
    form.hide();
    form.show();
    form.raise();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.pos(), place);
    EXPECT_EQ(form.RichEdit1->verticalScrollBar()->value(), 200);
    int documentationWindows = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        documentationWindows += (qobject_cast<THelperForm*>(w) != nullptr && w->isVisible());
    EXPECT_EQ(documentationWindows, 1);
}

} // namespace

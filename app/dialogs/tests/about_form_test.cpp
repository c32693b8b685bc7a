// The About window: its texts and picture, and which clicks and keys close it.
#include "app/dialogs/about_form.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "app/dialogs/tests/test_application.h"

namespace {

TEST(AboutFormTest, ShowsTheProductNameVersionAndPicture) {
    TAboutForm form;
    EXPECT_EQ(form.windowTitle(), "About Zentavo");
    EXPECT_TRUE(form.isModal());
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(form.size(), QSize(365, 219));

    EXPECT_EQ(form.ProductName->text(), "Zentavo");
    EXPECT_EQ(form.ProductName->font().pointSize(), 16);
    EXPECT_TRUE(form.ProductName->font().bold());
    EXPECT_EQ(form.Version->text(), "version 4.1");
    EXPECT_EQ(form.Version->font().pointSize(), 10);
    EXPECT_EQ(form.Button1->text(), "&Ok");
    EXPECT_EQ(form.Picture->pixmap().size(), QSize(170, 45)) << "picture resource not found";
    // Nothing is clipped: both texts lie inside the window.
    EXPECT_TRUE(form.rect().contains(form.ProductName->geometry()));
    EXPECT_TRUE(form.rect().contains(form.Version->geometry()));
    EXPECT_GE(form.ProductName->width(), form.ProductName->sizeHint().width());
}

// Each row: what is done to the shown window, and whether it must close.
struct TCloseCase {
    const char* Rule;
    std::function<void(TAboutForm&)> Act;
    bool Closes;
};

TEST(AboutFormTest, ClicksAndKeysThatCloseTheWindow) {
    const auto click = [](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(2, 2)); };
    const std::vector<TCloseCase> cases = {
        {"a click on the panel closes", [&](TAboutForm& f) { click(f.Panel); }, true},
        {"a click on the window itself closes", [&](TAboutForm& f) { click(&f); }, true},
        {"a click on the product name closes", [&](TAboutForm& f) { click(f.ProductName); }, true},
        {"a click on Ok closes", [&](TAboutForm& f) { click(f.Button1); }, true},
        {"Enter on Ok closes", [](TAboutForm& f) { QTest::keyClick(f.Button1, Qt::Key_Return); },
         true},
        {"Space on Ok closes", [](TAboutForm& f) { QTest::keyClick(f.Button1, Qt::Key_Space); },
         true},
        {"a click on the picture does nothing", [&](TAboutForm& f) { click(f.Picture); }, false},
        {"a click on the version line does nothing", [&](TAboutForm& f) { click(f.Version); },
         false},
        {"a right click on the panel does nothing",
         [](TAboutForm& f) { QTest::mouseClick(f.Panel, Qt::RightButton, {}, QPoint(2, 2)); },
         false},
    };
    for (const TCloseCase& c : cases) {
        SCOPED_TRACE(c.Rule);
        TAboutForm form;
        bool openAfter = true;
        TModalDriver driver([&](QWidget* modal) {
            ASSERT_EQ(modal, &form);
            c.Act(form);
            openAfter = form.isVisible();
            if (openAfter) form.reject();
        });
        form.exec();
        EXPECT_EQ(!openAfter, c.Closes);
    }
}

} // namespace

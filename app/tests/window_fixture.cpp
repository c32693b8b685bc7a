// The window tests' fixture.
#include "app/tests/window_fixture.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/application.h"
#include "app/variable_grid.h"
#include "platform/regional_settings.h"

void WindowTest::SetUp() {
    SetDecimalSeparator('.');
    ASSERT_TRUE(dataHome.isValid());
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    TZentavoApplication::Instance()->SetErrorPresenter(
        [this](const QString& text) { errors << text; });
    window = std::make_unique<TF_Main_LSF>();
    window->show();
    Reactivate();
    ASSERT_EQ(Focused(), window->Edit1);
}

void WindowTest::TearDown() {
    window.reset();
    QCoreApplication::processEvents();
    TZentavoApplication::Instance()->SetErrorPresenter({});
    SetDecimalSeparator('.');
}

void WindowTest::Reactivate() {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

QLineEdit* WindowTest::ValueEditor(int row) const {
    return qobject_cast<QLineEdit*>(window->SG_Variables->ValueEditor(row));
}

QStringList WindowTest::GridNames() const {
    QStringList names;
    const QAbstractItemModel* model = window->SG_Variables->model();
    for (int row = 0; row < model->rowCount(); ++row)
        names << model->index(row, 0).data().toString();
    return names;
}

QStringList WindowTest::GridValues() const {
    QStringList values;
    for (int row = 0; row < window->SG_Variables->model()->rowCount(); ++row)
        values << ValueEditor(row)->text();
    return values;
}

void WindowTest::Retype(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

void WindowTest::Press(int key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
}

QWidget* WindowTest::Focused() {
    return QApplication::focusWidget();
}

void WindowTest::WhileModal(const std::function<void()>& action,
                            const std::function<void(QWidget*)>& inspect) {
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        poll.stop();
        seen = true;
        inspect(modal);
        if (!modal->isVisible()) return;
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            box->button(QMessageBox::Ok)->click();
        else if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
    });
    poll.start(10);
    action();
    poll.stop();
    EXPECT_TRUE(seen) << "no modal window opened";
}

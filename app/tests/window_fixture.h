// The fixture of the window tests: a fresh main window, shown and active, with the
// error display replaced by a list of the texts it would show, and a folder of its
// own for the saved formulas.
#pragma once

#include <QLineEdit>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

#include "app/main_window.h"
#include "app/result_box.h"

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& lines, std::ostream* out) {
    *out << '{';
    for (const QString& line : lines)
        *out << '"' << line.toStdString() << "\" ";
    *out << '}';
}

class WindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Gives the window the keyboard focus again (a modal window took it).
    void Reactivate();
    // The value editor of grid row (0 = first variable).
    QLineEdit* ValueEditor(int row) const;
    // The shown grid: name and value of every row.
    QStringList GridNames() const;
    QStringList GridValues() const;
    // Replaces the text of a box the way a user does: select all, type.
    static void Retype(QLineEdit* box, const QString& text);
    // Presses a key on the focused widget.
    static void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    static QWidget* Focused();
    // Runs the action; when a modal window opens, hands it to inspect and closes it
    // if inspect left it open. Fails when no modal window opened.
    static void WhileModal(const std::function<void()>& action,
                           const std::function<void(QWidget*)>& inspect);

    // The saved formulas live here, never in the user's own folder.
    QTemporaryDir dataHome;
    std::unique_ptr<TF_Main_LSF> window;
    QStringList errors; // what the error display would have shown
};

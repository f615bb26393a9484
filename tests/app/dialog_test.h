#pragma once

// The fixture of the widget tests of dialogs: every message box goes to a recorder, so no
// real modal box can block a test, and questions get the answer the test chose.
#include <gtest/gtest.h>

#include <QDialog>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <vector>

#include "app/message_box.h"
#include "engine/message.h"

namespace pf {

class DialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        shown().clear();
        answer() = QMessageBox::Yes;
        previous_ = SetMessageBoxHandler([](const Message& m, int) {
            shown().push_back(m);
            return static_cast<int>(m.IsQuestion() ? answer() : QMessageBox::Ok);
        });
    }
    void TearDown() override { SetMessageBoxHandler(previous_); }

    // Every box shown since the test began, in order.
    static std::vector<Message>& shown() {
        static std::vector<Message> messages;
        return messages;
    }
    // The button a question is answered with (Yes unless the test says otherwise).
    static QMessageBox::StandardButton& answer() {
        static QMessageBox::StandardButton button = QMessageBox::Yes;
        return button;
    }

    template <class T>
    static T* Find(QWidget* root, const char* name) {
        T* widget = root->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    static void ClickOk(QWidget* dialog) {
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        buttons->button(QDialogButtonBox::Ok)->click();
    }

  private:
    MessageBoxHandler previous_ = nullptr;
};

}  // namespace pf

#pragma once

// The fixture of the widget tests of dialogs: every message box goes to a recorder, so no
// real modal box can block a test, and questions get the answer the test chose.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QTreeWidget>
#include <QWidget>
#include <functional>
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

    // The text of the label whose buddy is `field`.
    static QString LabelOf(QWidget* root, const char* field) {
        QWidget* widget = Find<QWidget>(root, field);
        for (const QLabel* label : root->findChildren<QLabel*>())
            if (widget != nullptr && label->buddy() == widget) return label->text();
        return {};
    }
    static QStringList Items(QComboBox* box) {
        QStringList items;
        for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
        return items;
    }
    static QStringList Items(QWidget* root, const char* box) {
        return Items(Find<QComboBox>(root, box));
    }
    static QStringList Headers(QWidget* root, const char* list) {
        auto* tree = Find<QTreeWidget>(root, list);
        QStringList headers;
        for (int i = 0; i < tree->columnCount(); ++i) headers << tree->headerItem()->text(i);
        return headers;
    }
    static QStringList Column(QTreeWidget* tree, int column) {
        QStringList texts;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            texts << tree->topLevelItem(i)->text(column);
        return texts;
    }
    static QStringList Column(QWidget* root, const char* list, int column) {
        return Column(Find<QTreeWidget>(root, list), column);
    }
    // Picks `text` from the list of `box` as the user does.
    static void Choose(QWidget* root, const char* box, const QString& text) {
        auto* combo = Find<QComboBox>(root, box);
        const int index = combo->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    static void Type(QWidget* root, const char* field, const QString& text) {
        Find<QLineEdit>(root, field)->setText(text);
    }
    // Types as the user does (a dialog may tell typed text from text it set itself).
    static void TypeByHand(QWidget* root, const char* field, const QString& text) {
        auto* edit = Find<QLineEdit>(root, field);
        edit->selectAll();
        edit->insert(text);
    }
    // What the user does in a field: puts the cursor there and types over its text.
    static void TypeInto(QLineEdit* field, const QString& text) {
        field->setFocus(Qt::MouseFocusReason);
        field->selectAll();
        field->insert(text);
    }
    // Leaves a field: what the dialog sees when the focus moves on.
    static void Leave(QWidget* root, const char* field) {
        if (auto* box = root->findChild<QComboBox*>(QString::fromLatin1(field))) {
            emit box->lineEdit()->editingFinished();
            return;
        }
        emit Find<QLineEdit>(root, field)->editingFinished();
    }
    // Whether the keyboard focus is on `field` (or inside it, as in an editable list).
    static bool HasFocus(QWidget* dialog, const char* field) {
        QWidget* widget = Find<QWidget>(dialog, field);
        QWidget* focus = dialog->focusWidget();
        return widget != nullptr && focus != nullptr &&
               (focus == widget || widget->isAncestorOf(focus));
    }

    // Runs `inDialog` on the modal dialog that the next command opens; the dialog is
    // closed with Abbrechen should `inDialog` leave it open.
    template <class D>
    static void WhenModal(std::function<void(D&)> inDialog) {
        QTimer::singleShot(0, [inDialog] {
            auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            inDialog(*d);
            if (d->isVisible()) d->reject();
        });
    }

  private:
    MessageBoxHandler previous_ = nullptr;
};

}  // namespace pf

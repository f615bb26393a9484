#include "app/message_box.h"

#include <QLineEdit>
#include <QMessageBox>

#include "qtcanvas/qt_string.h"

namespace pf {

namespace {

MessageBoxHandler handler_ = nullptr;

int Show(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
         QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
    if (handler_ != nullptr) {
        Message m{FromQString(title),
                  FromQString(text),
                  icon == QMessageBox::Question      ? MessageIcon::Question
                  : icon == QMessageBox::Information ? MessageIcon::Information
                                                     : MessageIcon::Exclamation,
                  {}};
        return handler_(m, static_cast<int>(buttons));
    }
    QMessageBox box(icon, title, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    return box.exec();
}

}  // namespace

bool MessageBoxesReplaced() { return handler_ != nullptr; }

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    MessageBoxHandler previous = handler_;
    handler_ = handler;
    return previous;
}

bool ShowMessage(QWidget* parent, const Message& message) {
    const QString title = ToQString(message.title);
    const QString text = ToQString(message.text);
    switch (message.icon) {
        case MessageIcon::Question:
            return Show(parent, QMessageBox::Question, title, text,
                        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
        case MessageIcon::Exclamation:
            Show(parent, QMessageBox::Warning, title, text, QMessageBox::Ok, QMessageBox::Ok);
            return false;
        case MessageIcon::Information:
            break;
    }
    Show(parent, QMessageBox::Information, title, text, QMessageBox::Ok, QMessageBox::Ok);
    return false;
}

void ShowRefusal(QWidget* root, const Message& message) {
    ShowMessage(root, message);
    if (message.field.empty()) return;
    QWidget* field = root->findChild<QWidget*>(ToQString(message.field));
    if (field == nullptr) return;
    field->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
}

void ShowInformation(QWidget* parent, const QString& title, const QString& text) {
    Show(parent, QMessageBox::Information, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

void ShowExclamation(QWidget* parent, const QString& title, const QString& text) {
    Show(parent, QMessageBox::Warning, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

void ShowError(QWidget* parent, const QString& title, const QString& text) {
    Show(parent, QMessageBox::Critical, title, text, QMessageBox::Ok, QMessageBox::Ok);
}

int AskYesNoCancel(QWidget* parent, const QString& title, const QString& text) {
    return Show(parent, QMessageBox::Question, title, text,
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
}

}  // namespace pf

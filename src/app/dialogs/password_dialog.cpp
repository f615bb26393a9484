#include "app/dialogs/password_dialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/widget_parts.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

PasswordDialog::PasswordDialog(const QString& fileName, QWidget* parent) : QDialog(parent) {
    setWindowTitle(u"Kennwort"_s);
    const QString name = QFileInfo(fileName).fileName();
    auto* text = new QLabel(
        u"Die Datei „%1“ ist durch ein Kennwort geschützt. Bitte geben Sie das Kennwort ein:"_s.arg(
            name.isEmpty() ? fileName : name),
        this);
    text->setObjectName(u"text"_s);
    text->setWordWrap(true);
    password_ = new QLineEdit(this);
    password_->setObjectName(u"password"_s);
    password_->setEchoMode(QLineEdit::Password);
    text->setBuddy(password_);

    QDialogButtonBox* buttons = OkCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(password_);
    layout->addWidget(buttons);
    // A long file name wraps instead of widening the box beyond reason.
    text->setMinimumWidth(fontMetrics().averageCharWidth() * 50);
    password_->setFocus();
}

std::string PasswordDialog::Password() const { return FromQString(password_->text()); }

std::optional<std::string> PasswordDialog::Ask(QWidget* parent, const QString& fileName) {
    PasswordDialog dialog(fileName, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Password();
}

}  // namespace pf

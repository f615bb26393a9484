#pragma once

#include <QDialog>
#include <optional>
#include <string>

class QLineEdit;

namespace pf {

// "Kennwort": asks for the password of a protected file while it is read.
class PasswordDialog : public QDialog {
    Q_OBJECT

  public:
    // `fileName` may be a path; the text names the file alone.
    PasswordDialog(const QString& fileName, QWidget* parent = nullptr);

    std::string Password() const;

    // The typed password, or nothing when the dialog was cancelled.
    static std::optional<std::string> Ask(QWidget* parent, const QString& fileName);

  private:
    QLineEdit* password_ = nullptr;
};

}  // namespace pf

#include "app/dialogs/text_output_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/message_box.h"
#include "app/widget_parts.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

TextOutputDialog::TextOutputDialog(TextOutputTarget target, QWidget* parent)
    : QDialog(parent), target_(target) {
    setWindowTitle(ToQString(TextOutputForm::Title(target)));

    fixedWidths_ = new QRadioButton(u"&Feste Spaltenbreiten"_s, this);
    fixedWidths_->setObjectName(u"fixedWidths"_s);
    tabSeparated_ = new QRadioButton(u"Spalten durch &Tabulatoren getrennt"_s, this);
    tabSeparated_->setObjectName(u"tabSeparated"_s);
    fixedWidths_->setChecked(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fixedWidths_);
    layout->addWidget(tabSeparated_);

    if (target == TextOutputTarget::TextFile) {
        fileName_ = new QLineEdit(this);
        fileName_->setObjectName(ToQString(kFileNameField));
        fileName_->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
        auto* browse = new QPushButton(u"Speichern unter..."_s, this);
        browse->setObjectName(u"browse"_s);
        // Enter in the name field means OK, not another file dialog.
        browse->setAutoDefault(false);
        connect(browse, &QPushButton::clicked, this, &TextOutputDialog::BrowseForFile);
        auto* label = new QLabel(u"&Dateiname:"_s, this);
        label->setBuddy(fileName_);
        auto* row = new QHBoxLayout;
        row->addWidget(fileName_, 1);
        row->addWidget(browse);
        layout->addSpacing(layout->spacing());
        layout->addWidget(label);
        layout->addLayout(row);
    }

    QDialogButtonBox* buttons = OkCancelButtons(this);
    layout->addStretch(1);
    layout->addWidget(buttons);
    // Wide enough that a title bar shows the whole title.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) * 3 / 2);

    if (fileName_ != nullptr) fileName_->setFocus();
}

int TextOutputDialog::Mode() const {
    return tabSeparated_->isChecked() ? kTabSeparated : kFixedColumnWidths;
}

std::string TextOutputDialog::FileName() const {
    return fileName_ != nullptr ? FromQString(fileName_->text()) : std::string();
}

void TextOutputDialog::BrowseForFile() {
    QFileDialog dialog(this, u"Speichern unter"_s, fileName_->text());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(u"Textdateien (*.txt)"_s);
    dialog.setDefaultSuffix(u"txt"_s);
    // Asking before a file is overwritten is the dialog's default.
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        fileName_->setText(dialog.selectedFiles().constFirst());
        fileName_->setFocus();
    }
}

void TextOutputDialog::accept() {
    TextOutputForm form{target_, Mode(), FileName()};
    if (MaybeMessage m = form.Check()) {
        ShowRefusal(this, *m);
        return;
    }
    QDialog::accept();
}

}  // namespace pf

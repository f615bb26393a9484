#include "app/widget_parts.h"

#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

#include "app/help.h"

namespace pf {

QDate ToQDate(CQRNDatum date) {
    const CQRNDatum::Parts p = date.Split();
    return QDate(static_cast<int>(p.year), static_cast<int>(p.month), static_cast<int>(p.day));
}

CQRNDatum FromQDate(const QDate& date) {
    return DateOf(static_cast<unsigned>(date.day()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.year()));
}

QDateEdit* DatePicker(QWidget* parent, const QString& objectName) {
    auto* edit = new QDateEdit(parent);
    if (!objectName.isEmpty()) edit->setObjectName(objectName);
    edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    edit->setCalendarPopup(true);
    edit->setDateRange(ToQDate(CQRNDatum(CQRNDatum::kFirstValidDay)),
                       ToQDate(CQRNDatum(CQRNDatum::kLastValidDay)));
    return edit;
}

QPushButton* NamedButton(const QString& text, const QString& objectName, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

QDialogButtonBox* OkCancelButtons(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    AddHelpButton(buttons, dialog);
    return buttons;
}

WaitCursor::WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
WaitCursor::~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }

QLabel* BuddyLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

QFont FixedPitchFont() {
    const QFont desktop = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (QFontInfo(desktop).fixedPitch()) return desktop;
    for (const char* family : {"DejaVu Sans Mono", "Liberation Mono", "Noto Mono", "Courier New"}) {
        QFont candidate(QString::fromLatin1(family));
        candidate.setPointSizeF(desktop.pointSizeF());
        if (QFontInfo(candidate).fixedPitch()) return candidate;
    }
    return desktop;
}

}  // namespace pf

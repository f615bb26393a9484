#include "app/dialogs/security_pair.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>

#include "app/dialogs/entry_parts.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

SecurityPair::SecurityPair(const CFolari2Doc& doc, QWidget* parent) : QObject(parent) {
    group_ = new QGroupBox(u"Wertpapier"_s, parent);
    names_ = new QComboBox(group_);
    names_->setObjectName(u"name"_s);
    wkns_ = new QComboBox(group_);
    wkns_->setObjectName(u"wkn"_s);
    for (const CFL2Wertpapier& s : doc.securities) {
        names_->addItem(ToQString(s.name), s.id);
        wkns_->addItem(ToQString(s.wkn), s.id);
    }
    names_->setCurrentIndex(-1);
    wkns_->setCurrentIndex(-1);
    names_->setMinimumContentsLength(30);
    names_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* form = new QFormLayout(group_);
    form->addRow(BuddyLabel(u"&Bezeichnung:"_s, names_, group_), names_);
    form->addRow(BuddyLabel(u"&WKN:"_s, wkns_, group_), wkns_);
    connect(names_, &QComboBox::currentIndexChanged, this, [this] { Follow(names_, wkns_); });
    connect(wkns_, &QComboBox::currentIndexChanged, this, [this] { Follow(wkns_, names_); });
}

int32_t SecurityPair::Chosen() const {
    if (names_->currentIndex() < 0 || wkns_->currentIndex() < 0) return -1;
    return ChosenId(names_);
}

void SecurityPair::Choose(int32_t id) {
    ChooseQuietly(names_, id);
    ChooseQuietly(wkns_, id);
    emit chosen(Chosen());
}

void SecurityPair::Follow(QComboBox* from, QComboBox* to) {
    const int32_t id = ChosenId(from);
    if (ChosenId(to) != id) ChooseQuietly(to, id);
    emit chosen(Chosen());
}

}  // namespace pf

#include "app/dialogs/vtplus_selection_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>

#include "app/dialogs/entry_parts.h"
#include "app/message_box.h"
#include "app/widget_parts.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {

// A teletext row has 40 columns.
constexpr int kFieldColumns = 40;
constexpr int kFieldRows = 24;

}  // namespace

VtplusSelectionDialog::VtplusSelectionDialog(DdeClient& client, const VtplusSelection& current,
                                             QWidget* parent)
    : QDialog(parent), client_(client) {
    setWindowTitle(ToQString(kVtplusSelectionTitle));

    page_ = new QComboBox(this);
    page_->setObjectName(u"page"_s);
    page_->setMinimumContentsLength(8);
    auto* reload = NamedButton(u"&Neu laden"_s, u"reload"_s, this);
    subpage_ = new QComboBox(this);
    subpage_->setObjectName(u"subpage"_s);
    for (const std::string& choice : VtplusSelectionForm::SubpageChoices())
        subpage_->addItem(ToQString(choice));

    selection_ = new QPlainTextEdit(this);
    selection_->setObjectName(ToQString(kVtplusSelectionField));
    selection_->setReadOnly(true);
    selection_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    selection_->setLineWrapMode(QPlainTextEdit::NoWrap);
    selection_->setTabChangesFocus(true);
    selection_->setFont(FixedPitchFont());
    {
        const QFontMetrics metrics(selection_->font());
        const int frame = 2 * selection_->frameWidth() + 2 * 4;  // frame and document margin
        selection_->setMinimumSize(metrics.horizontalAdvance(QString(kFieldColumns, u'M')) + frame +
                                       selection_->verticalScrollBar()->sizeHint().width(),
                                   metrics.lineSpacing() * kFieldRows + frame);
    }

    auto* takeQuote = NamedButton(u"&Kurs übernehmen"_s, u"takeQuote"_s, this);
    quoteShown_ = new QLabel(this);
    quoteShown_->setObjectName(u"quoteShown"_s);
    quoteShown_->setTextFormat(Qt::PlainText);
    auto* takeControl = NamedButton(u"Kontroll&text übernehmen"_s, u"takeControlText"_s, this);
    controlShown_ = new QLabel(this);
    controlShown_->setObjectName(u"controlShown"_s);
    controlShown_->setTextFormat(Qt::PlainText);
    comma_ = new QRadioButton(u"Komma ','"_s, this);
    comma_->setObjectName(u"comma"_s);
    point_ = new QRadioButton(u"Punkt '.'"_s, this);
    point_->setObjectName(u"point"_s);

    auto* pageRow = new QHBoxLayout;
    pageRow->addWidget(BuddyLabel(u"&Seite"_s, page_, this));
    pageRow->addWidget(page_);
    pageRow->addWidget(reload);
    pageRow->addSpacing(fontMetrics().averageCharWidth() * 2);
    pageRow->addWidget(BuddyLabel(u"&Unterseite"_s, subpage_, this));
    pageRow->addWidget(subpage_);
    pageRow->addStretch(1);

    auto* takes = new QGridLayout;
    takes->addWidget(takeQuote, 0, 0);
    takes->addWidget(quoteShown_, 0, 1);
    takes->addWidget(takeControl, 1, 0);
    takes->addWidget(controlShown_, 1, 1);
    takes->setColumnStretch(1, 1);
    auto* separator = new QHBoxLayout;
    separator->addWidget(new QLabel(u"Dezimaltrennzeichen:"_s, this));
    separator->addWidget(comma_);
    separator->addWidget(point_);
    separator->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pageRow);
    layout->addWidget(BuddyLabel(u"&Auswahlfeld"_s, selection_, this));
    layout->addWidget(selection_, 1);
    layout->addLayout(takes);
    layout->addLayout(separator);
    layout->addWidget(OkCancelButtons(this));

    {
        WaitCursor wait;
        form_ = VtplusSelectionForm::Open(client_, current);
    }
    ShowPages();
    ShowPage();
    ShowSeparator();
    quoteShown_->setText(ToQString(form_.quoteShown));
    controlShown_->setText(ToQString(form_.controlShown));

    connect(page_, &QComboBox::activated, this, [this](int index) {
        WaitCursor wait;
        form_.SelectPage(client_, index);
        ShowPage();
    });
    connect(subpage_, &QComboBox::activated, this, [this](int index) {
        WaitCursor wait;
        form_.SelectSubpage(client_, index + 1);
        ShowPage();
    });
    connect(reload, &QPushButton::clicked, this, [this] {
        WaitCursor wait;
        form_.Reload(client_);
        ShowPages();
        ShowPage();
    });
    connect(takeQuote, &QPushButton::clicked, this, [this] { Take(true); });
    connect(takeControl, &QPushButton::clicked, this, [this] { Take(false); });
    connect(comma_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) form_.decimalSeparator = 0;
    });
    connect(point_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) form_.decimalSeparator = 1;
    });
    selection_->setFocus();
}

void VtplusSelectionDialog::ShowPages() {
    const QSignalBlocker quiet(page_);
    page_->clear();
    for (const std::string& page : form_.pages) page_->addItem(ToQString(page));
    page_->setCurrentIndex(form_.selectedPage);
    const QSignalBlocker quietSubpage(subpage_);
    subpage_->setCurrentIndex(form_.subpage - 1);
}

void VtplusSelectionDialog::ShowPage() {
    // The field keeps one paragraph break where the page has "\r\n" (and drops a lone
    // carriage return, which the row count ignores as well), so its positions are mapped
    // back to the offsets of the page text the form counts in: one per character, UTF-16
    // pairs taken as one.
    const QString text = ToQString(form_.pageText);
    QString shown;
    shown.reserve(text.size());
    pageOffsets_.clear();
    std::size_t offset = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            if (i + 1 < text.size() && text.at(i + 1) == u'\n') {
                // The break counts from the carriage return: a mark that ends before the
                // break does not take the carriage return with it.
                pageOffsets_.push_back(offset);
                shown.append(u'\n');
                ++i;
                offset += 2;
            } else {
                ++offset;
            }
            continue;
        }
        pageOffsets_.push_back(offset);
        shown.append(c);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            pageOffsets_.push_back(offset);
            shown.append(text.at(++i));
        }
        ++offset;
    }
    pageOffsets_.push_back(offset);
    selection_->setPlainText(shown);
}

std::size_t VtplusSelectionDialog::PageOffset(int fieldPosition) const {
    if (pageOffsets_.empty()) return 0;
    const auto at = std::clamp<std::size_t>(static_cast<std::size_t>(std::max(fieldPosition, 0)), 0,
                                            pageOffsets_.size() - 1);
    return pageOffsets_[at];
}

void VtplusSelectionDialog::ShowSeparator() {
    const QSignalBlocker quietComma(comma_);
    const QSignalBlocker quietPoint(point_);
    (form_.decimalSeparator == 1 ? point_ : comma_)->setChecked(true);
}

void VtplusSelectionDialog::Take(bool quote) {
    const QTextCursor cursor = selection_->textCursor();
    const std::size_t start = PageOffset(cursor.selectionStart());
    const std::size_t end = PageOffset(cursor.selectionEnd());
    const MaybeMessage refusal =
        quote ? form_.TakeQuote(start, end) : form_.TakeControlText(start, end);
    if (refusal) {
        ShowRefusal(this, *refusal);
        return;
    }
    quoteShown_->setText(ToQString(form_.quoteShown));
    controlShown_->setText(ToQString(form_.controlShown));
    ShowSeparator();
}

}  // namespace pf

#pragma once

#include <QDialog>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;

namespace pf {

// The frame shared by the two entry dialogs that page through rows of fields ("Kurse
// eingeben", "Devisenkurse eingeben"): the previous/next buttons with the page line and
// "Schließen", and the rule that a field acts when it is left.
//
// A field is left when it loses the focus to another widget of the dialog (Tab, a click),
// whether or not its text changed. Paging, a change of the dialog's choices and closing
// first leave every field that has the focus or whose text the form does not hold yet, so
// a typed price is never lost to a rebuild of the rows. A focus loss to another window or
// a popup menu does not count: the user has not left the field.
class EntryPagesFrame : public QDialog {
    Q_OBJECT

  public:
    // Leaves the pending fields before the dialog ends (Schließen, Escape, the close box).
    void done(int result) override;

  protected:
    explicit EntryPagesFrame(QWidget* parent);

    // The line under the rows: previous, the page line, next, a stretch and "Schließen".
    QLayout* PagingRow();
    // Puts previous, next and "Schließen" after `last` in the tab order.
    void TabToPagingRow(QWidget* last);

    // Makes `edit` the field of `row` whenever the row's Field() is that edit.
    void WatchField(QLineEdit* edit, size_t row);
    // Leaves every shown field that has the focus or holds a text the form has not taken.
    void LeavePending();
    // Shows the rows and the page line anew from the form, without taking any field's text.
    void Refresh();

    // The rows the form holds on its page.
    virtual size_t ShownRows() const = 0;
    // The editable field of `row`.
    virtual QLineEdit* Field(size_t row) const = 0;
    // The text the form holds for the field of `row`.
    virtual std::string FormText(size_t row) const = 0;
    // Hands `text` to the form as the field's text and leaves the field.
    virtual void Leave(size_t row, const std::string& text) = 0;
    // Turns the form's page (wrapping around) and fills its rows from the document.
    virtual void TurnPage(bool forward) = 0;
    // Fills the row widgets from the form's rows; rows beyond them are emptied, hidden and
    // disabled.
    virtual void ShowRows() = 0;
    virtual std::string PageLine() const = 0;
    virtual bool NextIsDefault() const = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void LeaveRow(size_t row);
    void Turn(bool forward);

    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* close_ = nullptr;
    QPushButton* help_ = nullptr;
    QLabel* pageLine_ = nullptr;
    std::vector<std::pair<QLineEdit*, size_t>> watched_;
    bool refreshing_ = false;  // rows being refilled: focus changes are not the user's
};

// Shows `text` in `label`, cut with "..." to the label's minimum width when longer (the full
// text goes to the tooltip), so a long name never widens an entry dialog.
void SetElidedText(QLabel* label, const QString& text);

}  // namespace pf

#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "model/document.h"
#include "platform/file_lock.h"

namespace pf {

// Update hint of a change that only concerns one window's dialog bar or view choice: only
// that window rebuilds its report.
inline constexpr int kHintActiveView = 111;

// One open portfolio: the document, where it is stored and how its windows call it. The
// views listen to viewsNeedUpdate and rebuild their reports from the document.
//
// Every change of the document goes through CFolari2Doc::Edit (the engine's operations and
// the form models do so themselves); the handle listens to the document's edits and turns
// each one into titleChanged and one viewsNeedUpdate for all views.
class DocumentHandle : public QObject {
    Q_OBJECT
  public:
    explicit DocumentHandle(CFolari2Doc doc, QObject* parent = nullptr);
    ~DocumentHandle() override;

    CFolari2Doc& Doc() { return doc_; }
    const CFolari2Doc& Doc() const { return doc_; }

    // Empty until the document has been saved or was opened from a file.
    const QString& Path() const { return path_; }
    const QString& Title() const { return title_; }
    void SetPathAndTitle(const QString& path, const QString& title);

    // An imported document carries the path it will be saved to, but no file of its own yet.
    bool NeverSaved() const { return neverSaved_; }
    void SetNeverSaved(bool neverSaved) { neverSaved_ = neverSaved; }

    // Opened while someone else held the file: Save may not write over Path(). Save As to
    // another file ends it.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // The lock of the file this document writes, held until the document goes (nullptr: none,
    // for a new or read-only document, or where no lock file could be written).
    const DocumentLock* Lock() const { return lock_ ? &*lock_ : nullptr; }
    // Takes over `lock`, releasing the one held before.
    void SetLock(std::optional<DocumentLock> lock) { lock_ = std::move(lock); }

    bool IsModified() const { return doc_.IsModified(); }
    // Marks the document modified (or saved) and tells the windows to update their titles;
    // for what is not an edit of the document (saving, a failed save).
    void SetModified(bool modified);

    // Tells the views to rebuild: hint 0 all of them, kHintActiveView only `sender`.
    void UpdateAllViews(QObject* sender = nullptr, int hint = 0);
    // A change made to Doc() directly, announced as one edit: modified, then every view
    // rebuilt.
    void Changed();

  signals:
    void viewsNeedUpdate(QObject* sender, int hint);
    void titleChanged();

  private:
    CFolari2Doc doc_;
    int editListener_ = 0;
    QString path_;
    QString title_;
    bool neverSaved_ = false;
    bool readOnly_ = false;
    std::optional<DocumentLock> lock_;
};

}  // namespace pf

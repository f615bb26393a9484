#include "app/document_handle.h"

namespace pf {

DocumentHandle::DocumentHandle(CFolari2Doc doc, QObject* parent)
    : QObject(parent), doc_(std::move(doc)) {
    editListener_ = doc_.AddEditListener([this] {
        emit titleChanged();
        UpdateAllViews();
    });
}

DocumentHandle::~DocumentHandle() { doc_.RemoveEditListener(editListener_); }

void DocumentHandle::SetPathAndTitle(const QString& path, const QString& title) {
    path_ = path;
    title_ = title;
    emit titleChanged();
}

void DocumentHandle::SetModified(bool modified) {
    const bool was = doc_.IsModified();
    doc_.SetModified(modified);
    if (was != modified) emit titleChanged();
}

void DocumentHandle::UpdateAllViews(QObject* sender, int hint) {
    emit viewsNeedUpdate(sender, hint);
}

void DocumentHandle::Changed() {
    doc_.Edit([] {});
}

}  // namespace pf

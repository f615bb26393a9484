// The main window's file, print and output commands.
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <ctime>

#include "app/child_frame.h"
#include "app/dialogs/depot_data_dialog.h"
#include "app/dialogs/new_file_wizard.h"
#include "app/dialogs/options_dialog.h"
#include "app/dialogs/password_dialog.h"
#include "app/dialogs/security_choice_dialog.h"
#include "app/dialogs/text_output_dialog.h"
#include "app/document_handle.h"
#include "app/help.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "app/picture_copy.h"
#include "app/printing.h"
#include "app/report_view.h"
#include "app/widget_parts.h"
#include "qtcanvas/qt_string.h"
#include "shell/document_session.h"
#include "shell/general_options_form.h"

namespace pf {

namespace {

const QString kPortfolioFilter = QStringLiteral("Portfolaris2-Datei (*.fl2)");
const QString kAllFilesFilter = QStringLiteral("Alle Dateien (*)");

// This program as the holder of a document's lock, from now on.
LockOwner Me() { return ThisProcessAsOwner(std::time(nullptr)); }

QString CanonicalPath(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

}  // namespace

DocumentHandle* MainWindow::OpenFile(const QString& path) {
    // A file that is already open is shown, not read a second time.
    const QString wanted = CanonicalPath(path);
    for (DocumentHandle* d : Documents()) {
        if (d->Path().isEmpty() || CanonicalPath(d->Path()) != wanted) continue;
        for (ChildFrame* f : Frames())
            if (f->Document() == d) mdiArea_->setActiveSubWindow(f);
        return d;
    }
    // A first-generation file is converted like an import, so saving it never writes the
    // new format over the old file.
    if (IsFirstGenerationFile(FromQString(path))) return ImportFile(path);

    return ReadAndShow(path, false);
}

DocumentHandle* MainWindow::ImportFile(const QString& path) { return ReadAndShow(path, true); }

DocumentHandle* MainWindow::ReadAndShow(const QString& path, bool import) {
    ReadSettings settings;
    settings.today = today_;
    const QString fileName = QFileInfo(path).fileName();
    settings.askPassword = [this, fileName]() -> std::optional<std::string> {
        if (askPassword_) return askPassword_(fileName);
        return PasswordDialog::Ask(this, fileName);
    };
    // One writer per file: a file someone else holds opens read-only, if the user wants it.
    // An imported file is only read; its lock is taken when it is first saved.
    LockCheck lock;
    if (!import) {
        lock = CheckDocumentLock(FromQString(path), Me());
        if (lock.question && !ShowMessage(this, *lock.question)) return nullptr;
    }
    const bool readOnly = lock.question.has_value();
    OpenOutcome outcome;
    {
        WaitCursor wait;
        outcome = import ? ImportPortfolioFile(FromQString(path), settings)
                         : OpenPortfolioFile(FromQString(path), settings);
    }
    if (!outcome.opened) {
        // A damaged file: its backup instead, if there is one and the user wants it.
        const MaybeMessage offer =
            import ? std::nullopt : BackupQuestion(FromQString(path), outcome);
        if (!offer) {
            ShowMessage(this, *outcome.error);
            return nullptr;
        }
        if (!ShowMessage(this, *offer)) return nullptr;
        {
            WaitCursor wait;
            outcome = OpenBackupOf(FromQString(path), settings);
        }
        if (!outcome.opened) {
            ShowMessage(this, *outcome.error);
            return nullptr;
        }
    }
    OpenedDocument& opened = *outcome.opened;
    if (opened.olderVersion)
        ShowInformation(this, ToQString(kOlderVersionTitle), ToQString(kOlderVersionNotice));

    auto document = std::make_unique<DocumentHandle>(std::move(opened.doc));
    document->SetPathAndTitle(ToQString(opened.path),
                              ToQString(readOnly ? ReadOnlyTitle(opened.title) : opened.title));
    document->SetReadOnly(readOnly);
    document->SetLock(std::move(lock.lock));
    // An imported document is entered in the recent files once it has been saved.
    document->SetNeverSaved(opened.imported);
    if (!opened.imported) {
        recentFiles_.Add(opened.path);
        recentFiles_.Save(*settings_);
        RebuildRecentFileMenu();
    }
    DocumentHandle* shown = AdoptAndShow(std::move(document));
    // What a conversion left out is told once the converted document is on screen.
    if (!opened.importMessage.empty())
        ShowInformation(this, ToQString(kAppTitle), ToQString(opened.importMessage));
    return shown;
}

DocumentHandle* MainWindow::AdoptAndShow(std::unique_ptr<DocumentHandle> document) {
    DocumentHandle* adopted = Adopt(std::move(document));
    AddWindow(adopted, InitialState(adopted, kViewHoldings));
    return adopted;
}

DocumentHandle* MainWindow::NewDocument(const NewDocumentChoices& choices) {
    CFolari2Doc doc;
    // What the wizard took in exists nowhere else yet: as an edit the new document counts as
    // modified, so that closing asks before it is lost.
    doc.Edit([&](CFolari2Doc& d) { d.NewDocument(choices, today_); });
    auto document = std::make_unique<DocumentHandle>(std::move(doc));
    document->SetPathAndTitle(QString(), QStringLiteral("NeueDatei%1").arg(++newDocumentCount_));
    return AdoptAndShow(std::move(document));
}

bool MainWindow::SaveDocumentTo(DocumentHandle* document, const QString& path) {
    const std::string target = FromQString(path);
    if (document->ReadOnly()) {
        if (const MaybeMessage refusal =
                ReadOnlySaveRefusal(FromQString(document->Path()), target)) {
            ShowMessage(this, *refusal);
            return false;
        }
    }
    // The file written is held by this document from now on; one that someone else holds
    // is not written at all.
    SaveLock lock = LockForSave(target, document->Lock(), Me());
    if (lock.refusal) {
        ShowMessage(this, *lock.refusal);
        return false;
    }
    MaybeMessage problem;
    {
        WaitCursor wait;
        problem = pf::SaveDocument(document->Doc(), target, KeepBackupOnSave(*settings_));
    }
    if (problem) {
        // The old file is untouched and the document stays modified.
        document->SetModified(true);
        ShowMessage(this, *problem);
        return false;
    }
    if (!lock.heldAlready) document->SetLock(std::move(lock.lock));
    document->SetReadOnly(false);
    document->SetNeverSaved(false);
    document->SetPathAndTitle(path, ToQString(DocumentTitleOf(target)));
    document->SetModified(false);
    recentFiles_.Add(target);
    recentFiles_.Save(*settings_);
    RebuildRecentFileMenu();
    return true;
}

bool MainWindow::SaveDocument(DocumentHandle* document) {
    // An imported document has a path it has never been written to: if a file is already
    // there, the user decides in Save As instead of it being overwritten unasked.
    if (document->Path().isEmpty() ||
        (document->NeverSaved() && QFileInfo::exists(document->Path())))
        return SaveDocumentAs(document);
    // A read-only document says why it cannot go back to its file and asks for another.
    if (document->ReadOnly()) {
        const std::string original = FromQString(document->Path());
        if (const MaybeMessage refusal = ReadOnlySaveRefusal(original, original)) {
            ShowMessage(this, *refusal);
            return SaveDocumentAs(document);
        }
    }
    return SaveDocumentTo(document, document->Path());
}

bool MainWindow::SaveDocumentAs(DocumentHandle* document) {
    QString proposal = document->Path();
    if (proposal.isEmpty())
        proposal = ToQString(WithPortfolioExtension(FromQString(document->Title())));
    QString path;
    if (chooseSavePath_) {
        path = chooseSavePath_(proposal);
    } else {
        QFileDialog dialog(this, QStringLiteral("Speichern unter"), proposal, kPortfolioFilter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("fl2"));
        dialog.selectFile(proposal);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            path = dialog.selectedFiles().constFirst();
    }
    if (path.isEmpty()) return false;
    return SaveDocumentTo(document, path);
}

void MainWindow::OnNew() {
    NewFileWizard wizard(this);
    if (wizard.exec() != QDialog::Accepted) return;
    NewDocument(wizard.Choices());
}

void MainWindow::OnOpen() {
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Öffnen"), QString(),
                                     kPortfolioFilter + QStringLiteral(";;") + kAllFilesFilter);
    if (!path.isEmpty()) OpenFile(path);
}

void MainWindow::OnImport() {
    QFileDialog dialog(this, QStringLiteral("Importieren"), QString(),
                       QStringLiteral("Portfolaris1-Datei (*.flk)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("flk"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        ImportFile(dialog.selectedFiles().constFirst());
}

void MainWindow::OnClose() {
    if (DocumentHandle* document = ActiveDocument()) CloseDocument(document);
}

void MainWindow::OnSave() {
    if (DocumentHandle* document = ActiveDocument()) SaveDocument(document);
}

void MainWindow::OnSaveAs() {
    if (DocumentHandle* document = ActiveDocument()) SaveDocumentAs(document);
}

int MainWindow::PrintActiveView(QPrinter& printer, int fromPage, int toPage) {
    ReportObject* report = ActiveReport();
    if (report == nullptr || !report->CanPrint()) return -1;
    WaitCursor wait;
    QString error;
    const int pages = PrintReport(*report, printer, error, fromPage, toPage);
    if (pages < 0) ShowExclamation(this, ToQString(kAppTitle), error);
    return pages;
}

QPrinter& MainWindow::Printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

bool MainWindow::ActiveViewCanPrint() const {
    const ReportObject* report = ActiveReport();
    return report != nullptr && report->CanPrint();
}

void MainWindow::OnPrint() {
    if (!ActiveViewCanPrint()) return;
    QPrintDialog dialog(&Printer(), this);
    dialog.setWindowTitle(QStringLiteral("Drucken"));
    AddHelpButtonToQtDialog(&dialog);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setMinMax(1, 9999);
    if (dialog.exec() != QDialog::Accepted) return;
    const bool range = Printer().printRange() == QPrinter::PageRange;
    PrintActiveView(Printer(), range ? Printer().fromPage() : 0, range ? Printer().toPage() : 0);
}

void MainWindow::OnPrintPreview() {
    if (!ActiveViewCanPrint()) return;
    QPrintPreviewDialog preview(&Printer(), this);
    preview.setWindowTitle(QStringLiteral("Seitenansicht"));
    AddHelpButtonToQtDialog(&preview);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { PrintActiveView(*printer); });
    preview.exec();
}

void MainWindow::OnPageSetup() {
    QPageSetupDialog dialog(&Printer(), this);
    dialog.setWindowTitle(QStringLiteral("Druckereinrichtung"));
    AddHelpButtonToQtDialog(&dialog);
    dialog.exec();
}

bool MainWindow::CopyActiveViewToClipboard(int mode) {
    const ReportObject* report = ActiveReport();
    if (report == nullptr || !report->HasText()) return false;
    WaitCursor wait;
    // A clipboard that cannot be opened stays as it was, without a message.
    return CopyReportToClipboard(*report, *clipboard_, mode);
}

bool MainWindow::WriteActiveViewToTextFile(int mode, const QString& path) {
    const ReportObject* report = ActiveReport();
    if (report == nullptr || !report->HasText()) return false;
    bool written = false;
    {
        WaitCursor wait;
        written = WriteReportTextFile(*report, mode, std::filesystem::path(FromQString(path)));
    }
    if (!written)
        ShowInformation(this, QStringLiteral("Kopieren in Textdatei"),
                        QStringLiteral("Datei kann nicht geöffnet werden"));
    return written;
}

void MainWindow::OnCopyToClipboard() {
    TextOutputDialog dialog(TextOutputTarget::Clipboard, this);
    if (dialog.exec() == QDialog::Accepted) CopyActiveViewToClipboard(dialog.Mode());
}

void MainWindow::OnCopyPicture() {
    ReportObject* report = ActiveReport();
    if (report == nullptr || !report->CanPrint()) return;
    WaitCursor wait;
    // The picture as the screen shows it, at the screen's resolution.
    CopyReportPicture(*report, logicalDpiX());
}

void MainWindow::OnCopyToTextFile() {
    TextOutputDialog dialog(TextOutputTarget::TextFile, this);
    if (dialog.exec() == QDialog::Accepted)
        WriteActiveViewToTextFile(dialog.Mode(), ToQString(dialog.FileName()));
}

void MainWindow::OnDepotData() {
    DocumentHandle* document = ActiveDocument();
    if (document == nullptr) return;
    DepotDataDialog dialog(document->Doc().depot, this);
    if (dialog.exec() != QDialog::Accepted) return;
    document->Doc().Edit([&](CFolari2Doc& d) { d.depot = dialog.Data(); });
}

void MainWindow::OnOptions() {
    DocumentHandle* document = ActiveDocument();
    if (document == nullptr) return;
    OptionsDialog dialog(document->Doc(), this);
    dialog.LoadProfile(*settings_);
    if (dialog.exec() != QDialog::Accepted) return;
    dialog.ApplyToProfile(*settings_);
    dialog.ApplyTo(document->Doc());
}

void MainWindow::OnFilterSettings() {
    DocumentHandle* document = ActiveDocument();
    if (document == nullptr) return;
    SecurityChoiceDialog dialog(document->Doc(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    document->Doc().Edit([&](CFolari2Doc& d) { return dialog.ApplyTo(d); });
}

}  // namespace pf

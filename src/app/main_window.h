#pragma once

#include <QMainWindow>
#include <QPrinter>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/document_commands.h"
#include "model/date.h"
#include "model/document.h"
#include "reports/report_object.h"
#include "shell/dialog_bar_rules.h"
#include "shell/recent_files.h"
#include "shell/window_settings.h"

class QAction;
class QActionGroup;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QMimeData;
class QToolBar;

namespace pf {

class ChildFrame;
class Clipboard;
class DesktopLauncher;
class DialogBar;
class DocumentHandle;
class ReportObject;
class ReportView;
class SettingsStore;

// Bars whose creation a test can make fail, to see the frame go on without them.
struct FrameCreationFaults {
    bool toolbar = false;
    bool dialogBar = false;
    bool rebar = false;
    bool toolbarBand = false;
    bool dialogBarBand = false;
};

struct MainWindowSetup {
    SettingsStore* settings = nullptr;  // the profile; must outlive the window
    std::string programFolder;          // where the demonstration portfolios live
    CQRNDatum today;
    Clipboard* clipboard = nullptr;  // nullptr: the desktop's clipboard
    // Opens the holdings' HTML page; nullptr: the desktop's browser.
    DesktopLauncher* launcher = nullptr;
    FrameCreationFaults faults;
};

// The main frame: menu, toolbar and dialog bar in the top band ("Infoleiste"), the child
// windows of the open documents and the status bar. It owns the documents and carries out
// the file, print and view commands.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(const MainWindowSetup& setup, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Shows the frame maximised or at the saved rectangle, as the profile says.
    void ShowAsConfigured();
    // Writes the window placement and the recent-file list to the profile.
    void SaveSettingsOnExit();

    // File commands without their dialogs; each shows its messages and returns nullptr or
    // false on failure, leaving every other document and the recent-file list as they were.
    DocumentHandle* OpenFile(const QString& path);
    DocumentHandle* ImportFile(const QString& path);
    DocumentHandle* NewDocument(const NewDocumentChoices& choices);
    bool SaveDocumentTo(DocumentHandle* document, const QString& path);
    // Save: to the document's path, or through the Save As dialog when it has none.
    bool SaveDocument(DocumentHandle* document);
    bool SaveDocumentAs(DocumentHandle* document);
    // Opens the local files of a drop on the frame (first-generation files are imported);
    // returns how many opened.
    int OpenDroppedFiles(const QMimeData& data);
    // Closes every window of the document, asking first whether to save a modified one.
    bool CloseDocument(DocumentHandle* document);
    // Asks for every modified document; false when the user cancelled.
    bool CloseAllDocuments();

    // The active child window's view, or nullptr.
    ReportView* ActiveView() const;
    ChildFrame* ActiveFrame() const;
    // The content of the active window (a report or a title page), or nullptr without one.
    ReportObject* ActiveReport() const;
    bool ActiveViewCanPrint() const;
    DocumentHandle* ActiveDocument() const;
    QList<DocumentHandle*> Documents() const;
    QList<ChildFrame*> Frames() const;
    // Switches the active window to the view (menu "Ansicht" and the view selector).
    void SetActiveViewId(int viewId);
    // A second window on the active document ("Neues Fenster").
    ChildFrame* NewWindow();

    const RecentFileList& RecentFiles() const { return recentFiles_; }
    const WindowSettings& Placement() const { return placement_; }
    DialogBar* Bar() const { return dialogBar_; }
    // The printer of the print, preview and page-setup commands, made on first use (asking
    // the print system for its default printer can take seconds).
    QPrinter& Printer();

    // Output of the active table view; false when there is no table or it failed.
    int PrintActiveView(QPrinter& printer, int fromPage = 0, int toPage = 0);
    bool CopyActiveViewToClipboard(int mode);
    bool WriteActiveViewToTextFile(int mode, const QString& path);

    // Asked for the password of a protected file; the default shows the password dialog.
    using PasswordAsker = std::function<std::optional<std::string>(const QString& fileName)>;
    void SetPasswordAsker(PasswordAsker asker) { askPassword_ = std::move(asker); }
    // Chooses the path of Save As; the default shows the file dialog. Empty: cancelled.
    using SavePathChooser = std::function<QString(const QString& proposal)>;
    void SetSavePathChooser(SavePathChooser chooser) { chooseSavePath_ = std::move(chooser); }

    QAction* ViewAction(int viewId) const;
    QAction* FindAction(const QString& objectName) const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void CreateActions();
    void CreateMenus();
    // The master-data commands of `which`, in their catalogue order.
    void AddCommands(QMenu* menu, CommandMenu which);
    // The context menu of a view at `at`: the commands of the row hit, else new data.
    void ShowRowMenu(DocumentHandle& document, const HitResult& hit, const QPoint& at);
    bool CreateToolbar();
    bool CreateDialogBar();
    void CreateStatusBar();
    void ConnectDialogBar();

    // The dialog-bar state of a new window on the document: the start period of its options.
    ChildViewState InitialState(const DocumentHandle* document, int viewId) const;
    ChildFrame* AddWindow(DocumentHandle* document, const ChildViewState& state);
    DocumentHandle* Adopt(std::unique_ptr<DocumentHandle> document);
    // Takes the document and shows it in a new window with its holdings.
    DocumentHandle* AdoptAndShow(std::unique_ptr<DocumentHandle> document);
    // Reads a file (or imports it), shows its messages and, on success, its window.
    DocumentHandle* ReadAndShow(const QString& path, bool import);
    bool MayCloseFrame(ChildFrame* frame);
    void FrameClosed(DocumentHandle* document);
    void NumberWindows(DocumentHandle* document);
    void OnActiveFrameChanged(QMdiSubWindow* window);
    void UpdateCommandStates();
    void UpdateFrameTitle();
    void UpdateStatusIndicators();
    void RebuildRecentFileMenu();
    void ChangeActiveState(const std::function<void(ChildViewState&)>& change);
    // The pages of view `viewId`'s options for the active window's document; OK writes them.
    void OpenViewOptions(int viewId);
    // Points each window of `document` whose chart security the selector does not list at the
    // first listed one (-1 when none is listed).
    void KeepChartSecuritiesValid(DocumentHandle* document);
    bool AskToSave(DocumentHandle* document);

    // Menu commands.
    void OnNew();
    void OnOpen();
    void OnImport();
    void OnClose();
    void OnSave();
    void OnSaveAs();
    void OnPrint();
    void OnPrintPreview();
    void OnPageSetup();
    void OnCopyToClipboard();
    void OnCopyPicture();
    void OnCopyToTextFile();
    void OnDepotData();
    void OnOptions();
    void OnScreenScale(double factor);
    void OnToggleSaveWindowSize(bool on);
    void OnFilterSettings();
    // "HTML-Ansicht" of the holdings: the page of the view's date, opened in the browser.
    void OnHtmlView();
    // "Auswählen..." of the positions diagram: the lots it sums.
    void OnChoosePositions();
    void OnAbout();

    SettingsStore* settings_;
    std::string programFolder_;
    CQRNDatum today_;
    Clipboard* clipboard_;
    std::unique_ptr<Clipboard> ownClipboard_;
    DesktopLauncher* launcher_;
    std::unique_ptr<DesktopLauncher> ownLauncher_;
    FrameCreationFaults faults_;
    WindowSettings placement_;
    RecentFileList recentFiles_;
    PasswordAsker askPassword_;
    SavePathChooser chooseSavePath_;
    std::unique_ptr<QPrinter> printer_;
    int newDocumentCount_ = 0;

    QMdiArea* mdiArea_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QToolBar* dialogBarBand_ = nullptr;
    DialogBar* dialogBar_ = nullptr;
    QLabel* dateIndicator_ = nullptr;
    QLabel* scaleIndicator_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QList<QAction*> recentActions_;
    QList<QAction*> viewActions_;
    QList<QAction*> scaleActions_;
    QList<QAction*> documentActions_;  // need an open document
    QList<QAction*> printActions_;     // need printable content in the active window
    QList<QAction*> textActions_;      // need content with a text output (tables)
    QAction* saveWindowSize_ = nullptr;
    QAction* exitAction_ = nullptr;
    std::vector<std::unique_ptr<DocumentHandle>> documents_;
};

}  // namespace pf

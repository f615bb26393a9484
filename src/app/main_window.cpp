#include "app/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <array>

#include "app/child_frame.h"
#include "app/dialog_bar.h"
#include "app/dialogs/options_dialog.h"
#include "app/dialogs/position_choice_dialog.h"
#include "app/document_commands.h"
#include "app/document_handle.h"
#include "app/help.h"
#include "app/message_box.h"
#include "app/qt_clipboard.h"
#include "app/report_view.h"
#include "app/row_commands.h"
#include "charts/chart_builders.h"
#include "qtcanvas/qt_desktop_launcher.h"
#include "qtcanvas/qt_string.h"
#include "shell/document_session.h"
#include "shell/handbook.h"
#include "shell/html_view.h"
#include "shell/initial_period.h"
#include "shell/report_option_pages.h"
#include "shell/screen_scale.h"

namespace pf {

namespace {

// "Strg+1" as the catalogues write a shortcut, for Qt's key sequence ("Ctrl+1").
QKeySequence ShortcutOf(const char* shortcut) {
    QString text = ToQString(shortcut);
    text.replace(QStringLiteral("Strg+"), QStringLiteral("Ctrl+"));
    return QKeySequence::fromString(text, QKeySequence::PortableText);
}

// A toolbar picture for a command without a standard one: its letter in a rounded frame,
// drawn for the sizes the toolbar asks for.
QIcon LetterIcon(QChar letter) {
    QIcon icon;
    for (const int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF frame(0.5, 0.5, size - 1.0, size - 1.0);
        painter.setPen(QPen(QColor(40, 70, 120), size / 16.0));
        painter.setBrush(QColor(225, 235, 250));
        painter.drawRoundedRect(frame, size / 6.0, size / 6.0);
        QFont font = painter.font();
        font.setBold(true);
        font.setPixelSize(size * 2 / 3);
        painter.setFont(font);
        painter.setPen(QColor(20, 40, 90));
        painter.drawText(frame, Qt::AlignCenter, QString(letter));
        icon.addPixmap(pixmap);
    }
    return icon;
}

QAction* MakeAction(QObject* parent, const QString& text, const QString& name,
                    const QKeySequence& shortcut = {}) {
    auto* action = new QAction(text, parent);
    action->setObjectName(name);
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    return action;
}

}  // namespace

MainWindow::MainWindow(const MainWindowSetup& setup, QWidget* parent)
    : QMainWindow(parent),
      settings_(setup.settings),
      programFolder_(setup.programFolder),
      today_(setup.today),
      clipboard_(setup.clipboard),
      launcher_(setup.launcher),
      faults_(setup.faults) {
    if (launcher_ == nullptr) {
        ownLauncher_ = std::make_unique<QtDesktopLauncher>();
        launcher_ = ownLauncher_.get();
    }
    if (clipboard_ == nullptr) {
        ownClipboard_ = std::make_unique<QtClipboard>();
        clipboard_ = ownClipboard_.get();
    }
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(ToQString(kAppTitle));
    setAcceptDrops(true);

    const QRect screen = QGuiApplication::primaryScreen() != nullptr
                             ? QGuiApplication::primaryScreen()->geometry()
                             : QRect(0, 0, 1280, 1024);
    placement_ = ReadWindowSettings(*settings_, screen.width(), screen.height());
    recentFiles_.Load(*settings_);

    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &MainWindow::OnActiveFrameChanged);

    CreateActions();
    CreateMenus();

    // The top band ("Infoleiste") holds the toolbar and the dialog bar. A bar that cannot
    // be made is reported and left out; the program goes on without it.
    const bool toolbarMade = CreateToolbar();
    if (!toolbarMade)
        ShowError(this, QStringLiteral("Fehler"),
                  QStringLiteral("Symbolleiste konnte nicht erstellt werden!"));
    const bool dialogBarMade = CreateDialogBar();
    if (!dialogBarMade)
        ShowError(this, QStringLiteral("Fehler"),
                  QStringLiteral("Dialogleiste konnte nicht erstellt werden!"));
    if (faults_.rebar) {
        ShowError(this, QStringLiteral("Fehler"),
                  QStringLiteral("Infoleiste konnte nicht erstellt werden!"));
    } else {
        if (toolbarMade) {
            if (faults_.toolbarBand)
                ShowError(this, QStringLiteral("Fehler"),
                          QStringLiteral(
                              "Symbolleiste konnte nicht in die Infoleiste eingefügt werden!"));
            else
                addToolBar(Qt::TopToolBarArea, toolbar_);
        }
        if (dialogBarMade) {
            if (faults_.dialogBarBand) {
                ShowError(this, QStringLiteral("Fehler"),
                          QStringLiteral(
                              "Dialogleiste konnte nicht in die Infoleiste eingefügt werden!"));
            } else {
                addToolBar(Qt::TopToolBarArea, dialogBarBand_);
                ConnectDialogBar();
            }
        }
    }
    CreateStatusBar();
    RebuildRecentFileMenu();
    UpdateCommandStates();
    UpdateFrameTitle();
}

MainWindow::~MainWindow() {
    // The windows go before the documents they show, without closing (and asking) again:
    // closing the frame has already asked about every modified document.
    for (QMdiSubWindow* w : mdiArea_->subWindowList()) delete w;
}

void MainWindow::CreateActions() {
    auto add = [this](const QString& text, const QString& name, const QKeySequence& key,
                      void (MainWindow::*slot)()) {
        QAction* a = MakeAction(this, text, name, key);
        connect(a, &QAction::triggered, this, slot);
        addAction(a);
        return a;
    };
    add(QStringLiteral("&Neu..."), QStringLiteral("actionNew"), QKeySequence::New,
        &MainWindow::OnNew);
    add(QStringLiteral("Ö&ffnen..."), QStringLiteral("actionOpen"), QKeySequence::Open,
        &MainWindow::OnOpen);
    documentActions_ << add(QStringLiteral("&Schließen"), QStringLiteral("actionClose"), {},
                            &MainWindow::OnClose);
    documentActions_ << add(QStringLiteral("&Speichern"), QStringLiteral("actionSave"),
                            QKeySequence::Save, &MainWindow::OnSave);
    documentActions_ << add(QStringLiteral("Speichern &unter..."), QStringLiteral("actionSaveAs"),
                            {}, &MainWindow::OnSaveAs);
    add(QStringLiteral("&Importieren..."), QStringLiteral("actionImport"), {},
        &MainWindow::OnImport);
    printActions_ << add(QStringLiteral("&Drucken..."), QStringLiteral("actionPrint"),
                         QKeySequence::Print, &MainWindow::OnPrint);
    printActions_ << add(QStringLiteral("Seitenansic&ht"), QStringLiteral("actionPrintPreview"), {},
                         &MainWindow::OnPrintPreview);
    add(QStringLiteral("Drucker&einrichtung..."), QStringLiteral("actionPageSetup"), {},
        &MainWindow::OnPageSetup);
    textActions_ << add(QStringLiteral("Kopieren in &Zwischenablage..."),
                        QStringLiteral("actionCopyClipboard"), {}, &MainWindow::OnCopyToClipboard);
    textActions_ << add(QStringLiteral("Kopieren in &Textdatei..."),
                        QStringLiteral("actionCopyTextFile"), {}, &MainWindow::OnCopyToTextFile);
    // Charts and diagrams have no text; any view with content goes to the clipboard as the
    // picture it shows.
    printActions_ << add(QStringLiteral("Kopieren als Bi&ld"), QStringLiteral("actionCopyPicture"),
                         {}, &MainWindow::OnCopyPicture);
    exitAction_ = MakeAction(this, QStringLiteral("&Beenden"), QStringLiteral("actionExit"));
    connect(exitAction_, &QAction::triggered, this, &QWidget::close);

    documentActions_ << add(QStringLiteral("&Depotdaten..."), QStringLiteral("actionDepotData"), {},
                            &MainWindow::OnDepotData);
    documentActions_ << add(QStringLiteral("&Optionen..."), QStringLiteral("actionOptions"),
                            QKeySequence(Qt::Key_F5), &MainWindow::OnOptions);

    for (const DocumentCommand& command : DocumentCommands()) {
        QAction* a =
            MakeAction(this, ToQString(command.text), QString::fromLatin1(command.objectName),
                       ShortcutOf(command.shortcut));
        a->setStatusTip(ToQString(command.statusTip));
        const auto run = command.run;
        connect(a, &QAction::triggered, this, [this, run] {
            if (DocumentHandle* document = ActiveDocument())
                run(CommandContext{this, *document, today_, *settings_});
        });
        addAction(a);
        documentActions_ << a;
    }

    auto* scaleGroup = new QActionGroup(this);
    for (const ScreenScaleCommand& command : ScreenScaleCommands()) {
        QAction* a = MakeAction(this, ToQString(command.text),
                                QStringLiteral("actionScale%1").arg(qRound(command.factor * 100)));
        a->setCheckable(true);
        a->setActionGroup(scaleGroup);
        const double factor = command.factor;
        connect(a, &QAction::triggered, this, [this, factor] { OnScreenScale(factor); });
        scaleActions_ << a;
    }

    auto* viewGroup = new QActionGroup(this);
    for (const ViewEntry& entry : ViewCatalogue()) {
        QAction* a =
            MakeAction(this, ToQString(entry.menuText),
                       QStringLiteral("actionView%1").arg(entry.id), ShortcutOf(entry.shortcut));
        a->setCheckable(true);
        a->setActionGroup(viewGroup);
        a->setData(entry.id);
        const int id = entry.id;
        connect(a, &QAction::triggered, this, [this, id] { SetActiveViewId(id); });
        addAction(a);
        viewActions_ << a;
    }
    saveWindowSize_ = MakeAction(this, QStringLiteral("&Fenstergröße speichern"),
                                 QStringLiteral("actionSaveWindowSize"));
    saveWindowSize_->setCheckable(true);
    saveWindowSize_->setChecked(placement_.saveIt == 1);
    connect(saveWindowSize_, &QAction::toggled, this, &MainWindow::OnToggleSaveWindowSize);

    const std::pair<const char*, const char*> tips[] = {
        {"actionNew", "Legt mit dem Assistenten eine neue Depotdatei an"},
        {"actionOpen", "Öffnet eine Depotdatei"},
        {"actionClose", "Schließt das aktive Depot mit allen seinen Fenstern"},
        {"actionSave", "Speichert das aktive Depot"},
        {"actionSaveAs", "Speichert das aktive Depot unter einem neuen Namen"},
        {"actionImport", "Übernimmt eine Portfolaris1-Datei (*.flk)"},
        {"actionPrint", "Druckt die aktive Ansicht"},
        {"actionPrintPreview", "Zeigt die Druckseiten der aktiven Ansicht"},
        {"actionPageSetup", "Wählt Drucker, Papier und Ausrichtung"},
        {"actionCopyClipboard", "Kopiert die aktive Ansicht als Text in die Zwischenablage"},
        {"actionCopyTextFile", "Schreibt die aktive Ansicht in eine Textdatei"},
        {"actionCopyPicture", "Kopiert die aktive Ansicht als Bild in die Zwischenablage"},
        {"actionDepotData", "Bearbeitet Inhaber, Adresse, Depot- und Kontonummer"},
        {"actionOptions", "Allgemeine Einstellungen des Depots"},
    };
    for (const auto& [name, tip] : tips)
        FindAction(QString::fromLatin1(name))->setStatusTip(QString::fromUtf8(tip));
    exitAction_->setStatusTip(QStringLiteral("Beendet Portfolaris"));
}

void MainWindow::CreateMenus() {
    fileMenu_ = menuBar()->addMenu(QStringLiteral("&Datei"));
    for (const char* name :
         {"actionNew", "actionOpen", "actionClose", "actionSave", "actionSaveAs"})
        fileMenu_->addAction(FindAction(QString::fromLatin1(name)));
    fileMenu_->addSeparator();
    fileMenu_->addAction(FindAction(QStringLiteral("actionImport")));
    fileMenu_->addSeparator();
    for (const char* name : {"actionPrint", "actionPrintPreview", "actionPageSetup"})
        fileMenu_->addAction(FindAction(QString::fromLatin1(name)));
    fileMenu_->addSeparator();
    fileMenu_->addAction(FindAction(QStringLiteral("actionCopyClipboard")));
    fileMenu_->addAction(FindAction(QStringLiteral("actionCopyTextFile")));
    fileMenu_->addAction(FindAction(QStringLiteral("actionCopyPicture")));
    recentSeparator_ = fileMenu_->addSeparator();
    fileMenu_->addSeparator();
    fileMenu_->addAction(exitAction_);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Bearbeiten"));
    edit->addAction(FindAction(QStringLiteral("actionDepotData")));
    edit->addAction(FindAction(QStringLiteral("actionOptions")));
    AddCommands(edit, CommandMenu::Edit);
    edit->addSeparator();
    QMenu* scale = edit->addMenu(QStringLiteral("Bilds&chirmschriftgröße"));
    scale->setObjectName(QStringLiteral("menuScreenScale"));
    scale->addActions(scaleActions_);

    QMenu* quotes = menuBar()->addMenu(QStringLiteral("&Kurse"));
    quotes->setObjectName(QStringLiteral("menuQuotes"));
    AddCommands(quotes, CommandMenu::Quotes);

    QMenu* transactions = menuBar()->addMenu(QStringLiteral("&Transaktionen"));
    transactions->setObjectName(QStringLiteral("menuTransactions"));
    AddCommands(transactions, CommandMenu::Transactions);

    QMenu* view = menuBar()->addMenu(QStringLiteral("&Ansicht"));
    view->setObjectName(QStringLiteral("menuView"));
    view->addActions(viewActions_);
    view->addSeparator();
    // The active view's own option page with the appearance page of its group.
    QAction* viewOptions = MakeAction(this, QStringLiteral("Ansicht&optionen..."),
                                      QStringLiteral("actionViewOptions"));
    viewOptions->setStatusTip(QStringLiteral("Ändert die Optionen der aktiven Ansicht"));
    connect(viewOptions, &QAction::triggered, this, [this] {
        if (ReportView* active = ActiveView()) OpenViewOptions(active->State().viewId);
    });
    view->addAction(viewOptions);
    view->addSeparator();
    view->addAction(saveWindowSize_);

    windowMenu_ = menuBar()->addMenu(QStringLiteral("&Fenster"));
    connect(windowMenu_, &QMenu::aboutToShow, this, [this] {
        windowMenu_->clear();
        QAction* newWindow =
            windowMenu_->addAction(QStringLiteral("&Neues Fenster"), this, [this] { NewWindow(); });
        newWindow->setEnabled(ActiveDocument() != nullptr);
        windowMenu_->addAction(QStringLiteral("Ü&berlappend"), mdiArea_,
                               &QMdiArea::cascadeSubWindows);
        windowMenu_->addAction(QStringLiteral("&Nebeneinander"), mdiArea_,
                               &QMdiArea::tileSubWindows);
        const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
        if (!windows.isEmpty()) windowMenu_->addSeparator();
        for (int i = 0; i < windows.size(); ++i) {
            QMdiSubWindow* w = windows[i];
            QString title = w->windowTitle().replace(
                QStringLiteral("[*]"), w->isWindowModified() ? QStringLiteral("*") : QString());
            QAction* a =
                windowMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(title), this,
                                       [this, w] { mdiArea_->setActiveSubWindow(w); });
            a->setCheckable(true);
            a->setChecked(w == mdiArea_->activeSubWindow());
        }
    });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    RegisterHelpLauncher(this, launcher_);
    QAction* handbook = help->addAction(QStringLiteral("&Handbuch"), this, [this] {
        OpenHandbook(this, std::string(kHandbookStartPage));
    });
    handbook->setObjectName(QStringLiteral("helpHandbook"));
    handbook->setShortcut(QKeySequence(Qt::Key_F1));
    help->addSeparator();
    help->addAction(QStringLiteral("&Info über Portfolaris..."), this, &MainWindow::OnAbout);
}

void MainWindow::ShowRowMenu(DocumentHandle& document, const HitResult& hit, const QPoint& at) {
    QMenu menu(this);
    for (const RowCommand& command : RowCommands()) {
        if (!command.applies(document.Doc(), hit)) continue;
        QAction* a = menu.addAction(ToQString(command.text));
        a->setObjectName(QString::fromLatin1(command.objectName));
        const auto run = command.run;
        connect(a, &QAction::triggered, this,
                [this, &document, hit, run] { run(this, document, hit, today_); });
    }
    // Without a row the menu offers what the window's menus offer for new data.
    if (menu.isEmpty()) AddCommands(&menu, CommandMenu::Transactions);
    menu.exec(at);
}

void MainWindow::AddCommands(QMenu* menu, CommandMenu which) {
    for (const DocumentCommand& command : DocumentCommands()) {
        if (command.menu != which) continue;
        if (command.separatorBefore && !menu->isEmpty()) menu->addSeparator();
        menu->addAction(FindAction(QString::fromLatin1(command.objectName)));
    }
}

bool MainWindow::CreateToolbar() {
    if (faults_.toolbar) return false;
    toolbar_ = new QToolBar(QStringLiteral("Symbolleiste"), this);
    toolbar_->setObjectName(QStringLiteral("toolbar"));
    toolbar_->setContentsMargins(3, 3, 3, 3);
    QStyle* s = style();
    // The desktop's icon theme where there is one, else the style's own pictures.
    auto put = [&](const char* name, const char* themeIcon, QStyle::StandardPixmap fallback) {
        QAction* a = FindAction(QString::fromLatin1(name));
        a->setIcon(QIcon::fromTheme(QString::fromLatin1(themeIcon), s->standardIcon(fallback)));
        toolbar_->addAction(a);
    };
    put("actionNew", "document-new", QStyle::SP_FileIcon);
    put("actionOpen", "document-open", QStyle::SP_DialogOpenButton);
    put("actionSave", "document-save", QStyle::SP_DialogSaveButton);
    toolbar_->addSeparator();
    put("actionPrint", "document-print", QStyle::SP_FileDialogDetailedView);
    put("actionPrintPreview", "document-print-preview", QStyle::SP_FileDialogContentsView);
    put("actionCopyClipboard", "edit-copy", QStyle::SP_FileLinkIcon);
    toolbar_->addSeparator();
    put("actionOptions", "preferences-system", QStyle::SP_FileDialogInfoView);
    toolbar_->addSeparator();
    for (const DocumentCommand& command : DocumentCommands()) {
        if (command.toolbarLetter == 0) continue;
        QAction* a = FindAction(QString::fromLatin1(command.objectName));
        a->setIcon(LetterIcon(QLatin1Char(command.toolbarLetter)));
        toolbar_->addAction(a);
    }
    return true;
}

bool MainWindow::CreateDialogBar() {
    if (faults_.dialogBar) return false;
    dialogBarBand_ = new QToolBar(QStringLiteral("Ansicht"), this);
    dialogBarBand_->setObjectName(QStringLiteral("dialogBarBand"));
    dialogBar_ = new DialogBar(dialogBarBand_);
    dialogBarBand_->addWidget(dialogBar_);
    return true;
}

void MainWindow::CreateStatusBar() {
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->showMessage(QStringLiteral("Bereit"));
    dateIndicator_ = new QLabel(this);
    scaleIndicator_ = new QLabel(this);
    dateIndicator_->setToolTip(QStringLiteral("Heutiges Datum"));
    scaleIndicator_->setToolTip(QStringLiteral("Bildschirmschriftgröße des aktiven Dokuments"));
    statusBar()->addPermanentWidget(dateIndicator_);
    statusBar()->addPermanentWidget(scaleIndicator_);
    UpdateStatusIndicators();
}

void MainWindow::ConnectDialogBar() {
    DialogBar* bar = dialogBar_;
    connect(bar, &DialogBar::viewChosen, this, &MainWindow::SetActiveViewId);
    connect(bar, &DialogBar::firstDateChanged, this, [this](CQRNDatum d) {
        ChangeActiveState([d](ChildViewState& s) { s.SetFirstDate(d); });
    });
    connect(bar, &DialogBar::secondDateChanged, this,
            [this](CQRNDatum d) { ChangeActiveState([d](ChildViewState& s) { s.periodTo = d; }); });
    connect(bar, &DialogBar::developmentMeasureChosen, this, [this](int m) {
        ChangeActiveState([m](ChildViewState& s) { s.developmentMeasure = m; });
    });
    connect(bar, &DialogBar::positionMeasureChosen, this, [this](int m) {
        ChangeActiveState([m](ChildViewState& s) { s.positionMeasure = m; });
    });
    connect(bar, &DialogBar::chartSecurityChosen, this, [this](int id) {
        ChangeActiveState([id](ChildViewState& s) { s.chartSecurityId = id; });
    });
    connect(bar, &DialogBar::filterToggled, this,
            [this](bool on) { ChangeActiveState([on](ChildViewState& s) { s.SetFilterOn(on); }); });
    connect(bar, &DialogBar::simulatedSaleToggled, this, [this](bool on) {
        ChangeActiveState([on](ChildViewState& s) { s.simulateSales = on; });
    });
    connect(bar, &DialogBar::filterSettingsRequested, this, &MainWindow::OnFilterSettings);
    connect(bar, &DialogBar::choosePositionsRequested, this, &MainWindow::OnChoosePositions);
    connect(bar, &DialogBar::htmlViewRequested, this, &MainWindow::OnHtmlView);
    // The chart's picture button: the chart's own page in front, its appearance page beside.
    connect(bar, &DialogBar::chartButtonClicked, this, [this] { OpenViewOptions(kViewChart); });
}

void MainWindow::OpenViewOptions(int viewId) {
    ReportView* active = ActiveView();
    if (active == nullptr) return;
    const std::vector<std::string> pages = OptionPageTitlesOfView(viewId);
    if (pages.empty()) return;
    DocumentHandle* document = active->Document();
    OptionsDialog dialog(document->Doc(), pages, this);
    if (dialog.exec() != QDialog::Accepted) return;
    dialog.ApplyTo(document->Doc());
}

void MainWindow::OnHtmlView() {
    ReportView* active = ActiveView();
    if (active == nullptr) return;
    HtmlPagePlaces places;
    places.programFolder = programFolder_;
    places.appDataFolder =
        FromQString(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    places.homeFolder = FromQString(QDir::homePath());
    const MaybeMessage problem = ShowHtmlPage(active->Document()->Doc(), active->State().reportDate,
                                              places, programFolder_, *launcher_);
    if (problem) ShowMessage(this, *problem);
}

void MainWindow::OnChoosePositions() {
    ReportView* active = ActiveView();
    if (active == nullptr) return;
    PositionChoiceDialog dialog(active->Document()->Doc(), active->State().selectedPositions, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const std::vector<int32_t> chosen = dialog.Chosen();
    ChangeActiveState([&chosen](ChildViewState& s) { s.selectedPositions = chosen; });
}

void MainWindow::KeepChartSecuritiesValid(DocumentHandle* document) {
    for (ChildFrame* frame : Frames()) {
        ReportView* view = frame->View();
        if (view == nullptr || frame->Document() != document) continue;
        const int32_t id = ChartSecurityFor(document->Doc(), view->State().chartSecurityId);
        if (id == view->State().chartSecurityId) continue;
        ChildViewState state = view->State();
        state.chartSecurityId = id;
        view->SetState(state);
    }
}

void MainWindow::ShowAsConfigured() {
    if (StartMaximised(placement_) || !HasUsableRectangle(placement_)) {
        showMaximized();
    } else {
        setGeometry(placement_.left, placement_.top, placement_.right - placement_.left,
                    placement_.bottom - placement_.top);
        showNormal();
    }
}

void MainWindow::SaveSettingsOnExit() {
    const QRect r = normalGeometry().isValid() ? normalGeometry() : geometry();
    placement_ = SettingsOnExit(placement_, saveWindowSize_->isChecked(), isMaximized(), r.left(),
                                r.top(), r.left() + r.width(), r.top() + r.height());
    WriteWindowSettings(*settings_, placement_);
    recentFiles_.Save(*settings_);
}

void MainWindow::OnToggleSaveWindowSize(bool on) { placement_.saveIt = on ? 1 : 0; }

ReportView* MainWindow::ActiveView() const {
    ChildFrame* frame = ActiveFrame();
    return frame != nullptr ? frame->View() : nullptr;
}

ChildFrame* MainWindow::ActiveFrame() const {
    QMdiSubWindow* w = mdiArea_->activeSubWindow();
    if (w == nullptr) w = mdiArea_->currentSubWindow();
    return qobject_cast<ChildFrame*>(w);
}

ReportObject* MainWindow::ActiveReport() const {
    ReportView* view = ActiveView();
    return view != nullptr ? view->Report() : nullptr;
}

DocumentHandle* MainWindow::ActiveDocument() const {
    ChildFrame* frame = ActiveFrame();
    return frame != nullptr ? frame->Document() : nullptr;
}

QList<DocumentHandle*> MainWindow::Documents() const {
    QList<DocumentHandle*> list;
    for (const auto& d : documents_) list << d.get();
    return list;
}

QList<ChildFrame*> MainWindow::Frames() const {
    QList<ChildFrame*> list;
    for (QMdiSubWindow* w : mdiArea_->subWindowList())
        if (auto* frame = qobject_cast<ChildFrame*>(w); frame != nullptr && !frame->IsClosing())
            list << frame;
    return list;
}

QAction* MainWindow::ViewAction(int viewId) const {
    for (QAction* a : viewActions_)
        if (a->data().toInt() == viewId) return a;
    return nullptr;
}

QAction* MainWindow::FindAction(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

void MainWindow::SetActiveViewId(int viewId) {
    ReportView* view = ActiveView();
    if (view == nullptr || FindView(viewId) == nullptr) return;
    ChangeActiveState([viewId](ChildViewState& s) { s.viewId = viewId; });
    ActiveFrame()->UpdateTitle();  // the child's title names its view
}

void MainWindow::ChangeActiveState(const std::function<void(ChildViewState&)>& change) {
    ReportView* view = ActiveView();
    if (view == nullptr) return;
    ChildViewState state = view->State();
    change(state);
    view->SetState(state);
    view->Document()->UpdateAllViews(view, kHintActiveView);
    if (dialogBar_ != nullptr) dialogBar_->ShowState(&view->State(), &view->Document()->Doc());
    UpdateCommandStates();
}

ChildViewState MainWindow::InitialState(const DocumentHandle* document, int viewId) const {
    ChildViewState state;
    state.viewId = viewId;
    const DisplayPeriod period = InitialPeriod(document->Doc(), today_);
    state.periodFrom = period.from;
    state.periodTo = period.to;
    state.reportDate = period.to;
    state.chartSecurityId = ChartSecurityFor(document->Doc(), -1);
    return state;
}

ChildFrame* MainWindow::AddWindow(DocumentHandle* document, const ChildViewState& state) {
    auto* view = new ReportView(document, state);
    connect(view, &ReportView::rowDoubleClicked, this, [this, document](const HitResult& hit) {
        RunRowDoubleClick(this, *document, hit, today_);
    });
    connect(view, &ReportView::rowContextMenuRequested, this,
            [this, document](const HitResult& hit, const QPoint& at) {
                ShowRowMenu(*document, hit, at);
            });
    auto* frame = new ChildFrame(view, [this](ChildFrame* f) { return MayCloseFrame(f); });
    mdiArea_->addSubWindow(frame);
    view->Rebuild();
    frame->showMaximized();
    mdiArea_->setActiveSubWindow(frame);
    NumberWindows(document);
    OnActiveFrameChanged(frame);
    return frame;
}

ChildFrame* MainWindow::NewWindow() {
    ReportView* view = ActiveView();
    if (view == nullptr) return nullptr;
    return AddWindow(view->Document(), view->State());
}

DocumentHandle* MainWindow::Adopt(std::unique_ptr<DocumentHandle> document) {
    connect(document.get(), &DocumentHandle::titleChanged, this, [this] {
        UpdateFrameTitle();
        UpdateStatusIndicators();
    });
    // Connected before any view of the document, so that the views rebuild with a chart
    // security their selector lists (a security may have left the charts or the document).
    DocumentHandle* handle = document.get();
    connect(handle, &DocumentHandle::viewsNeedUpdate, this, [this, handle] {
        KeepChartSecuritiesValid(handle);
        ReportView* view = ActiveView();
        if (dialogBar_ != nullptr && view != nullptr && view->Document() == handle)
            dialogBar_->ShowState(&view->State(), &handle->Doc());
    });
    documents_.push_back(std::move(document));
    return documents_.back().get();
}

void MainWindow::NumberWindows(DocumentHandle* document) {
    QList<ChildFrame*> mine;
    for (ChildFrame* f : Frames())
        if (f->Document() == document) mine << f;
    for (int i = 0; i < mine.size(); ++i) mine[i]->SetWindowNumber(mine.size() > 1 ? i + 1 : 0);
}

bool MainWindow::MayCloseFrame(ChildFrame* frame) {
    DocumentHandle* document = frame->Document();
    int windows = 0;
    for (ChildFrame* f : Frames())
        if (f->Document() == document) ++windows;
    if (windows > 1) {
        QMetaObject::invokeMethod(
            this,
            [this, document = QPointer<DocumentHandle>(document)] {
                if (document) NumberWindows(document);
            },
            Qt::QueuedConnection);
        return true;
    }
    if (!AskToSave(document)) return false;
    FrameClosed(document);
    return true;
}

void MainWindow::FrameClosed(DocumentHandle* document) {
    // The document's last window is going: the document goes with it, after the window
    // (both are deleted in the order they were handed over).
    for (auto it = documents_.begin(); it != documents_.end(); ++it) {
        if (it->get() != document) continue;
        // Parented so that it goes with the frame even if no event loop runs again.
        DocumentHandle* going = it->release();
        going->SetLock(std::nullopt);  // the file is free for others at once
        going->setParent(this);
        going->deleteLater();
        documents_.erase(it);
        break;
    }
    QMetaObject::invokeMethod(
        this, [this] { OnActiveFrameChanged(mdiArea_->activeSubWindow()); }, Qt::QueuedConnection);
}

bool MainWindow::AskToSave(DocumentHandle* document) {
    if (!document->IsModified()) return true;
    const int answer = AskYesNoCancel(this, ToQString(kAppTitle),
                                      ToQString(SaveQuestion(FromQString(document->Title()))));
    if (answer == QMessageBox::Yes) return SaveDocument(document);
    return answer == QMessageBox::No;
}

bool MainWindow::CloseDocument(DocumentHandle* document) {
    if (!AskToSave(document)) return false;
    // Saved or declined: the windows close without asking again.
    document->SetModified(false);
    for (ChildFrame* f : Frames())
        if (f->Document() == document) f->close();
    return true;
}

bool MainWindow::CloseAllDocuments() {
    for (DocumentHandle* d : Documents())
        if (!CloseDocument(d)) return false;
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!CloseAllDocuments()) {
        event->ignore();
        return;
    }
    SaveSettingsOnExit();
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    OpenDroppedFiles(*event->mimeData());
    event->acceptProposedAction();
}

int MainWindow::OpenDroppedFiles(const QMimeData& data) {
    int opened = 0;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile() && OpenFile(url.toLocalFile()) != nullptr) ++opened;
    return opened;
}

void MainWindow::OnActiveFrameChanged(QMdiSubWindow*) {
    ReportView* view = ActiveView();
    if (dialogBar_ != nullptr)
        dialogBar_->ShowState(view != nullptr ? &view->State() : nullptr,
                              view != nullptr ? &view->Document()->Doc() : nullptr);
    UpdateCommandStates();
    UpdateFrameTitle();
    UpdateStatusIndicators();
}

void MainWindow::UpdateCommandStates() {
    ReportView* view = ActiveView();
    for (QAction* a : documentActions_) a->setEnabled(view != nullptr);
    const ReportObject* report = view != nullptr ? view->Report() : nullptr;
    for (QAction* a : printActions_) a->setEnabled(report != nullptr && report->CanPrint());
    for (QAction* a : textActions_) a->setEnabled(report != nullptr && report->HasText());
    for (QAction* a : viewActions_) {
        a->setEnabled(view != nullptr);
        a->setChecked(view != nullptr && a->data().toInt() == view->State().viewId);
    }
    if (QAction* a = FindAction(QStringLiteral("actionViewOptions")))
        a->setEnabled(view != nullptr && !OptionPageTitlesOfView(view->State().viewId).empty());
    const CFolari2Doc* doc = view != nullptr ? &view->Document()->Doc() : nullptr;
    for (int i = 0; i < scaleActions_.size(); ++i) {
        scaleActions_[i]->setEnabled(doc != nullptr);
        scaleActions_[i]->setChecked(
            doc != nullptr &&
            IsCurrentScreenScale(*doc, ScreenScaleCommands()[static_cast<size_t>(i)].factor));
    }
}

void MainWindow::UpdateFrameTitle() {
    DocumentHandle* document = ActiveDocument();
    if (document == nullptr) {
        setWindowTitle(ToQString(kAppTitle));
        return;
    }
    setWindowTitle(ToQString(kAppTitle) + QStringLiteral(" - ") + document->Title() +
                   (document->IsModified() ? QStringLiteral(" *") : QString()));
}

void MainWindow::UpdateStatusIndicators() {
    if (dateIndicator_ == nullptr) return;
    dateIndicator_->setText(QStringLiteral(" Heute: %1 ").arg(ToQString(today_.FormatLong())));
    DocumentHandle* document = ActiveDocument();
    scaleIndicator_->setText(document != nullptr
                                 ? QStringLiteral(" Schrift: %1 % ")
                                       .arg(qRound(document->Doc().options.screenScaleFactor * 100))
                                 : QString());
}

void MainWindow::RebuildRecentFileMenu() {
    for (QAction* a : recentActions_) {
        fileMenu_->removeAction(a);
        a->deleteLater();
    }
    recentActions_.clear();
    const std::vector<std::string>& files = recentFiles_.Files();
    QAction* before =
        fileMenu_->actions().value(fileMenu_->actions().indexOf(recentSeparator_) + 1);
    for (int i = 0; i < static_cast<int>(files.size()); ++i) {
        const QString path = ToQString(files[static_cast<size_t>(i)]);
        auto* a =
            new QAction(ToQString(RecentFileMenuText(i, files[static_cast<size_t>(i)])), this);
        a->setObjectName(QStringLiteral("actionRecent%1").arg(i + 1));
        a->setToolTip(path);
        a->setStatusTip(path);
        connect(a, &QAction::triggered, this, [this, path] { OpenFile(path); });
        fileMenu_->insertAction(before, a);
        recentActions_ << a;
    }
}

void MainWindow::OnScreenScale(double factor) {
    DocumentHandle* document = ActiveDocument();
    if (document == nullptr) return;
    // A change reaches the title and the status bar through the document's titleChanged.
    document->Doc().Edit([factor](CFolari2Doc& d) { return SetScreenScale(d, factor); });
    UpdateCommandStates();
}

void MainWindow::OnAbout() {
    QMessageBox::about(
        this, QStringLiteral("Info über Portfolaris"),
        QStringLiteral("<b>Portfolaris 2</b><br>Depotverwaltung für Privatanleger<br><br>"
                       "Wertpapiere, Kurse, Transaktionen, Depotbestand und "
                       "realisierte Gewinne mit ihrer steuerlichen Einordnung."));
}

}  // namespace pf

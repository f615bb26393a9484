// The main window under the offscreen platform: start-up from the profile, the file
// commands with their messages, views, printing and text output.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrinter>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>
#include <fstream>

#include "app/child_frame.h"
#include "app/dialog_bar.h"
#include "app/dialogs/new_file_wizard.h"
#include "app/document_handle.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "app/report_view.h"
#include "model/archive/document_file.h"
#include "model/archive/first_generation_writer.h"
#include "model/archive/old_file_builder.h"
#include "platform/clipboard.h"
#include "qtcanvas/qt_settings_store.h"
#include "qtcanvas/qt_string.h"
#include "reports/report_table.h"
#include "samples/demo_portfolios.h"
#include "shell/recent_files.h"
#include "shell/view_catalogue.h"
#include "support/temp_folder.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {
namespace {

using testing::TempFolder;

// The table a view shows (the holdings and realized views show one).
const ReportTable& TableOf(const ReportView* view) {
    return dynamic_cast<const ReportTable&>(*view->Report());
}

// Every box the window shows, with the button the test answers.
std::vector<Message> shown;
int answer = QMessageBox::Ok;
int Record(const Message& m, int) {
    shown.push_back(m);
    return answer;
}

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        shown.clear();
        answer = QMessageBox::Ok;
        SetMessageBoxHandler(&Record);
        // Two small demonstration portfolios serve every test (the large third one takes
        // seconds to build and shows nothing more here).
        static const std::vector<std::string> demos = [] {
            std::vector<std::string> bytes;
            for (int n = 1; n <= 2; ++n) bytes.push_back(WriteDocument(MakeDemoPortfolio(n)));
            return bytes;
        }();
        for (int n = 1; n <= 2; ++n)
            std::ofstream(folder / ("Demo" + std::to_string(n) + ".fl2"), std::ios::binary)
                << demos[static_cast<size_t>(n - 1)];
    }
    void TearDown() override {
        if (window) {
            for (DocumentHandle* d : window->Documents()) d->SetModified(false);
            window.reset();
        }
        SetMessageBoxHandler(nullptr);
    }

    MainWindow& Start(FrameCreationFaults faults = {}) {
        SeedDemoFiles(settings, folder.Path().string());
        MainWindowSetup setup;
        setup.settings = &settings;
        setup.programFolder = folder.Path().string();
        setup.today = DateOf(10, 12, 2026);
        setup.clipboard = &clipboard;
        setup.faults = faults;
        window = std::make_unique<MainWindow>(setup);
        window->SetPasswordAsker([this](const QString&) { return typedPassword; });
        window->SetSavePathChooser([this](const QString&) { return savePath; });
        return *window;
    }
    QString Demo(int n) const {
        return ToQString((folder / ("Demo" + std::to_string(n) + ".fl2")).string());
    }
    std::vector<std::string> Recent() const { return window->RecentFiles().Files(); }

    TempFolder folder{"window"};
    MemorySettingsStore settings;
    MemoryClipboard clipboard;
    std::unique_ptr<MainWindow> window;
    std::optional<std::string> typedPassword;
    QString savePath;
};

TEST_F(WindowTest, FirstStartOffersTheDemosAndOpensMaximisedWithoutADocument) {
    MainWindow& w = Start();
    w.ShowAsConfigured();
    EXPECT_TRUE(w.isMaximized());
    ASSERT_EQ(Recent().size(), 3u);
    EXPECT_EQ(Recent()[2], (folder / "Demo3.fl2").string());
    EXPECT_TRUE(w.Documents().isEmpty());
    EXPECT_FALSE(w.FindAction(QStringLiteral("actionPrint"))->isEnabled());
    EXPECT_TRUE(shown.empty());
}

TEST_F(WindowTest, SavedRectangleComesBackAndIsWrittenOnExit) {
    WriteWindowSettings(settings, {1, 0, 40, 840, 30, 630});
    MainWindow& w = Start();
    w.ShowAsConfigured();
    EXPECT_FALSE(w.isMaximized());
    EXPECT_EQ(w.geometry(), QRect(40, 30, 800, 600));
    w.setGeometry(60, 50, 900, 700);
    ASSERT_TRUE(w.close());
    EXPECT_EQ(ReadWindowSettings(settings, 1920, 1080), (WindowSettings{1, 0, 60, 960, 50, 750}));
}

TEST_F(WindowTest, QtProfileKeepsSectionsAndEntries) {
    const QString ini = ToQString((folder / "profil.ini").string());
    {
        QtSettingsStore store(ini);
        SeedDemoFiles(store, "/opt/pf");
        WriteWindowSettings(store, {1, 0, 1, 2, 3, 4});
        store.Sync();
    }
    QtSettingsStore reread(ini);
    EXPECT_EQ(reread.GetString(kRecentFileSection, "File2"), "/opt/pf/Demo2.fl2");
    EXPECT_EQ(ReadWindowSettings(reread, 100, 100), (WindowSettings{1, 0, 1, 2, 3, 4}));
    EXPECT_FALSE(reread.GetInt("Settings", "Fehlt"));
}

TEST_F(WindowTest, FailingBarsAreReportedAndTheFrameGoesOn) {
    FrameCreationFaults faults;
    faults.toolbar = true;
    faults.dialogBarBand = true;
    MainWindow& w = Start(faults);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].title, "Fehler");
    EXPECT_EQ(shown[0].text, "Symbolleiste konnte nicht erstellt werden!");
    EXPECT_EQ(shown[1].text, "Dialogleiste konnte nicht in die Infoleiste eingefügt werden!");
    EXPECT_EQ(w.findChildren<QToolBar*>().size(), 1);  // the dialog bar, outside the band
    ASSERT_TRUE(w.OpenFile(Demo(1)));
    w.FindAction(QStringLiteral("actionView2"))->trigger();
    EXPECT_EQ(w.ActiveView()->State().viewId, kViewRealized);
}

TEST_F(WindowTest, WizardWithLegacyCurrenciesMakesTheirCurrenciesAndAccountCurrency) {
    MainWindow& w = Start();
    NewFileWizard wizard(&w);
    wizard.show();
    auto* list = wizard.findChild<QTreeWidget*>(QStringLiteral("legacyList"));
    ASSERT_NE(list, nullptr);
    list->topLevelItem(0)->setCheckState(0, Qt::Checked);  // DM
    list->topLevelItem(7)->setCheckState(0, Qt::Checked);  // FF
    wizard.next();
    auto* currency = wizard.findChild<QComboBox*>(QStringLiteral("accountCurrency"));
    ASSERT_NE(currency, nullptr);
    ASSERT_EQ(currency->count(), 3);
    currency->setCurrentIndex(currency->findText(QStringLiteral("DM")));
    wizard.accept();

    DocumentHandle* d = w.NewDocument(wizard.Choices());
    ASSERT_NE(d, nullptr);
    const CFolari2Doc& doc = d->Doc();
    ASSERT_EQ(doc.currencies.size(), 3u);
    EXPECT_EQ(doc.currencies[0].symbol, "EUR");
    EXPECT_EQ(doc.currencies[1].symbol, "DM");
    EXPECT_EQ(doc.currencies[1].fixedRate1, 1.95583);
    EXPECT_EQ(doc.currencies[2].symbol, "FF");
    EXPECT_EQ(doc.initialAccountCurrencyId, doc.currencies[1].id);
    EXPECT_EQ(d->Title(), QStringLiteral("NeueDatei1"));
    EXPECT_TRUE(d->IsModified());  // nothing of it is stored yet
    const QString path = ToQString((folder / "Neu.fl2").string());
    savePath = path;
    ASSERT_TRUE(w.SaveDocument(d));  // no path yet: through Save As
    EXPECT_EQ(d->Title(), QStringLiteral("Neu"));
    EXPECT_FALSE(d->IsModified());
    EXPECT_EQ(Recent().front(), FromQString(path));
    ASSERT_TRUE(w.CloseDocument(d));
    DocumentHandle* reopened = w.OpenFile(path);
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->Doc().currencies.size(), 3u);
    EXPECT_EQ(reopened->Doc().initialAccountCurrencyId, reopened->Doc().currencies[1].id);
    EXPECT_EQ(w.ActiveView()->State().viewId, kViewHoldings);
}

TEST_F(WindowTest, EveryViewThroughMenuAndSelector) {
    MainWindow& w = Start();
    ASSERT_TRUE(w.OpenFile(Demo(1)));
    QComboBox* selector = w.Bar()->ViewSelector();
    auto* secondDate = w.Bar()->findChild<QDateEdit*>(QStringLiteral("secondDate"));
    ASSERT_EQ(selector->count(), 15);
    for (const ViewEntry& view : ViewCatalogue()) {
        w.ViewAction(view.id)->trigger();
        ReportView* v = w.ActiveView();
        EXPECT_EQ(v->State().viewId, view.id);
        ASSERT_NE(v->Report(), nullptr);
        // Printing and the picture copy are offered for a view with content, copying as text
        // only for one with text (not the depot analysis and distribution, the diagrams and
        // the chart).
        const bool hasContent = view.builder != nullptr;
        const bool drawing = view.id == kViewDepotAnalysis || view.id == kViewDepotDistribution ||
                             view.id == kViewDevelopmentDiagram ||
                             view.id == kViewPositionDiagram || view.id == kViewChart;
        const bool hasText = hasContent && !drawing;
        EXPECT_EQ(v->Report()->HasText(), hasText) << view.id;
        for (const char* action : {"actionPrint", "actionPrintPreview", "actionCopyPicture"})
            EXPECT_EQ(w.FindAction(QString::fromLatin1(action))->isEnabled(), hasContent)
                << view.id << " " << action;
        for (const char* action : {"actionCopyClipboard", "actionCopyTextFile"})
            EXPECT_EQ(w.FindAction(QString::fromLatin1(action))->isEnabled(), hasText)
                << view.id << " " << action;
        EXPECT_GT(v->ContentSize().width, 0);
        EXPECT_EQ(selector->currentData().toInt(), view.id);
        EXPECT_EQ(secondDate->isVisibleTo(w.Bar()), ControlsForView(view.id).secondDate) << view.id;
        EXPECT_TRUE(w.ActiveFrame()->windowTitle().contains(ToQString(view.title)));
    }
    for (int i = 0; i < selector->count(); ++i) {
        selector->setCurrentIndex(i);
        emit selector->activated(i);
        EXPECT_EQ(w.ActiveView()->State().viewId, selector->itemData(i).toInt());
    }
    EXPECT_EQ(w.Frames().size(), 1);
    EXPECT_FALSE(w.Documents().front()->IsModified());  // looking changes nothing
}

TEST_F(WindowTest, ViewScrollsInReportUnitsAndDoubleClickHitsARow) {
    MainWindow& w = Start();
    w.resize(600, 400);
    ASSERT_TRUE(w.OpenFile(Demo(1)));
    ReportView* v = w.ActiveView();
    EXPECT_EQ(v->verticalScrollBar()->pageStep(), 500);
    EXPECT_EQ(v->verticalScrollBar()->singleStep(), 30);
    EXPECT_EQ(v->horizontalScrollBar()->pageStep(), 500);
    EXPECT_GT(v->horizontalScrollBar()->maximum(), 0);  // the holdings are wider than 600 px

    std::vector<HitResult> hits;
    QObject::connect(v, &ReportView::rowDoubleClicked, v,
                     [&](const HitResult& hit) { hits.push_back(hit); });
    auto doubleClick = [&](QPointF at) {
        QMouseEvent event(QEvent::MouseButtonDblClick, at, v->viewport()->mapToGlobal(at),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(v->viewport(), &event);
    };
    // The first data row lies below the title and the column titles: find it by the row
    // positions of the table, as the view draws them.
    const ReportTable& table = TableOf(v);
    const double ppu = v->PixelsPerUnit();
    for (size_t i = 0; i < table.Rows().size(); ++i) {
        const ReportRow& row = table.Rows()[i];
        if (row.user[0] < 0) continue;
        // The row's purchase opens in the transaction editor; the test reads it and cancels.
        QString opened;
        QTimer::singleShot(0, [&] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                opened = dialog->windowTitle();
                qobject_cast<QDialog*>(dialog)->reject();
            }
        });
        doubleClick(QPointF(30, (-row.screenY + 5) * ppu));
        ASSERT_EQ(hits.size(), 1u);
        EXPECT_EQ(hits[0].user, row.user);
        EXPECT_EQ(hits[0].row, static_cast<int>(i));
        EXPECT_EQ(hits[0].column, 0);
        EXPECT_EQ(opened, u"Transaktions-Editor"_s);
        break;
    }
    doubleClick(QPointF(30, (v->ContentSize().height + 50) * ppu));  // below the last row
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[1].user[0], -1);
}

TEST_F(WindowTest, ContextMenuOfARowOffersItsCommandsAndElsewhereTheNewData) {
    MainWindow& w = Start();
    w.resize(800, 600);
    ASSERT_TRUE(w.OpenFile(Demo(1)));
    ReportView* v = w.ActiveView();
    const ReportTable& table = TableOf(v);
    const double ppu = v->PixelsPerUnit();
    double rowY = -1;
    for (const ReportRow& row : table.Rows())
        if (row.user[kUserSecurity] >= 0) {
            rowY = (-row.screenY + 5) * ppu;
            break;
        }
    ASSERT_GE(rowY, 0);

    // Reads the popup's entries and closes it.
    auto menuAt = [&](QPoint at) {
        QStringList names;
        QTimer::singleShot(0, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* a : menu->actions())
                    if (!a->isSeparator()) names << a->objectName();
                menu->close();
            }
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, v->viewport()->mapToGlobal(at));
        QApplication::sendEvent(v->viewport(), &event);
        return names;
    };
    EXPECT_EQ(menuAt(QPoint(30, static_cast<int>(rowY))),
              (QStringList{u"rowEditTransaction"_s, u"rowStopTarget"_s, u"rowEditSecurity"_s,
                           u"rowEnterQuotes"_s}));
    const QStringList elsewhere =
        menuAt(QPoint(30, static_cast<int>((v->ContentSize().height + 50) * ppu)));
    EXPECT_TRUE(elsewhere.contains(u"actionPurchase"_s)) << elsewhere.join(u' ').toStdString();
}

TEST_F(WindowTest, OlderFileShowsTheNoticeAndDroppedFilesOpen) {
    MainWindow& w = Start();
    const std::string old = (folder / "alt.fl2").string();
    std::ofstream(old, std::ios::binary) << testing::BuildOldFile(20101001).bytes;
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(ToQString(old)), QUrl::fromLocalFile(Demo(2))});
    EXPECT_EQ(w.OpenDroppedFiles(data), 2);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, "Datei öffnen");
    EXPECT_EQ(shown[0].text, kOlderVersionNotice);
    EXPECT_EQ(shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(w.Documents().size(), 2);
    EXPECT_EQ(Recent().front(), FromQString(Demo(2)));
}

TEST_F(WindowTest, DialogBarStateIsKeptPerWindow) {
    MainWindow& w = Start();
    ASSERT_TRUE(w.OpenFile(Demo(1)));
    w.SetActiveViewId(kViewRealized);
    auto* first = w.Bar()->findChild<QDateEdit*>(QStringLiteral("firstDate"));
    first->setDate(QDate(2005, 1, 1));
    const size_t rowsWholeRange = TableOf(w.ActiveView()).Rows().size();
    ChildFrame* second = w.NewWindow();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(w.Frames().size(), 2);
    first->setDate(QDate(2026, 1, 1));
    EXPECT_LT(TableOf(w.ActiveView()).Rows().size(), rowsWholeRange);
    ReportView* other = w.Frames().front()->View();
    EXPECT_EQ(other->State().periodFrom, DateOf(1, 1, 2005));
    EXPECT_EQ(TableOf(other).Rows().size(), rowsWholeRange);
}

TEST_F(WindowTest, PrintsTheHoldingsToPdfPageByPage) {
    MainWindow& w = Start();
    ASSERT_TRUE(w.OpenFile(Demo(1)));
    const QString pdf = ToQString((folder / "bestand.pdf").string());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const int pages = w.PrintActiveView(printer);
    EXPECT_GT(pages, 1);
    EXPECT_EQ(pages, w.ActiveView()->Report()->PageCount());
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(
        bytes.count("/Type /Page\n") + bytes.count("/Type /Page>>") + bytes.count("/Type /Page "),
        pages);
    // A range prints only its pages.
    printer.setOutputFileName(ToQString((folder / "seite2.pdf").string()));
    EXPECT_EQ(w.PrintActiveView(printer, 2, 2), 1);
}

TEST_F(WindowTest, CopiesToClipboardAndTextFileInBothModes) {
    MainWindow& w = Start();
    ASSERT_TRUE(w.OpenFile(Demo(1)));
    ASSERT_TRUE(w.CopyActiveViewToClipboard(0));
    EXPECT_EQ(clipboard.text.rfind("Depotbestand am 10.12.2026", 0), 0u);
    EXPECT_EQ(clipboard.text.find('\t'), std::string::npos);
    EXPECT_EQ(clipboard.text.find('\r'), std::string::npos);
    const std::string fixed = clipboard.text;
    ASSERT_TRUE(w.CopyActiveViewToClipboard(1));
    EXPECT_NE(clipboard.text.find("Bezeichnung\tWKN\t"), std::string::npos);
    EXPECT_NE(clipboard.text, fixed);

    const std::string file = (folder / "bestand.txt").string();
    ASSERT_TRUE(w.WriteActiveViewToTextFile(0, ToQString(file)));
    std::string written = TempFolder::Contents(file);
    EXPECT_NE(written.find("\r\n"), std::string::npos);
    EXPECT_TRUE(shown.empty());
    EXPECT_FALSE(w.WriteActiveViewToTextFile(0, ToQString((folder / "fehlt" / "x.txt").string())));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, "Kopieren in Textdatei");
    EXPECT_EQ(shown[0].text, "Datei kann nicht geöffnet werden");
    EXPECT_EQ(shown[0].icon, MessageIcon::Information);
}

TEST_F(WindowTest, PasswordProtectedFileOpensOnlyWithTheRightPassword) {
    MainWindow& w = Start();
    DocumentHandle* d = w.OpenFile(Demo(1));
    ASSERT_NE(d, nullptr);
    d->Doc().password = {"Geheim", 1};
    d->Changed();
    const QString path = ToQString((folder / "geschuetzt.fl2").string());
    ASSERT_TRUE(w.SaveDocumentTo(d, path));
    EXPECT_FALSE(d->IsModified());
    ASSERT_TRUE(w.CloseDocument(d));
    ASSERT_TRUE(w.OpenFile(Demo(2)));
    const std::vector<std::string> recentBefore = Recent();

    typedPassword = "geheim";
    EXPECT_EQ(w.OpenFile(path), nullptr);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text.substr(0, 34), "Fehler beim Öffnen des Dokuments.");
    EXPECT_EQ(w.Documents().size(), 1);
    EXPECT_EQ(Recent(), recentBefore);

    typedPassword = "Geheim";
    DocumentHandle* reopened = w.OpenFile(path);
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->Doc().password.password, "Geheim");
    EXPECT_EQ(w.Documents().size(), 2);
    EXPECT_EQ(Recent().front(), FromQString(path));
}

TEST_F(WindowTest, DamagedFileShowsItsMessageAndChangesNothingElse) {
    MainWindow& w = Start();
    ASSERT_TRUE(w.OpenFile(Demo(1)));
    const std::string bytes = TempFolder::Contents(folder / "Demo2.fl2");
    const std::string damaged = (folder / "kaputt.fl2").string();
    std::ofstream(damaged, std::ios::binary) << bytes.substr(0, bytes.size() - 100);
    const std::vector<std::string> recentBefore = Recent();
    EXPECT_EQ(w.OpenFile(ToQString(damaged)), nullptr);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, "Portfolaris");
    EXPECT_EQ(shown[0].text.substr(0, 25), "Unerwartetes Dateiformat.");
    EXPECT_EQ(w.Documents().size(), 1);
    EXPECT_EQ(w.Frames().size(), 1);
    EXPECT_EQ(Recent(), recentBefore);
}

TEST_F(WindowTest, FailedSaveKeepsTheDocumentModified) {
    MainWindow& w = Start();
    DocumentHandle* d = w.OpenFile(Demo(1));
    ASSERT_NE(d, nullptr);
    d->Changed();
    EXPECT_FALSE(w.SaveDocumentTo(d, ToQString((folder / "fehlt" / "x.fl2").string())));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text.substr(0, 36), "Fehler beim Speichern des Dokuments.");
    EXPECT_TRUE(d->IsModified());
    EXPECT_EQ(d->Path(), Demo(1));
    EXPECT_TRUE(w.windowTitle().endsWith(QStringLiteral("*")));
}

TEST_F(WindowTest, QuittingWithAModifiedDocumentAsksFirst) {
    MainWindow& w = Start();
    DocumentHandle* d = w.OpenFile(Demo(1));
    ASSERT_NE(d, nullptr);
    w.FindAction(QStringLiteral("actionScale150"))->trigger();
    EXPECT_TRUE(d->IsModified());
    EXPECT_TRUE(w.FindAction(QStringLiteral("actionScale150"))->isChecked());

    answer = QMessageBox::Cancel;
    EXPECT_FALSE(w.close());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(w.Documents().size(), 1);

    // Yes saves: the file then holds the new factor.
    answer = QMessageBox::Yes;
    EXPECT_TRUE(w.close());
    const ReadResult reread = LoadDocumentFile(FromQString(Demo(1)), {DateOf(10, 12, 2026), {}});
    EXPECT_EQ(reread.doc.options.screenScaleFactor, 1.5);
}

TEST_F(WindowTest, ImportTakesTheTitleAndTheFl2Path) {
    MainWindow& w = Start();
    // A damaged first-generation file: the user is told, nothing opens.
    const std::string flk = (folder / "depot.flk").string();
    std::ofstream(flk, std::ios::binary)
        << std::string("\x1B") << "PortfolarisDatei.1.07 Daten....";
    EXPECT_EQ(w.ImportFile(ToQString(flk)), nullptr);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text.rfind("Unerwartetes Dateiformat.", 0), 0u);
    EXPECT_NE(shown[0].text.find("Portfolaris1-Datei"), std::string::npos);
    EXPECT_EQ(w.OpenFile(ToQString(flk)), nullptr);  // Open recognises it the same way
    EXPECT_TRUE(w.Documents().isEmpty());

    // A sound one opens converted, under the imported title, and says what it left out.
    testing::FlkFile old;
    old.startDate = DateOf(1, 7, 1999);
    testing::FlkLot lot{"Alpha AG", "100100", 3, 0, {}, 0, {}};
    lot.purchase = {DateOf(2, 7, 1999), 2000, 500, 1, 1, "Kauf"};
    testing::FlkLot orphan = lot;
    orphan.name = "Ohne Kurse";
    old.objects = {testing::FlkHistory{"Alpha AG", "100100", {{2100, DateOf(2, 7, 1999)}}}, lot,
                   orphan};
    const std::string converted = (folder / "alt.flk").string();
    std::ofstream(converted, std::ios::binary) << testing::WriteFlk(old);
    shown.clear();
    DocumentHandle* opened = w.OpenFile(ToQString(converted));
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->Title(), QStringLiteral("alt (importiert)"));
    EXPECT_EQ(opened->Path(), ToQString((folder / "alt.fl2").string()));
    EXPECT_TRUE(opened->IsModified());
    EXPECT_EQ(opened->Doc().securities.size(), 1u);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].text.find("1 Position ohne Kursverlauf"), std::string::npos)
        << shown[0].text;
    opened->SetModified(false);
    w.CloseDocument(opened);

    // A readable file imported under the ".flk" name gets the imported title and path, stays
    // out of the recent files, and Save does not overwrite an existing depot.fl2 unasked.
    const std::string readable = (folder / "depot2.flk").string();
    std::filesystem::copy_file(folder / "Demo1.fl2", readable);
    std::filesystem::copy_file(folder / "Demo2.fl2", folder / "depot2.fl2");
    const std::vector<std::string> recentBefore = Recent();
    DocumentHandle* d = w.ImportFile(ToQString(readable));
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Title(), QStringLiteral("depot2 (importiert)"));
    EXPECT_EQ(d->Path(), ToQString((folder / "depot2.fl2").string()));
    EXPECT_TRUE(d->IsModified());
    EXPECT_EQ(Recent(), recentBefore);
    QString proposed;
    w.SetSavePathChooser([&](const QString& proposal) {
        proposed = proposal;
        return QString();  // cancelled
    });
    EXPECT_FALSE(w.SaveDocument(d));
    EXPECT_EQ(proposed, d->Path());
    EXPECT_EQ(TempFolder::Contents(folder / "depot2.fl2"),
              TempFolder::Contents(folder / "Demo2.fl2"));
}

}  // namespace
}  // namespace pf

// The teletext dialogs "Kurse aus VTPlus" and "Kursauswahl aus VTPlus" (also as the security
// dialog's "&Auswählen...") under the offscreen platform, against the stand-in teletext
// server on a socket of the test's own.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "app/dialogs/security_dialog.h"
#include "app/dialogs/trend_icons.h"
#include "app/dialogs/vtplus_quotes_dialog.h"
#include "app/dialogs/vtplus_selection_dialog.h"
#include "app/widget_parts.h"
#include "dialog_test.h"
#include "engine/engine_test_util.h"
#include "model/document.h"
#include "platform/settings_store.h"
#include "platform/socket_dde_client.h"
#include "platform/vtplus_standin_server.h"
#include "support/temp_folder.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;
using testing::TempFolder;

void Write(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

std::optional<double> QuoteOf(const CFolari2Doc& doc, int32_t security, CQRNDatum date) {
    double value = 0;
    if (doc.FindSecurity(security)->quotes.QuoteOn(date, value) == 0) return std::nullopt;
    return value;
}

// The server pads every row to 40 columns and joins the rows with "\r\n"; the selection
// field shows a row as 40 characters and one line break, so row r, column c is the field
// position r * 41 + c.
int FieldPosition(int row, int column) { return row * 41 + column; }

// Pages of the stand-in server:
//   100  row 0 "BOERSE FRANKFURT", row 1 "DAX       15.234,56" (price at columns 10..18),
//        row 2 "Dow Jones  1,234.50" (price at columns 11..18);
//        subpage 2: row 0 "Seite 2   88,10";
//   200  row 0 "Gold      1.950,00", status "loading".
// Securities with teletext import: "Index-Fonds" (page 100, control "BOERSE": okay),
// "Anleihe" (page 100/2, control "XETRA" where "Seite" stands: wrong control text),
// "Rohstoff" (page 200, still loading, no control text); "Ohne" has no import.
class VtplusDialogsTest : public DialogTest {
  protected:
    TempFolder folder{"vt_dialogs"};
    std::string socketPath = (folder / "vt.sock").string();
    std::unique_ptr<VtplusStandinServer> server;
    DocBuilder b;
    int32_t index = -1, bond = -1, commodity = -1, plain = -1;

    void SetUp() override {
        DialogTest::SetUp();
        std::filesystem::create_directory(folder / "pages");
        Write(folder / "pages" / "100.txt",
              "BOERSE FRANKFURT\r\nDAX       15.234,56\r\nDow Jones  1,234.50\r\n");
        Write(folder / "pages" / "100-2.txt", "Seite 2   88,10\n");
        Write(folder / "pages" / "200.txt", "Gold      1.950,00\n");
        Write(folder / "pages" / "200.status", "loading\n");
        std::string error;
        server = VtplusStandinServer::Start((folder / "pages").string(), socketPath, error);
        ASSERT_NE(server, nullptr) << error;

        index = Teletext("Index-Fonds", "100", "1", "10/1/18/1", "BOERSE", "0/0/5/0");
        bond = Teletext("Anleihe", "100", "2", "10/0/14/0", "XETRA", "0/0/4/0");
        commodity = Teletext("Rohstoff", "200", "1", "10/0/17/0", "", "");
        plain = b.Security("Ohne");
    }

    int32_t Teletext(const std::string& name, const std::string& page, const std::string& subpage,
                     const std::string& box, const std::string& control,
                     const std::string& controlBox) {
        const int32_t id = b.Security(name);
        CFL2Wertpapier& s = *b.doc.FindSecurity(id);
        s.vtplusImport = 1;
        s.vtplusPage = page;
        s.vtplusSubpage = subpage;
        s.vtplusQuotePosition = box;
        s.vtplusControlText = control;
        s.vtplusControlText2 = controlBox;
        return id;
    }

    static void Mark(QWidget* dialog, int from, int to) {
        auto* field = Find<QPlainTextEdit>(dialog, "selection");
        QTextCursor cursor(field->document());
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        field->setTextCursor(cursor);
    }
};

TEST_F(VtplusDialogsTest, QuotesDialogListsEveryStatus) {
    SocketDdeClient client(socketPath);
    VtplusQuotesDialog dialog(b.doc, client, Day(5, 3, 2024));

    EXPECT_EQ(dialog.windowTitle(), u"Kurse aus VTPlus"_s);
    EXPECT_EQ(Headers(&dialog, "quotes"),
              (QStringList{u"Wertpapier"_s, u"Kurs"_s, u"W."_s, u"Status"_s}));
    EXPECT_EQ(Find<QDateEdit>(&dialog, "date")->date(), QDate(2024, 3, 5));
    EXPECT_TRUE(Find<QCheckBox>(&dialog, "acceptWrongControl")->isChecked());
    // By name; "Ohne" is not set up for teletext.
    EXPECT_EQ(Column(&dialog, "quotes", kResultNameColumn),
              (QStringList{u"Anleihe"_s, u"Index-Fonds"_s, u"Rohstoff"_s}));
    EXPECT_EQ(Column(&dialog, "quotes", kResultPriceColumn),
              (QStringList{u"88,10"_s, u"15.234,56"_s, QString()}));
    EXPECT_EQ(Column(&dialog, "quotes", kResultStatusColumn),
              (QStringList{u"falscher Kontrolltext"_s, u"okay"_s,
                           u"Seite noch nicht vollständig geladen"_s}));
    // A price read has a trend icon (0: no earlier quote), an unread one none.
    auto* list = Find<QTreeWidget>(&dialog, "quotes");
    EXPECT_EQ(list->topLevelItem(1)->data(kResultNameColumn, kTrendIconRole).toInt(), 0);
    EXPECT_EQ(list->topLevelItem(2)->data(kResultNameColumn, kTrendIconRole).toInt(), -1);
    EXPECT_EQ(list->headerItem()->textAlignment(kResultPriceColumn) & Qt::AlignRight,
              Qt::AlignRight);

    // The page finished loading: "&aktualisieren" asks again; without a control text the
    // price is read but the status says so.
    Write(folder / "pages" / "200.status", "Ready");
    Find<QPushButton>(&dialog, "refresh")->click();
    EXPECT_EQ(Column(&dialog, "quotes", kResultPriceColumn),
              (QStringList{u"88,10"_s, u"15.234,56"_s, u"1.950,00"_s}));
    EXPECT_EQ(Column(&dialog, "quotes", kResultStatusColumn).at(2), u"fehlender Kontrolltext"_s);
}

TEST_F(VtplusDialogsTest, QuotesDialogOkStoresByTheCheckBox) {
    struct Case {
        bool acceptWrongControl;
        bool bondStored;  // "Anleihe" read 88,10 under a wrong control text
    };
    const Case cases[] = {{true, true}, {false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.acceptWrongControl);
        DocBuilder copy;
        copy.doc = b.doc;
        SocketDdeClient client(socketPath);
        VtplusQuotesDialog dialog(copy.doc, client, Day(5, 3, 2024));
        Find<QDateEdit>(&dialog, "date")->setDate(QDate(2024, 3, 4));
        Find<QCheckBox>(&dialog, "acceptWrongControl")->setChecked(c.acceptWrongControl);
        ClickOk(&dialog);

        EXPECT_TRUE(dialog.Changed());
        EXPECT_EQ(QuoteOf(copy.doc, index, Day(4, 3, 2024)), 15234.56);
        EXPECT_EQ(QuoteOf(copy.doc, bond, Day(4, 3, 2024)),
                  c.bondStored ? std::optional(88.10) : std::nullopt);
        EXPECT_EQ(QuoteOf(copy.doc, commodity, Day(4, 3, 2024)), std::nullopt);
        EXPECT_EQ(QuoteOf(copy.doc, index, Day(5, 3, 2024)), std::nullopt);
    }
}

TEST_F(VtplusDialogsTest, QuotesDialogWithoutServerStoresNothing) {
    server.reset();
    b.doc.SetModified(false);
    SocketDdeClient client(socketPath);
    VtplusQuotesDialog dialog(b.doc, client, Day(5, 3, 2024));
    EXPECT_EQ(Column(&dialog, "quotes", kResultStatusColumn),
              QStringList(3, u"kein Datenaustausch mit VTPlus möglich"_s));
    ClickOk(&dialog);
    EXPECT_FALSE(dialog.Changed());
    EXPECT_FALSE(b.doc.IsModified());
}

TEST(VtplusSocketPath, FromTheProfileElseTheDefault) {
    MemorySettingsStore settings;
    EXPECT_EQ(VtplusSocketPathOf(settings), DefaultVtplusSocketPath());
    settings.SetString("Settings", "VTPlusSocket", "");
    EXPECT_EQ(VtplusSocketPathOf(settings), DefaultVtplusSocketPath());
    settings.SetString("Settings", "VTPlusSocket", "/run/decoder/vt.sock");
    EXPECT_EQ(VtplusSocketPathOf(settings), "/run/decoder/vt.sock");
}

TEST_F(VtplusDialogsTest, SelectionDialogLoadsPagesAndSubpages) {
    SocketDdeClient client(socketPath);
    VtplusSelectionDialog dialog(client, VtplusSelection{});

    EXPECT_EQ(dialog.windowTitle(), u"Kursauswahl aus VTPlus"_s);
    EXPECT_EQ(Items(&dialog, "page"), (QStringList{u"100"_s, u"200"_s}));  // no "System"
    const QStringList subpages = Items(&dialog, "subpage");
    ASSERT_EQ(subpages.size(), 99);
    EXPECT_EQ(subpages.front(), u"1"_s);
    EXPECT_EQ(subpages.back(), u"99"_s);
    EXPECT_EQ(Find<QComboBox>(&dialog, "subpage")->currentText(), u"1"_s);

    auto* field = Find<QPlainTextEdit>(&dialog, "selection");
    EXPECT_TRUE(field->isReadOnly());
    EXPECT_TRUE(QFontInfo(field->font()).fixedPitch());
    const QString blanks24(24, u' ');
    EXPECT_TRUE(field->toPlainText().startsWith(u"BOERSE FRANKFURT"_s + blanks24 +
                                                u"\nDAX       15.234,56"_s));

    Choose(&dialog, "subpage", u"2"_s);
    EXPECT_TRUE(field->toPlainText().startsWith(u"Seite 2   88,10 "_s));
    Choose(&dialog, "subpage", u"7"_s);
    EXPECT_EQ(field->toPlainText(), u"Seite wurde nicht\ngefunden!"_s);
    Choose(&dialog, "page", u"200"_s);
    EXPECT_EQ(field->toPlainText(), u"Seite ist noch\nnicht vollständig\ngeladen!"_s);

    // "&Neu laden" reads the page list again and keeps the chosen page.
    Write(folder / "pages" / "150.txt", "Neu\n");
    Write(folder / "pages" / "200.status", "Ready");
    Find<QPushButton>(&dialog, "reload")->click();
    EXPECT_EQ(Items(&dialog, "page"), (QStringList{u"100"_s, u"150"_s, u"200"_s}));
    EXPECT_EQ(Find<QComboBox>(&dialog, "page")->currentText(), u"200"_s);
    EXPECT_EQ(field->toPlainText(), u"Seite wurde nicht\ngefunden!"_s);  // subpage 7
}

TEST_F(VtplusDialogsTest, SelectionDialogTakesTheMarkedBoxes) {
    SocketDdeClient client(socketPath);
    VtplusSelectionDialog dialog(client, VtplusSelection{});
    auto* quoteShown = Find<QLabel>(&dialog, "quoteShown");
    auto* controlShown = Find<QLabel>(&dialog, "controlShown");

    // Nothing marked: the message, nothing taken.
    for (const char* button : {"takeQuote", "takeControlText"}) {
        SCOPED_TRACE(button);
        shown().clear();
        Mark(&dialog, 5, 5);
        Find<QPushButton>(&dialog, button)->click();
        ASSERT_EQ(shown().size(), 1u);
        EXPECT_EQ(shown()[0].title, "Kursauswahl aus VTPlus");
    }
    EXPECT_EQ(shown()[0].text,
              "Bitte wählen Sie zuerst im Auswahlfeld den Kontrolltext für das Wertpapier aus!");
    EXPECT_TRUE(quoteShown->text().isEmpty());

    // Rows below the first: the field's single line breaks stand for "\r\n" of the page,
    // so a position that were taken as an offset of the page text would land one column
    // early per row above it.
    struct Case {
        int from, to;
        const char* shown;
        bool point;
    };
    const Case cases[] = {
        {FieldPosition(1, 10), FieldPosition(1, 19), "\"15.234,56\" (10/1/18/1)", false},
        {FieldPosition(2, 13), FieldPosition(2, 19), "\"234.50\" (13/2/18/2)", true},
        // Marked from the end: the same box.
        {FieldPosition(1, 19), FieldPosition(1, 10), "\"15.234,56\" (10/1/18/1)", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        Mark(&dialog, c.from, c.to);
        Find<QPushButton>(&dialog, "takeQuote")->click();
        EXPECT_EQ(quoteShown->text().toStdString(), c.shown);
        EXPECT_EQ(Find<QRadioButton>(&dialog, "point")->isChecked(), c.point);
        EXPECT_EQ(Find<QRadioButton>(&dialog, "comma")->isChecked(), !c.point);
    }

    // A mark that ends right after the line break of row 0 ends in column 39 of row 0, and
    // the control text is the row without its line break.
    Mark(&dialog, FieldPosition(0, 0), FieldPosition(1, 0));
    Find<QPushButton>(&dialog, "takeControlText")->click();
    const QString row0 = u"BOERSE FRANKFURT"_s + QString(24, u' ');
    EXPECT_EQ(controlShown->text(), u"\""_s + row0 + u"\r\n\" (0/0/39/0)"_s);
    EXPECT_EQ(dialog.Result().controlPosition, "0/0/39/0");
    EXPECT_EQ(dialog.Result().controlText, row0.toStdString());

    // The radio buttons override the guess.
    Find<QRadioButton>(&dialog, "point")->click();
    const VtplusSelection result = dialog.Result();
    EXPECT_EQ(result.page, "100");
    EXPECT_EQ(result.subpage, "1");
    EXPECT_EQ(result.quotePosition, "10/1/18/1");
    EXPECT_EQ(result.decimalSeparator, 1);
}

TEST_F(VtplusDialogsTest, SecurityDialogTakesTheSelectionOnOk) {
    struct Case {
        const char* name;
        bool okInSelection;
    };
    const Case cases[] = {{"OK", true}, {"Abbrechen", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DocBuilder copy;
        copy.doc = b.doc;
        SecurityDialog dialog(copy.doc, SecurityForm::ForEdit(copy.doc, bond));
        dialog.SetVtplusSocketPath(socketPath);
        auto* select = Find<QPushButton>(&dialog, "vtplusSelect");
        ASSERT_TRUE(select->isEnabled());

        WhenModal<VtplusSelectionDialog>([&](VtplusSelectionDialog& selection) {
            Mark(&selection, FieldPosition(1, 10), FieldPosition(1, 19));
            Find<QPushButton>(&selection, "takeQuote")->click();
            Mark(&selection, FieldPosition(0, 0), FieldPosition(0, 6));
            Find<QPushButton>(&selection, "takeControlText")->click();
            if (c.okInSelection) ClickOk(&selection);
        });
        select->click();

        const VtplusFields expected =
            c.okInSelection ? VtplusFields{true, "100", "1", "10/1/18/1", "BOERSE", "0/0/5/0", 0}
                            : VtplusFields{true, "100", "2", "10/0/14/0", "XETRA", "0/0/4/0", 0};
        EXPECT_EQ(dialog.Form().vtplus, expected);
        ClickOk(&dialog);
        const CFL2Wertpapier& s = *copy.doc.FindSecurity(bond);
        EXPECT_EQ(s.vtplusSubpage, expected.subpage);
        EXPECT_EQ(s.vtplusQuotePosition, expected.quotePosition);
        EXPECT_EQ(s.vtplusControlText, expected.controlText);
        EXPECT_EQ(s.vtplusControlText2, expected.controlPosition);
    }
}

}  // namespace
}  // namespace pf

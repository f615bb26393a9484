// The dialogs "Kurse importieren" (with "Formatbeschreibung speichern" and "Importergebnis"),
// "Kurse exportieren" and "Kurse aus Text" (with its format dialog) under the offscreen
// platform: what they show, the order of their refusals and what OK stores.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextCursor>
#include <QTreeWidget>
#include <optional>
#include <string>

#include "app/dialogs/quote_export_dialog.h"
#include "app/dialogs/quote_import_dialog.h"
#include "app/dialogs/quote_import_result_dialog.h"
#include "app/dialogs/quotes_from_text_dialog.h"
#include "app/widget_parts.h"
#include "dialog_test.h"
#include "engine/engine_test_util.h"
#include "model/document.h"
#include "platform/settings_store.h"
#include "support/temp_folder.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {
namespace {

using testing::Day;
using testing::DocBuilder;

void Write(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

std::optional<double> QuoteOf(const CFolari2Doc& doc, int32_t security, CQRNDatum date) {
    double value = 0;
    if (doc.FindSecurity(security)->quotes.QuoteOn(date, value) == 0) return std::nullopt;
    return value;
}

// "Alpha" (WAlpha) with two quotes in January 2020, bought on 10.01.2020 and sold on
// 20.01.2020; "Beta" (WBeta) without quotes.
class QuoteFileDialogsTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        alpha = b.Security("Alpha");
        beta = b.Security("Beta");
        b.Quote(alpha, Day(2, 1, 2020), 10.5);
        b.Quote(alpha, Day(3, 1, 2020), 1234.5);
        const testing::Made lot = b.Buy(Day(10, 1, 2020), beta, 10, 5.0);
        b.Sell(Day(20, 1, 2020), beta, {{lot.positionNo, 10}}, 6.0);
        b.doc.SetModified(false);
    }

    testing::TempFolder folder{"quote_file_dialogs"};
    MemorySettingsStore settings;
    DocBuilder b;
    int32_t alpha = -1;
    int32_t beta = -1;
};

TEST_F(QuoteFileDialogsTest, ExportRefusesInOrderThenWritesTheFile) {
    QuoteExportDialog dialog(b.doc);
    EXPECT_EQ(Items(&dialog, "name"), (QStringList{u"Alpha"_s, u"Beta"_s}));
    EXPECT_EQ(Find<QLineEdit>(&dialog, "separator")->text(), u"<TAB>"_s);

    auto* exportButton = Find<QPushButton>(&dialog, "export");
    exportButton->click();
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown().back().text,
              "Bitte wählen Sie ein Wertpapier aus, für das Sie die Kursdaten exportieren "
              "möchten!");
    EXPECT_TRUE(HasFocus(&dialog, "name"));

    // Choosing by WKN chooses the name too.
    Choose(&dialog, "wkn", u"WAlpha"_s);
    EXPECT_EQ(Find<QComboBox>(&dialog, "name")->currentText(), u"Alpha"_s);
    exportButton->click();
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_EQ(shown().back().text,
              "Bitte geben Sie den Dateinamen einer Textdatei an, in die Sie die Kursdaten "
              "exportieren möchten!");
    EXPECT_TRUE(HasFocus(&dialog, "file"));

    const auto file = folder / "alpha.txt";
    Type(&dialog, "file", QString::fromStdString(file.string()));
    Type(&dialog, "separator", u";"_s);
    Find<QCheckBox>(&dialog, "currency")->setChecked(true);
    exportButton->click();
    ASSERT_EQ(shown().size(), 3u);
    EXPECT_EQ(shown().back().text, "Kurse wurden exportiert.");
    EXPECT_EQ(testing::TempFolder::Contents(file),
              "02.01.2020;10,50 EUR\r\n03.01.2020;1.234,50 EUR\r\n");
}

TEST_F(QuoteFileDialogsTest, ImportKeepsListAndDescriptionInStepAndSavesFormats) {
    QuoteImportDialog dialog(b.doc, settings);
    auto* list = Find<QComboBox>(&dialog, "format");
    auto* description = Find<QPlainTextEdit>(&dialog, "description");
    ASSERT_EQ(list->count(), 5);
    // A document that never closed the dialog starts with the first stored format.
    EXPECT_EQ(list->currentIndex(), 0);
    EXPECT_TRUE(description->toPlainText().startsWith(u"<TEXT><NZ>\n<WIEDERHOLE:"_s));
    EXPECT_FALSE(Find<QPushButton>(&dialog, "save")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(&dialog, "delete")->isEnabled());

    Choose(&dialog, "format", u"Datum und Kurs (getrennt durch Semikolon)"_s);
    EXPECT_EQ(description->toPlainText(), u"<WIEDERHOLE:\n    <DATUM> ; <KURS> <NZ>\n>"_s);

    // A text no format has: no list entry, "Speichern..." offered.
    description->setPlainText(u"<WIEDERHOLE:<DATUM>|<KURS><NZ>>"_s);
    EXPECT_EQ(list->currentIndex(), -1);
    EXPECT_TRUE(Find<QPushButton>(&dialog, "save")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(&dialog, "delete")->isEnabled());

    WhenModal<SaveFormatDialog>([](SaveFormatDialog& ask) {
        ClickOk(&ask);  // an empty title is refused and the box stays open
        EXPECT_TRUE(ask.isVisible());
        Type(&ask, "title", u"Senkrechter Strich"_s);
        ClickOk(&ask);
    });
    Find<QPushButton>(&dialog, "save")->click();
    ASSERT_EQ(list->count(), 6);
    EXPECT_EQ(list->currentText(), u"Senkrechter Strich"_s);
    EXPECT_TRUE(Find<QPushButton>(&dialog, "delete")->isEnabled());

    Choose(&dialog, "wkn", u"WBeta"_s);
    Type(&dialog, "file", u"kurse.csv"_s);
    dialog.reject();  // "Schließen"
    EXPECT_EQ(settings.GetInt("Settings", "ImpForAnz"), 6);
    EXPECT_EQ(settings.GetString("Settings", "ImpFor006Bes"), "<WIEDERHOLE:<DATUM>|<KURS><NZ>>");
    EXPECT_EQ(b.doc.quoteDialogs.importSecurity, beta);
    EXPECT_EQ(b.doc.quoteDialogs.importFile, "kurse.csv");
    EXPECT_FALSE(b.doc.IsModified());

    // Opened again for this document: the choices come back.
    QuoteImportDialog again(b.doc, settings);
    EXPECT_EQ(Find<QComboBox>(&again, "name")->currentText(), u"Beta"_s);
    EXPECT_EQ(Find<QLineEdit>(&again, "file")->text(), u"kurse.csv"_s);
    EXPECT_EQ(Find<QComboBox>(&again, "format")->currentText(), u"Senkrechter Strich"_s);
}

TEST_F(QuoteFileDialogsTest, ImportRefusalsAndAFaultyDescriptionSelectedFromTheFault) {
    QuoteImportDialog dialog(b.doc, settings);
    auto* import = Find<QPushButton>(&dialog, "import");
    import->click();
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown().back().text,
              "Bitte wählen Sie ein Wertpapier aus, für das Sie die Kursdaten importieren "
              "möchten!");
    Choose(&dialog, "name", u"Beta"_s);
    import->click();
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_TRUE(HasFocus(&dialog, "file"));

    const auto file = folder / "kurse.txt";
    Write(file, "05.03.2011;12,50\r\n");
    Type(&dialog, "file", QString::fromStdString(file.string()));
    // "<DATUM>" followed by another field is faulty: the selection runs from there to the end.
    auto* description = Find<QPlainTextEdit>(&dialog, "description");
    description->setPlainText(u"<WIEDERHOLE:\n<DATUM><KURS><NZ>\n>"_s);
    import->click();
    ASSERT_EQ(shown().size(), 3u);
    EXPECT_EQ(shown().back().text, "Fehler in der Formatbeschreibung!");
    EXPECT_TRUE(HasFocus(&dialog, "description"));
    QString selected = description->textCursor().selectedText();
    EXPECT_FALSE(selected.isEmpty());
    EXPECT_TRUE(description->toPlainText().endsWith(selected.replace(QChar(0x2029), u'\n')));

    description->setPlainText(u"<WIEDERHOLE:<DATUM>|<KURS><NZ>>"_s);
    import->click();
    ASSERT_EQ(shown().size(), 4u);
    EXPECT_EQ(shown().back().text,
              "Es konnten keine Kursdaten eingelesen werden.\n\nEntweder enthält die Datei keine "
              "Kurse oder die Formatbeschreibung paßt nicht zur ausgewählten Datei!");
    EXPECT_EQ(Find<QProgressBar>(&dialog, "progress")->value(), 0);
}

TEST_F(QuoteFileDialogsTest, TheResultShowsTheQuotesAndOkTakesOnlyTheHeldOnes) {
    const auto file = folder / "beta.txt";
    // 05.01. before the purchase, 15.01. while held, 25.01. after the sale.
    Write(file, "05.01.2020;1,00\r\n15.01.2020;2,00\r\n25.01.2020;3,00\r\n");
    QuoteImportDialog dialog(b.doc, settings);
    Choose(&dialog, "name", u"Beta"_s);
    Type(&dialog, "file", QString::fromStdString(file.string()));
    Choose(&dialog, "format", u"Datum und Kurs (getrennt durch Semikolon)"_s);
    WhenModal<QuoteImportResultDialog>([](QuoteImportResultDialog& result) {
        EXPECT_EQ(Find<QLabel>(&result, "count")->text(), u"3 Kurse gefunden"_s);
        EXPECT_EQ(Column(&result, "quotes", 0),
                  (QStringList{u"05.01.2020"_s, u"15.01.2020"_s, u"25.01.2020"_s}));
        EXPECT_EQ(Column(&result, "quotes", 1), (QStringList{u"1,00"_s, u"2,00"_s, u"3,00"_s}));
        Find<QCheckBox>(&result, "onlyHeld")->setChecked(true);
        EXPECT_EQ(Find<QLabel>(&result, "count")->text(), u"1 Kurse gefunden"_s);
        EXPECT_EQ(Column(&result, "quotes", 0), (QStringList{u"15.01.2020"_s}));
        ClickOk(&result);
    });
    Find<QPushButton>(&dialog, "import")->click();
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(QuoteOf(b.doc, beta, Day(15, 1, 2020)), 2.0);
    EXPECT_EQ(QuoteOf(b.doc, beta, Day(5, 1, 2020)), std::nullopt);
    EXPECT_TRUE(b.doc.IsModified());
}

TEST_F(QuoteFileDialogsTest, QuotesFromTextListsEachSecurityAndOkStoresTheRead) {
    QuotesFromTextDialog dialog(b.doc, settings, Day(4, 1, 2020));
    EXPECT_EQ(Headers(&dialog, "quotes"),
              (QStringList{u"Wertpapier"_s, u"Kurs"_s, u"W."_s, u"Status"_s}));
    EXPECT_EQ(
        Items(&dialog, "identification"),
        (QStringList{u"WKN"_s, u"ISIN/Kürzel"_s, u"WKN, ISIN/Kürzel"_s, u"ISIN/Kürzel, WKN"_s}));
    Choose(&dialog, "format", Find<QComboBox>(&dialog, "format")->itemText(1));  // "|" format
    Find<QPlainTextEdit>(&dialog, "text")->setPlainText(u"WAlpha|1.300,00|\nWBeta|x|"_s);
    auto* list = Find<QTreeWidget>(&dialog, "quotes");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(Column(list, 1), (QStringList{u"1.300,00"_s, QString()}));
    EXPECT_EQ(Column(list, 3), (QStringList{u"okay"_s, u"fehlerhafter Kurs"_s}));
    // 1300 against 1234,50 on 03.01.: 5.3 % up, more than the 1 % of a strong rise (icon 1);
    // no icon without a price.
    EXPECT_EQ(list->topLevelItem(0)->data(0, kTrendIconRole).toInt(), 1);
    EXPECT_EQ(list->topLevelItem(1)->data(0, kTrendIconRole).toInt(), -1);

    ClickOk(&dialog);
    EXPECT_EQ(QuoteOf(b.doc, alpha, Day(4, 1, 2020)), 1300.0);
    EXPECT_TRUE(b.doc.IsModified());
    EXPECT_EQ(b.doc.quoteDialogs.textFormatTitle, Items(&dialog, "format").at(1).toStdString());
}

TEST_F(QuoteFileDialogsTest, AFormatIsMadeCheckedAndDeletedAfterTheQuestion) {
    QuotesFromTextDialog dialog(b.doc, settings, Day(4, 1, 2020));
    const int builtIn = Find<QComboBox>(&dialog, "format")->count();
    WhenModal<TextFormatDialog>([](TextFormatDialog& format) {
        EXPECT_EQ(format.windowTitle(), u"Neues Format"_s);
        EXPECT_EQ(LabelOf(&format, "separators"),
                  u"&Trennzeichen zwischen WKN/ISIN/Kürzel und Kurs:"_s);
        Type(&format, "title", u"Doppelpunkt"_s);
        ClickOk(&format);  // no separators yet
        EXPECT_TRUE(format.isVisible());
        EXPECT_EQ(shown().back().text, "Bitte geben Sie ein oder mehrere Trennzeichen ein!");
        Type(&format, "separators", u"="_s);
        Type(&format, "terminators", u";"_s);
        ClickOk(&format);
    });
    Find<QPushButton>(&dialog, "newFormat")->click();
    auto* list = Find<QComboBox>(&dialog, "format");
    ASSERT_EQ(list->count(), builtIn + 1);
    EXPECT_EQ(list->currentText(), u"Doppelpunkt"_s);

    answer() = QMessageBox::No;
    Find<QPushButton>(&dialog, "deleteFormat")->click();
    EXPECT_EQ(shown().back().text, "Möchten Sie dieses Format wirklich löschen?");
    EXPECT_EQ(list->count(), builtIn + 1);
    answer() = QMessageBox::Yes;
    Find<QPushButton>(&dialog, "deleteFormat")->click();
    EXPECT_EQ(list->count(), builtIn);
    dialog.reject();
    EXPECT_FALSE(b.doc.IsModified());
}

}  // namespace
}  // namespace pf

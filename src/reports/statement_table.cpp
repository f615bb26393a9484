#include "reports/statement_table.h"

#include "model/document.h"
#include "reports/report_format.h"

namespace pf {

StatementTable StartStatementTable(const CFolari2Doc& doc, int columns) {
    const DocumentOptions& o = doc.options;
    const ReportsAppearance& look = o.reports;
    StatementTable t;
    t.table = std::make_unique<ReportTable>();
    t.table->Init(look.face, look.largeFontHeight, columns, look.outerMargin, 0, look.columnGap,
                  o.screenScaleFactor);
    ReportAppearance appearance;
    appearance.screenStyle = kStyleTextOnly;
    appearance.printStyle = kStyleTextOnly;
    appearance.marginLeft = look.marginLeft;
    appearance.marginTop = look.marginTop;
    appearance.marginRight = look.marginRight;
    appearance.marginBottom = look.marginBottom;
    t.table->SetAppearance(appearance);
    t.rowFont = 0;
    t.titleFont = t.table->AddFont(look.title1FontHeight);
    t.subtitleFont = t.table->AddFont(look.title2FontHeight);
    t.smallFont = t.table->AddFont(look.smallFontHeight);
    t.gap = look.outerMargin;
    return t;
}

RowStyle WhiteRow(int font, int spacingBefore) {
    RowStyle style;
    style.colourA = style.colourB = kWhite;
    style.font = font;
    style.spacingBefore = spacingBefore;
    return style;
}

std::string StatementTitle(const CFolari2Doc& doc, std::string text, CQRNDatum from, CQRNDatum to) {
    text = ReplacePlaceholder(text, "<STARTDATUM>", from.FormatLong());
    text = ReplacePlaceholder(text, "<ENDDATUM>", to.FormatLong());
    text = ReplacePlaceholder(text, "<DEPOTNUMMER>", doc.depot.depotNumber);
    text = ReplacePlaceholder(text, "<KONTONUMMER>", doc.depot.accountNumber);
    text = ReplacePlaceholder(text, "<BANKLEITZAHL>", doc.depot.bankCode);
    text = ReplacePlaceholder(text, "<INHABER>", doc.depot.holderName);
    return text;
}

bool AddStatementTitles(StatementTable& t, const std::string& title1, const std::string& title2,
                        int span) {
    bool added = false;
    for (const auto& [text, font] : {std::pair{&title1, t.titleFont}, {&title2, t.subtitleFont}}) {
        if (text->empty()) continue;
        t.table->SetCell(t.table->AddRow(WhiteRow(font, 0)), 0, *text, span, kAlignLeft);
        added = true;
    }
    return added;
}

}  // namespace pf

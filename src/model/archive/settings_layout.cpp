#include "model/archive/settings_layout.h"

#include "model/archive/archive_reader.h"
#include "model/archive/archive_writer.h"
#include "model/archive/slot_cursor.h"
#include "model/document.h"
#include "model/text_codec.h"

namespace pf {

namespace {

// Number separators are single Windows-1252 bytes; 0 means "none".
void TransferSeparator(ArchiveReader& io, std::string& separator, const char*) {
    uint8_t byte = 0;
    io.Byte(byte);
    separator =
        byte == 0 ? std::string() : Windows1252ToUtf8(std::string(1, static_cast<char>(byte)));
}

void TransferSeparator(ArchiveWriter& io, const std::string& separator, const char* field) {
    const auto bytes = Utf8ToWindows1252(separator);
    if (!bytes || bytes->size() > 1)
        throw ArchiveError(ArchiveErrorKind::Unstorable,
                           std::string("Das ") + field + " „" + separator +
                               "“ ist kein einzelnes speicherbares Zeichen.");
    io.Byte(bytes->empty() ? 0 : static_cast<uint8_t>((*bytes)[0]));
}

// Versions 31001001 to 32101000 wrote two string lists and three integers after each of
// the trailer's integer lists; they carry nothing this version uses.
void SkipIntermediateExtras(ArchiveReader& io) {
    if (!(io.After(31001000) && io.version < 32101001)) return;
    std::vector<std::string> discardedStrings;
    io.StrList(discardedStrings);
    io.StrList(discardedStrings);
    int32_t discarded = 0;
    for (int i = 0; i < 3; ++i) io.Int(discarded);
}
void SkipIntermediateExtras(ArchiveWriter&) {}

// Named integer options stored one after the other.
template <class Io, class... Fields>
void Ints(Io& io, Fields&... fields) {
    (io.Int(fields), ...);
}

// Named fields are transferred only where the stored version has their slot, so that a
// field of an older file keeps its default; unnamed slots go through the cursor.
template <class Io, class Doc>
void SettingsBlock(Io& io, Doc& doc) {
    auto& o = doc.options;
    auto& depot = doc.depot;
    SlotCursor cursor(io, o.settingsSlots);
    // The oldest files have no settings block at all; their option slots are still laid
    // out (as absent) so that every document holds the same slots.
    const bool block = io.After(20101001);
    const auto after = [&](uint32_t v) { return block && io.After(v); };
    const auto atLeast = [&](uint32_t v) { return block && io.AtLeast(v); };

    if (block) {
        io.Str(depot.holderName, "Name des Depotinhabers");
        io.Str(depot.holderAddress, "Adresse des Depotinhabers");
        io.Str(depot.bankCode, "Bankleitzahl");
        io.Str(depot.accountNumber, "Kontonummer");
        io.Str(depot.depotNumber, "Depotnummer");
    }
    if (atLeast(20101004)) io.Int(doc.initialAccountCurrencyId);
    // The appearance of charts and diagrams ("DIAGRAMME >"); its face came with 31601000.
    auto& look = o.diagramsAppearance;
    if (block) Ints(io, look.width, look.height, look.border);
    if (after(20101002)) io.Int(look.innerMargin);
    if (block) Ints(io, look.labelFontHeight, look.titleFontHeight);
    if (after(20101003)) io.Int(o.splitRoundingDecimals);
    if (after(20101007)) {
        io.Int(o.periodFromChoice);
        io.Int(o.periodToChoice);
    }
    // The security chart: split handling and the markers switch here, the price line, the
    // moving averages, the marker style and the title in the groups of 20101004, 20201001,
    // 30401000 and 30001000. Files before 30001003 draw no markers.
    auto& chart = o.chart;
    if (after(20701001)) io.Int(chart.splitHandling);
    if (after(20701002)) io.Int(chart.markers);
    if constexpr (Io::kReading)
        if (io.version < 30001003) chart.markers = 0;
    if (after(20201003)) {
        io.Str(o.earningsYear1, "Jahr für Gewinn je Aktie");
        io.Str(o.earningsYear2, "Jahr für Gewinn je Aktie");
    }

    // The holdings report: title, options, unused slots, column mask.
    auto& holdings = o.holdings;
    if (block) {
        io.Str(holdings.title, "Titel Depotbestand");
        Ints(io, holdings.sortKey, holdings.sortDescending, holdings.includeCommissions,
             holdings.mergePositions, holdings.bracketOldQuotes, holdings.currencyId,
             holdings.annualisation, holdings.extraInfo);
    }
    // Eight slots of this group carry the print margins and position options of the depot
    // analysis; its remaining options follow in the groups of 20101002, 20101005 and 20201004.
    auto& analysis = o.analysis;
    if (block)
        Ints(io, analysis.marginLeft, analysis.marginTop, analysis.marginRight,
             analysis.marginBottom, analysis.includeCommissions, analysis.includeDividends,
             analysis.mergePositions, analysis.currencyId);
    if (block) io.Int(holdings.columnMask);
    // The realized gains report; its remaining options came with version 30401000 (below).
    auto& realized = o.realized;
    if (block) {
        io.Str(realized.title, "Titel Realisierte G+V");
        Ints(io, realized.sortKey, realized.sortDescending, realized.includeCommissions,
             realized.mergePositions, realized.currencyId);
        io.Int(realized.columnMask);
    }
    if (block) io.Str(o.quotes.titleTemplate, "Spaltentitel der Kurstabelle");
    const auto average = [&](auto& a) { Ints(io, a.enabled, a.period, a.width, a.colour); };
    if (block) average(chart.averages[0]);
    const size_t flagSource = cursor.Int(block);
    cursor.Int(block);
    const size_t flag = cursor.Int(atLeast(20101010));
    if constexpr (Io::kReading) {
        int32_t& value = o.settingsSlots.ints[flag];
        if (!atLeast(20101010))
            value = o.settingsSlots.ints[flagSource] != 0 ? 1 : 0;
        else if (value > 1)
            value = 1;
    }

    if (after(20101002)) {
        Ints(io, analysis.fontHeight, analysis.outerMargin);
        io.Str(analysis.face, "Schriftart der Depotanalyse");
        Ints(io, analysis.textSpacing, analysis.columnWidth, analysis.firstColumnWidth,
             analysis.sortKey, analysis.sortDescending);
    }
    // The group of version 20101004 holds the transactions report, the appearance of the
    // table reports and the account-movements report; the slots the reports do not name
    // stay unnamed.
    const bool hasTables = after(20101004);
    auto& transactions = o.transactions;
    auto& movements = o.movements;
    if (hasTables) {
        io.Int(transactions.columnMask);
        io.Str(transactions.title, "Titel Transaktionen");
        auto& t = o.tables;
        Ints(io, t.screenStyle, t.printStyle);
        io.Str(t.face, "Schriftart der Tabellen");
        Ints(io, t.outerMargin, t.columnGap, t.columnMargin, t.titleFontHeight,
             t.columnTitleFontHeight, t.rowFontHeight, t.repeatTitle, t.repeatColumnTitles,
             t.marginLeft, t.marginTop, t.marginRight, t.marginBottom, t.percentDecimals,
             t.maxPriceDecimals, t.colourWithDividends);
        Ints(io, transactions.sortKeys[0], transactions.sortKeys[1], transactions.sortKeys[2],
             transactions.sortDescending, transactions.currencyId);
    }
    if (hasTables) Ints(io, chart.lineWidth, chart.lineColour);
    if (hasTables) {
        io.Str(movements.title, "Titel Kontobewegungen");
        Ints(io, movements.columnMask, movements.endOfDayBalance, movements.currencyId);
    }
    if (hasTables) average(chart.averages[1]);
    // The group of version 20101005: the gain/loss evaluation (its item mask as two 32-bit
    // words, low word first), the appearance "REPORTE >", and the first options of the
    // performance analysis, whose remaining ones follow in the group of version 20201001
    // together with the return calculation.
    auto& gainLoss = o.gainLoss;
    auto& reports = o.reports;
    auto& performance = o.performance;
    auto& returns = o.returns;
    if (after(20101005)) {
        int32_t maskWords[2] = {static_cast<int32_t>(gainLoss.itemMask & 0xFFFFFFFFu),
                                static_cast<int32_t>(gainLoss.itemMask >> 32)};
        Ints(io, maskWords[0], maskWords[1]);
        if constexpr (Io::kReading)
            gainLoss.itemMask = static_cast<uint32_t>(maskWords[0]) |
                                (uint64_t{static_cast<uint32_t>(maskWords[1])} << 32);
        io.Str(gainLoss.title1, "Titel 1 G/V-Auswertung");
        Ints(io, gainLoss.title1Large, gainLoss.title2Large);
        io.Str(gainLoss.title2, "Titel 2 G/V-Auswertung");
        Ints(io, gainLoss.currencyId, gainLoss.groupByTaxCategory, gainLoss.purchaseCostsInPrice,
             gainLoss.securityInTexts, reports.columnGap, reports.outerMargin,
             reports.title1FontHeight, reports.title2FontHeight, reports.largeFontHeight,
             reports.smallFontHeight);
        io.Str(reports.face, "Schriftart der Reporte");
        Ints(io, reports.marginLeft, reports.marginTop, reports.marginRight, reports.marginBottom);
    }
    if (after(20101005)) io.Int(analysis.stopTarget);
    if (after(20101005)) {
        io.Str(performance.title1, "Titel 1 Performanceanalyse");
        Ints(io, performance.currencyId, performance.purchaseCostsInCapital);
    }
    // The group of version 20101006: the appearance "LISTEN >", the development table and
    // the quotes table.
    if (after(20101006)) {
        auto& l = o.lists;
        auto& d = o.development;
        auto& q = o.quotes;
        Ints(io, l.screenStyle, l.printStyle);
        io.Str(l.face, "Schriftart der Listen");
        Ints(io, l.outerMargin, l.normalFontHeight, l.columnTitleFontHeight, l.verticalFontHeight,
             l.dateColumnEveryPage, l.marginLeft, l.marginTop, l.marginRight, l.marginBottom,
             l.repeatColumnTitles, l.priceDecimals, l.percentDecimals, l.repeatVerticalTexts);
        io.Str(d.positionText, "Text der Depotentwicklung");
        Ints(io, l.verticalTextDistance, d.itemMask, d.depotCurrencyId, d.accountCurrencyId,
             d.assetsCurrencyId, d.sortKey, d.columnPerLot, d.equalWidths, d.includeCommissions,
             d.correctAccount, d.correctAssets, d.correctionRelativeToEnd, q.filter, q.sortKey,
             q.equalWidths, q.splitHandling);
    }
    if (after(20201001)) {
        io.Str(performance.title2, "Titel 2 Performanceanalyse");
        Ints(io, performance.showPeriods, performance.periodsEndAtMonthEnd, returns.currencyId,
             returns.withoutTaxes, returns.showPayments, returns.paymentsInNegative, returns.order);
    }
    auto& diagrams = o.diagrams;
    if (after(20201001)) {
        average(chart.averages[2]);
        io.Int(chart.markerWidth);
        io.Str(returns.title1, "Titel 1 Renditeberechnung");
        io.Str(returns.title2, "Titel 2 Renditeberechnung");
        Ints(io, diagrams.developmentLineWidth, diagrams.developmentLineColour);
    }
    // The diagrams' titles, the positions diagram's line and the diagrams' currency came
    // with 30501002; older files give the unnamed slot after the titles the value of the
    // unnamed slot before them.
    const size_t previousLast = cursor.Int(after(20201001));
    const bool hasViewGroup = atLeast(30501002);
    if (hasViewGroup) {
        io.Str(diagrams.developmentTitle, "Titel Diagramm Depotentwicklung");
        io.Str(diagrams.positionsTitle, "Titel Diagramm Wertpapierpositionen");
    }
    const size_t inherits = cursor.Int(hasViewGroup);
    if (hasViewGroup)
        Ints(io, diagrams.positionsLineWidth, diagrams.positionsLineColour, diagrams.currencyId);
    if constexpr (Io::kReading)
        if (!hasViewGroup) o.settingsSlots.ints[inherits] = o.settingsSlots.ints[previousLast];

    auto& securities = o.securitiesList;
    if (after(20201003)) {
        io.Int(securities.columnMask);
        io.Str(securities.title, "Titel Wertpapiere");
        Ints(io, securities.sortKeys[0], securities.sortKeys[1], securities.sortKeys[2],
             securities.sortDescending, securities.useLastPrice, securities.onlyInDepot);
    }
    if (after(20201004)) Ints(io, analysis.priceDecimals, analysis.percentDecimals);
    if (after(20301001)) {
        TransferSeparator(io, o.decimalSeparator, "Dezimaltrennzeichen");
        TransferSeparator(io, o.thousandsSeparator, "Tausendertrennzeichen");
    }
    // The transaction filter came with the selection of securities (version 20301001). Its
    // group "I10 S I D2 I5 S I D2 I4 S2" holds the purchases-and-sales conditions, then
    // those of the account movements, then those of splits and exchanges; the last two
    // integers and the last string of the group stay unnamed slots. The kinds ticked for
    // "nur ausgewählte Vorgänge" are the second list of integers after the selection.
    auto& f = o.transactionFilter;
    if (after(20301001)) {
        Ints(io, f.showPurchases, f.showSales, f.tradesOnlySelected, f.tradesText.active,
             f.tradesText.match, f.tradesAmount.active, f.showMovements, f.movementsOnlySelected,
             f.movementsOnlySelectedKinds, f.movementsText.active);
        io.Str(f.tradesText.text, "Text des Transaktionsfilters");
        io.Int(f.tradesAmount.currencyId);
        io.Double(f.tradesAmount.from);
        io.Double(f.tradesAmount.to);
        Ints(io, f.movementsText.match, f.movementsAmount.active, f.showSplits, f.showExchanges,
             f.corporateOnlySelected);
        io.Str(f.movementsText.text, "Text des Transaktionsfilters");
        io.Int(f.movementsAmount.currencyId);
        io.Double(f.movementsAmount.from);
        io.Double(f.movementsAmount.to);
        Ints(io, f.corporateText.active, f.corporateText.match);
    }
    cursor.Group("I2", after(20301001));
    if (after(20301001)) io.Str(f.corporateText.text, "Text des Transaktionsfilters");
    cursor.Group("S", after(20301001));
    if (after(30401000)) Ints(io, realized.taxSums, realized.annualisation, realized.extraInfo);
    if (after(30401000)) Ints(io, chart.buyColour, chart.sellColour);
    const bool hasGroup30001000 = after(30001000);
    if (hasGroup30001000) {
        io.Int(diagrams.includeCommissions);
        io.Str(chart.title, "Titel Chart");
    }
    const size_t setToOne = cursor.Int(hasGroup30001000);
    cursor.Int(hasGroup30001000);
    if constexpr (Io::kReading)
        if (io.version < 31501001) o.settingsSlots.ints[setToOne] = 1;
    cursor.Group("I", after(30001001));
    if (after(20301001)) {
        io.IntList(o.selectedSecurityIds);
        io.IntList(f.movementKindIds);
    }
    cursor.StrList(after(30101000));
    if (after(30101000)) io.Str(o.isinLabel, "Bezeichnung der ISIN-Spalte");
}

template <class Io, class Doc>
void Trailer(Io& io, Doc& doc) {
    auto& o = doc.options;
    SlotCursor cursor(io, o.trailerSlots);
    if (io.After(30501000)) {
        io.Double(o.screenScaleFactor);
        if constexpr (Io::kReading) o.scaleNotYetDetermined = false;
    }
    auto& diagrams = o.diagrams;
    if (io.After(30701000))
        Ints(io, diagrams.correctAccount, diagrams.correctAssets, diagrams.correctionRelativeToEnd);
    cursor.Group("I2", io.After(30701000));
    cursor.Group("I2", io.After(30801000));
    cursor.Group("I2", io.After(30901000));
    cursor.IntList(io.After(31001000));
    if (io.After(31001000)) SkipIntermediateExtras(io);
    cursor.Group("I", io.AtLeast(31201001));
    cursor.IntList(io.After(31401000));
    if (io.After(31401000)) SkipIntermediateExtras(io);
    // The HTML page of the holdings: its two texts and five switches (31401000), and the
    // switch of its own file name (31601000).
    auto& html = o.htmlPage;
    if (io.After(31401000)) {
        io.Str(html.fontSizes, "Schriftgrößen der HTML-Ansicht");
        io.Str(html.userFileName, "Dateiname der HTML-Ansicht");
        Ints(io, html.securityData, html.buyPriceBesidePieces, html.targetStopColumn,
             html.potentialRiskColumn, html.dividendColumns);
    }
    if (io.After(31601000)) io.Int(html.userFile);
    if (io.After(31601000)) io.Str(o.diagramsAppearance.face, "Schriftart der Diagramme");
    // The four trend thresholds (31701000), then the fetch-mode flag and an unnamed integer.
    auto& internet = o.internetQuotes;
    if (io.After(31701000)) {
        io.Double(internet.trendStrongRise);
        io.Double(internet.trendRise);
        io.Double(internet.trendStrongFall);
        io.Double(internet.trendFall);
    }
    if (io.After(31801000)) io.Int(internet.fastFetch);
    cursor.Int(io.After(31801000));
    if (io.After(31901000)) {
        io.Str(o.ownCategoryCaption1, "Eigene Kategorie 1");
        io.Str(o.ownCategoryCaption2, "Eigene Kategorie 2");
    }
    cursor.Group("I", io.After(31901000));
    if (io.After(32001000)) io.Int(o.rememberTransactionDate);
}

}  // namespace

void TransferSettingsBlock(ArchiveReader& io, CFolari2Doc& doc) { SettingsBlock(io, doc); }
void TransferSettingsBlock(ArchiveWriter& io, const CFolari2Doc& doc) { SettingsBlock(io, doc); }
void TransferTrailer(ArchiveReader& io, CFolari2Doc& doc) { Trailer(io, doc); }
void TransferTrailer(ArchiveWriter& io, const CFolari2Doc& doc) { Trailer(io, doc); }

void AdjustOldColumnMasks(DocumentOptions& options, uint32_t version) {
    auto adjust = [&](int32_t& mask, uint32_t movedBits) {
        auto bits = static_cast<uint32_t>(mask);
        if (version < 20101009) bits = (bits & 0x0FFFFFFFu) | (bits & 0xF0000000u) >> 1;
        // Columns were inserted at bit 4 later; the moved columns make room for them.
        if (version < 30901001) bits = (bits & ~movedBits) | (bits & movedBits) << 1;
        mask = static_cast<int32_t>(bits);
    };
    adjust(options.holdings.columnMask, 0x30u);  // bits 4-5
    adjust(options.realized.columnMask, 0xF0u);  // bits 4-7
}

}  // namespace pf

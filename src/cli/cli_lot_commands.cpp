#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_commands_list.h"
#include "cli/cli_lot_choice.h"
#include "engine/split_exchange_form.h"
#include "engine/stop_target.h"

namespace pf::cli {

int Split(const Context& c) {
    SplitForm form;
    if (const int code = RequiredDate(c, "split", "--date", form.date)) return code;
    const std::optional<std::string> wkn = Required(c, "split", "--security");
    if (!wkn) return 2;
    for (const char* name : {"--new", "--old"})
        if (!Required(c, "split", name)) return 2;
    form.newPieces = *c.args.Option("--new");
    form.oldPieces = *c.args.Option("--old");
    if (const auto text = c.args.Option("--text")) form.text = *text;
    form.permanent = c.args.Flag("--permanent");
    return ChangeFile(c, [&](CFolari2Doc& doc) {
        const CFL2Wertpapier* security = FindSecurityByWkn(doc, *wkn);
        if (security == nullptr) return UnknownSecurity(c, *wkn);
        form.nameSecurityId = form.codeSecurityId = security->id;
        // The question about the permanent adjustment is answered with Yes by --permanent.
        if (const MaybeMessage m = form.Check(doc); IsRefusal(m)) return Refuse(c, *m);
        return Stored(c, form.Apply(doc));
    });
}

int Exchange(const Context& c) {
    ExchangeForm form;
    if (const int code = RequiredDate(c, "exchange", "--date", form.date)) return code;
    for (const char* name : {"--from", "--to", "--new", "--old"})
        if (!Required(c, "exchange", name)) return 2;
    const std::string fromWkn = *c.args.Option("--from");
    const std::string toWkn = *c.args.Option("--to");
    form.newPieces = *c.args.Option("--new");
    form.oldPieces = *c.args.Option("--old");
    if (const auto text = c.args.Option("--text")) form.text = *text;
    form.keepPurchaseDate = c.args.Flag("--keep-purchase-date");
    std::vector<LotEntry> entries;
    if (!LotsOption(c, entries)) return 2;
    // Without --lots the dialog's "älteste Positionen umtauschen" takes the pieces.
    form.oldestFirst = entries.empty();
    return ChangeFile(c, [&](CFolari2Doc& doc) {
        const CFL2Wertpapier* source = FindSecurityByWkn(doc, fromWkn);
        if (source == nullptr) return UnknownSecurity(c, fromWkn);
        const CFL2Wertpapier* target = FindSecurityByWkn(doc, toWkn);
        if (target == nullptr) return UnknownSecurity(c, toWkn);
        form.sourceNameId = form.sourceCodeId = source->id;
        form.targetName = target->name;
        form.targetCode = target->wkn;
        if (const int code = ReadLotChoice(c, doc, entries, form.Lots(doc), form.distributed))
            return code;
        if (const MaybeMessage m = form.Check(doc); IsRefusal(m)) return Refuse(c, *m);
        if (!entries.empty())
            if (const int code =
                    CheckLotChoiceTaken(c, doc, form.Lots(doc), form.distributed, "umgetauscht"))
                return code;
        return Stored(c, form.Apply(doc));
    });
}

int StopTarget(const Context& c) {
    int32_t positionNo = -1;
    if (const int code = RequiredNumber(c, "stop", "--position", positionNo)) return code;
    return ChangeFile(c, [&](CFolari2Doc& doc) {
        StopTargetForm form;
        form.quoteDate = Today(c.clock);
        const std::vector<StopTargetRow> rows = form.Rows(doc);
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const StopTargetRow& r) {
            return r.positionNo == positionNo;
        });
        if (row == rows.end()) {
            c.err << "Position " << positionNo
                  << " ist keine offene Position; Stopp- und Zielkurse gibt es nur für "
                     "offene Positionen.\n";
            return 1;
        }
        // The fields start with the lot's prices; an option replaces one, "" clears it.
        form.Select(doc, *row);
        if (const auto stop = c.args.Option("--stop")) form.input.stopText = *stop;
        if (const auto target = c.args.Option("--target")) form.input.targetText = *target;
        if (const MaybeMessage m = form.Check(doc); IsRefusal(m)) return Refuse(c, *m);
        form.Apply(doc);
        return 0;
    });
}

}  // namespace pf::cli

#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "model/account_records.h"
#include "model/currency.h"
#include "model/document_options.h"
#include "model/quote_dialog_memory.h"
#include "model/security.h"
#include "model/transaction.h"

namespace pf {

// Result of a document operation that can refuse. The numbers are part of the contract
// with the dialogs, which map them to their messages and focus fields.
enum class DocResult : int {
    Ok = 0,
    FirstFieldEmpty = 1,
    SecondFieldEmpty = 2,
    FirstKeyExists = 11,
    SecondKeyExists = 12,
    UnknownId = 21,
};

struct AddResult {
    DocResult result;
    int32_t id;  // the new id when result is Ok, else -1
};

// The depot master data.
struct DepotMasterData {
    std::string holderName;
    std::string holderAddress;  // may hold line breaks
    std::string bankCode;
    std::string accountNumber;
    std::string depotNumber;

    bool operator==(const DepotMasterData&) const = default;
};

// A former national currency of the euro area and its fixed rate to the euro.
struct LegacyCurrency {
    const char* symbol;
    const char* name;
    double unitsPerEuro;
};
// The eleven legacy currencies in the order of the wizard's bit mask (row i = bit i).
std::span<const LegacyCurrency> LegacyCurrencies();

// Choices of the new-file wizard.
struct NewDocumentChoices {
    // Legacy currencies to seed beside the euro, bit i = row i of the legacy table.
    uint32_t legacyCurrencyMask = 0;
    // A base currency of the user's own instead of the euro (when the symbol is non-empty).
    std::string ownBaseSymbol;
    std::string ownBaseName;
    DepotMasterData depot;
    // Symbol of the currency in which the settlement account starts.
    std::string initialAccountCurrencySymbol = "EUR";
};

// Who hears of a document's edits, and the state of an edit in progress. Both belong to the
// document object, not to its value: a copy starts with no listeners and outside any edit,
// and assigning another document's value (NewDocument, reading a file into it) keeps the
// listeners and the edit in progress of the target.
class DocumentEditState {
  public:
    using Listener = std::function<void()>;

    DocumentEditState() = default;
    DocumentEditState(const DocumentEditState&) {}
    DocumentEditState& operator=(const DocumentEditState&) { return *this; }

    int Add(Listener listener);
    void Remove(int token);
    // Calls every listener once; a listener may remove itself (or another) while it runs.
    void Notify() const;

    int depth = 0;         // nesting of CFolari2Doc::Edit
    bool changed = false;  // some edit of the current outermost one changed the document

  private:
    std::vector<std::pair<int, Listener>> listeners_;
    int nextToken_ = 1;
};

// One portfolio: every record, the master data, the password and the options. Records
// refer to each other by id; the lists own their records.
class CFolari2Doc {
  public:
    // Next-id counters; ids are never reused.
    int32_t nextKindId = 0;
    int32_t nextPositionNo = 0;
    int32_t nextTransactionId = 0;
    int32_t nextCurrencyId = 0;
    int32_t nextSecurityId = 0;

    std::vector<CFL2KontoVorgang> accountMovementKinds;
    std::vector<CFL2Transaktion> transactions;  // sorted by date, type, id
    std::vector<CFL2Waehrung> currencies;
    std::vector<CFL2Wertpapier> securities;

    DepotMasterData depot;
    int32_t initialAccountCurrencyId = 0;

    std::vector<CFL2KtoWUmst> accountCurrencyChanges;
    std::vector<CFL2SpekFristUmst> speculationPeriodChanges;
    std::vector<CFL2StoppZielKurs> stopTargets;
    std::vector<CFL2StPflKateg> taxCategories;  // order of evaluation

    CQRNKennwort password;
    DocumentOptions options;

    // Clears everything and seeds a new portfolio from the wizard's choices.
    void NewDocument(const NewDocumentChoices& choices, CQRNDatum today);

    bool IsModified() const { return modified_; }
    void SetModified(bool modified = true) { modified_ = modified; }

    // The one way a change reaches the document's views. Runs `operation` (called with the
    // document, or with nothing), which makes one change and returns whether it changed
    // anything; an operation that returns nothing counts as a change. After a change the
    // document is marked modified and every edit listener is told once; an operation that
    // refuses (returns false) leaves the flag and the listeners alone. Edits made inside an
    // operation belong to it: the listeners hear of the whole once, after the outermost
    // edit. An exception from the operation goes on to the caller; since the operation may
    // have changed part of the document before it threw, the document is then marked
    // modified and the listeners are told. Returns what the operation reported.
    template <class Operation>
    bool Edit(Operation&& operation);

    // Registers a listener for Edit and returns the token that removes it again.
    int AddEditListener(DocumentEditState::Listener listener) {
        return edits_.Add(std::move(listener));
    }
    void RemoveEditListener(int token) { edits_.Remove(token); }

    // Lookups by id; nullptr when absent.
    const CFL2Waehrung* FindCurrency(int32_t id) const;
    CFL2Waehrung* FindCurrency(int32_t id);
    const CFL2Waehrung* FindCurrencyBySymbol(const std::string& symbol) const;
    const CFL2Wertpapier* FindSecurity(int32_t id) const;
    CFL2Wertpapier* FindSecurity(int32_t id);
    const CFL2KontoVorgang* FindAccountMovementKind(int32_t id) const;
    const CFL2KontoVorgang* FindAccountMovementKindByName(const std::string& name) const;
    const CFL2Transaktion* FindTransaction(int32_t id) const;

    // 0 and the new id; 1 if the symbol is empty; 11 if the symbol exists.
    AddResult AddCurrency(const std::string& symbol, const std::string& name, bool isFixed,
                          double fixedRate1, double fixedRate2, int32_t referenceCurrencyId,
                          int32_t quoteFormat);

    // Takes symbol, name, rate kind, fixed rates, reference currency and quote format into
    // the currency `id`, with the rules of AddCurrency for the fixed rates (the base currency
    // stays fixed at 1.0 / 1.0, a variable currency gets 1.0 / 1.0); its rate history is
    // kept. 1 if the symbol is empty; 11 if another currency has the symbol; 21 if `id` is
    // unknown.
    DocResult ModifyCurrency(int32_t id, const std::string& symbol, const std::string& name,
                             bool isFixed, double fixedRate1, double fixedRate2,
                             int32_t referenceCurrencyId, int32_t quoteFormat);
    // Whether deleting the currency `id` would leave a dangling reference: it is the base
    // currency, the quote currency of a security, a currency of a transaction, the account
    // currency at some time, the reference currency of another currency, or the currency a
    // report is shown in.
    bool CurrencyInUse(int32_t id) const;
    // Removes the currency `id` with its rate history; false (and no change) when it is
    // unknown or in use.
    bool DeleteCurrency(int32_t id);

    // Adds a security with the fields of `prototype` (its id, quotes and splits are ignored):
    // 0 and the new id; 1 empty name; 2 empty WKN; 11 the name exists; 12 the WKN exists
    // (the last hit in list order decides).
    AddResult AddSecurity(const CFL2Wertpapier& prototype);
    // Takes the editable fields of `edited` into the security `id`; the same codes as
    // AddSecurity (ignoring the security itself), 21 for an unknown id or a new quote
    // currency that does not exist. When the quote currency changes, every quote is
    // converted into the new currency at its own date and rounded to `quoteDecimals`.
    DocResult ModifySecurity(int32_t id, const CFL2Wertpapier& edited, int quoteDecimals = 2);
    // The codes AddSecurity (ignoreId -1) or ModifySecurity (ignoreId = the edited
    // security) would give for the name and WKN of `s`, without changing anything.
    DocResult CheckSecurityKeys(const CFL2Wertpapier& s, int32_t ignoreId) const;
    // Whether a transaction refers to security `id`: bought, sold, split, given or received
    // in an exchange, or the security an account movement relates to.
    bool IsSecurityUsed(int32_t id) const;
    // Removes security `id` with its quote history unless a transaction uses it. Returns
    // whether it removed one. Ids are never reused, so ids left in the options (the
    // selected securities) refer to nothing afterwards.
    bool DeleteSecurity(int32_t id);

    // The address templates of the internet quote import, in list order, each
    // "address*******recognition text*******P" (or "K" for a decimal comma). The file keeps
    // them in the settings block's list of strings.
    const std::vector<std::string>& InternetTemplates() const;
    std::vector<std::string>& InternetTemplates();

    // Appends a kind of account movement and returns its id.
    int32_t AddAccountMovementKind(const std::string& name, bool isOutflow, bool allowsSecurityLink,
                                   bool isCapital);

    // Inserts before the first transaction that sorts after `t` (date, type, id); with
    // `resort`, the whole list is checked afterwards.
    void InsertTransactionSorted(CFL2Transaktion t, bool resort);
    // Rebuilds the list by sorted insertion if any neighbouring pair is out of order.
    // Returns whether it had to.
    bool ResortTransactions();

    // Rebuilds every security's split list from the split transactions, in list order.
    void RebuildSplitLists();

    // The account currency in force on `date`: the last change (in list order) dated on or
    // before it, else the initial account currency.
    int32_t AccountCurrencyAt(CQRNDatum date) const;

    // The date last used in a transaction dialog while this document is open (not stored);
    // new transactions start with it when the option rememberTransactionDate is set.
    std::optional<CQRNDatum> lastTransactionDate;
    // The choices the quote import and quotes-from-text dialogs start with next time.
    QuoteDialogMemory quoteDialogs;
    // The date a new transaction dialog starts with.
    CQRNDatum NewTransactionDate(CQRNDatum today) const;

    // Seeds the fourteen standard account movement kinds (ids from nextKindId).
    void SeedAccountMovementKinds();
    // Replaces the tax categories with the five standard ones.
    void SeedTaxCategories();

  private:
    void EndEdit(bool changed);
    bool modified_ = false;
    DocumentEditState edits_;
};

template <class Operation>
bool CFolari2Doc::Edit(Operation&& operation) {
    ++edits_.depth;
    bool changed = true;
    try {
        if constexpr (std::is_invocable_v<Operation&, CFolari2Doc&>) {
            if constexpr (std::is_void_v<std::invoke_result_t<Operation&, CFolari2Doc&>>)
                operation(*this);
            else
                changed = static_cast<bool>(operation(*this));
        } else {
            if constexpr (std::is_void_v<std::invoke_result_t<Operation&>>)
                operation();
            else
                changed = static_cast<bool>(operation());
        }
    } catch (...) {
        EndEdit(true);
        throw;
    }
    EndEdit(changed);
    return changed;
}

}  // namespace pf

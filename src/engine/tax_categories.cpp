#include "engine/tax_categories.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "model/date.h"

namespace pf {
namespace {

bool IsValidIndex(const std::vector<CFL2StPflKateg>& list, int index) {
    return index >= 0 && static_cast<size_t>(index) < list.size();
}

}  // namespace

std::optional<int64_t> HoldingTimeLimit(const CFL2StPflKateg& category, CQRNDatum purchaseDate) {
    const int64_t value = category.holdingTimeValue;
    switch (category.holdingTimeUnit) {
        case kDays:
            return static_cast<int64_t>(purchaseDate.DayNumber()) + value;
        case kMonths:
            return AddMonths(purchaseDate, value);
        case kYears:
            return AddYears(purchaseDate, value);
        default:
            return std::nullopt;
    }
}

bool MatchesTaxCategory(const CFL2StPflKateg& category, CQRNDatum purchaseDate, CQRNDatum saleDate,
                        bool subjectToHalfIncome) {
    if (category.useSalePeriod != 0 &&
        !(category.salePeriodFrom <= saleDate && saleDate <= category.salePeriodTo))
        return false;
    if (category.usePurchasePeriod != 0 &&
        !(category.purchasePeriodFrom <= purchaseDate && purchaseDate <= category.purchasePeriodTo))
        return false;
    if (category.useHoldingTime != 0) {
        const std::optional<int64_t> limit = HoldingTimeLimit(category, purchaseDate);
        if (!limit) return false;
        const int64_t sale = saleDate.DayNumber();
        bool held = false;
        switch (category.holdingTimeComparison) {
            case kLessThan:
                held = sale < *limit;
                break;
            case kAtMost:
                held = sale <= *limit;
                break;
            case kMoreThan:
                held = sale > *limit;
                break;
            case kAtLeast:
                held = sale >= *limit;
                break;
            default:
                held = false;
        }
        if (!held) return false;
    }
    if (category.useHalfIncome != 0) {
        const int32_t wanted = subjectToHalfIncome ? kSubjectToHalfIncome : kNotSubjectToHalfIncome;
        if (category.halfIncomeOption != wanted) return false;
    }
    return true;
}

int MatchTaxCategory(const std::vector<CFL2StPflKateg>& categories, CQRNDatum purchaseDate,
                     CQRNDatum saleDate, bool subjectToHalfIncome) {
    for (size_t i = 0; i < categories.size(); ++i) {
        if (MatchesTaxCategory(categories[i], purchaseDate, saleDate, subjectToHalfIncome))
            return static_cast<int>(i);
    }
    return -1;
}

int MatchTaxCategory(const CFolari2Doc& doc, CQRNDatum purchaseDate, CQRNDatum saleDate,
                     bool subjectToHalfIncome) {
    return MatchTaxCategory(doc.taxCategories, purchaseDate, saleDate, subjectToHalfIncome);
}

std::vector<std::string> TaxCategoryColumnHeaders() {
    return {"Bezeichnung",  "Abk.",          "Verkaufzeitraum",
            "Kaufzeitraum", "Zeit im Depot", "Halbeinkünftverfahren"};
}

std::string PeriodColumnText(bool used, CQRNDatum from, CQRNDatum to) {
    const bool fromFirst = from.DayNumber() == CQRNDatum::kFirstValidDay;
    const bool toLast = to.DayNumber() == CQRNDatum::kLastValidDay;
    if (!used || (fromFirst && toLast)) return "beliebig";
    if (fromFirst) return "bis " + to.FormatLong();
    if (toLast) return "ab " + from.FormatLong();
    return "von " + from.FormatLong() + " bis " + to.FormatLong();
}

std::string HoldingTimeColumnText(const CFL2StPflKateg& category) {
    if (category.useHoldingTime == 0) return "beliebig";
    const int32_t comparison = category.holdingTimeComparison;
    const int32_t unit = category.holdingTimeUnit;
    const bool knownComparison =
        comparison >= 0 && static_cast<size_t>(comparison) < kHoldingTimeComparisonTexts.size();
    const bool knownUnit = unit >= 0 && static_cast<size_t>(unit) < kHoldingTimeUnitTexts.size();
    return std::string(knownComparison ? kHoldingTimeComparisonTexts[comparison] : "?") + " " +
           std::to_string(category.holdingTimeValue) + " " +
           (knownUnit ? kHoldingTimeUnitTexts[unit] : "?");
}

std::string HalfIncomeColumnText(const CFL2StPflKateg& category) {
    if (category.useHalfIncome == 0) return "beliebig";
    const int32_t option = category.halfIncomeOption;
    if (option < 0 || static_cast<size_t>(option) >= kHalfIncomeTexts.size()) return "?";
    return kHalfIncomeTexts[option];
}

TaxCategoryRow TaxCategoryColumnTexts(const CFL2StPflKateg& category) {
    return {category.name,
            category.abbreviation,
            PeriodColumnText(category.useSalePeriod != 0, category.salePeriodFrom,
                             category.salePeriodTo),
            PeriodColumnText(category.usePurchasePeriod != 0, category.purchasePeriodFrom,
                             category.purchasePeriodTo),
            HoldingTimeColumnText(category),
            HalfIncomeColumnText(category)};
}

TaxCategoryButtons TaxCategoryButtonStates(const CFolari2Doc& doc, int selected) {
    TaxCategoryButtons buttons;
    if (!IsValidIndex(doc.taxCategories, selected)) return buttons;
    buttons.edit = true;
    buttons.remove = true;
    buttons.moveUp = selected > 0;
    buttons.moveDown = static_cast<size_t>(selected) + 1 < doc.taxCategories.size();
    return buttons;
}

int AppendTaxCategory(CFolari2Doc& doc, const CFL2StPflKateg& category) {
    doc.Edit([&] { doc.taxCategories.push_back(category); });
    return static_cast<int>(doc.taxCategories.size()) - 1;
}

bool ReplaceTaxCategory(CFolari2Doc& doc, int index, const CFL2StPflKateg& category) {
    if (!IsValidIndex(doc.taxCategories, index)) return false;
    return doc.Edit([&] { doc.taxCategories[static_cast<size_t>(index)] = category; });
}

Message TaxCategoryDeleteQuestion() {
    return Message::Question(kTaxCategoryTitle, "Wirklich löschen?");
}

bool DeleteTaxCategory(CFolari2Doc& doc, int index) {
    if (!IsValidIndex(doc.taxCategories, index)) return false;
    return doc.Edit([&] { doc.taxCategories.erase(doc.taxCategories.begin() + index); });
}

int MoveTaxCategoryUp(CFolari2Doc& doc, int index) {
    if (!IsValidIndex(doc.taxCategories, index) || index == 0) return -1;
    doc.Edit([&] {
        std::swap(doc.taxCategories[static_cast<size_t>(index)],
                  doc.taxCategories[static_cast<size_t>(index) - 1]);
    });
    return index - 1;
}

int MoveTaxCategoryDown(CFolari2Doc& doc, int index) {
    if (!IsValidIndex(doc.taxCategories, index) ||
        static_cast<size_t>(index) + 1 >= doc.taxCategories.size())
        return -1;
    doc.Edit([&] {
        std::swap(doc.taxCategories[static_cast<size_t>(index)],
                  doc.taxCategories[static_cast<size_t>(index) + 1]);
    });
    return index + 1;
}

TaxCategoryForm TaxCategoryForm::New() {
    TaxCategoryForm form;
    for (CQRNDatum* from : {&form.category.salePeriodFrom, &form.category.purchasePeriodFrom})
        from->SetDayNumber(CQRNDatum::kFirstValidDay);
    for (CQRNDatum* to : {&form.category.salePeriodTo, &form.category.purchasePeriodTo})
        to->SetDayNumber(CQRNDatum::kLastValidDay);
    return form;
}

TaxCategoryForm TaxCategoryForm::ForEdit(const CFolari2Doc& doc, int index) {
    if (!IsValidIndex(doc.taxCategories, index)) return New();
    TaxCategoryForm form;
    form.index = index;
    form.category = doc.taxCategories[static_cast<size_t>(index)];
    return form;
}

MaybeMessage TaxCategoryForm::Check(const CFolari2Doc&) const {
    if (MaybeMessage m = CheckStorableText(category.name, "Bezeichnung", kTaxCategoryTitle,
                                           kTaxCategoryNameField))
        return m;
    return CheckStorableText(category.abbreviation, "Abkürzung", kTaxCategoryTitle,
                             kTaxCategoryAbbreviationField);
}

int TaxCategoryForm::Apply(CFolari2Doc& doc) const {
    if (Check(doc)) return -1;
    if (index == -1) return AppendTaxCategory(doc, category);
    return ReplaceTaxCategory(doc, index, category) ? index : -1;
}

static_assert(EntryForm<TaxCategoryForm>);

}  // namespace pf

#include "reports/internal_rate.h"

#include <algorithm>
#include <cmath>

#include "reports/report_format.h"

namespace pf {

namespace {

struct Term {
    double years;  // from the first date, 365 days a year
    Amount amount;
};

// Present value at `rate`. A discount factor that underflows to 0 (a rate close to -1 over
// many years) would divide by zero; such terms are left out.
double PresentValue(const std::vector<Term>& terms, double rate) {
    double sum = 0.0;
    for (const Term& term : terms) {
        const double power = std::pow(1.0 + rate, term.years);
        if (power == 0.0) continue;
        sum += term.amount / power;
    }
    return sum;
}

}  // namespace

std::vector<DatedPayment> MergePaymentsByDate(std::vector<DatedPayment> payments) {
    std::stable_sort(payments.begin(), payments.end(),
                     [](const DatedPayment& a, const DatedPayment& b) { return a.date < b.date; });
    std::vector<DatedPayment> merged;
    for (size_t i = 0; i < payments.size();) {
        DatedPayment day{payments[i].date, 0.0};
        for (; i < payments.size() && payments[i].date == day.date; ++i)
            day.amount += payments[i].amount;
        // The payments are cent amounts; rounding the sum keeps 0.1 + 0.2 - 0.3 from
        // surviving as a binary residue.
        day.amount = RoundTo(day.amount, 2);
        if (day.amount != 0.0) merged.push_back(day);
    }
    return merged;
}

InternalRate SearchRate(const std::function<double(double)>& presentValue) {
    InternalRate result;
    double rate = 0.0;
    double step = 0.1;
    int reversals = 0;
    int iterations = 0;
    double value = 1.0;
    // Puts the rate halfway between -1 and where it came from, moving upward again.
    const auto stayAboveMinusOne = [&rate, &step] {
        const double a = std::fabs(step);
        step = a / 2.0;
        rate = a / 2.0 - 1.0;
    };
    while (value != 0.0 && std::fabs(step) > 1e-8 && rate <= kHighestRate) {
        value = presentValue(rate);
        if (value > 0.0 && step < 0.0) {
            ++reversals;
            step = -step / 2.0;
            rate += step;
        } else if (value < 0.0 && step > 0.0) {
            step = -step / 2.0;
            rate += step;
            if (rate <= -1.0) stayAboveMinusOne();
            ++reversals;
        } else if (value != 0.0) {
            rate += step;
            if (reversals == 0)
                step *= 2.0;
            else if (rate <= -1.0)
                stayAboveMinusOne();
        }
        ++iterations;
        if (iterations >= kRateIterationLimit) {
            result.iterations = iterations;
            return result;
        }
    }
    result.iterations = iterations;
    if (rate <= kHighestRate) {
        result.outcome = InternalRate::Outcome::Found;
        result.rate = rate;
    } else {
        result.outcome = InternalRate::Outcome::AboveLimit;
    }
    return result;
}

InternalRate EffectiveRate(std::vector<DatedPayment> payments) {
    const std::vector<DatedPayment> merged = MergePaymentsByDate(std::move(payments));
    if (merged.size() < 2) return {};

    std::vector<Term> terms;
    terms.reserve(merged.size());
    const uint32_t first = merged.front().date.DayNumber();
    for (const DatedPayment& p : merged)
        terms.push_back({static_cast<double>(p.date.DayNumber() - first) / 365.0, p.amount});
    return SearchRate([&terms](double rate) { return PresentValue(terms, rate); });
}

std::string FormatRate(const InternalRate& rate, const DocumentOptions& options) {
    switch (rate.outcome) {
        case InternalRate::Outcome::Found:
            return FormatNumber(rate.Percent(), 3, 3, false, options) + " %";
        case InternalRate::Outcome::AboveLimit:
            return "> " + FormatNumber(100.0 * kHighestRate, 3, 3, false, options) + " %";
        case InternalRate::Outcome::None:
            break;
    }
    return "-";
}

}  // namespace pf

#include "reports/annualisation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "model/document_options.h"

namespace pf {
namespace {

// The bisection stops once the bracket is 0.00001 wide and returns its midpoint, so the
// result (in percent) is within 100 × 0.000005 of the root; allow twice that.
constexpr double kTolerancePercent = 0.001;

// Independent evaluation of Σ amount × g(r, days / 365).
double Grow(const std::vector<CashFlowItem>& flows, double r, int method) {
    double sum = 0.0;
    for (const CashFlowItem& f : flows) {
        const double t = f.days / 365.0;
        if (method == kLinear)
            sum += f.amount * (1.0 + r * t);
        else if (method == kContinuous)
            sum += f.amount * std::exp(r * t);
        else
            sum += f.amount * std::pow(1.0 + r, t);
    }
    return sum;
}

double Invested(const std::vector<CashFlowItem>& flows) {
    double sum = 0.0;
    for (const CashFlowItem& f : flows) sum += f.amount;
    return sum;
}

TEST(AnnualisedPercent, OneFlowMatchesTheClosedForm) {
    struct Case {
        int method;
        int days;
        double amount;
        double target;
    };
    const Case cases[] = {
        {kExponential, 365, 1000.0, 1100.0},   // exactly one year: 10 %
        {kExponential, 730, 1000.0, 1210.0},   // two years: still 10 %
        {kExponential, 100, 1000.0, 1050.0},   // under a year: compounded up
        {kExponential, 3000, 2500.0, 1900.0},  // a loss over years
        {kExponential, 365, 1000.0, 1.0},      // -99.9 %, inside the last downward step
        {kExponential, 1, 1000.0, 1010.0},     // one day, far above 1000 %
        {kLinear, 365, 1000.0, 1100.0},
        {kLinear, 100, 1000.0, 1050.0},
        {kLinear, 3000, 2500.0, 1900.0},
        {kLinear, 365, 1000.0, 10.0},    // -99 %
        {kLinear, 200, 1000.0, -500.0},  // a loss beyond the stake: below -100 % but not capped
        {kContinuous, 365, 1000.0, 1100.0},
        {kContinuous, 100, 1000.0, 1050.0},
        {kContinuous, 3000, 2500.0, 1900.0},
        {kContinuous, 365, 1000.0, 1.0},   // ln(0.001) = -690.8 %
        {kContinuous, 1, 1000.0, 1020.0},  // 365 × ln(1.02) = 722.8 %
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "method " << c.method << ", " << c.days << " days, "
                                          << c.amount << " -> " << c.target);
        const double ratio = c.target / c.amount;
        const double years = c.days / 365.0;
        double expected;
        if (c.method == kLinear)
            expected = (ratio - 1.0) / years;
        else if (c.method == kContinuous)
            expected = std::log(ratio) / years;
        else
            expected = std::pow(ratio, 1.0 / years) - 1.0;
        const std::vector<CashFlowItem> flows = {{c.days, c.amount}};
        EXPECT_NEAR(AnnualisedPercent(flows, c.target, c.target - c.amount, c.method),
                    100.0 * expected, kTolerancePercent);
    }
}

TEST(AnnualisedPercent, SeveralFlowsReachTheTarget) {
    struct Case {
        int method;
        std::vector<CashFlowItem> flows;
        double target;
    };
    const Case cases[] = {
        {kExponential, {{1, 500.0}, {400, 1200.0}, {2000, 300.0}}, 2400.0},
        {kExponential, {{1, 500.0}, {400, 1200.0}, {2000, 300.0}}, 1500.0},
        {kLinear, {{30, 100.0}, {365, 100.0}, {900, 100.0}}, 345.0},
        {kLinear, {{30, 100.0}, {365, 100.0}, {900, 100.0}}, 250.0},
        {kContinuous, {{10, 800.0}, {5000, 50.0}}, 1000.0},
        {kContinuous, {{10, 800.0}, {5000, 50.0}}, 700.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "method " << c.method << ", target " << c.target);
        const double percent =
            AnnualisedPercent(c.flows, c.target, c.target - Invested(c.flows), c.method);
        const double r = percent / 100.0;
        // F is increasing: the root lies between r - 0.00001 and r + 0.00001.
        EXPECT_LE(Grow(c.flows, r - 0.00001, c.method), c.target);
        EXPECT_GE(Grow(c.flows, r + 0.00001, c.method), c.target);
        EXPECT_NEAR(Grow(c.flows, r, c.method), c.target, c.target * 1e-3);
    }
}

TEST(AnnualisedPercent, StopsAtTheLimits) {
    struct Case {
        const char* name;
        int method;
        int days;
        double amount;
        double target;
        double expected;
    };
    const Case cases[] = {
        {"exponential above 10,000 %", kExponential, 30, 1000.0, 10000.0, 10001.0},
        {"linear above 10,000 %", kLinear, 1, 1000.0, 1300.0, 10001.0},  // 10,950 %
        {"continuous above 10,000 %", kContinuous, 1, 1000.0, 1400.0, 10001.0},
        {"exponential total loss", kExponential, 365, 1000.0, 0.0, -100.0},
        {"exponential below nothing", kExponential, 365, 1000.0, -10.0, -100.0},
        {"linear below -10,000 %", kLinear, 1, 1000.0, 500.0, -10001.0},  // -18,250 %
        {"continuous below -10,000 %", kContinuous, 1, 1000.0, 1.0, -10001.0},
        {"no investment but a gain", kExponential, 0, 0.0, 100.0, 10001.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<CashFlowItem> flows = {{c.days, c.amount}};
        EXPECT_EQ(AnnualisedPercent(flows, c.target, c.target - c.amount, c.method), c.expected);
    }
    // Just below the upper limit the bisection still runs: 9,000 % a year, linearly.
    const std::vector<CashFlowItem> justBelow = {{365, 1000.0}};
    EXPECT_NEAR(AnnualisedPercent(justBelow, 91000.0, 90000.0, kLinear), 9000.0, kTolerancePercent);
}

TEST(AnnualisedPercent, ExactlyZeroGainIsZero) {
    const std::vector<CashFlowItem> flows = {{1, 1000.0}, {4000, 3000.0}};
    for (int method : {kLinear, kExponential, kContinuous}) {
        SCOPED_TRACE(method);
        EXPECT_EQ(AnnualisedPercent(flows, 4000.0, 0.0, method), 0.0);
        // The gain alone decides: even a target off the invested sum gives 0.
        EXPECT_EQ(AnnualisedPercent(flows, 5000.0, 0.0, method), 0.0);
    }
    EXPECT_EQ(AnnualisedPercent({}, 0.0, 0.0, kExponential), 0.0);
}

// A lot with cost basis 0 held for decades once made the sum NaN (0 × e^(r·t) overflows
// for steep rates) and the search ended on a made-up rate.
TEST(AnnualisedPercent, ZeroAmountHeldForDecadesDoesNotDisturbTheSearch) {
    const double target = 1000.0 * std::exp(20.0 / 365.0);  // 2,000 % a year over one day
    const std::vector<CashFlowItem> flows = {{1, 1000.0}, {20000, 0.0}};
    EXPECT_NEAR(AnnualisedPercent(flows, target, target - 1000.0, kContinuous), 2000.0,
                kTolerancePercent);
}

TEST(AnnualisedText, CapsSignAndDecimals) {
    struct Case {
        double percent;
        int decimals;
        const char* decimalSeparator;
        const char* thousandsSeparator;
        const char* expected;
    };
    const Case cases[] = {
        {10001.0, 1, ",", ".", ">9.999,0%"},
        {10000.0001, 1, ",", ".", ">9.999,0%"},
        {10000.0, 1, ",", ".", "+10.000,0%"},  // the cap starts above 10000
        {-10001.0, 1, ",", ".", "<-9.999,0%"},
        {-10000.0, 1, ",", ".", "-10.000,0%"},
        {-100.0, 1, ",", ".", "-100,0%"},
        {12.345, 1, ",", ".", "+12,3%"},
        {12.35, 1, ",", ".", "+12,4%"},  // half away from zero
        {-5.0, 1, ",", ".", "-5,0%"},
        {0.0, 1, ",", ".", "0,0%"},
        {0.04, 1, ",", ".", "0,0%"},  // no sign for what rounds to zero
        {10001.0, 0, ",", ".", ">9.999%"},
        {-10001.0, 2, ",", ".", "<-9.999,00%"},
        {10001.0, 1, ".", ",", ">9,999.0%"},
        {10001.0, 1, ",", "", ">9999,0%"},
        {1234.5678, 2, ",", ".", "+1.234,57%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.percent << " / " << c.decimals);
        EXPECT_EQ(AnnualisedText(c.percent, c.decimals, c.decimalSeparator, c.thousandsSeparator),
                  c.expected);
    }
}

}  // namespace
}  // namespace pf

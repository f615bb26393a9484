#pragma once

#include "model/document.h"

namespace pf {

// Demonstration portfolios with synthetic, reproducible data, built only through the
// document operations a user's dialogs use. 1: a euro investor since 2005 (German shares, a
// fund, a US share in dollars, dividends, a partial sale, a split, an exchange, sales
// before and after 2009). 2: a Deutsche Mark portfolio from 1996 whose account moves to
// the euro on 1.1.2002. 3: a large portfolio (about 100 securities, 20 years of daily
// quotes, thousands of transactions) for trying speed.
inline constexpr int kDemoPortfolioCount = 3;
CFolari2Doc MakeDemoPortfolio(int number);

}  // namespace pf

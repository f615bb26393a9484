// The Tab key walks every entry dialog in reading order: row by row from the top, left to
// right within a row, each focusable field once.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/dialogs/account_currency_dialog.h"
#include "app/dialogs/exchange_dialog.h"
#include "app/dialogs/movement_dialog.h"
#include "app/dialogs/split_dialog.h"
#include "app/dialogs/stop_target_dialog.h"
#include "app/dialogs/trade_dialog.h"
#include "dialog_test.h"
#include "engine/engine_test_util.h"
#include "model/document.h"

namespace pf {
namespace {

using testing::Day;

// The widgets Tab reaches from `first`, in order, until the chain comes round.
std::vector<QWidget*> TabChain(QDialog& dialog) {
    std::vector<QWidget*> chain;
    QWidget* w = &dialog;
    for (int guard = 0; guard < 500; ++guard) {
        w = w->nextInFocusChain();
        if (w == &dialog) break;
        if (w->isVisibleTo(&dialog) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
            w->focusProxy() == nullptr)
            chain.push_back(w);
    }
    return chain;
}

std::string Describe(QWidget* w) {
    std::string name = w->objectName().toStdString();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) name += " '" + b->text().toStdString() + "'";
    if (name.empty()) name = w->metaObject()->className();
    return name;
}

// Each step either moves right within the row or down to a later row; the buttons at the
// bottom come last.
void ExpectReadingOrder(QDialog& dialog, const char* which) {
    SCOPED_TRACE(which);
    dialog.show();
    const std::vector<QWidget*> chain = TabChain(dialog);
    ASSERT_GE(chain.size(), 2u);
    for (size_t i = 1; i < chain.size(); ++i) {
        const QRect a(chain[i - 1]->mapTo(&dialog, QPoint(0, 0)), chain[i - 1]->size());
        const QRect b(chain[i]->mapTo(&dialog, QPoint(0, 0)), chain[i]->size());
        const bool sameRow = b.center().y() >= a.top() && b.center().y() <= a.bottom();
        const bool onward = sameRow ? b.left() >= a.left() : b.center().y() > a.center().y();
        EXPECT_TRUE(onward) << Describe(chain[i - 1]) << " -> " << Describe(chain[i]);
    }
}

class TabOrderTest : public DialogTest {
  protected:
    TabOrderTest() {
        alpha = b.Security("Alpha AG", "100001");
        b.Security("Beta AG", "100002");
        b.Buy(Day(3, 2, 2020), alpha, 10, 100.0);
        b.Buy(Day(2, 3, 2020), alpha, 10, 120.0);
    }
    testing::DocBuilder b;
    int32_t alpha = -1;
    const CQRNDatum today = Day(15, 5, 2020);
};

TEST_F(TabOrderTest, EveryEntryDialogInReadingOrder) {
    CFolari2Doc& doc = b.doc;
    {
        PurchaseDialog d(doc, PurchaseForm::New(doc, today));
        ExpectReadingOrder(d, "Kauf");
    }
    {
        SaleDialog d(doc, SaleForm::New(doc, today));
        Choose(&d, "name", QStringLiteral("Alpha AG"));
        ExpectReadingOrder(d, "Verkauf");
    }
    {
        MovementDialog d(doc, MovementForm::New(doc, today));
        Choose(&d, "kind", QStringLiteral("Dividenden-Gutschrift"));
        Find<QCheckBox>(&d, "linked")->setChecked(true);
        Choose(&d, "name", QStringLiteral("Alpha AG"));
        ExpectReadingOrder(d, "Kontobewegung");
    }
    {
        SplitDialog d(doc, SplitForm::New(doc, today));
        ExpectReadingOrder(d, "Aktiensplit");
    }
    {
        ExchangeDialog d(doc, ExchangeForm::New(doc, today));
        ExpectReadingOrder(d, "Umtausch");
    }
    {
        StopTargetDialog d(doc, today);
        ExpectReadingOrder(d, "Stopp- und Zielkurse");
    }
    {
        AccountCurrencyDialog d(doc, today);
        ExpectReadingOrder(d, "Kontowährung");
    }
}

}  // namespace
}  // namespace pf

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>

#include "model/archive/document_file.h"
#include "model/document.h"

namespace pf {
namespace {

class SecurityList : public ::testing::Test {
  protected:
    void SetUp() override {
        doc.NewDocument({}, DateOf(1, 1, 2020));
        alpha = Add("Alpha", "111");
        beta = Add("Beta", "222");
    }
    int32_t Add(const std::string& name, const std::string& wkn) {
        CFL2Wertpapier s;
        s.name = name;
        s.wkn = wkn;
        return doc.AddSecurity(s).id;
    }
    CFL2Transaktion& Transaction(TransactionType type, int32_t security) {
        CFL2Transaktion t;
        t.id = doc.nextTransactionId++;
        t.type = type;
        t.securityId = security;
        t.date = DateOf(2, 1, 2020);
        doc.transactions.push_back(t);
        return doc.transactions.back();
    }

    CFolari2Doc doc;
    int32_t alpha = -1;
    int32_t beta = -1;
};

TEST_F(SecurityList, EveryKindOfTransactionKeepsItsSecurity) {
    struct Case {
        const char* what;
        TransactionType type;
        bool onOther;  // the security is the one received in an exchange
    };
    const Case cases[] = {
        {"purchase", TransactionType::Buy, false},
        {"sale", TransactionType::Sell, false},
        {"split", TransactionType::Split, false},
        {"exchange, given", TransactionType::Exchange, false},
        {"exchange, received", TransactionType::Exchange, true},
        {"movement relating to it", TransactionType::AccountMovement, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CFolari2Doc before = doc;
        CFL2Transaktion& t = Transaction(c.type, c.onOther ? beta : alpha);
        if (c.onOther) t.otherId = alpha;
        doc.SetModified(false);
        EXPECT_TRUE(doc.IsSecurityUsed(alpha));
        EXPECT_FALSE(doc.DeleteSecurity(alpha));
        EXPECT_NE(doc.FindSecurity(alpha), nullptr);
        EXPECT_FALSE(doc.IsModified());
        doc = before;
    }
}

TEST_F(SecurityList, DeletingAnUnusedSecurityKeepsTheOthersAndTheCounter) {
    // A movement's kind id equal to the security id must not count as a use.
    Transaction(TransactionType::AccountMovement, -1).otherId = alpha;
    EXPECT_FALSE(doc.IsSecurityUsed(alpha));
    doc.FindSecurity(alpha)->quotes.SetQuote(DateOf(3, 1, 2020), 10.0);
    doc.SetModified(false);

    EXPECT_TRUE(doc.DeleteSecurity(alpha));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.FindSecurity(alpha), nullptr);
    ASSERT_NE(doc.FindSecurity(beta), nullptr);
    EXPECT_FALSE(doc.DeleteSecurity(alpha)) << "unknown id";
    // The id is not handed out again.
    EXPECT_GT(Add("Alpha", "111"), beta);
}

TEST_F(SecurityList, CheckSecurityKeysChangesNothing) {
    CFL2Wertpapier s;
    s.name = "Alpha";
    s.wkn = "999";
    EXPECT_EQ(doc.CheckSecurityKeys(s, -1), DocResult::FirstKeyExists);
    EXPECT_EQ(doc.CheckSecurityKeys(s, alpha), DocResult::Ok);
    EXPECT_EQ(doc.securities.size(), 2u);
}

TEST(InternetTemplates, ANewDocumentHasNoneAndTheFileKeepsThem) {
    CFolari2Doc doc;
    doc.NewDocument({}, DateOf(1, 1, 2020));
    const CFolari2Doc& constDoc = doc;
    EXPECT_TRUE(constDoc.InternetTemplates().empty());

    doc.InternetTemplates().push_back("http://kurse.example/***WKN***.htm*******Kurs:*******K");
    doc.InternetTemplates().push_back("http://q.example/?s=***KRZ***********Last*******P");
    const std::string bytes = WriteDocument(doc);
    const ReadResult read =
        ReadDocument(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()),
                     {DateOf(1, 1, 2020), {}});
    EXPECT_EQ(read.doc.InternetTemplates(), doc.InternetTemplates());
}

}  // namespace
}  // namespace pf

#include <gtest/gtest.h>

#include <stdexcept>

#include "model/document.h"

namespace pf {
namespace {

// A document with one listener that counts what it hears.
class DocumentEditTest : public ::testing::Test {
  protected:
    void SetUp() override {
        doc.NewDocument(NewDocumentChoices{}, DateOf(1, 6, 2020));
        token = doc.AddEditListener([this] { ++heard; });
    }

    CFolari2Doc doc;
    int token = 0;
    int heard = 0;
};

TEST_F(DocumentEditTest, AChangeMarksTheDocumentAndIsHeardOnce) {
    ASSERT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.Edit([](CFolari2Doc& d) { d.depot.holderName = "Erika"; }));
    EXPECT_EQ(doc.depot.holderName, "Erika");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(heard, 1);

    // Every edit is heard, also on a document that is already modified.
    EXPECT_TRUE(doc.Edit([] { return true; }));
    EXPECT_EQ(heard, 2);
}

TEST_F(DocumentEditTest, ARefusedEditIsNotHeardAndLeavesTheFlag) {
    EXPECT_FALSE(doc.Edit([] { return false; }));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(heard, 0);
}

TEST_F(DocumentEditTest, NestedEditsAreHeardOnceAfterTheOutermost) {
    struct Case {
        const char* what;
        bool inner, outer;
        int heard;
    };
    const Case cases[] = {
        {"both change", true, true, 1},
        {"only the inner one changes", true, false, 1},
        {"only the outer one changes", false, true, 1},
        {"nothing changes", false, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        doc.SetModified(false);
        heard = 0;
        int heardInside = -1;
        doc.Edit([&](CFolari2Doc& d) {
            d.Edit([&] { return c.inner; });
            d.Edit([&] { return false; });
            heardInside = heard;
            return c.outer;
        });
        EXPECT_EQ(heardInside, 0) << "nothing is heard before the outermost edit ends";
        EXPECT_EQ(heard, c.heard);
        EXPECT_EQ(doc.IsModified(), c.heard == 1);
    }
}

TEST_F(DocumentEditTest, AnOperationThatThrowsCountsAsAChange) {
    EXPECT_THROW(doc.Edit([](CFolari2Doc& d) {
        d.depot.depotNumber = "halb";
        throw std::runtime_error("abgebrochen");
    }),
                 std::runtime_error);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(heard, 1);

    // The edit is over: the next one is heard on its own.
    doc.SetModified(false);
    doc.Edit([] {});
    EXPECT_EQ(heard, 2);
}

TEST_F(DocumentEditTest, ListenersBelongToTheObjectNotToItsValue) {
    // A copy is another document: it starts without listeners.
    CFolari2Doc copy = doc;
    copy.Edit([] {});
    EXPECT_EQ(heard, 0);
    EXPECT_TRUE(copy.IsModified());

    // Giving the document a new value keeps who listens to it.
    doc.NewDocument(NewDocumentChoices{}, DateOf(2, 6, 2020));
    doc = copy;
    doc.Edit([] {});
    EXPECT_EQ(heard, 1);

    doc.RemoveEditListener(token);
    doc.Edit([] {});
    EXPECT_EQ(heard, 1);
}

TEST_F(DocumentEditTest, AListenerMayRemoveListenersWhileItIsCalled) {
    int second = 0;
    int secondToken = 0;
    doc.RemoveEditListener(token);
    token = doc.AddEditListener([&] {
        ++heard;
        doc.RemoveEditListener(token);
        doc.RemoveEditListener(secondToken);
    });
    secondToken = doc.AddEditListener([&] { ++second; });
    doc.Edit([] {});
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(second, 0) << "removed before its turn";
    doc.Edit([] {});
    EXPECT_EQ(heard, 1);
}

}  // namespace
}  // namespace pf

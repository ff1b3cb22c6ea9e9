#include "save/CDispatchArguments.h"

#include <gtest/gtest.h>

#include "platform/automation/tests/support/TestObjects.h"

namespace {

TEST(CDispatchArguments, TheListHoldsTenAndRefusesMore) {
    CDispatchArguments args;
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(args.PushText(u"N", 0, u"t")) << i;
    EXPECT_FALSE(args.PushText(u"N", 0, u"t"));
    EXPECT_FALSE(args.PushShort(u"", 0, 1));
    EXPECT_EQ(args.Count(), 10u);
    EXPECT_EQ(args.NamedCount(), 10u);
    EXPECT_EQ(args.NamesFor(u"M").size(), 11u);
}

TEST(CDispatchArguments, PushedObjectsAreReleasedOnResetBorrowedOnesAreNot) {
    bool ownedGone = false;
    bool borrowedGone = false;
    auto* owned = new CProbeObject(&ownedGone);
    auto* borrowed = new CProbeObject(&borrowedGone);
    CDispatchArguments args;
    ASSERT_TRUE(args.PushDispatch(u"After", 0, owned));
    ASSERT_TRUE(args.PushDispatch(u"", CDispatchArguments::kBorrowed, borrowed));
    args.Reset();
    EXPECT_TRUE(ownedGone);
    EXPECT_FALSE(borrowedGone);
    EXPECT_EQ(borrowed->RefCount(), 1u);
    borrowed->Release();
}

TEST(CDispatchArguments, AFailedPushStillTakesOverAnOwnedReferenceOnly) {
    CDispatchArguments args;
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(args.PushShort(u"", 0, 1));
    bool ownedGone = false;
    bool borrowedGone = false;
    auto* borrowed = new CProbeObject(&borrowedGone);
    EXPECT_FALSE(args.PushDispatch(u"", 0, new CProbeObject(&ownedGone)));
    EXPECT_TRUE(ownedGone);
    EXPECT_FALSE(args.PushDispatch(u"", CDispatchArguments::kBorrowed, borrowed));
    EXPECT_FALSE(borrowedGone);
    borrowed->Release();
}

TEST(CDispatchArguments, DestructionReleasesWhatIsLeft) {
    bool gone = false;
    {
        CDispatchArguments args;
        ASSERT_TRUE(args.PushDispatch(u"", 0, new CProbeObject(&gone)));
    }
    EXPECT_TRUE(gone);
}

}  // namespace

// The multiple-file job's closing message over mixes of outcomes: success
// is said only when every file was saved whole.
#include "repair/CMFSJobSummary.h"

#include <gtest/gtest.h>

#include "containers/CMFSDataContainer.h"

namespace {

TEST(CMFSJobSummaryTest, ClosingMessageCountsWhatHappened) {
    using O = EFileOutcome;
    constexpr O Partial = static_cast<O>(0xFF);  // saved with losses
    const struct {
        std::vector<O> outcomes;
        std::u16string message;
    } cases[] = {
        {{O::Saved, O::Saved}, u"Files repaired and saved successfully."},
        {{O::Saved, O::Failed, O::Saved, O::Saved, O::Skipped},
         u"3 files repaired and saved; 1 failed; 1 skipped."},
        {{O::Saved, O::Failed}, u"1 file repaired and saved; 1 failed."},
        {{O::Failed, O::Failed}, u"0 files repaired and saved; 2 failed."},
        {{O::Skipped, O::NotBegun, O::NotBegun},
         u"0 files repaired and saved; 1 skipped; 2 not begun."},
        {{O::Saved, Partial}, u"1 file repaired and saved; 1 saved with losses."},
        {{Partial, Partial, O::Failed}, u"2 files saved with losses; 1 failed."},
        {{}, u""},
    };
    for (const auto& c : cases) {
        CMFSDataContainer job;
        job.GetSourceList().resize(c.outcomes.size());
        for (std::size_t i = 0; i < c.outcomes.size(); ++i)
            if (c.outcomes[i] == Partial)
                job.SetFileResult(i, {O::Saved, u"2 lost strings", {}, true});
            else if (c.outcomes[i] != O::NotBegun)
                job.SetFileResult(i, {c.outcomes[i], u"why", {}});
        EXPECT_EQ(CMFSJobSummary::Message(CMFSJobSummary::Count(job)), c.message)
            << c.outcomes.size() << " files";
    }
    EXPECT_EQ(CMFSJobSummary::ResultName({O::Saved, u"2 lost strings", {}, true}), u"partial");
    EXPECT_EQ(CMFSJobSummary::ResultName({O::Saved, {}, {}}), u"saved");
}

}  // namespace

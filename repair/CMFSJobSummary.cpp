#include "repair/CMFSJobSummary.h"

#include <array>

#include "containers/CMFSDataContainer.h"
#include "repair/CSourceFileKind.h"

namespace {

struct OutcomeText {
    EFileOutcome outcome;
    std::u16string_view name;
    std::u16string_view reason;  // empty: told by DefaultReason
};

// In the order of EFileOutcome.
constexpr std::array<OutcomeText, 4> kOutcomes = {{
    {EFileOutcome::NotBegun, u"not begun", u"The job was stopped before this file was begun."},
    {EFileOutcome::Saved, u"saved", u""},
    {EFileOutcome::Failed, u"failed", u""},
    {EFileOutcome::Skipped, u"skipped", u"Skipped by the user."},
}};

constexpr bool InOutcomeOrder() {
    for (std::size_t i = 0; i < kOutcomes.size(); ++i)
        if (static_cast<std::size_t>(kOutcomes[i].outcome) != i) return false;
    return true;
}
static_assert(InOutcomeOrder(), "kOutcomes must list the outcomes in the order of EFileOutcome");

const OutcomeText& Entry(EFileOutcome outcome) {
    const auto index = static_cast<std::size_t>(outcome);
    return index < kOutcomes.size() ? kOutcomes[index] : kOutcomes[0];
}

std::u16string Number(std::size_t n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

CMFSJobSummary::Counts CMFSJobSummary::Count(const CMFSDataContainer& job) {
    Counts counts;
    for (std::size_t i = 0; i < job.GetSourceList().size(); ++i) {
        switch (job.GetFileResult(i).outcome) {
            case EFileOutcome::Saved:
                ++(job.GetFileResult(i).partial ? counts.partial : counts.saved);
                break;
            case EFileOutcome::Failed:
                ++counts.failed;
                break;
            case EFileOutcome::Skipped:
                ++counts.skipped;
                break;
            case EFileOutcome::NotBegun:
                ++counts.notBegun;
                break;
        }
    }
    return counts;
}

std::u16string CMFSJobSummary::Message(const Counts& counts) {
    const std::size_t others = counts.partial + counts.failed + counts.skipped + counts.notBegun;
    if (counts.saved + others == 0) return {};
    if (others == 0) return u"Files repaired and saved successfully.";
    // Whole saves first; a job whose saves all lost something opens with
    // those.
    std::u16string text;
    if (counts.saved > 0 || counts.partial == 0) {
        text = Number(counts.saved) +
               (counts.saved == 1 ? u" file repaired and saved" : u" files repaired and saved");
    }
    if (counts.partial > 0) {
        const std::u16string_view noun =
            !text.empty() ? u"" : (counts.partial == 1 ? u" file" : u" files");
        text += (text.empty() ? u"" : u"; ") + Number(counts.partial) + std::u16string(noun) +
                u" saved with losses";
    }
    const std::pair<std::size_t, EFileOutcome> rest[] = {{counts.failed, EFileOutcome::Failed},
                                                         {counts.skipped, EFileOutcome::Skipped},
                                                         {counts.notBegun, EFileOutcome::NotBegun}};
    for (const auto& [count, outcome] : rest)
        if (count > 0) text += u"; " + Number(count) + u" " + std::u16string(OutcomeName(outcome));
    return text + u".";
}

std::u16string_view CMFSJobSummary::OutcomeName(EFileOutcome outcome) {
    return Entry(outcome).name;
}

std::u16string_view CMFSJobSummary::ResultName(const CMFSFileResult& result) {
    if (result.outcome == EFileOutcome::Saved && result.partial) return u"partial";
    return OutcomeName(result.outcome);
}

std::u16string_view CMFSJobSummary::DefaultReason(EFileOutcome outcome) {
    if (outcome == EFileOutcome::Failed) return CSourceFileKind::Message(ESourceKind::Unrecognised);
    return Entry(outcome).reason;
}

#include "save/CDispatchFailureReport.h"

#include <string>

namespace {

// What follows the member name's "%s" in each pattern.
enum class EDetail : std::uint8_t { kNone, kArgumentIndex, kException };

struct FailureText {
    HRESULT status;
    const char16_t* pattern;
    EDetail detail;
};

// Status code -> report pattern. "%s" is the member name, "%d" the detail.
constexpr FailureText kFailureTexts[] = {
    {DISP_E_MEMBERNOTFOUND, u"%s: method or property not found.", EDetail::kNone},
    {DISP_E_PARAMNOTFOUND, u"%s: Argument not found, argument %d.", EDetail::kArgumentIndex},
    {DISP_E_TYPEMISMATCH, u"%s: Type mismatch, argument %d.", EDetail::kArgumentIndex},
    {DISP_E_UNKNOWNNAME, u"%s: Unknown name or named argument.", EDetail::kNone},
    {DISP_E_NONAMEDARGS, u"%s: Object implementation does not support named arguments.",
     EDetail::kNone},
    {DISP_E_EXCEPTION, u"%s: Error %d: ", EDetail::kException},
    {DISP_E_OVERFLOW, u"%s: Overflow while coercing argument values.", EDetail::kNone},
    {DISP_E_UNKNOWNLCID, u"%s: The locale ID is unknown.", EDetail::kNone},
    {DISP_E_BADPARAMCOUNT, u"%s: Incorrect number of arguments.", EDetail::kNone},
    {DISP_E_PARAMNOTOPTIONAL, u"%s: Missing a required parameter.", EDetail::kNone},
};
// Spelled as the program has always spelled it.
constexpr const char16_t* kUnknownFailure = u"%s: Unknown error occurred.";
constexpr const char16_t* kNoDescription = u"<<No Description>>";

std::u16string Decimal(std::int64_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

// Fills "%s" and "%d" in a pattern; nothing else in the patterns is special.
std::u16string Fill(std::u16string_view pattern, std::u16string_view member, std::int64_t number) {
    std::u16string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'%' && i + 1 < pattern.size()) {
            if (pattern[i + 1] == u's') {
                out.append(member);
                ++i;
                continue;
            }
            if (pattern[i + 1] == u'd') {
                out.append(Decimal(number));
                ++i;
                continue;
            }
        }
        out.push_back(pattern[i]);
    }
    return out;
}

}  // namespace

std::u16string CDispatchFailureReport::Compose(std::u16string_view member, HRESULT status,
                                               const CExcepInfo* exception,
                                               std::uint32_t argError) {
    const FailureText* found = nullptr;
    for (const FailureText& text : kFailureTexts) {
        if (text.status == status) {
            found = &text;
            break;
        }
    }

    std::u16string report;
    if (found == nullptr) {
        report = Fill(kUnknownFailure, member, 0);
    } else if (found->detail == EDetail::kArgumentIndex) {
        // The index prints as a signed int, as a "%d" of the index would.
        report = Fill(found->pattern, member, static_cast<std::int32_t>(argError));
    } else if (found->detail == EDetail::kException) {
        const std::uint16_t code = exception != nullptr ? exception->code : 0;
        report = Fill(found->pattern, member, code);
        if (exception != nullptr && !exception->description.empty()) {
            report += exception->description;
        } else {
            report += kNoDescription;
        }
    } else {
        report = Fill(found->pattern, member, 0);
    }
    if (report.size() > kMaxLength) report.resize(kMaxLength);
    return report;
}

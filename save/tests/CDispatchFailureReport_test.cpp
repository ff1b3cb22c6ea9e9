#include "save/CDispatchFailureReport.h"

#include <gtest/gtest.h>

namespace {

std::u16string Report(HRESULT status, std::uint32_t argError = 0,
                      const CExcepInfo* exception = nullptr) {
    return CDispatchFailureReport::Compose(u"Cells", status, exception, argError);
}

TEST(CDispatchFailureReport, EachStatusHasItsText) {
    EXPECT_EQ(Report(DISP_E_MEMBERNOTFOUND), u"Cells: method or property not found.");
    EXPECT_EQ(Report(DISP_E_PARAMNOTFOUND, 2), u"Cells: Argument not found, argument 2.");
    EXPECT_EQ(Report(DISP_E_TYPEMISMATCH, 1), u"Cells: Type mismatch, argument 1.");
    EXPECT_EQ(Report(DISP_E_UNKNOWNNAME), u"Cells: Unknown name or named argument.");
    EXPECT_EQ(Report(DISP_E_NONAMEDARGS),
              u"Cells: Object implementation does not support named arguments.");
    EXPECT_EQ(Report(DISP_E_OVERFLOW), u"Cells: Overflow while coercing argument values.");
    EXPECT_EQ(Report(DISP_E_UNKNOWNLCID), u"Cells: The locale ID is unknown.");
    EXPECT_EQ(Report(DISP_E_BADPARAMCOUNT), u"Cells: Incorrect number of arguments.");
    EXPECT_EQ(Report(DISP_E_PARAMNOTOPTIONAL), u"Cells: Missing a required parameter.");
    EXPECT_EQ(Report(E_FAIL), u"Cells: Unknown error occurred.");
    EXPECT_EQ(Report(DISP_E_BADINDEX), u"Cells: Unknown error occurred.");
}

TEST(CDispatchFailureReport, ExceptionsCarryTheirCodeAndDescription) {
    CExcepInfo exception;
    exception.code = 1004;
    exception.description = u"Unable to set the Name property.";
    EXPECT_EQ(Report(DISP_E_EXCEPTION, 0, &exception),
              u"Cells: Error 1004: Unable to set the Name property.");
    exception.description.clear();
    EXPECT_EQ(Report(DISP_E_EXCEPTION, 0, &exception), u"Cells: Error 1004: <<No Description>>");
    exception.code = 0xFFFF;
    EXPECT_EQ(Report(DISP_E_EXCEPTION, 0, &exception), u"Cells: Error 65535: <<No Description>>");
    EXPECT_EQ(Report(DISP_E_EXCEPTION), u"Cells: Error 0: <<No Description>>");
}

TEST(CDispatchFailureReport, AnArgumentIndexPrintsAsASignedNumber) {
    EXPECT_EQ(Report(DISP_E_TYPEMISMATCH, 0xFFFFFFFFu), u"Cells: Type mismatch, argument -1.");
}

TEST(CDispatchFailureReport, ReportsAreCutTo511Characters) {
    CExcepInfo exception;
    exception.description.assign(2000, u'x');
    const std::u16string report = Report(DISP_E_EXCEPTION, 0, &exception);
    EXPECT_EQ(report.size(), 511u);
    EXPECT_EQ(report.substr(0, 18), u"Cells: Error 0: xx");
    const std::u16string member(600, u'M');
    EXPECT_EQ(CDispatchFailureReport::Compose(member, E_FAIL, nullptr, 0).size(), 511u);
}

TEST(CDispatchFailureReport, PercentSignsInTheMemberNameAreLeftAlone) {
    EXPECT_EQ(CDispatchFailureReport::Compose(u"A%dB%s", DISP_E_TYPEMISMATCH, nullptr, 3),
              u"A%dB%s: Type mismatch, argument 3.");
}

}  // namespace

#include "format/CExcelFormatText.h"

#include <array>

#include "records/CExcelRecordWBFORMAT.h"
#include "records/CExcelWorkbookGlobals.h"

namespace {

// The built-in number formats of a BIFF8 workbook, which no FORMAT record
// needs to define, by format index. Indices 23-36 belong to other locales
// and stay empty. Every code is complete, so that it is a valid format code
// when written to a workbook. The codes 37-44 each begin with a spacing
// marker, and the "$" accounting codes sit at 41 and 43, where the renderings
// by index put the dollar sign.
// clang-format off
constexpr std::array<std::u16string_view, CExcelFormatText::kBuiltInCount> kBuiltIn = {
    u"General",                                                // 0
    u"0",                                                      // 1
    u"0.00",                                                   // 2
    u"#,##0",                                                  // 3
    u"#,##0.00",                                               // 4
    uR"("$"#,##0_);("$"#,##0))",                               // 5
    uR"("$"#,##0_);[Red]("$"#,##0))",                          // 6
    uR"("$"#,##0.00_);("$"#,##0.00))",                         // 7
    uR"("$"#,##0.00_);[Red]("$"#,##0.00))",                    // 8
    u"0%",                                                     // 9
    u"0.00%",                                                  // 10
    u"0.00E+00",                                               // 11
    u"# ?/?",                                                  // 12
    uR"(# ??/??)",                                             // 13
    u"M/D/YYYY",                                               // 14
    u"D-MMM-YY",                                               // 15
    u"D-MMM",                                                  // 16
    u"MMM-YY",                                                 // 17
    u"h:mm AM/PM",                                             // 18
    u"h:mm:ss AM/PM",                                          // 19
    u"h:mm",                                                   // 20
    u"h:mm:ss",                                                // 21
    u"M/D/YYYY h:mm",                                          // 22
    {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {},    // 23-36
    u"_(#,##0_);(#,##0)",                                      // 37
    u"_(#,##0_);[Red](#,##0)",                                 // 38
    u"_(#,##0.00_);(#,##0.00)",                                // 39
    u"_(#,##0.00_);[Red](#,##0.00)",                           // 40
    uR"(_("$"* #,##0_);_("$"* (#,##0);_("$"* "-"_);_(@_))",          // 41
    uR"(_(* #,##0_);_(* (#,##0);_(* "-"_);_(@_))",                   // 42
    uR"(_("$"* #,##0.00_);_("$"* (#,##0.00);_("$"* "-"??_);_(@_))",  // 43
    uR"(_(* #,##0.00_);_(* (#,##0.00);_(* "-"??_);_(@_))",           // 44
    u"mm:ss",                                                  // 45
    u"[h]:mm:ss",                                              // 46
    u"mm:ss.0",                                                // 47
    u"##0.0E+0",                                               // 48
    u"@",                                                      // 49
};
// clang-format on

}  // namespace

std::u16string_view CExcelFormatText::BuiltIn(std::uint32_t formatIndex) {
    return formatIndex < kBuiltIn.size() ? kBuiltIn[formatIndex] : std::u16string_view();
}

std::u16string CExcelFormatText::Lookup(const CTList<CExcelRecordWBFORMAT>& formats,
                                        std::uint32_t formatIndex) {
    if (formatIndex >= kFirstRedefinable) {
        // A FORMAT record for 0-5 is ignored: those always show as built in.
        for (const CExcelRecordWBFORMAT& format : formats) {
            if (format.GetFormatIndex() == formatIndex) return format.GetFormatString();
        }
    }
    return std::u16string(BuiltIn(formatIndex));
}

std::u16string CExcelFormatText::Lookup(const CExcelWorkbookGlobals& workbook,
                                        std::uint32_t formatIndex) {
    return Lookup(workbook.GetFormats(), formatIndex);
}

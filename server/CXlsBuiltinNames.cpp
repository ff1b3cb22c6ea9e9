#include "server/CXlsBuiltinNames.h"

#include "server/CXlsSheetName.h"

namespace {

// Indexed by code.
constexpr std::u16string_view kTexts[] = {
    u"Consolidate_Area", u"Auto_Open",       u"Auto_Close",   u"Extract",         u"Database",
    u"Criteria",         u"Print_Area",      u"Print_Titles", u"Recorder",        u"Data_Form",
    u"Auto_Activate",    u"Auto_Deactivate", u"Sheet_Title",  u"_FilterDatabase",
};

}  // namespace

std::optional<std::uint8_t> CXlsBuiltinNames::CodeOf(std::u16string_view text) {
    for (std::size_t code = 0; code < std::size(kTexts); ++code) {
        if (CXlsSheetName::SameName(kTexts[code], text)) return static_cast<std::uint8_t>(code);
    }
    return std::nullopt;
}

std::u16string_view CXlsBuiltinNames::TextOf(std::uint8_t code) {
    return code < std::size(kTexts) ? kTexts[code] : std::u16string_view();
}

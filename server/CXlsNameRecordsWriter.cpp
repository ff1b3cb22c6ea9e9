#include "server/CXlsNameRecordsWriter.h"

#include <span>

using namespace xlsw;

namespace {

// By EXlsNameMacro: a function or command is a macro of the workbook, as
// the object model's Names.Add makes them.
constexpr std::uint16_t kMacroFlags[] = {
    0,                                           // kNone
    kNameFunction | kNameVbaMacro | kNameMacro,  // kFunction
    kNameVbaMacro | kNameMacro,                  // kCommand
};

}  // namespace

bool CXlsNameRecordsWriter::Write(CBiffRecordWriter& out) const {
    CBiffRecordBuilder record(kNAME);
    for (const CXlsDefinedName& name : m_book.Names().Entries()) {
        std::uint16_t flags = kMacroFlags[static_cast<std::size_t>(name.macro)];
        if (name.hidden) flags |= kNameHidden;
        if (name.builtinCode) flags |= kNameBuiltin;
        std::uint16_t sheet = 0;
        if (name.scopeSheetId != CXlsDefinedName::kWorkbookScope) {
            const std::size_t position = m_book.PositionOfId(name.scopeSheetId);
            if (position != CXlsWorkbook::kNotFound)
                sheet = static_cast<std::uint16_t>(position + 1);
        }
        const std::u16string code = name.builtinCode ? std::u16string(1, *name.builtinCode) : u"";
        const std::u16string& text = name.builtinCode ? code : name.text;
        const bool wide = !CBiffRecordBuilder::FitsEightBit(text);
        const std::span<const std::uint8_t> tokens = name.formula.Tokens();
        const std::span<const std::uint8_t> extra = name.formula.Extra();

        record.Reset(kNAME);
        record.U16(flags).U8(name.shortcutKey).U8(static_cast<std::uint8_t>(text.size()));
        record.U16(static_cast<std::uint16_t>(tokens.size())).U16(0).U16(sheet).U32(0);
        record.U8(wide ? kStringWide : 0).Chars(text, wide);
        record.Bytes(tokens.data(), tokens.size()).Bytes(extra.data(), extra.size());
        if (!out.Write(record)) return false;
    }
    return true;
}

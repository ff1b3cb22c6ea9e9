#include "server/automation/CXlsRefersTo.h"

#include "server/CXlsFormulaCompiler.h"
#include "server/CXlsWorkbook.h"

bool CXlsRefersTo::Compile(CXlsWorkbook& book, std::uint32_t scopeSheetId, const CVariant& value,
                           CXlsFormulaTokens& out, std::u16string& error) {
    std::u16string formula;
    if (value.Type() == VT_BSTR) {
        const std::u16string& text = value.GetText();
        if (text.empty()) {
            out = CXlsFormulaTokens();
            return true;
        }
        if (text.front() == u'=') {
            formula = text;
        } else {
            // A constant text: quoted, its quotes doubled.
            formula = u"=\"";
            for (char16_t c : text) {
                formula.push_back(c);
                if (c == u'"') formula.push_back(u'"');
            }
            formula.push_back(u'"');
        }
    } else if (value.Type() == VT_BOOL || value.Type() == VT_I2 || value.Type() == VT_I4 ||
               value.Type() == VT_R8) {
        std::u16string constant;
        if (Failed(value.ToText(constant))) {
            error = u"RefersTo is not a formula or a constant.";
            return false;
        }
        formula = u"=" + constant;
    } else {
        error = u"RefersTo is not a formula or a constant.";
        return false;
    }
    const std::size_t position = book.PositionOfId(scopeSheetId);
    CXlsFormulaCompiler compiler(
        book, position == CXlsWorkbook::kNotFound ? nullptr : book.Sheet(position));
    CXlsFormulaTokens tokens;
    if (!compiler.Compile(formula, EXlsFormulaKind::kName, tokens)) {
        error = u"The formula is not valid: " + compiler.ErrorText();
        return false;
    }
    out = std::move(tokens);
    return true;
}

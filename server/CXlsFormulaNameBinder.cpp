#include "server/CXlsFormulaNameBinder.h"

#include "server/CLittleEndian.h"
#include "server/CXlsNewerFunctions.h"
#include "server/CXlsWorkbook.h"
#include "server/XlsFormulaLayout.h"

namespace {

using EKind = CXlsFormulaSheets::EKind;

// ptgNameX: EXTERNSHEET index, EXTERNNAME index, two unused bytes, all
// filled in by the compiler but the last.
constexpr std::size_t kNameXOperandSize = 6;

void MakeNameX(CXlsFormulaSheets sheets, std::u16string name, CXlsFormulaNode& node) {
    node = CXlsFormulaNode();
    node.tokenId = xlsw::kPtgNameX;
    node.bytes.assign(kNameXOperandSize, 0);
    node.sheets = std::move(sheets);
    node.externName = std::move(name);
}

void MakeName(std::size_t position, CXlsFormulaNode& node) {
    node = CXlsFormulaNode();
    node.tokenId = xlsw::kPtgName;
    // The 1-based position, then two unused bytes.
    node.bytes.assign(4, 0);
    CLittleEndian::PutU16(node.bytes.data(), static_cast<std::uint16_t>(position + 1));
}

}  // namespace

CXlsFormulaNameBinder::CXlsFormulaNameBinder(const CXlsWorkbook* workbook, std::uint32_t ownSheetId)
    : m_workbook(workbook), m_ownSheetId(ownSheetId) {}

std::size_t CXlsFormulaNameBinder::Find(const CXlsLexeme& lexeme,
                                        const std::u16string& text) const {
    if (m_workbook == nullptr) return CXlsDefinedNames::kNotFound;
    const CXlsDefinedNames& names = m_workbook->Names();
    if (lexeme.sheets.kind == EKind::kNone) return names.Resolve(text, m_ownSheetId);
    // A sheet-level name belongs to one sheet: Sheet1:Sheet3!Rates names none.
    if (lexeme.sheets.kind != EKind::kThisWorkbook || lexeme.sheets.first != lexeme.sheets.last) {
        return CXlsDefinedNames::kNotFound;
    }
    return names.Find(text, m_workbook->Sheet(lexeme.sheets.first)->Id());
}

bool CXlsFormulaNameBinder::Operand(const CXlsLexeme& name, CXlsFormulaNode& node,
                                    std::u16string& error) const {
    if (name.sheets.kind == EKind::kOtherWorkbook) {
        MakeNameX(name.sheets, name.text, node);
        return true;
    }
    const std::size_t position = Find(name, name.text);
    if (position == CXlsDefinedNames::kNotFound) {
        error = u"unknown name \"" + name.text + u"\"";
        return false;
    }
    MakeName(position, node);
    return true;
}

bool CXlsFormulaNameBinder::Callee(const CXlsLexeme& call, CXlsFormulaNode& node,
                                   std::u16string& error) const {
    if (call.sheets.kind != EKind::kNone) return Operand(call, node, error);
    for (const std::u16string& text :
         {call.text, std::u16string(CXlsNewerFunctions::kPrefix) + call.text}) {
        const std::size_t position = Find(call, text);
        if (position != CXlsDefinedNames::kNotFound) {
            MakeName(position, node);
            return true;
        }
    }
    CXlsFormulaSheets addIns;
    addIns.kind = EKind::kAddIns;
    MakeNameX(std::move(addIns), CXlsNewerFunctions::StoredName(call.text), node);
    return true;
}

#include "save/CSaveNamesPhase.h"

#include <string>
#include <utility>

#include "formula/CExcelFormulaNameDefinition.h"
#include "formula/CExcelFormulaSheetName.h"
#include "model/CExcelWorkBook.h"
#include "platform/SaveStopCheck.h"
#include "records/CExcelRecordNAME.h"
#include "save/CXLEzAutomation.h"

namespace {

// MacroType of Names.Add.
constexpr std::int16_t kMacroFunction = 1;
constexpr std::int16_t kMacroCommand = 2;

// Why a name's formula could not be written, from the decoder's cause.
std::u16string NotDecoded(CExcelFormulaUnsound::EReason reason) {
    const std::string cause = CExcelFormulaUnsound::Text(reason);
    if (cause.empty()) return u"formula not decoded";
    return u"formula not decoded (" + std::u16string(cause.begin(), cause.end()) + u")";
}

}  // namespace

bool CSaveNamesPhase::Write(CXLEzAutomation& automation, const CExcelWorkBook& workbook,
                            std::int32_t firstSheet) {
    std::vector<Definition> pending;
    for (const CExcelRecordNAME& record : workbook.GetNames()) {
        Definition definition;
        if (Define(workbook, record, firstSheet, definition))
            pending.push_back(std::move(definition));
    }
    // Every pass but the last adds at least one name, so there are at most
    // as many passes as names.
    while (!pending.empty()) {
        std::vector<Definition> refused;
        std::vector<std::u16string> reasons;
        for (Definition& definition : pending) {
            if (SaveStopCheck()) return false;
            if (Add(automation, definition)) {
                ++m_added;
                continue;
            }
            reasons.push_back(automation.Automation().GetFailureReport());
            refused.push_back(std::move(definition));
        }
        if (refused.size() == pending.size()) {
            for (std::size_t k = 0; k < refused.size(); ++k)
                m_failures.push_back({refused[k].label, u"refused: " + reasons[k]});
            break;
        }
        pending = std::move(refused);
    }
    return true;
}

bool CSaveNamesPhase::Define(const CExcelWorkBook& workbook, const CExcelRecordNAME& record,
                             std::int32_t firstSheet, Definition& definition) {
    definition.name = record.GetDisplayName();
    definition.label = definition.name.empty() ? record.GetNameText() : definition.name;
    const std::uint16_t sheet = record.GetSheetIndex();
    if (sheet != 0) {
        const std::u16string sheetName = workbook.GetWorksheets().GetSheetName(sheet - 1u);
        if (sheetName.empty()) {
            m_failures.push_back({definition.label, u"its sheet is not in the workbook"});
            return false;
        }
        definition.label = CExcelFormulaSheetName::Prefix(sheetName) + definition.label;
        definition.sheet = firstSheet + sheet - 1;
    }
    if (definition.name.empty()) {
        m_failures.push_back({definition.label, u"no name text"});
        return false;
    }
    if (CExcelFormulaNameDefinition::HasFormula(record)) {
        bool sound = false;
        CExcelFormulaUnsound::EReason reason = CExcelFormulaUnsound::None;
        const std::u16string text =
            CExcelFormulaNameDefinition::Text(workbook, record, &sound, &reason);
        if (sound) {
            definition.refersTo = u"=" + text;
        } else if (CExcelFormulaNameDefinition::IsReferenceError(record)) {
            definition.refersTo = u"=#REF!";
        } else {
            m_failures.push_back({definition.label, NotDecoded(reason)});
            return false;
        }
    }
    definition.visible = !record.IsHidden();
    if (record.IsFunction()) {
        definition.macroType = kMacroFunction;
    } else if (record.IsCommand()) {
        definition.macroType = kMacroCommand;
    }
    return true;
}

bool CSaveNamesPhase::Add(CXLEzAutomation& automation, const Definition& definition) {
    if (definition.sheet == 0) {
        return automation.AddWorkbookName(definition.name, definition.refersTo, definition.visible,
                                          definition.macroType);
    }
    return automation.AddWorksheetName(definition.sheet, definition.name, definition.refersTo,
                                       definition.visible, definition.macroType);
}

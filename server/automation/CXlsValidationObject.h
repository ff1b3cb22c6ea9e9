// The data validation of a range (Range.Validation):
// - Add(Type, AlertStyle, Operator, Formula1, Formula2) puts a validation
//   on the range's cells, with the object model's numbers: Type 0 (any
//   value) to 7 (custom), below; AlertStyle 1 stop (the default), 2
//   warning, 3 information; Operator 1 between (the default) to 8 less or
//   equal. A formula is text: "=..." is compiled for the range's first
//   cell (its relative references follow the cell each rule applies to);
//   for a list, text without "=" is the items, separated by commas; other
//   text without "=" is compiled as if it had one. Formula1 is needed for
//   every type but 0, Formula2 for between and not between of the types
//   that compare. Refused: a cell of the range that already has a
//   validation, a formula the compiler refuses, a reference to another
//   sheet, an array constant, a list over 255 characters.
// - IgnoreBlank, InCellDropdown, ShowInput, ShowError (Booleans, all True
//   after Add) and InputTitle, ErrorTitle, InputMessage, ErrorMessage
//   (texts of at most 255 characters), read and written on the validation
//   that holds the range's top-left cell; without one they fail.
#pragma once

#include <cstdint>

#include "server/CXlsValidation.h"
#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsRangeTarget.h"

class CXlsValidationObject : public CTXlsServerObject<CXlsValidationObject> {
public:
    // Type (xlValidate...), AlertStyle (xlValidAlert...) and Operator as the
    // object model numbers them.
    static constexpr std::int32_t kValidateInputOnly = 0;
    static constexpr std::int32_t kValidateList = 3;
    static constexpr std::int32_t kValidateCustom = 7;
    static constexpr std::int32_t kAlertStop = 1;
    static constexpr std::int32_t kAlertInformation = 3;
    static constexpr std::int32_t kBetween = 1;
    static constexpr std::int32_t kNotBetween = 2;
    static constexpr std::int32_t kLessEqual = 8;

    explicit CXlsValidationObject(CXlsRangeTarget target);

private:
    HRESULT Add(CDispatchCall& call);
    HRESULT IgnoreBlank(CDispatchCall& call);
    HRESULT InCellDropdown(CDispatchCall& call);
    HRESULT ShowInput(CDispatchCall& call);
    HRESULT ShowError(CDispatchCall& call);
    HRESULT InputTitle(CDispatchCall& call);
    HRESULT ErrorTitle(CDispatchCall& call);
    HRESULT InputMessage(CDispatchCall& call);
    HRESULT ErrorMessage(CDispatchCall& call);

    // Reads or writes one field of the validation at the top-left cell.
    HRESULT Flag(CDispatchCall& call, bool CXlsValidation::*field);
    HRESULT Text(CDispatchCall& call, std::u16string CXlsValidation::*field);
    // Compiles one formula argument into `out`; raises the refusal.
    HRESULT CompileFormula(CDispatchCall& call, std::size_t position, bool listSource,
                           CXlsValidation& validation, CXlsFormulaTokens& out);

    static constexpr CTDispatchMember<CXlsValidationObject> kMembers[] = {
        {u"Add",
         EMemberAccess::kGet,
         &CXlsValidationObject::Add,
         {u"Type", u"AlertStyle", u"Operator", u"Formula1", u"Formula2"}},
        {u"IgnoreBlank", EMemberAccess::kGetPut, &CXlsValidationObject::IgnoreBlank, {}},
        {u"InCellDropdown", EMemberAccess::kGetPut, &CXlsValidationObject::InCellDropdown, {}},
        {u"ShowInput", EMemberAccess::kGetPut, &CXlsValidationObject::ShowInput, {}},
        {u"ShowError", EMemberAccess::kGetPut, &CXlsValidationObject::ShowError, {}},
        {u"InputTitle", EMemberAccess::kGetPut, &CXlsValidationObject::InputTitle, {}},
        {u"ErrorTitle", EMemberAccess::kGetPut, &CXlsValidationObject::ErrorTitle, {}},
        {u"InputMessage", EMemberAccess::kGetPut, &CXlsValidationObject::InputMessage, {}},
        {u"ErrorMessage", EMemberAccess::kGetPut, &CXlsValidationObject::ErrorMessage, {}},
    };

    CXlsRangeTarget m_target;
};

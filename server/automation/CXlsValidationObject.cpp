#include "server/automation/CXlsValidationObject.h"

#include "server/CBiffRecordBuilder.h"
#include "server/XlsFormulaLayout.h"
#include "server/automation/CXlsRuleFormula.h"
#include "server/automation/XlsAutomationConstants.h"

namespace {

// Positions of Add's parameters.
constexpr std::size_t kType = 0;
constexpr std::size_t kAlertStyle = 1;
constexpr std::size_t kOperator = 2;
constexpr std::size_t kFormula1 = 3;
constexpr std::size_t kFormula2 = 4;

// Whole number, decimal, date, time and text length compare with an
// operator; any value, list and custom do not.
bool Compares(std::int32_t type) {
    return type == 1 || type == 2 || type == 4 || type == 5 || type == 6;
}

HRESULT OptionalLong(CDispatchCall& call, std::size_t position, std::int32_t& out) {
    return call.Has(position) ? call.ArgLong(position, out) : S_OK;
}

// The items of a literal list, separated by commas, as one ptgStr with a
// zero character between items.
bool ListTokens(std::u16string items, CXlsFormulaTokens& out) {
    if (items.empty() || items.size() > xlsw::kMaxStringLength) return false;
    for (char16_t& c : items) {
        if (c == u',') c = u'\0';
    }
    const bool eightBit = CBiffRecordBuilder::FitsEightBit(items);
    std::vector<std::uint8_t> tokens = {xlsw::kPtgStr, static_cast<std::uint8_t>(items.size()),
                                        eightBit ? std::uint8_t{0} : xlsw::kStringUtf16};
    for (char16_t c : items) {
        tokens.push_back(static_cast<std::uint8_t>(c));
        if (!eightBit) tokens.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    out = CXlsFormulaTokens(std::move(tokens));
    return true;
}

}  // namespace

CXlsValidationObject::CXlsValidationObject(CXlsRangeTarget target)
    : CTXlsServerObject(kMembers), m_target(std::move(target)) {}

HRESULT CXlsValidationObject::CompileFormula(CDispatchCall& call, std::size_t position,
                                             bool listSource, CXlsValidation& validation,
                                             CXlsFormulaTokens& out) {
    const CVariant* argument = call.Arg(position);
    const bool items = listSource && argument != nullptr && argument->Type() == VT_BSTR &&
                       (argument->GetText().empty() || argument->GetText().front() != u'=');
    if (!items) return CXlsRuleFormula::Compile(call, position, m_target, listSource, out);
    if (!ListTokens(argument->GetText(), out)) {
        return call.Raise(xlauto::kRefusedCall, u"A list holds 1 to 255 characters.");
    }
    validation.literalList = true;
    return S_OK;
}

HRESULT CXlsValidationObject::Add(CDispatchCall& call) {
    std::int32_t type = 0;
    std::int32_t alertStyle = kAlertStop;
    std::int32_t op = kBetween;
    if (HRESULT status = call.ArgLong(kType, type); Failed(status)) return status;
    if (HRESULT status = OptionalLong(call, kAlertStyle, alertStyle); Failed(status)) return status;
    if (HRESULT status = OptionalLong(call, kOperator, op); Failed(status)) return status;
    if (type < kValidateInputOnly || type > kValidateCustom || alertStyle < kAlertStop ||
        alertStyle > kAlertInformation || op < kBetween || op > kLessEqual) {
        return call.Raise(xlauto::kRefusedCall,
                          u"Type is 0 to 7, AlertStyle 1 to 3 and Operator 1 to 8.");
    }
    CXlsValidation validation;
    validation.range = m_target.range;
    validation.type = static_cast<std::uint8_t>(type);
    validation.alertStyle = static_cast<std::uint8_t>(alertStyle - kAlertStop);
    if (Compares(type)) validation.op = static_cast<std::uint8_t>(op - kBetween);
    if (type != kValidateInputOnly) {
        if (HRESULT status = CompileFormula(call, kFormula1, type == kValidateList, validation,
                                            validation.formula1);
            Failed(status)) {
            return status;
        }
    }
    if (Compares(type) && (op == kBetween || op == kNotBetween)) {
        if (HRESULT status =
                CompileFormula(call, kFormula2, false, validation, validation.formula2);
            Failed(status)) {
            return status;
        }
    }
    if (!m_target.sheet->Validations().Add(std::move(validation))) {
        return call.Raise(xlauto::kRefusedCall, u"A cell of the range already has a validation.");
    }
    return S_OK;
}

HRESULT CXlsValidationObject::Flag(CDispatchCall& call, bool CXlsValidation::*field) {
    CXlsValidation* validation = m_target.sheet->Validations().FindAt(m_target.range.FirstRow(),
                                                                      m_target.range.FirstColumn());
    if (validation == nullptr) {
        return call.Raise(xlauto::kRefusedCall, u"The range has no validation.");
    }
    if (!call.IsPut()) {
        call.SetResult(CVariant::Bool(validation->*field));
        return S_OK;
    }
    return call.PutBool(validation->*field);
}

HRESULT CXlsValidationObject::Text(CDispatchCall& call, std::u16string CXlsValidation::*field) {
    CXlsValidation* validation = m_target.sheet->Validations().FindAt(m_target.range.FirstRow(),
                                                                      m_target.range.FirstColumn());
    if (validation == nullptr) {
        return call.Raise(xlauto::kRefusedCall, u"The range has no validation.");
    }
    if (!call.IsPut()) {
        call.SetResult(CVariant::Text(validation->*field));
        return S_OK;
    }
    std::u16string text;
    if (HRESULT status = call.PutText(text); Failed(status)) return status;
    if (text.size() > CXlsValidation::kMaxText) {
        return call.Raise(xlauto::kRefusedCall, u"A validation text holds at most 255 characters.");
    }
    validation->*field = std::move(text);
    return S_OK;
}

HRESULT CXlsValidationObject::IgnoreBlank(CDispatchCall& call) {
    return Flag(call, &CXlsValidation::ignoreBlank);
}

HRESULT CXlsValidationObject::InCellDropdown(CDispatchCall& call) {
    return Flag(call, &CXlsValidation::inCellDropdown);
}

HRESULT CXlsValidationObject::ShowInput(CDispatchCall& call) {
    return Flag(call, &CXlsValidation::showInput);
}

HRESULT CXlsValidationObject::ShowError(CDispatchCall& call) {
    return Flag(call, &CXlsValidation::showError);
}

HRESULT CXlsValidationObject::InputTitle(CDispatchCall& call) {
    return Text(call, &CXlsValidation::inputTitle);
}

HRESULT CXlsValidationObject::ErrorTitle(CDispatchCall& call) {
    return Text(call, &CXlsValidation::errorTitle);
}

HRESULT CXlsValidationObject::InputMessage(CDispatchCall& call) {
    return Text(call, &CXlsValidation::inputMessage);
}

HRESULT CXlsValidationObject::ErrorMessage(CDispatchCall& call) {
    return Text(call, &CXlsValidation::errorMessage);
}

// The conditional format of a range (Range.FormatConditions):
// - Add(Type, Operator, Formula1, Formula2): a condition tested after those
//   already over exactly this range. Type 1 (xlCellValue) compares the
//   cell's value by Operator (1 between, the default, to 8 less or equal)
//   with Formula1 and, for between and not between, Formula2; Type 2
//   (xlExpression) applies while Formula1 is true, whatever Operator
//   says. Formulas as for
//   Validation.Add (CXlsRuleFormula). Returns the FormatCondition, whose
//   Font, Interior and Borders then say what it applies.
// - Count and Item(Index) (1-based, in testing order) over the conditions
//   of the format over exactly this range.
// - Delete removes every conditional format whose range lies inside this
//   one; formats reaching beyond it stay.
#pragma once

#include <memory>

#include "server/automation/CTXlsServerObject.h"
#include "server/automation/CXlsRangeTarget.h"

class CXlsFormatConditionsObject : public CTXlsServerObject<CXlsFormatConditionsObject> {
public:
    static constexpr std::int32_t kCellValue = 1;
    static constexpr std::int32_t kExpression = 2;
    static constexpr std::int32_t kBetween = 1;
    static constexpr std::int32_t kNotBetween = 2;
    static constexpr std::int32_t kLessEqual = 8;

    explicit CXlsFormatConditionsObject(CXlsRangeTarget target);

private:
    HRESULT Add(CDispatchCall& call);
    HRESULT Count(CDispatchCall& call);
    HRESULT Item(CDispatchCall& call);
    HRESULT Delete(CDispatchCall& call);

    static constexpr CTDispatchMember<CXlsFormatConditionsObject> kMembers[] = {
        {u"Add",
         EMemberAccess::kGet,
         &CXlsFormatConditionsObject::Add,
         {u"Type", u"Operator", u"Formula1", u"Formula2"}},
        {u"Count", EMemberAccess::kGet, &CXlsFormatConditionsObject::Count, {}},
        {u"Item", EMemberAccess::kGet, &CXlsFormatConditionsObject::Item, {u"Index"}},
        {u"Delete", EMemberAccess::kGet, &CXlsFormatConditionsObject::Delete, {}},
    };

    CXlsRangeTarget m_target;
};

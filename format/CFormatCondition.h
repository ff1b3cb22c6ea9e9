// A section's condition in brackets: [>100], [<=0], [=50], [<>10]. The bound
// is read like a number in a cell ("[< -1e1 ]" is below -10; anything after
// the number, as in "[< -1,000 ]", is ignored).
#pragma once

#include <string_view>

class CFormatCondition {
public:
    enum class EOp { None, Less, LessEqual, Greater, GreaterEqual, Equal, NotEqual };

    CFormatCondition() = default;
    CFormatCondition(EOp op, double bound) : m_op(op), m_bound(bound) {}

    // Reads the text between the brackets. A text that is not a comparison
    // gives a condition with op None (IsSet() false).
    static CFormatCondition Parse(std::u16string_view inside);

    bool IsSet() const { return m_op != EOp::None; }
    EOp Op() const { return m_op; }
    double Bound() const { return m_bound; }
    // True when value passes; an unset condition passes everything.
    bool Holds(double value) const;
    // True when some value of zero or more passes: a section whose condition
    // admits only negative numbers shows them without their minus sign.
    bool AdmitsNonNegative() const;
    // True when every number above zero passes ([>-1], [>=0], [<>-5]).
    bool AdmitsAllPositive() const;

private:
    EOp m_op = EOp::None;
    double m_bound = 0.0;
};

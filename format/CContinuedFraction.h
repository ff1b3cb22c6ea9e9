// The fraction the program picks for a value: the last convergent of the
// value's continued fraction whose denominator still fits. The expansion is
// worked in double arithmetic, as the program does; its rounding decides
// some choices (0.9 with one denominator digit gives 8/9, not 1, because
// 1/(1/0.9 - 1) comes out just below 9). Semiconvergents are never used:
// 0.47 with one digit gives 1/2 although 4/9 is closer.
#pragma once

class CContinuedFraction {
public:
    // value >= 0 and finite; maxDenominator >= 1. numerator is a whole
    // number held as a double (an improper fraction of a large value can
    // pass 2^63); denominator lies in 1..maxDenominator. At most 64 terms.
    static void Approximate(double value, long long maxDenominator, double& numerator,
                            long long& denominator);
};

#include "format/CContinuedFraction.h"

#include <cmath>

void CContinuedFraction::Approximate(double value, long long maxDenominator, double& numerator,
                                     long long& denominator) {
    if (maxDenominator < 1) maxDenominator = 1;
    // Convergents h/k from the recurrences h = a*h1 + h0, k = a*k1 + k0,
    // starting from 0/1 and 1/0.
    double h0 = 0.0;
    double h1 = 1.0;
    long long k0 = 1;
    long long k1 = 0;
    numerator = std::floor(value);
    denominator = 1;
    double y = value;
    for (int term = 0; term < 64; ++term) {
        const double a = std::floor(y);
        if (!std::isfinite(a)) break;
        // The next denominator a*k1 + k0 must not pass the limit; compared
        // in double before multiplying, so a huge term cannot overflow.
        if (k1 > 0 && a > static_cast<double>(maxDenominator - k0) / static_cast<double>(k1)) break;
        const long long k = (k1 == 0) ? k0 : static_cast<long long>(a) * k1 + k0;
        const double h = a * h1 + h0;
        h0 = h1;
        h1 = h;
        k0 = k1;
        k1 = k;
        numerator = h;
        denominator = k;
        const double rest = y - a;
        if (rest <= 0.0) break;
        y = 1.0 / rest;
    }
}

#include "server/CXlsNewerFunctions.h"

#include "server/CXlsSheetName.h"

namespace {

// By the version of the spreadsheet that brought them.
constexpr std::u16string_view kNewer[] = {
    // 2002 (Thai text, outside the BIFF8 table)
    u"BAHTTEXT",
    // 2007
    u"AVERAGEIF",
    u"AVERAGEIFS",
    u"COUNTIFS",
    u"CUBEKPIMEMBER",
    u"CUBEMEMBER",
    u"CUBEMEMBERPROPERTY",
    u"CUBERANKEDMEMBER",
    u"CUBESET",
    u"CUBESETCOUNT",
    u"CUBEVALUE",
    u"IFERROR",
    u"SUMIFS",
    // 2010
    u"AGGREGATE",
    u"ECMA.CEILING",
    u"BETA.DIST",
    u"BETA.INV",
    u"BINOM.DIST",
    u"BINOM.INV",
    u"CEILING.PRECISE",
    u"CHISQ.DIST",
    u"CHISQ.DIST.RT",
    u"CHISQ.INV",
    u"CHISQ.INV.RT",
    u"CHISQ.TEST",
    u"CONFIDENCE.NORM",
    u"CONFIDENCE.T",
    u"COVARIANCE.P",
    u"COVARIANCE.S",
    u"ERF.PRECISE",
    u"ERFC.PRECISE",
    u"EXPON.DIST",
    u"F.DIST",
    u"F.DIST.RT",
    u"F.INV",
    u"F.INV.RT",
    u"F.TEST",
    u"FLOOR.PRECISE",
    u"GAMMA.DIST",
    u"GAMMA.INV",
    u"GAMMALN.PRECISE",
    u"HYPGEOM.DIST",
    u"ISO.CEILING",
    u"LOGNORM.DIST",
    u"LOGNORM.INV",
    u"MODE.MULT",
    u"MODE.SNGL",
    u"NEGBINOM.DIST",
    u"NETWORKDAYS.INTL",
    u"NORM.DIST",
    u"NORM.INV",
    u"NORM.S.DIST",
    u"NORM.S.INV",
    u"PERCENTILE.EXC",
    u"PERCENTILE.INC",
    u"PERCENTRANK.EXC",
    u"PERCENTRANK.INC",
    u"POISSON.DIST",
    u"QUARTILE.EXC",
    u"QUARTILE.INC",
    u"RANK.AVG",
    u"RANK.EQ",
    u"STDEV.P",
    u"STDEV.S",
    u"T.DIST",
    u"T.DIST.2T",
    u"T.DIST.RT",
    u"T.INV",
    u"T.INV.2T",
    u"T.TEST",
    u"VAR.P",
    u"VAR.S",
    u"WEIBULL.DIST",
    u"WORKDAY.INTL",
    u"Z.TEST",
    // 2013
    u"ACOT",
    u"ACOTH",
    u"ARABIC",
    u"BASE",
    u"BINOM.DIST.RANGE",
    u"BITAND",
    u"BITLSHIFT",
    u"BITOR",
    u"BITRSHIFT",
    u"BITXOR",
    u"CEILING.MATH",
    u"COMBINA",
    u"COT",
    u"COTH",
    u"CSC",
    u"CSCH",
    u"DAYS",
    u"DECIMAL",
    u"ENCODEURL",
    u"FILTERXML",
    u"FLOOR.MATH",
    u"FORMULATEXT",
    u"GAMMA",
    u"GAUSS",
    u"IFNA",
    u"IMCOSH",
    u"IMCOT",
    u"IMCSC",
    u"IMCSCH",
    u"IMSEC",
    u"IMSECH",
    u"IMSINH",
    u"IMTAN",
    u"ISFORMULA",
    u"ISOWEEKNUM",
    u"MUNIT",
    u"NUMBERVALUE",
    u"PDURATION",
    u"PERMUTATIONA",
    u"PHI",
    u"RRI",
    u"SEC",
    u"SECH",
    u"SHEET",
    u"SHEETS",
    u"SKEW.P",
    u"UNICHAR",
    u"UNICODE",
    u"WEBSERVICE",
    u"XOR",
    // 2016 and 2019
    u"CONCAT",
    u"FORECAST.ETS",
    u"FORECAST.ETS.CONFINT",
    u"FORECAST.ETS.SEASONALITY",
    u"FORECAST.ETS.STAT",
    u"FORECAST.LINEAR",
    u"IFS",
    u"MAXIFS",
    u"MINIFS",
    u"SWITCH",
    u"TEXTJOIN",
    // Later: dynamic arrays, implicit intersection (SINGLE, written "@"),
    // spilled ranges, linked data types, and what came with them
    u"ARRAYTOTEXT",
    u"BYCOL",
    u"BYROW",
    u"CHOOSECOLS",
    u"CHOOSEROWS",
    u"DROP",
    u"EXPAND",
    u"HSTACK",
    u"ISOMITTED",
    u"LAMBDA",
    u"LET",
    u"MAKEARRAY",
    u"MAP",
    u"RANDARRAY",
    u"REDUCE",
    u"SCAN",
    u"SEQUENCE",
    u"SORTBY",
    u"TAKE",
    u"TEXTAFTER",
    u"TEXTBEFORE",
    u"TEXTSPLIT",
    u"TOCOL",
    u"TOROW",
    u"UNIQUE",
    u"VALUETOTEXT",
    u"VSTACK",
    u"WRAPCOLS",
    u"WRAPROWS",
    u"XLOOKUP",
    u"XMATCH",
    u"ANCHORARRAY",
    u"SINGLE",
    u"FIELDVALUE",
    u"STOCKHISTORY",
    u"IMAGE",
    u"GROUPBY",
    u"PIVOTBY",
    u"PERCENTOF",
    u"REGEXTEST",
    u"REGEXEXTRACT",
    u"REGEXREPLACE",
    u"TRIMRANGE",
};

// Stored with a second prefix after the first.
constexpr std::u16string_view kWorksheetPrefix = u"_xlws.";
constexpr std::u16string_view kWorksheetNewer[] = {u"FILTER", u"SORT"};

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() &&
           CXlsSheetName::SameName(text.substr(0, prefix.size()), prefix);
}

bool IsWorksheetNewer(std::u16string_view name) {
    for (std::u16string_view known : kWorksheetNewer) {
        if (CXlsSheetName::SameName(known, name)) return true;
    }
    return false;
}

}  // namespace

bool CXlsNewerFunctions::IsNewer(std::u16string_view name) {
    for (std::u16string_view known : kNewer) {
        if (CXlsSheetName::SameName(known, name)) return true;
    }
    return IsWorksheetNewer(name);
}

std::u16string CXlsNewerFunctions::StoredName(std::u16string_view name) {
    if (StartsWithIgnoringCase(name, kPrefix) || !IsNewer(name)) return std::u16string(name);
    std::u16string stored(kPrefix);
    if (IsWorksheetNewer(name)) stored += kWorksheetPrefix;
    return stored + std::u16string(name);
}

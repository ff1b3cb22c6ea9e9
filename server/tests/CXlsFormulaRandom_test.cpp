// Random input for the compiler and the shifter: formulas from a small
// grammar, some of them damaged, and plain random bytes. Whatever comes in
// is compiled or refused, never misread: what compiles is a walkable token
// stream within the size limit, and the shifter never reads past its
// tokens. Fixed seeds keep runs repeatable.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "server/CXlsFormulaCompiler.h"
#include "server/CXlsFormulaShifter.h"
#include "server/CXlsFormulaTokenWalker.h"
#include "server/CXlsWorkbook.h"
#include "server/XlsFormulaLayout.h"
#include "server/tests/support/FormulaBytes.h"

using namespace servertest;

namespace {

// Pieces that damage a formula when put into it.
// clang-format off
constexpr std::u16string_view kPieces[] = {
    u"A1", u"$B$2", u"C$3", u"IV65536", u":", u"A:B", u"3:4", u"(", u")", u",", u";", u"{",
    u"}", u" ", u"\"", u"\"\"", u"'", u"!", u"Q1 2009!", u"'Q1 2009'!", u"Sheet2!",
    u"Sheet1:Sheet2!", u"#REF!", u"#N/A", u"TRUE", u"1", u"65536", u"0.5", u"1E+20", u"E", u"+",
    u"-", u"*", u"/", u"^", u"&", u"%", u"=", u"<", u">", u"<>", u"SUM(", u"IF(", u"ROUND(",
    u"PI(", u"INDEX(", u"NOW(", u"x", u"\u00e9", u"\u65e5",
};
// clang-format on

// ptgRefErr, ptgAreaErr, ptgRefErr3d and ptgAreaErr3d tokens, any class.
std::size_t ErrorTokens(const CXlsFormulaTokens& tokens) {
    std::vector<std::size_t> offsets;
    CXlsFormulaTokenWalker::Offsets(tokens.Tokens(), offsets);
    std::size_t count = 0;
    for (std::size_t offset : offsets) {
        const std::uint8_t id = xlsw::BaseId(tokens.Tokens()[offset]);
        count += id == xlsw::kPtgRefErr || id == xlsw::kPtgAreaErr || id == xlsw::kPtgRefErr3d ||
                 id == xlsw::kPtgAreaErr3d;
    }
    return count;
}

class FormulaRandom : public ::testing::Test {
  protected:
    FormulaRandom() {
        book.AddSheet(0, u"Sheet1");
        book.AddSheet(1, u"Sheet2");
        book.AddSheet(2, u"Q1 2009");
    }
    CXlsWorkbook book;
};

// A random formula from a small grammar of the spreadsheet's syntax.
std::u16string RandomFormula(std::mt19937& random, int depth) {
    // clang-format off
    static constexpr std::u16string_view kOperands[] = {
        u"A1", u"$B$2", u"C$3:D4", u"IV65536", u"A:B", u"3:4", u"Sheet2!A1", u"'Q1 2009'!B2:C3",
        u"Sheet1:Sheet2!A1", u"Sheet2!#REF!", u"1", u"65536", u"0.5", u"1E+20", u"\"a\"\"b\"",
        u"\"\u65e5\"", u"TRUE", u"#N/A", u"{1,2;3,4}", u"{\"x\",-1}",
    };
    static constexpr std::u16string_view kBinary[] = {
        u"+", u"-", u"*", u"/", u"^", u"&", u"=", u"<", u"<=", u"<>", u":", u" ",
    };
    static constexpr std::u16string_view kCalls[] = {
        u"SUM(", u"IF(", u"ROUND(", u"INDEX(", u"NOW(", u"CHOOSE(", u"SUMPRODUCT(",
    };
    // clang-format on
    std::uniform_int_distribution<int> pick(0, 99);
    const int kind = depth > 4 ? 0 : pick(random);
    auto any = [&](auto& list) { return std::u16string(list[pick(random) % std::size(list)]); };
    if (kind < 40) return any(kOperands);
    if (kind < 50) return (pick(random) % 2 ? u"-" : u"+") + RandomFormula(random, depth + 1);
    if (kind < 55) return RandomFormula(random, depth + 1) + u"%";
    if (kind < 75) {
        return RandomFormula(random, depth + 1) + any(kBinary) + RandomFormula(random, depth + 1);
    }
    if (kind < 85) return u"(" + RandomFormula(random, depth + 1) + u")";
    std::u16string call = any(kCalls);
    for (int n = pick(random) % 4; n >= 0; --n) {
        call += RandomFormula(random, depth + 1);
        if (n > 0) call += pick(random) % 2 ? u"," : u", ";
    }
    return call + u")";
}

TEST_F(FormulaRandom, RandomAndDamagedTextsCompileToWalkableTokensOrAreRefused) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
    std::uniform_int_distribution<int> percent(0, 99);
    CXlsFormulaCompiler compiler(book);
    std::size_t compiled = 0;
    for (int round = 0; round < 20000; ++round) {
        std::u16string text = RandomFormula(random, 0);
        // Half of them damaged: a piece put in or a stretch cut out.
        if (percent(random) < 50 && !text.empty()) {
            const std::size_t at = static_cast<std::size_t>(percent(random)) * text.size() / 100;
            if (percent(random) < 50) {
                text.insert(at, kPieces[piece(random)]);
            } else {
                text.erase(at, 1 + static_cast<std::size_t>(percent(random)) % 4);
            }
        }
        CXlsFormulaTokens tokens;
        if (!compiler.Compile(text, EXlsFormulaKind::kCell, tokens)) {
            EXPECT_FALSE(compiler.ErrorText().empty()) << Ascii(text);
            EXPECT_LE(compiler.ErrorOffset(), text.size()) << Ascii(text);
            continue;
        }
        ++compiled;
        std::vector<std::size_t> offsets;
        ASSERT_TRUE(CXlsFormulaTokenWalker::Offsets(tokens.Tokens(), offsets)) << Ascii(text);
        ASSERT_TRUE(tokens.IsValid()) << Ascii(text);

        // Moved away and back, a formula whose references all stayed on
        // the sheet is the formula it was.
        CXlsFormulaTokens there;
        CXlsFormulaTokens back;
        ASSERT_TRUE(CXlsFormulaShifter::Shift(tokens, 7, 3, there)) << Ascii(text);
        ASSERT_TRUE(CXlsFormulaShifter::Shift(there, -7, -3, back)) << Ascii(text);
        if (ErrorTokens(there) == ErrorTokens(tokens)) {
            EXPECT_EQ(back, tokens) << Ascii(text);
        }
    }
    // Enough good formulas for the checks above to bite.
    EXPECT_GT(compiled, 5000u);
}

TEST_F(FormulaRandom, RandomBytesNeverTakeTheShifterPastItsTokens) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 40);
    for (int round = 0; round < 50000; ++round) {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length(random)));
        for (std::uint8_t& b : bytes) {
            // Mostly reference and string ids, so that whole tokens come up.
            const int pick = byte(random);
            b = pick < 64 ? static_cast<std::uint8_t>(0x24 + (pick & 0x41) + (pick & 0x16))
                          : static_cast<std::uint8_t>(byte(random));
        }
        const CXlsFormulaTokens tokens(bytes);
        CXlsFormulaTokens moved;
        if (CXlsFormulaShifter::Shift(tokens, 1000, -100, moved)) {
            EXPECT_EQ(moved.Tokens().size(), bytes.size());
        }
    }
}

}  // namespace

// Cell and area references: every class of ptgRef / ptgArea with every
// combination of relative and absolute parts, relative tokens (ptgRefN,
// ptgAreaN) around a base cell, and 3-D references through EXTERNSHEET and
// SUPBOOK.
#include <gtest/gtest.h>

#include "formula/tests/support/TokenStream.h"
#include "model/CExcelWorkBook.h"

using namespace testsupport;

namespace {

constexpr std::uint8_t kRefClasses[] = {0x24, 0x44, 0x64};
constexpr std::uint8_t kAreaClasses[] = {0x25, 0x45, 0x65};
constexpr std::uint8_t kRefNClasses[] = {0x2C, 0x4C, 0x6C};
constexpr std::uint8_t kAreaNClasses[] = {0x2D, 0x4D, 0x6D};

struct BitCase {
    bool columnRelative;
    bool rowRelative;
    const char* b3;
};
constexpr BitCase kBitCases[] = {
    {true, true, "B3"},
    {false, true, "$B3"},
    {true, false, "B$3"},
    {false, false, "$B$3"},
};

std::string Text(const TokenStream& tokens, std::uint32_t baseRow = 0,
                 std::uint16_t baseColumn = 0) {
    const Decoded decoded = Decode(tokens.Build(), baseRow, baseColumn);
    EXPECT_TRUE(decoded.sound) << decoded.text;
    return decoded.text;
}

}  // namespace

// ---- Relative and absolute parts ------------------------------------------------

TEST(ReferenceBits, EveryClassOfPtgRefPrintsExactlyTheAbsolutePartsWithDollar) {
    for (const std::uint8_t token : kRefClasses) {
        for (const BitCase& bits : kBitCases) {
            EXPECT_EQ(
                Text(TokenStream().Ref(token, 2, Col(1, bits.columnRelative, bits.rowRelative))),
                bits.b3)
                << "token " << int(token);
        }
    }
}

TEST(ReferenceBits, EveryClassOfPtgAreaMarksEachCornerByItsOwnField) {
    for (const std::uint8_t token : kAreaClasses) {
        EXPECT_EQ(Text(TokenStream().Area(token, 0, 3, Rel(0), Rel(2))), "A1:C4");
        EXPECT_EQ(Text(TokenStream().Area(token, 0, 3, Abs(0), Abs(2))), "$A$1:$C$4");
        EXPECT_EQ(Text(TokenStream().Area(token, 0, 3, Col(0, false, true), Col(2, true, false))),
                  "$A1:C$4");
    }
}

TEST(ReferenceBits, ValueClassReferencesAddedKeepTheirOwnBits) {
    // A1 relative plus $B$1 absolute, both value class.
    EXPECT_EQ(Text(TokenStream().Ref(0x44, 0, Rel(0)).Ref(0x44, 0, Abs(1)).Op(0x03)), "A1+$B$1");
}

TEST(ReferenceText, ColumnsRunFromAToIVAndOnlyTheLowByteIsTheColumn) {
    EXPECT_EQ(Text(TokenStream().Ref(0x24, 0, Rel(25))), "Z1");
    EXPECT_EQ(Text(TokenStream().Ref(0x24, 0, Rel(26))), "AA1");
    EXPECT_EQ(Text(TokenStream().Ref(0x24, 0, Rel(255))), "IV1");
    EXPECT_EQ(Text(TokenStream().Ref(0x24, 65535, Rel(0))), "A65536");
    // Bits 8-13 are not part of the column.
    EXPECT_EQ(Text(TokenStream().Ref(0x24, 0, static_cast<std::uint16_t>(Rel(1) | 0x0300))), "B1");
}

TEST(ReferenceText, ErrorReferencesPrintRefError) {
    EXPECT_EQ(Text(TokenStream().Byte(0x2A).U16(0).U16(0)), "#REF!");
    EXPECT_EQ(Text(TokenStream().Byte(0x4B).U16(0).U16(0).U16(0).U16(0)), "#REF!");
}

// ---- Relative tokens around a base cell ---------------------------------------------

TEST(RelativeReference, RelativePartsAreOffsetsFromTheBaseCellInEveryClass) {
    for (const std::uint8_t token : kRefNClasses) {
        // Base D5 (row 4, column 3): one row down, one column right is E6.
        EXPECT_EQ(Text(TokenStream().Ref(token, 1, Rel(1)), 4, 3), "E6");
        // Negative offsets: two rows up (0xFFFE), three columns left (0xFD).
        EXPECT_EQ(Text(TokenStream().Ref(token, 0xFFFE, Rel(0xFD)), 4, 3), "A3");
        EXPECT_EQ(Text(TokenStream().Ref(token, 0, Rel(0)), 4, 3), "D5");
    }
}

TEST(RelativeReference, AbsolutePartsOfMixedReferencesArePlainNumbers) {
    // $A2 seen from D5: absolute column 0, row one up.
    EXPECT_EQ(Text(TokenStream().Ref(0x2C, 0xFFFD, Col(0, false, true)), 4, 3), "$A2");
    // B$1 seen from D5: column two left, absolute row 0.
    EXPECT_EQ(Text(TokenStream().Ref(0x2C, 0, Col(0xFE, true, false)), 4, 3), "B$1");
    // $C$7 from anywhere.
    EXPECT_EQ(Text(TokenStream().Ref(0x2C, 6, Abs(2)), 100, 50), "$C$7");
}

TEST(RelativeReference, AreasResolveBothCornersAndKeepTheirBits) {
    for (const std::uint8_t token : kAreaNClasses) {
        // From C10 (row 9, column 2): A1-relative corners at offsets.
        EXPECT_EQ(Text(TokenStream().Area(token, 0xFFF7, 0, Rel(0xFE), Rel(0)), 9, 2), "A1:C10");
        EXPECT_EQ(
            Text(TokenStream().Area(token, 0, 4, Col(0, false, false), Col(0, true, true)), 9, 2),
            "$A$1:C14");
    }
}

TEST(RelativeReference, OffsetsWrapRoundTheGridEdges) {
    // One row above row 1 is row 65536, one column left of A is IV.
    EXPECT_EQ(Text(TokenStream().Ref(0x2C, 0xFFFF, Rel(0xFF)), 0, 0), "IV65536");
    EXPECT_EQ(Text(TokenStream().Ref(0x2C, 1, Rel(1)), 65535, 255), "A1");
}

// ---- 3-D references ---------------------------------------------------------------------

namespace {

// Sheets "Data", "Q1 2009", "Bob's", "A1", "R1C1" of this workbook; REF
// entries 0-4 name them one by one, 5 spans Data to Q1 2009, 6 points at
// an add-in, 7 at another file without its sheet names, 8 at a deleted
// sheet, 9 at SUPBOOK 9 (none).
void BuildBook(CExcelWorkBook& book) {
    AddSheet(book, u"Data");
    AddSheet(book, u"Q1 2009");
    AddSheet(book, u"Bob's");
    AddSheet(book, u"A1");
    AddSheet(book, u"R1C1");
    AddSheet(book, u"Summary");
    AddSupBook(book, SelfSupBook(6));
    AddSupBook(book, {0x01, 0x00, 0x01, 0x3A});
    AddSupBook(book, {1, 0, 3, 0, 0, 'a', 'b', 'c'});
    AddExternSheet(book, {{0, 0, 0},
                          {0, 1, 1},
                          {0, 2, 2},
                          {0, 3, 3},
                          {0, 4, 4},
                          {0, 0, 1},
                          {1, 0, 0},
                          {2, 0, 0},
                          {0, 0xFFFF, 0xFFFF},
                          {9, 0, 0}});
}

Decoded Decode3d(const CExcelWorkBook& book, const TokenStream& tokens) {
    return Decode(tokens.Build(), 0, 0, &book, nullptr);
}

}  // namespace

TEST(Reference3d, SheetsOfThisWorkbookPrintQuotedWhereNeeded) {
    CExcelWorkBook book;
    BuildBook(book);
    const struct {
        std::uint16_t ref;
        const char* text;
    } cases[] = {
        {0, "Data!B3"}, {1, "'Q1 2009'!B3"}, {2, "'Bob''s'!B3"}, {3, "'A1'!B3"}, {4, "'R1C1'!B3"},
    };
    for (const auto& c : cases) {
        for (const std::uint8_t token : {0x3A, 0x5A, 0x7A}) {
            const Decoded d = Decode3d(book, TokenStream().Ref3d(token, c.ref, 2, Rel(1)));
            EXPECT_EQ(d.text, c.text);
            EXPECT_TRUE(d.sound) << d.text;
        }
    }
}

TEST(Reference3d, AreasAndErrorsCarryTheSheetAndTheirBits) {
    CExcelWorkBook book;
    BuildBook(book);
    Decoded d = Decode3d(book, TokenStream().Area3d(0x3B, 1, 0, 3, Abs(0), Rel(2)));
    EXPECT_EQ(d.text, "'Q1 2009'!$A$1:C4");
    EXPECT_TRUE(d.sound);
    d = Decode3d(book, TokenStream().Byte(0x3C).U16(0).U16(0).U16(0));
    EXPECT_EQ(d.text, "Data!#REF!");
    EXPECT_TRUE(d.sound);
    d = Decode3d(book, TokenStream().Byte(0x5D).U16(1).U16(0).U16(0).U16(0).U16(0));
    EXPECT_EQ(d.text, "'Q1 2009'!#REF!");
    EXPECT_TRUE(d.sound);
}

TEST(Reference3d, ARangeOfSheetsPrintsBothEnds) {
    CExcelWorkBook book;
    BuildBook(book);
    const Decoded d = Decode3d(book, TokenStream().Area3d(0x3B, 5, 0, 9, Rel(0), Rel(0)));
    EXPECT_EQ(d.text, "'Data:Q1 2009'!A1:A10");
    EXPECT_TRUE(d.sound);
}

TEST(Reference3d, ReferencesIntoADeletedSheetAreRefErrors) {
    CExcelWorkBook book;
    BuildBook(book);
    // The spreadsheet shows the deleted sheet as #REF! in front of the
    // reference, and computes it as #REF!.
    const struct {
        TokenStream tokens;
        const char* text;
    } cases[] = {
        {TokenStream().Ref3d(0x5A, 8, 2, Rel(1)), "#REF!B3"},
        {TokenStream().Area3d(0x3B, 8, 0, 3, Abs(0), Abs(1)), "#REF!$A$1:$B$4"},
        {TokenStream().Byte(0x3C).U16(8).U16(0).U16(0), "#REF!#REF!"},
        {TokenStream().Ref3d(0x5A, 8, 2, Rel(1)).Str(u"").Op(0x0B).FuncVar(0x42, 1, 3),
         "ISERROR( #REF!B3=\"\" )"},
    };
    for (const auto& c : cases) {
        const Decoded d = Decode3d(book, c.tokens);
        EXPECT_EQ(d.text, c.text);
        EXPECT_TRUE(d.sound);
    }
}

TEST(Reference3d, AddInOtherFilesAndMissingEntriesAreUnsound) {
    CExcelWorkBook book;
    BuildBook(book);
    for (const std::uint16_t ref : {6, 7, 9, 10, 500}) {
        const Decoded d = Decode3d(book, TokenStream().Ref3d(0x3A, ref, 2, Rel(1)));
        EXPECT_EQ(d.text, "!B3") << ref;
        EXPECT_FALSE(d.sound) << ref;
        // The value class goes on too: the workbook has an EXTERNSHEET table.
        const Decoded v = Decode3d(book, TokenStream().Ref3d(0x5A, ref, 2, Rel(1)));
        EXPECT_EQ(v.text, "!B3") << ref;
        EXPECT_FALSE(v.sound);
    }
}

TEST(Reference3d, WithoutExternSheetTheValueClassEndsTheDecode) {
    CExcelWorkBook book;
    AddSheet(book, u"Data");
    // Reference and array class: an empty sheet part, decoding goes on.
    for (const std::uint8_t token : {0x3A, 0x7A}) {
        const Decoded d = Decode3d(book, TokenStream().Ref3d(token, 0, 2, Rel(1)).Int(1).Op(0x03));
        EXPECT_EQ(d.text, "!B3+1");
        EXPECT_FALSE(d.sound);
    }
    Decoded d = Decode3d(book, TokenStream().Area3d(0x5B, 0, 0, 1, Rel(0), Rel(0)));
    EXPECT_EQ(d.text, "!A1:A2");
    EXPECT_FALSE(d.sound);
    // Value class: nothing at all, whatever follows.
    d = Decode3d(book, TokenStream().Int(7).Ref3d(0x5A, 0, 2, Rel(1)).Op(0x03));
    EXPECT_EQ(d.text, "");
    EXPECT_FALSE(d.sound);
    // The same without any workbook.
    d = Decode(TokenStream().Ref3d(0x5A, 0, 2, Rel(1)).Build());
    EXPECT_EQ(d.text, "");
    EXPECT_FALSE(d.sound);
}

TEST(Reference3d, AValueClassReferenceCutShortEndsTheDecode) {
    const Decoded d = Decode(TokenStream().Int(7).Byte(0x5A).U16(0).U16(2).Build());
    EXPECT_EQ(d.text, "");
    EXPECT_FALSE(d.sound);
}

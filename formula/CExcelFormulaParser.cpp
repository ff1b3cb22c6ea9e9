#include "formula/CExcelFormulaParser.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "biff/CByteBuffer.h"
#include "formula/CExcelFormulaArrayConstant.h"
#include "formula/CExcelFormulaExternName.h"
#include "formula/CExcelFormulaExternSheet.h"
#include "formula/CExcelFormulaNameText.h"
#include "formula/CExcelFormulaNumberText.h"
#include "formula/CExcelFormulaReferenceText.h"
#include "formula/CExcelFormulaStringLiteral.h"
#include "formula/CExcelFormulaTableText.h"
#include "formula/CExcelFunctionTable.h"
#include "formula/FormulaTokens.h"
#include "records/CConstData.h"

namespace {

using biff8::kPtgAdd;
using biff8::kPtgRange;

// Texts of the binary operators, by token id from ptgAdd to ptgRange. They
// print with no spaces and no parentheses: a formula's own parentheses are
// ptgParen tokens.
constexpr const char16_t* kOperators[kPtgRange - kPtgAdd + 1] = {
    u"+", u"-", u"*", u"/", u"^", u"&", u"<", u"<=", u"=", u">=", u">", u"<>",
    u" ",  // intersection
    u",",  // union
    u":",  // range
};

// Room for the operand texts of a common formula, so that the buffer seldom
// grows while it is built.
constexpr std::size_t kTextReserve = 32;
constexpr std::size_t kOperandReserve = 8;

std::uint16_t U16(const std::uint8_t* bytes) {
    return CDataReader::GetU16(bytes);
}

}  // namespace

using P = CExcelFormulaParser;

// Indexed by base id: the token byte itself below 0x20, else 0x20 plus its
// low five bits (the three classes of a token share one row). A null
// handler is a byte that is not a token: it is stepped over on its own.
const CExcelFormulaParser::TokenHandler CExcelFormulaParser::kHandlers[64] = {
    {0, nullptr},                             // 0x00
    {biff8::kPtgExpSize, &P::OnExp},          // 0x01 ptgExp
    {biff8::kPtgTblSize, &P::OnTbl},          // 0x02 ptgTbl
    {0, &P::OnBinary},                        // 0x03 ptgAdd
    {0, &P::OnBinary},                        // 0x04 ptgSub
    {0, &P::OnBinary},                        // 0x05 ptgMul
    {0, &P::OnBinary},                        // 0x06 ptgDiv
    {0, &P::OnBinary},                        // 0x07 ptgPower
    {0, &P::OnBinary},                        // 0x08 ptgConcat
    {0, &P::OnBinary},                        // 0x09 ptgLT
    {0, &P::OnBinary},                        // 0x0A ptgLE
    {0, &P::OnBinary},                        // 0x0B ptgEQ
    {0, &P::OnBinary},                        // 0x0C ptgGE
    {0, &P::OnBinary},                        // 0x0D ptgGT
    {0, &P::OnBinary},                        // 0x0E ptgNE
    {0, &P::OnBinary},                        // 0x0F ptgIsect
    {0, &P::OnBinary},                        // 0x10 ptgUnion
    {0, &P::OnBinary},                        // 0x11 ptgRange
    {0, &P::OnUnary},                         // 0x12 ptgUplus
    {0, &P::OnUnary},                         // 0x13 ptgUminus
    {0, &P::OnPercent},                       // 0x14 ptgPercent
    {0, &P::OnParen},                         // 0x15 ptgParen
    {0, &P::OnMissArg},                       // 0x16 ptgMissArg
    {biff8::kPtgStrSize, &P::OnStr},          // 0x17 ptgStr
    {0, &P::OnNotPrintable},                  // 0x18 extended tokens
    {biff8::kPtgAttrSize, &P::OnAttr},        // 0x19 ptgAttr
    {0, nullptr},                             // 0x1A
    {0, nullptr},                             // 0x1B
    {biff8::kPtgErrSize, &P::OnErr},          // 0x1C ptgErr
    {biff8::kPtgBoolSize, &P::OnBool},        // 0x1D ptgBool
    {biff8::kPtgIntSize, &P::OnInt},          // 0x1E ptgInt
    {biff8::kPtgNumSize, &P::OnNum},          // 0x1F ptgNum
    {biff8::kPtgArraySize, &P::OnArray},      // 0x20 ptgArray
    {biff8::kPtgFuncSize, &P::OnFunc},        // 0x21 ptgFunc
    {biff8::kPtgFuncVarSize, &P::OnFuncVar},  // 0x22 ptgFuncVar
    {biff8::kPtgNameSize, &P::OnName},        // 0x23 ptgName
    {biff8::kPtgRefSize, &P::OnRef},          // 0x24 ptgRef
    {biff8::kPtgAreaSize, &P::OnArea},        // 0x25 ptgArea
    {biff8::kPtgMemSize, &P::OnMemArea},      // 0x26 ptgMemArea
    {biff8::kPtgMemSize, &P::OnMem},          // 0x27 ptgMemErr
    {biff8::kPtgMemSize, &P::OnMem},          // 0x28 ptgMemNoMem
    {biff8::kPtgMemShortSize, &P::OnMem},     // 0x29 ptgMemFunc
    {biff8::kPtgRefSize, &P::OnRefErr},       // 0x2A ptgRefErr
    {biff8::kPtgAreaSize, &P::OnRefErr},      // 0x2B ptgAreaErr
    {biff8::kPtgRefSize, &P::OnRefN},         // 0x2C ptgRefN
    {biff8::kPtgAreaSize, &P::OnAreaN},       // 0x2D ptgAreaN
    {biff8::kPtgMemShortSize, &P::OnMem},     // 0x2E ptgMemAreaN
    {biff8::kPtgMemShortSize, &P::OnMem},     // 0x2F ptgMemNoMemN
    {0, nullptr},                             // 0x30
    {0, nullptr},                             // 0x31
    {0, nullptr},                             // 0x32
    {0, nullptr},                             // 0x33
    {0, nullptr},                             // 0x34
    {0, nullptr},                             // 0x35
    {0, nullptr},                             // 0x36
    {0, nullptr},                             // 0x37
    {0, nullptr},                             // 0x38
    {biff8::kPtgNameXSize, &P::OnNameX},      // 0x39 ptgNameX
    {biff8::kPtgRef3dSize, &P::OnRef3d},      // 0x3A ptgRef3d
    {biff8::kPtgArea3dSize, &P::OnArea3d},    // 0x3B ptgArea3d
    {biff8::kPtgRef3dSize, &P::OnRefErr3d},   // 0x3C ptgRefErr3d
    {biff8::kPtgArea3dSize, &P::OnRefErr3d},  // 0x3D ptgAreaErr3d
    {0, nullptr},                             // 0x3E
    {0, nullptr},                             // 0x3F
};

const CExcelFormulaParser::TokenHandler* CExcelFormulaParser::FindHandler(std::uint8_t token) {
    if (token > biff8::kPtgLastToken) return nullptr;
    if (token < biff8::kPtgClassless) return &kHandlers[token];
    return &kHandlers[biff8::kPtgClassless | (token & biff8::kPtgBaseMask)];
}

CExcelFormulaParser::~CExcelFormulaParser() = default;

std::u16string CExcelFormulaParser::Decode(const std::uint8_t* buffer, std::uint32_t available,
                                           std::uint32_t baseRow, std::uint16_t baseColumn,
                                           const CExcelFormulaWorkbook* workbook,
                                           const CExcelSheetFormulas* worksheet,
                                           const CByteBuffer* sharedFormula,
                                           const CByteBuffer* arrayFormula) {
    m_text.clear();
    m_operands.clear();
    m_sound = true;
    m_reason = CExcelFormulaUnsound::None;
    m_stop = false;
    if (!buffer || available < biff8::kFormulaLengthSize) {
        MarkUnsound(CExcelFormulaUnsound::CutShort);
        return {};
    }
    if (buffer[biff8::kFormulaLengthHighByte] == biff8::kFormulaDeletedMarker) {
        MarkUnsound(CExcelFormulaUnsound::DeletedFormula);
        return u"deleted";
    }
    // The whole 16-bit length counts: long IF chains and SUMPRODUCT terms
    // pass 255 token bytes.
    const std::uint32_t count = U16(buffer);
    if (available - biff8::kFormulaLengthSize < count) {
        MarkUnsound(CExcelFormulaUnsound::CutShort);
        return {};
    }

    m_buffer = buffer;
    m_available = available;
    m_baseRow = baseRow;
    m_baseColumn = baseColumn;
    m_workbook = workbook;
    m_worksheet = worksheet;
    m_sharedFormula = sharedFormula;
    m_arrayFormula = arrayFormula;
    m_cursor = biff8::kFormulaLengthSize;
    m_tokensEnd = biff8::kFormulaLengthSize + count;
    m_extra = m_tokensEnd;
    m_text.reserve(kTextReserve);
    m_operands.reserve(kOperandReserve);

    Run();

    std::u16string text;
    if (!m_stop) {
        if (m_operands.size() > 1) MarkUnsound(CExcelFormulaUnsound::ExtraOperands);
        text = Pop();
    }
    // The last token ran into the extra data.
    if (m_cursor > m_tokensEnd) MarkUnsound(CExcelFormulaUnsound::CutShort);
    if (text.empty()) MarkUnsound(CExcelFormulaUnsound::EmptyText);
    m_text.clear();
    m_operands.clear();
    m_buffer = nullptr;
    m_workbook = nullptr;
    m_worksheet = nullptr;
    m_sharedFormula = nullptr;
    m_arrayFormula = nullptr;
    return text;
}

void CExcelFormulaParser::Run() {
    while (m_cursor < m_tokensEnd && !m_stop) {
        const std::uint8_t token = m_buffer[m_cursor++];
        const TokenHandler* handler = FindHandler(token);
        if (!handler || !handler->handle) {
            // Not a token: step over this one byte and read on.
            MarkUnsound(CExcelFormulaUnsound::UnknownToken);
            continue;
        }
        if (!Fits(handler->operandSize)) {
            // Operand bytes cut off: nothing is pushed and the next byte is
            // read as a token. A value-class 3-D reference ends the decode.
            MarkUnsound(CExcelFormulaUnsound::CutShort);
            if (token == biff8::kPtgRef3dValue) m_stop = true;
            continue;
        }
        const std::uint8_t* operand = m_buffer + m_cursor;
        m_cursor += handler->operandSize;
        (this->*handler->handle)(token, operand);
    }
}

void CExcelFormulaParser::MarkUnsound(CExcelFormulaUnsound::EReason reason) {
    if (m_sound) m_reason = reason;
    m_sound = false;
}

bool CExcelFormulaParser::BeginOperand(bool isName) {
    if (m_operands.size() >= kMaxOperands) {
        MarkUnsound(CExcelFormulaUnsound::ExtraOperands);
        return false;
    }
    m_operands.emplace_back(static_cast<std::uint32_t>(m_text.size()), isName);
    return true;
}

void CExcelFormulaParser::Push(std::u16string_view text, bool isName) {
    if (BeginOperand(isName)) m_text.append(text);
}

std::u16string CExcelFormulaParser::Pop(bool* isName) {
    if (isName) *isName = !m_operands.empty() && m_operands.back().IsName();
    if (m_operands.empty()) {
        MarkUnsound(CExcelFormulaUnsound::MissingOperands);
        return {};
    }
    const std::uint32_t begin = m_operands.back().GetBegin();
    m_operands.pop_back();
    // The last operand holds the whole buffer: hand it over uncopied.
    if (begin == 0) return std::exchange(m_text, std::u16string());
    std::u16string text = m_text.substr(begin);
    m_text.resize(begin);
    return text;
}

void CExcelFormulaParser::Combine(std::uint32_t count, std::u16string_view prefix,
                                  std::u16string_view separator, std::u16string_view suffix) {
    const std::uint32_t present =
        static_cast<std::uint32_t>(std::min<std::size_t>(count, m_operands.size()));
    if (present < count) MarkUnsound(CExcelFormulaUnsound::MissingOperands);
    // Nothing popped: the joined text is one more operand.
    if (present == 0 && m_operands.size() >= kMaxOperands) {
        MarkUnsound(CExcelFormulaUnsound::ExtraOperands);
        return;
    }
    const std::size_t first = m_operands.size() - present;
    const std::size_t begin = present ? m_operands[first].GetBegin() : m_text.size();
    const std::size_t separators = count > 0 ? count - 1 : 0;
    std::size_t end = m_text.size();
    m_text.resize(end + prefix.size() + separators * separator.size() + suffix.size());
    // Filled from the back: each operand moves right, over room that the
    // operands still to move have already left.
    char16_t* text = m_text.data();
    std::size_t at = m_text.size();
    const auto put = [&](std::u16string_view piece) {
        at -= piece.size();
        std::char_traits<char16_t>::copy(text + at, piece.data(), piece.size());
    };
    put(suffix);
    const std::uint32_t missing = count - present;
    for (std::uint32_t i = count; i-- > 0;) {
        if (i >= missing) {
            const std::size_t start = m_operands[first + (i - missing)].GetBegin();
            at -= end - start;
            std::char_traits<char16_t>::move(text + at, text + start, end - start);
            end = start;
        }
        if (i > 0) put(separator);
    }
    put(prefix);
    m_operands.erase(m_operands.begin() + static_cast<std::ptrdiff_t>(first), m_operands.end());
    m_operands.emplace_back(static_cast<std::uint32_t>(begin), false);
}

std::u16string CExcelFormulaParser::PopArguments(std::uint32_t count, const char16_t* separator) {
    std::vector<std::u16string> arguments(count);
    for (std::uint32_t i = count; i > 0; --i) arguments[i - 1] = Pop();
    std::u16string joined;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (i) joined += separator;
        joined += arguments[i];
    }
    return joined;
}

bool CExcelFormulaParser::Fits(std::uint32_t count) const {
    return m_cursor <= m_available && count <= m_available - m_cursor;
}

void CExcelFormulaParser::Skip(std::uint32_t count) {
    m_cursor += count;
}

// ---- Operators ---------------------------------------------------------------

void CExcelFormulaParser::OnBinary(std::uint8_t token, const std::uint8_t*) {
    Combine(2, {}, kOperators[token - kPtgAdd], {});
}

void CExcelFormulaParser::OnUnary(std::uint8_t token, const std::uint8_t*) {
    Combine(1, token == biff8::kPtgUplus ? u"+" : u"-", {}, {});
}

void CExcelFormulaParser::OnPercent(std::uint8_t, const std::uint8_t*) {
    Combine(1, {}, {}, u"%");
}

void CExcelFormulaParser::OnParen(std::uint8_t, const std::uint8_t*) {
    Combine(1, u"(", {}, u")");
}

void CExcelFormulaParser::OnMissArg(std::uint8_t, const std::uint8_t*) {
    Push({});
}

// ---- Constants -----------------------------------------------------------------

void CExcelFormulaParser::OnStr(std::uint8_t, const std::uint8_t* operand) {
    const std::uint32_t count = operand[0];
    const bool wide = (operand[1] & biff8::kPtgStrWide) != 0;
    const std::uint32_t bytes = wide ? 2 * count : count;
    if (!Fits(bytes)) {
        // Characters cut off: back to the byte after the token id.
        m_cursor = static_cast<std::uint32_t>(operand - m_buffer);
        MarkUnsound(CExcelFormulaUnsound::CutShort);
        return;
    }
    Push(CExcelFormulaStringLiteral::Quote(
        CExcelFormulaStringLiteral::Characters(m_buffer + m_cursor, count, wide)));
    Skip(bytes);
}

void CExcelFormulaParser::OnErr(std::uint8_t, const std::uint8_t* operand) {
    std::u16string text = CConstData::GetErrorText(operand[0]);
    if (text.empty()) MarkUnsound(CExcelFormulaUnsound::BadConstant);
    Push(text);
}

void CExcelFormulaParser::OnBool(std::uint8_t, const std::uint8_t* operand) {
    Push(operand[0] ? u"TRUE" : u"FALSE");
}

void CExcelFormulaParser::OnInt(std::uint8_t, const std::uint8_t* operand) {
    if (BeginOperand()) CExcelFormulaReferenceText::AppendDecimal(m_text, U16(operand));
}

void CExcelFormulaParser::OnNum(std::uint8_t, const std::uint8_t* operand) {
    const double value = CExcelFormulaNumberText::FromBytes(operand);
    if (!CExcelFormulaNumberText::IsFinite(value)) MarkUnsound(CExcelFormulaUnsound::BadConstant);
    Push(CExcelFormulaNumberText::Format(value));
}

void CExcelFormulaParser::OnArray(std::uint8_t, const std::uint8_t*) {
    std::u16string text;
    std::uint32_t end = 0;
    bool elementsSound = true;
    if (!CExcelFormulaArrayConstant::Read(m_buffer, m_available, m_extra, text, end,
                                          elementsSound)) {
        // A broken constant leaves no way to find where the next one starts.
        MarkUnsound(CExcelFormulaUnsound::CutShort);
        m_extra = m_available;
        return;
    }
    if (!elementsSound) MarkUnsound(CExcelFormulaUnsound::BadConstant);
    m_extra = end;
    Push(text);
}

// ---- Functions, attributes, names ---------------------------------------------------

void CExcelFormulaParser::OnFunc(std::uint8_t, const std::uint8_t* operand) {
    const std::uint32_t index = U16(operand);
    if (index >= CExcelFunctionTable::kRowCount) {
        MarkUnsound(CExcelFormulaUnsound::UnnamedFunction);
        return;
    }
    const std::u16string name = CExcelFunctionTable::GetName(index);
    // A fixed-argument call names a function with one argument count; for
    // any other row the count taken from the table is a guess.
    if (name.empty()) MarkUnsound(CExcelFormulaUnsound::UnnamedFunction);
    if (CExcelFunctionTable::GetMinArgs(index) != CExcelFunctionTable::GetMaxArgs(index))
        MarkUnsound(CExcelFormulaUnsound::GuessedArguments);
    Combine(CExcelFunctionTable::GetMaxArgs(index), name + u"(", u",", u")");
}

void CExcelFormulaParser::OnFuncVar(std::uint8_t, const std::uint8_t* operand) {
    const std::uint32_t count = operand[0] & biff8::kFuncVarCountMask;
    const std::uint16_t field = U16(operand + 1);
    const std::uint32_t index = field & biff8::kFuncVarIndexMask;
    if (index >= CExcelFunctionTable::kRowCount) {
        MarkUnsound(CExcelFormulaUnsound::UnnamedFunction);
        return;
    }
    if (index == biff8::kFuncUserDefined && (field & biff8::kFuncVarCommand) == 0) {
        PushUserCall(count);
        return;
    }
    const std::u16string name = CExcelFunctionTable::GetName(index);
    // Macro commands and empty rows have no function name to print.
    if ((field & biff8::kFuncVarCommand) != 0) MarkUnsound(CExcelFormulaUnsound::MacroCommand);
    if (name.empty()) MarkUnsound(CExcelFormulaUnsound::UnnamedFunction);
    Combine(count, name + u"( ", u", ", u" )");
}

void CExcelFormulaParser::PushUserCall(std::uint32_t count) {
    // A macro or add-in function, or one newer than the file format, is
    // called through a name: the first operand. Printed as a call of that
    // name when it is one, else as the bare argument list.
    const std::u16string arguments = count > 1 ? PopArguments(count - 1, u", ") : u"";
    bool isName = false;
    std::u16string callee = count > 0 ? Pop(&isName) : u"";
    if (isName) {
        Push(CExcelFormulaNameText::FunctionName(callee) + u"( " + arguments + u" )");
        return;
    }
    MarkUnsound(CExcelFormulaUnsound::NotACallee);
    std::u16string all = count > 0 ? callee : u"";
    if (count > 1) all += u", " + arguments;
    Push(u"( " + all + u" )");
}

void CExcelFormulaParser::OnAttr(std::uint8_t, const std::uint8_t* operand) {
    const std::uint8_t kind = operand[0];
    switch (kind) {
        case biff8::kAttrVolatile:
        case biff8::kAttrIf:
        case biff8::kAttrGoto:
        case biff8::kAttrBaxcel:
        case biff8::kAttrSpace:
        case biff8::kAttrSpaceVolatile:
            // Jumps only speed up evaluation; spaces and line breaks are layout.
            Skip(biff8::kAttrDataSize);
            return;
        case biff8::kAttrChoose:
            if (!Fits(biff8::kAttrDataSize)) {
                MarkUnsound(CExcelFormulaUnsound::CutShort);
                return;
            }
            // The case count, then one jump offset per case and one past the end.
            Skip(biff8::kAttrDataSize + biff8::kAttrJumpSize * (U16(m_buffer + m_cursor) + 1u));
            return;
        case biff8::kAttrSum:
            Skip(biff8::kAttrDataSize);
            Combine(1, u"SUM(", {}, u")");
            return;
        default:
            MarkUnsound(CExcelFormulaUnsound::UnknownToken);
            return;
    }
}

void CExcelFormulaParser::OnName(std::uint8_t, const std::uint8_t* operand) {
    const std::uint16_t index = U16(operand);
    std::u16string text;
    if (CExcelFormulaNameText::Resolve(m_workbook, m_worksheet, index, text)) {
        Push(text, true);
        return;
    }
    MarkUnsound(CExcelFormulaUnsound::UnresolvedName);
    if (BeginOperand()) CExcelFormulaReferenceText::AppendDecimal(m_text, index);
}

void CExcelFormulaParser::OnNameX(std::uint8_t, const std::uint8_t* operand) {
    std::u16string text;
    switch (CExcelFormulaExternName::Text(m_workbook, m_worksheet, U16(operand), U16(operand + 2),
                                          text)) {
        case CExcelFormulaExternName::AddInFunction:
        case CExcelFormulaExternName::OwnName:
            // Either may be the callee of a function-255 call.
            Push(text, true);
            return;
        case CExcelFormulaExternName::OtherBookName:
            Push(text);
            return;
        case CExcelFormulaExternName::Unresolved:
            MarkUnsound(CExcelFormulaUnsound::UnresolvedName);
            Push(text);
            return;
    }
}

void CExcelFormulaParser::OnNotPrintable(std::uint8_t, const std::uint8_t*) {
    MarkUnsound(CExcelFormulaUnsound::UnknownToken);
}

// ---- References ------------------------------------------------------------------------

void CExcelFormulaParser::OnRef(std::uint8_t, const std::uint8_t* operand) {
    if (BeginOperand())
        CExcelFormulaReferenceText::AppendCell(m_text, U16(operand), U16(operand + 2));
}

void CExcelFormulaParser::OnArea(std::uint8_t, const std::uint8_t* operand) {
    if (BeginOperand())
        CExcelFormulaReferenceText::AppendArea(m_text, U16(operand), U16(operand + 2),
                                               U16(operand + 4), U16(operand + 6));
}

void CExcelFormulaParser::OnRefN(std::uint8_t, const std::uint8_t* operand) {
    if (BeginOperand())
        CExcelFormulaReferenceText::AppendRelativeCell(m_text, U16(operand), U16(operand + 2),
                                                       m_baseRow, m_baseColumn);
}

void CExcelFormulaParser::OnAreaN(std::uint8_t, const std::uint8_t* operand) {
    if (BeginOperand())
        CExcelFormulaReferenceText::AppendRelativeArea(m_text, U16(operand), U16(operand + 2),
                                                       U16(operand + 4), U16(operand + 6),
                                                       m_baseRow, m_baseColumn);
}

void CExcelFormulaParser::OnRefErr(std::uint8_t, const std::uint8_t*) {
    Push(CConstData::GetErrorText(biff8::kErrorRef));
}

void CExcelFormulaParser::OnMem(std::uint8_t, const std::uint8_t*) {
    // The subexpression that follows is made of ordinary tokens.
}

void CExcelFormulaParser::OnMemArea(std::uint8_t, const std::uint8_t*) {
    // ptgMemArea keeps its cached rectangles in the extra data, ahead of any
    // array constant of a later token: step over them.
    if (m_extra > m_available || m_available - m_extra < biff8::kMemExtraCountSize) {
        m_extra = m_available;
        return;
    }
    const std::uint32_t size =
        biff8::kMemExtraCountSize + biff8::kMemExtraRectSize * U16(m_buffer + m_extra);
    m_extra = size <= m_available - m_extra ? m_extra + size : m_available;
}

void CExcelFormulaParser::Push3d(std::uint8_t token, const std::uint8_t* operand,
                                 std::u16string_view reference) {
    std::u16string prefix;
    const auto push = [&] {
        if (!BeginOperand()) return;
        m_text += prefix;
        m_text += reference;
    };
    switch (CExcelFormulaExternSheet::Prefix(m_workbook, U16(operand), prefix)) {
        case CExcelFormulaExternSheet::Resolved:
        case CExcelFormulaExternSheet::Deleted:
            push();
            return;
        case CExcelFormulaExternSheet::NoTable:
            MarkUnsound(CExcelFormulaUnsound::NoExternSheet);
            if (token == biff8::kPtgRef3dValue) {
                m_stop = true;
                return;
            }
            push();
            return;
        case CExcelFormulaExternSheet::Unresolved:
            MarkUnsound(CExcelFormulaUnsound::UnresolvedSheet);
            push();
            return;
    }
}

void CExcelFormulaParser::OnRef3d(std::uint8_t token, const std::uint8_t* operand) {
    Push3d(token, operand, CExcelFormulaReferenceText::Cell(U16(operand + 2), U16(operand + 4)));
}

void CExcelFormulaParser::OnArea3d(std::uint8_t token, const std::uint8_t* operand) {
    Push3d(token, operand,
           CExcelFormulaReferenceText::Area(U16(operand + 2), U16(operand + 4), U16(operand + 6),
                                            U16(operand + 8)));
}

void CExcelFormulaParser::OnRefErr3d(std::uint8_t token, const std::uint8_t* operand) {
    Push3d(token, operand, CConstData::GetErrorText(biff8::kErrorRef));
}

// ---- Shared formulas, arrays, tables ------------------------------------------------------

void CExcelFormulaParser::OnExp(std::uint8_t, const std::uint8_t*) {
    const CByteBuffer* record = m_sharedFormula ? m_sharedFormula : m_arrayFormula;
    if (!record) {
        // A cell of a shared range other than its first: the tokens live
        // with the first cell's record.
        m_sound = false;
        return;
    }
    const std::uint32_t offset =
        m_sharedFormula ? biff8::kShrFmlaFormulaOffset : biff8::kArrayFormulaOffset;
    if (record->DataLength() < offset) {
        m_sound = false;
        Push({});
        return;
    }
    // The nested stream gets no attached records, so it cannot recurse.
    CExcelFormulaParser nested;
    std::u16string text =
        nested.Decode(record->Data() + offset, record->DataLength() - offset, m_baseRow,
                      m_baseColumn, m_workbook, m_worksheet, nullptr, nullptr);
    if (!nested.IsSound()) m_sound = false;
    Push(text);
}

void CExcelFormulaParser::OnTbl(std::uint8_t, const std::uint8_t* operand) {
    // A data table's cells are filled by the table itself; its text is for
    // display only and never a formula to write back.
    MarkUnsound(CExcelFormulaUnsound::DataTable);
    Push(CExcelFormulaTableText::Text(m_worksheet, U16(operand), U16(operand + 2)));
}

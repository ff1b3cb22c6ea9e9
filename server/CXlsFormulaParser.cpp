#include "server/CXlsFormulaParser.h"

#include <cmath>
#include <utility>

#include "formula/CExcelFunctionTable.h"
#include "server/CLittleEndian.h"
#include "server/XlsFormulaLayout.h"

namespace {

constexpr std::uint32_t kSumIndex = 4;
constexpr CXlsOperandRule kValueOperand{EXlsClassConversion::kOperator, true};
constexpr CXlsOperandRule kReferenceOperand{EXlsClassConversion::kOperator, false};
// A ptgMemFunc's reference expression: references stay references.
constexpr CXlsOperandRule kMemFuncOperand{EXlsClassConversion::kValue, false};

void AppendU16(std::vector<std::uint8_t>& bytes, std::uint16_t value) {
    const std::size_t at = bytes.size();
    bytes.resize(at + 2);
    CLittleEndian::PutU16(&bytes[at], value);
}

void AppendDouble(std::vector<std::uint8_t>& bytes, double value) {
    const std::size_t at = bytes.size();
    bytes.resize(at + 8);
    CLittleEndian::PutDouble(&bytes[at], value);
}

// A flags byte and the characters: one byte each when all fit, as the
// spreadsheet stores them, else UTF-16LE.
void AppendCharacters(std::vector<std::uint8_t>& bytes, const std::u16string& text) {
    bool narrow = true;
    for (char16_t c : text) narrow = narrow && c <= 0xFF;
    bytes.push_back(narrow ? 0 : xlsw::kStringUtf16);
    for (char16_t c : text) {
        if (narrow) {
            bytes.push_back(static_cast<std::uint8_t>(c));
        } else {
            AppendU16(bytes, c);
        }
    }
}

std::uint16_t ColumnField(const CXlsReferenceCorner& corner) {
    std::uint16_t field = static_cast<std::uint16_t>(corner.column & xlsw::kColumnMask);
    if (corner.columnRelative) field |= xlsw::kColumnRelative;
    if (corner.rowRelative) field |= xlsw::kRowRelative;
    return field;
}

std::uint8_t WithClass(std::uint8_t tokenId, std::uint8_t tokenClass) {
    return static_cast<std::uint8_t>((tokenId & ~xlsw::kClassMask) | tokenClass);
}

}  // namespace

CXlsFormulaParser::CXlsFormulaParser(const std::vector<CXlsLexeme>& lexemes) : m_lexemes(lexemes) {}

bool CXlsFormulaParser::Fail(const CXlsLexeme& at, std::u16string text) {
    m_errorOffset = at.offset;
    m_error = std::move(text);
    return false;
}

bool CXlsFormulaParser::IsOperator(std::uint8_t code) const {
    return Peek().kind == EXlsLexemeKind::kOperator && Peek().code == code;
}

std::uint32_t CXlsFormulaParser::Add(CXlsFormulaNode node) {
    m_tree->nodes.push_back(std::move(node));
    return static_cast<std::uint32_t>(m_tree->nodes.size() - 1);
}

std::uint32_t CXlsFormulaParser::AddOperator(std::uint8_t tokenId, std::uint32_t left,
                                             std::uint32_t right, bool valueType) {
    CXlsFormulaNode node;
    node.tokenId = tokenId;
    const CXlsOperandRule rule = valueType ? kValueOperand : kReferenceOperand;
    node.operands = {{left, rule}, {right, rule}};
    return Add(std::move(node));
}

std::uint32_t CXlsFormulaParser::AddUnary(std::uint8_t tokenId, std::uint32_t operand) {
    CXlsFormulaNode node;
    node.tokenId = tokenId;
    node.operands = {{operand, kValueOperand}};
    return Add(std::move(node));
}

bool CXlsFormulaParser::Run(CXlsFormulaTree& tree) {
    m_tree = &tree;
    tree = CXlsFormulaTree();
    m_next = 0;
    m_depth = 0;
    m_unionAllowed = false;
    if (Peek().kind == EXlsLexemeKind::kEnd) return Fail(Peek(), u"empty formula");
    std::uint32_t root = 0;
    if (!ParseComparison(root)) return false;
    if (Peek().kind == EXlsLexemeKind::kComma) {
        return Fail(Peek(), u"\",\" outside a function call or parentheses");
    }
    if (Peek().kind != EXlsLexemeKind::kEnd) return Fail(Peek(), u"expected an operator");
    tree.root = root;
    return true;
}

// ---- Binary operators, loosest first ------------------------------------------

bool CXlsFormulaParser::ParseComparison(std::uint32_t& node) {
    if (!ParseConcat(node)) return false;
    for (;;) {
        const CXlsLexeme& op = Peek();
        if (op.kind != EXlsLexemeKind::kOperator || op.code < xlsw::kPtgLT ||
            op.code > xlsw::kPtgNE) {
            return true;
        }
        Take();
        std::uint32_t right = 0;
        if (!ParseConcat(right)) return false;
        node = AddOperator(op.code, node, right, true);
    }
}

bool CXlsFormulaParser::ParseConcat(std::uint32_t& node) {
    if (!ParseAdditive(node)) return false;
    while (IsOperator(xlsw::kPtgConcat)) {
        Take();
        std::uint32_t right = 0;
        if (!ParseAdditive(right)) return false;
        node = AddOperator(xlsw::kPtgConcat, node, right, true);
    }
    return true;
}

bool CXlsFormulaParser::ParseAdditive(std::uint32_t& node) {
    if (!ParseMultiplicative(node)) return false;
    while (IsOperator(xlsw::kPtgAdd) || IsOperator(xlsw::kPtgSub)) {
        const std::uint8_t code = Take().code;
        std::uint32_t right = 0;
        if (!ParseMultiplicative(right)) return false;
        node = AddOperator(code, node, right, true);
    }
    return true;
}

bool CXlsFormulaParser::ParseMultiplicative(std::uint32_t& node) {
    if (!ParsePower(node)) return false;
    while (IsOperator(xlsw::kPtgMul) || IsOperator(xlsw::kPtgDiv)) {
        const std::uint8_t code = Take().code;
        std::uint32_t right = 0;
        if (!ParsePower(right)) return false;
        node = AddOperator(code, node, right, true);
    }
    return true;
}

bool CXlsFormulaParser::ParsePower(std::uint32_t& node) {
    if (!ParsePercent(node)) return false;
    while (IsOperator(xlsw::kPtgPower)) {
        Take();
        std::uint32_t right = 0;
        if (!ParsePercent(right)) return false;
        node = AddOperator(xlsw::kPtgPower, node, right, true);
    }
    return true;
}

bool CXlsFormulaParser::ParsePercent(std::uint32_t& node) {
    if (!ParsePrefix(node)) return false;
    while (IsOperator(xlsw::kPtgPercent)) {
        Take();
        node = AddUnary(xlsw::kPtgPercent, node);
    }
    return true;
}

bool CXlsFormulaParser::ParsePrefix(std::uint32_t& node) {
    if (!IsOperator(xlsw::kPtgAdd) && !IsOperator(xlsw::kPtgSub)) return ParseUnion(node);
    const CXlsLexeme& op = Take();
    if (++m_depth > kMaxNesting) return Fail(op, u"formula nested too deeply");
    std::uint32_t operand = 0;
    if (!ParsePrefix(operand)) return false;
    --m_depth;
    node = AddUnary(op.code == xlsw::kPtgAdd ? xlsw::kPtgUplus : xlsw::kPtgUminus, operand);
    return true;
}

// ---- Reference operators ---------------------------------------------------------

bool CXlsFormulaParser::ParseUnion(std::uint32_t& node) {
    bool referenceOperator = false;
    if (!ParseIntersection(node, referenceOperator)) return false;
    while (m_unionAllowed && Peek().kind == EXlsLexemeKind::kComma) {
        Take();
        std::uint32_t right = 0;
        if (!ParseIntersection(right, referenceOperator)) return false;
        node = AddOperator(xlsw::kPtgUnion, node, right, false);
        referenceOperator = true;
    }
    // A reference computed by operators is announced by ptgMemFunc with the
    // size of its tokens, as the spreadsheet writes it.
    if (referenceOperator) {
        CXlsFormulaNode mem;
        mem.kind = EXlsNodeKind::kMemFunc;
        mem.tokenId = xlsw::kPtgMemFunc;
        mem.operands = {{node, kMemFuncOperand}};
        node = Add(std::move(mem));
    }
    return true;
}

bool CXlsFormulaParser::ParseIntersection(std::uint32_t& node, bool& referenceOperator) {
    if (!ParseRange(node, referenceOperator)) return false;
    // A blank followed by something that can be a reference is the
    // intersection operator; before anything else it is just a blank.
    for (;;) {
        const CXlsLexeme& next = Peek();
        const bool startsReference =
            next.kind == EXlsLexemeKind::kReference || next.kind == EXlsLexemeKind::kFunction ||
            next.kind == EXlsLexemeKind::kOpenParen || next.kind == EXlsLexemeKind::kName;
        if (!next.spaceBefore || !startsReference) return true;
        std::uint32_t right = 0;
        if (!ParseRange(right, referenceOperator)) return false;
        node = AddOperator(xlsw::kPtgIsect, node, right, false);
        referenceOperator = true;
    }
}

bool CXlsFormulaParser::ParseRange(std::uint32_t& node, bool& referenceOperator) {
    if (!ParsePrimary(node)) return false;
    while (IsOperator(xlsw::kPtgRange)) {
        Take();
        std::uint32_t right = 0;
        if (!ParsePrimary(right)) return false;
        node = AddOperator(xlsw::kPtgRange, node, right, false);
        referenceOperator = true;
    }
    return true;
}

// ---- Operands --------------------------------------------------------------------

bool CXlsFormulaParser::ParsePrimary(std::uint32_t& node) {
    const CXlsLexeme& lexeme = Peek();
    switch (lexeme.kind) {
        case EXlsLexemeKind::kNumber:
            Take();
            AddNumber(lexeme.number, node);
            return true;
        case EXlsLexemeKind::kString:
            Take();
            AddString(lexeme.text, node);
            return true;
        case EXlsLexemeKind::kBoolean:
        case EXlsLexemeKind::kError: {
            Take();
            CXlsFormulaNode leaf;
            leaf.tokenId = lexeme.kind == EXlsLexemeKind::kBoolean ? xlsw::kPtgBool : xlsw::kPtgErr;
            leaf.bytes = {lexeme.code};
            node = Add(std::move(leaf));
            return true;
        }
        case EXlsLexemeKind::kReference:
            Take();
            AddReference(lexeme.reference, node);
            return true;
        case EXlsLexemeKind::kFunction:
            return ParseCall(node);
        case EXlsLexemeKind::kOpenParen:
            return ParseParentheses(node);
        case EXlsLexemeKind::kOpenBrace:
            return ParseArray(node);
        case EXlsLexemeKind::kName:
            return Fail(lexeme, u"unknown name \"" + lexeme.text + u"\"");
        case EXlsLexemeKind::kEnd:
            return Fail(lexeme, u"formula ends where an operand is expected");
        default:
            return Fail(lexeme, u"expected an operand");
    }
}

bool CXlsFormulaParser::ParseParentheses(std::uint32_t& node) {
    const CXlsLexeme& open = Take();
    if (++m_depth > kMaxNesting) return Fail(open, u"formula nested too deeply");
    const bool unionAllowed = m_unionAllowed;
    m_unionAllowed = true;
    std::uint32_t inner = 0;
    if (!ParseComparison(inner)) return false;
    m_unionAllowed = unionAllowed;
    if (Peek().kind != EXlsLexemeKind::kCloseParen) return Fail(Peek(), u"expected \")\"");
    Take();
    --m_depth;
    CXlsFormulaNode paren;
    paren.kind = EXlsNodeKind::kParen;
    paren.tokenId = xlsw::kPtgParen;
    paren.operands = {{inner, kValueOperand}};
    node = Add(std::move(paren));
    return true;
}

bool CXlsFormulaParser::ParseCall(std::uint32_t& node) {
    const CXlsLexeme& call = Take();
    const int found = CExcelFunctionTable::FindByName(call.text);
    if (found < 0) return Fail(call, u"unknown function \"" + call.text + u"\"");
    const auto index = static_cast<std::uint32_t>(found);
    if (++m_depth > kMaxNesting) return Fail(call, u"formula nested too deeply");

    const bool unionAllowed = m_unionAllowed;
    m_unionAllowed = false;
    std::vector<CXlsFormulaNode::Operand> arguments;
    if (Peek().kind == EXlsLexemeKind::kCloseParen) {
        Take();
    } else {
        for (;;) {
            if (arguments.size() >= xlsw::kMaxFunctionArguments) {
                return Fail(Peek(), u"more than 30 arguments");
            }
            std::uint32_t argument = 0;
            const EXlsLexemeKind next = Peek().kind;
            if (next == EXlsLexemeKind::kComma || next == EXlsLexemeKind::kCloseParen) {
                CXlsFormulaNode missing;
                missing.tokenId = xlsw::kPtgMissArg;
                argument = Add(std::move(missing));
            } else if (!ParseComparison(argument)) {
                return false;
            }
            arguments.push_back(
                {argument, CXlsFunctionClasses::Argument(
                               index, static_cast<std::uint32_t>(arguments.size()))});
            const CXlsLexeme& separator = Take();
            if (separator.kind == EXlsLexemeKind::kCloseParen) break;
            if (separator.kind != EXlsLexemeKind::kComma) {
                return Fail(separator, u"expected \",\" or \")\" in the call of " + call.text);
            }
        }
    }
    m_unionAllowed = unionAllowed;
    --m_depth;

    const std::size_t count = arguments.size();
    const std::uint8_t least = CExcelFunctionTable::GetMinArgs(index);
    const std::uint8_t most = CExcelFunctionTable::GetMaxArgs(index);
    if (count < least || count > most) {
        return Fail(call, u"wrong number of arguments for " + CExcelFunctionTable::GetName(index));
    }

    CXlsFormulaNode function;
    function.operands = std::move(arguments);
    const std::uint8_t returnClass = CXlsFunctionClasses::ReturnClass(index);
    if (index == kSumIndex && count == 1 && !call.spaceInside) {
        function.tokenId = xlsw::kPtgAttr;
        function.bytes = {xlsw::kAttrSum, 0, 0};
    } else if (least == most) {
        function.tokenId = WithClass(xlsw::kPtgFunc, returnClass);
        AppendU16(function.bytes, static_cast<std::uint16_t>(index));
    } else {
        function.tokenId = WithClass(xlsw::kPtgFuncVar, returnClass);
        function.bytes.push_back(static_cast<std::uint8_t>(count));
        AppendU16(function.bytes, static_cast<std::uint16_t>(index));
    }
    m_tree->isVolatile = m_tree->isVolatile || CXlsFunctionClasses::IsVolatile(index);
    node = Add(std::move(function));
    return true;
}

bool CXlsFormulaParser::ParseArray(std::uint32_t& node) {
    const CXlsLexeme& open = Take();
    if (++m_depth > kMaxNesting) return Fail(open, u"formula nested too deeply");
    std::vector<std::uint8_t> values;
    std::uint32_t columns = 0;
    std::uint32_t rows = 0;
    std::uint32_t inRow = 0;
    for (;;) {
        if (!ParseArrayValue(values)) return false;
        ++inRow;
        const CXlsLexeme& separator = Take();
        if (separator.kind == EXlsLexemeKind::kComma) {
            if (inRow >= xlsw::kMaxArrayColumns) return Fail(separator, u"array too wide");
            continue;
        }
        if (separator.kind != EXlsLexemeKind::kSemicolon &&
            separator.kind != EXlsLexemeKind::kCloseBrace) {
            return Fail(separator, u"expected \",\", \";\" or \"}\" in an array constant");
        }
        if (rows == 0) columns = inRow;
        if (inRow != columns) return Fail(separator, u"array rows of different lengths");
        ++rows;
        inRow = 0;
        if (separator.kind == EXlsLexemeKind::kCloseBrace) break;
        if (rows >= xlsw::kMaxArrayRows) return Fail(separator, u"array too tall");
    }
    --m_depth;

    CXlsFormulaNode array;
    array.tokenId = WithClass(xlsw::kPtgArray, xlsw::kClassArray);
    array.bytes.assign(xlsw::kArrayTokenUnused, 0);
    array.extra.push_back(static_cast<std::uint8_t>(columns - 1));
    AppendU16(array.extra, static_cast<std::uint16_t>(rows - 1));
    array.extra.insert(array.extra.end(), values.begin(), values.end());
    node = Add(std::move(array));
    return true;
}

bool CXlsFormulaParser::ParseArrayValue(std::vector<std::uint8_t>& extra) {
    const CXlsLexeme& lexeme = Take();
    switch (lexeme.kind) {
        case EXlsLexemeKind::kNumber:
            extra.push_back(xlsw::kArrayNumber);
            AppendDouble(extra, lexeme.number);
            return true;
        case EXlsLexemeKind::kOperator:
            // A sign belongs to the number it precedes.
            if ((lexeme.code == xlsw::kPtgSub || lexeme.code == xlsw::kPtgAdd) &&
                Peek().kind == EXlsLexemeKind::kNumber) {
                const double value = Take().number;
                extra.push_back(xlsw::kArrayNumber);
                AppendDouble(extra, lexeme.code == xlsw::kPtgSub ? -value : value);
                return true;
            }
            break;
        case EXlsLexemeKind::kString:
            extra.push_back(xlsw::kArrayString);
            AppendU16(extra, static_cast<std::uint16_t>(lexeme.text.size()));
            AppendCharacters(extra, lexeme.text);
            return true;
        case EXlsLexemeKind::kBoolean:
        case EXlsLexemeKind::kError:
            extra.push_back(lexeme.kind == EXlsLexemeKind::kBoolean ? xlsw::kArrayBoolean
                                                                    : xlsw::kArrayError);
            extra.push_back(lexeme.code);
            extra.insert(extra.end(), 7, 0);
            return true;
        default:
            break;
    }
    return Fail(lexeme, u"an array constant holds only numbers, texts, TRUE, FALSE and errors");
}

void CXlsFormulaParser::AddNumber(double value, std::uint32_t& node) {
    CXlsFormulaNode leaf;
    if (value >= 0.0 && value <= 65535.0 && std::floor(value) == value) {
        leaf.tokenId = xlsw::kPtgInt;
        AppendU16(leaf.bytes, static_cast<std::uint16_t>(value));
    } else {
        leaf.tokenId = xlsw::kPtgNum;
        AppendDouble(leaf.bytes, value);
    }
    node = Add(std::move(leaf));
}

void CXlsFormulaParser::AddString(const std::u16string& text, std::uint32_t& node) {
    CXlsFormulaNode leaf;
    leaf.tokenId = xlsw::kPtgStr;
    leaf.bytes.push_back(static_cast<std::uint8_t>(text.size()));
    AppendCharacters(leaf.bytes, text);
    node = Add(std::move(leaf));
}

void CXlsFormulaParser::AddReference(const CXlsFormulaReference& reference, std::uint32_t& node) {
    CXlsFormulaNode leaf;
    const bool area = reference.kind == CXlsFormulaReference::EKind::kArea;
    if (reference.hasSheets) {
        leaf.is3d = true;
        leaf.firstSheet = reference.firstSheet;
        leaf.lastSheet = reference.lastSheet;
        AppendU16(leaf.bytes, 0);  // the EXTERNSHEET index, filled in by the emitter
    }
    if (reference.kind == CXlsFormulaReference::EKind::kDeleted) {
        leaf.tokenId = xlsw::kPtgRefErr3d;
        leaf.bytes.insert(leaf.bytes.end(), 4, 0);
    } else if (area) {
        leaf.tokenId = reference.hasSheets ? xlsw::kPtgArea3d : xlsw::kPtgArea;
        AppendU16(leaf.bytes, static_cast<std::uint16_t>(reference.first.row));
        AppendU16(leaf.bytes, static_cast<std::uint16_t>(reference.last.row));
        AppendU16(leaf.bytes, ColumnField(reference.first));
        AppendU16(leaf.bytes, ColumnField(reference.last));
    } else {
        leaf.tokenId = reference.hasSheets ? xlsw::kPtgRef3d : xlsw::kPtgRef;
        AppendU16(leaf.bytes, static_cast<std::uint16_t>(reference.first.row));
        AppendU16(leaf.bytes, ColumnField(reference.first));
    }
    node = Add(std::move(leaf));
}

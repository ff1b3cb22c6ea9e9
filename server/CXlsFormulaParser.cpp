#include "server/CXlsFormulaParser.h"

#include <algorithm>
#include <utility>

#include "formula/CExcelFunctionTable.h"
#include "server/CLittleEndian.h"
#include "server/CXlsOperandTokens.h"
#include "server/CXlsWorkbook.h"
#include "server/XlsFormulaLayout.h"

namespace {

constexpr std::uint32_t kSumIndex = 4;
constexpr CXlsOperandRule kValueOperand{EXlsClassConversion::kOperator, true};
constexpr CXlsOperandRule kReferenceOperand{EXlsClassConversion::kOperator, false};
// A ptgMemFunc's reference expression: references stay references.
constexpr CXlsOperandRule kMemFuncOperand{EXlsClassConversion::kValue, false};
// A call through a name: the callee's ptgName or ptgNameX stays a
// reference, the arguments are taken as they come, as SUM takes them.
constexpr CXlsOperandRule kCalleeOperand{EXlsClassConversion::kKeep, false};
constexpr CXlsOperandRule kNamedCallArgument{EXlsClassConversion::kRepeatForReference, false};
// The function index of a call through a name.
constexpr std::uint16_t kNamedCallIndex = 255;

void AppendU16(std::vector<std::uint8_t>& bytes, std::uint16_t value) {
    const std::size_t at = bytes.size();
    bytes.resize(at + 2);
    CLittleEndian::PutU16(&bytes[at], value);
}

}  // namespace

CXlsFormulaParser::CXlsFormulaParser(const std::vector<CXlsLexeme>& lexemes,
                                     const CXlsWorkbook* workbook, std::uint32_t ownSheetId,
                                     EXlsFormulaKind kind)
    : m_lexemes(lexemes),
      m_workbook(workbook),
      m_ownSheetId(ownSheetId),
      m_kind(kind),
      m_binder(workbook, ownSheetId) {}

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
    // A node per lexeme at most, bar the implicit ones: one allocation for
    // most formulas instead of one per doubling.
    tree.nodes.reserve(std::min<std::size_t>(m_lexemes.size(), kReservedNodes));
    m_next = 0;
    m_depth = 0;
    m_unionAllowed = m_kind == EXlsFormulaKind::kName;
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
            node = Add(CXlsOperandTokens::Number(lexeme.number));
            return true;
        case EXlsLexemeKind::kString:
            Take();
            node = Add(CXlsOperandTokens::Text(lexeme.text));
            return true;
        case EXlsLexemeKind::kBoolean:
            Take();
            node = Add(CXlsOperandTokens::Boolean(lexeme.code != 0));
            return true;
        case EXlsLexemeKind::kError:
            Take();
            node = Add(CXlsOperandTokens::Error(lexeme.code, m_kind));
            return true;
        case EXlsLexemeKind::kReference:
            Take();
            // A name is used on any sheet: its references say which sheet
            // they are on.
            node = Add(CXlsOperandTokens::Reference(
                lexeme.reference.Ordered(m_kind == EXlsFormulaKind::kName),
                (lexeme.sheets.kind == CXlsFormulaSheets::EKind::kNone &&
                 m_kind == EXlsFormulaKind::kName)
                    ? OwnSheet()
                    : lexeme.sheets));
            return true;
        case EXlsLexemeKind::kFunction:
            return ParseCall(node);
        case EXlsLexemeKind::kOpenParen:
            return ParseParentheses(node);
        case EXlsLexemeKind::kOpenBrace:
            return ParseArray(node);
        case EXlsLexemeKind::kName:
            return ParseName(node);
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

bool CXlsFormulaParser::ParseArguments(const CXlsLexeme& call, int index,
                                       std::vector<CXlsFormulaNode::Operand>& arguments) {
    const bool unionAllowed = m_unionAllowed;
    m_unionAllowed = false;
    if (Peek().kind == EXlsLexemeKind::kCloseParen) {
        Take();
        m_unionAllowed = unionAllowed;
        return true;
    }
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
        const auto position = static_cast<std::uint32_t>(arguments.size());
        arguments.push_back({argument, index >= 0 ? CXlsFunctionClasses::Argument(
                                                        static_cast<std::uint32_t>(index), position)
                                                  : kNamedCallArgument});
        const CXlsLexeme& separator = Take();
        if (separator.kind == EXlsLexemeKind::kCloseParen) break;
        if (separator.kind != EXlsLexemeKind::kComma) {
            return Fail(separator, u"expected \",\" or \")\" in the call of " + call.text);
        }
    }
    m_unionAllowed = unionAllowed;
    return true;
}

bool CXlsFormulaParser::ParseCall(std::uint32_t& node) {
    const CXlsLexeme& call = Take();
    // Sheet2!F(...) can only be a name of that sheet.
    const int found = call.sheets.kind == CXlsFormulaSheets::EKind::kNone
                          ? CExcelFunctionTable::FindByName(call.text)
                          : -1;
    if (found < 0) return ParseNamedCall(call, node);
    const auto index = static_cast<std::uint32_t>(found);
    if (++m_depth > kMaxNesting) return Fail(call, u"formula nested too deeply");
    std::vector<CXlsFormulaNode::Operand> arguments;
    if (!ParseArguments(call, found, arguments)) return false;
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
        function.tokenId = xlsw::WithClass(xlsw::kPtgFunc, returnClass);
        AppendU16(function.bytes, static_cast<std::uint16_t>(index));
    } else {
        function.tokenId = xlsw::WithClass(xlsw::kPtgFuncVar, returnClass);
        function.bytes.push_back(static_cast<std::uint8_t>(count));
        AppendU16(function.bytes, static_cast<std::uint16_t>(index));
    }
    m_tree->isVolatile = m_tree->isVolatile || CXlsFunctionClasses::IsVolatile(index);
    node = Add(std::move(function));
    return true;
}

bool CXlsFormulaParser::ParseNamedCall(const CXlsLexeme& call, std::uint32_t& node) {
    CXlsFormulaNode callee;
    std::u16string error;
    if (!m_binder.Callee(call, callee, error)) return Fail(call, std::move(error));
    const std::uint32_t calleeNode = Add(std::move(callee));
    if (++m_depth > kMaxNesting) return Fail(call, u"formula nested too deeply");
    std::vector<CXlsFormulaNode::Operand> arguments;
    if (!ParseArguments(call, -1, arguments)) return false;
    --m_depth;

    // The callee counts as the first argument.
    CXlsFormulaNode function;
    function.tokenId = xlsw::WithClass(xlsw::kPtgFuncVar, xlsw::kClassValue);
    function.bytes.push_back(static_cast<std::uint8_t>(arguments.size() + 1));
    AppendU16(function.bytes, kNamedCallIndex);
    function.operands.push_back({calleeNode, kCalleeOperand});
    function.operands.insert(function.operands.end(), arguments.begin(), arguments.end());
    node = Add(std::move(function));
    return true;
}

bool CXlsFormulaParser::ParseName(std::uint32_t& node) {
    const CXlsLexeme& name = Take();
    CXlsFormulaNode leaf;
    std::u16string error;
    if (!m_binder.Operand(name, leaf, error)) return Fail(name, std::move(error));
    node = Add(std::move(leaf));
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
    node = Add(CXlsOperandTokens::Array(columns, rows, values));
    return true;
}

bool CXlsFormulaParser::ParseArrayValue(std::vector<std::uint8_t>& values) {
    const CXlsLexeme& lexeme = Take();
    switch (lexeme.kind) {
        case EXlsLexemeKind::kNumber:
            CXlsOperandTokens::AppendArrayNumber(values, lexeme.number);
            return true;
        case EXlsLexemeKind::kOperator:
            // A sign belongs to the number it precedes.
            if ((lexeme.code == xlsw::kPtgSub || lexeme.code == xlsw::kPtgAdd) &&
                Peek().kind == EXlsLexemeKind::kNumber) {
                const double value = Take().number;
                CXlsOperandTokens::AppendArrayNumber(values,
                                                     lexeme.code == xlsw::kPtgSub ? -value : value);
                return true;
            }
            break;
        case EXlsLexemeKind::kString:
            CXlsOperandTokens::AppendArrayText(values, lexeme.text);
            return true;
        case EXlsLexemeKind::kBoolean:
            CXlsOperandTokens::AppendArrayBoolean(values, lexeme.code != 0);
            return true;
        case EXlsLexemeKind::kError:
            CXlsOperandTokens::AppendArrayError(values, lexeme.code);
            return true;
        default:
            break;
    }
    return Fail(lexeme, u"an array constant holds only numbers, texts, TRUE, FALSE and errors");
}

CXlsFormulaSheets CXlsFormulaParser::OwnSheet() const {
    CXlsFormulaSheets sheets;
    if (m_workbook == nullptr || m_workbook->SheetCount() == 0) return sheets;
    std::size_t position = m_workbook->PositionOfId(m_ownSheetId);
    if (position == CXlsWorkbook::kNotFound) position = m_workbook->ActiveSheet();
    sheets.kind = CXlsFormulaSheets::EKind::kThisWorkbook;
    sheets.first = sheets.last = position;
    return sheets;
}

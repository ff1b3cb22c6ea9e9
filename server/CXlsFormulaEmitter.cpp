#include "server/CXlsFormulaEmitter.h"

#include "server/CLittleEndian.h"
#include "server/XlsFormulaLayout.h"

namespace {

struct Output {
    std::vector<std::uint8_t>& tokens;
    std::vector<std::uint8_t>& extra;
    std::vector<CXlsFormulaEmitter::SheetSlot>& slots;
};

// IF, function 1, as ptgFuncVar.
constexpr std::uint16_t kFunctionIf = 1;
constexpr std::size_t kAttrSize = 4;  // ptgAttr, its kind, a u16

bool Emit(const CXlsFormulaTree& tree, std::uint32_t index, Output& out);

bool IsIf(const CXlsFormulaNode& node) {
    return node.kind == EXlsNodeKind::kToken && xlsw::BaseId(node.tokenId) == xlsw::kPtgFuncVar &&
           node.bytes.size() == 3 && node.bytes[1] == (kFunctionIf & 0xFF) &&
           node.bytes[2] == (kFunctionIf >> 8) && node.operands.size() >= 2 &&
           node.operands.size() <= 3;
}

std::size_t PutAttr(std::vector<std::uint8_t>& tokens, std::uint8_t kind) {
    const std::size_t at = tokens.size();
    tokens.insert(tokens.end(), {xlsw::kPtgAttr, kind, 0, 0});
    return at;
}

bool PatchJump(std::vector<std::uint8_t>& tokens, std::size_t at, std::size_t offset) {
    if (offset > 0xFFFF) return false;
    CLittleEndian::PutU16(&tokens[at + 2], static_cast<std::uint16_t>(offset));
    return true;
}

// IF with the jumps the spreadsheet writes and evaluates by: the condition,
// ptgAttrIf over the value-if-true to the value-if-false (or to the call),
// each value followed by ptgAttrSkip to just past the call.
bool EmitIf(const CXlsFormulaTree& tree, const CXlsFormulaNode& node, Output& out) {
    if (!Emit(tree, node.operands[0].node, out)) return false;
    const std::size_t attrIf = PutAttr(out.tokens, xlsw::kAttrIf);
    std::vector<std::size_t> skips;
    for (std::size_t i = 1; i < node.operands.size(); ++i) {
        if (!Emit(tree, node.operands[i].node, out)) return false;
        skips.push_back(PutAttr(out.tokens, xlsw::kAttrSkip));
        if (i == 1 && !PatchJump(out.tokens, attrIf, out.tokens.size() - attrIf - kAttrSize))
            return false;
    }
    out.tokens.push_back(node.tokenId);
    out.tokens.insert(out.tokens.end(), node.bytes.begin(), node.bytes.end());
    // A skip's offset counts one byte less than it passes over.
    for (const std::size_t skip : skips) {
        if (!PatchJump(out.tokens, skip, out.tokens.size() - skip - kAttrSize - 1)) return false;
    }
    return true;
}

bool Emit(const CXlsFormulaTree& tree, std::uint32_t index, Output& out) {
    const CXlsFormulaNode& node = tree.nodes[index];
    if (IsIf(node)) return EmitIf(tree, node, out);
    if (node.kind == EXlsNodeKind::kMemFunc) {
        const std::size_t at = out.tokens.size();
        out.tokens.insert(out.tokens.end(), {node.tokenId, 0, 0});
        if (!Emit(tree, node.operands.front().node, out)) return false;
        const std::size_t size = out.tokens.size() - at - 3;
        if (size > 0xFFFF) return false;
        CLittleEndian::PutU16(&out.tokens[at + 1], static_cast<std::uint16_t>(size));
        return true;
    }
    for (const CXlsFormulaNode::Operand& operand : node.operands) {
        if (!Emit(tree, operand.node, out)) return false;
    }
    if (node.sheets.kind != CXlsFormulaSheets::EKind::kNone) {
        out.slots.push_back({out.tokens.size() + 1, index});
    }
    out.tokens.push_back(node.tokenId);
    out.tokens.insert(out.tokens.end(), node.bytes.begin(), node.bytes.end());
    out.extra.insert(out.extra.end(), node.extra.begin(), node.extra.end());
    return true;
}

}  // namespace

bool CXlsFormulaEmitter::Run(const CXlsFormulaTree& tree, std::vector<std::uint8_t>& tokens,
                             std::vector<std::uint8_t>& extra, std::vector<SheetSlot>& slots) {
    if (tree.nodes.empty()) return false;
    if (tree.isVolatile) {
        tokens.insert(tokens.end(), {xlsw::kPtgAttr, xlsw::kAttrVolatile, 0, 0});
    }
    Output out{tokens, extra, slots};
    return Emit(tree, tree.root, out);
}

#include "server/CXlsFormulaEmitter.h"

#include "server/CLittleEndian.h"
#include "server/XlsFormulaLayout.h"

namespace {

struct Output {
    std::vector<std::uint8_t>& tokens;
    std::vector<std::uint8_t>& extra;
    std::vector<CXlsFormulaEmitter::SheetSlot>& slots;
};

bool Emit(const CXlsFormulaTree& tree, std::uint32_t index, Output& out) {
    const CXlsFormulaNode& node = tree.nodes[index];
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

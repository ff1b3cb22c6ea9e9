#include "server/CXlsOperandClassifier.h"

#include <cstdint>

#include "server/XlsFormulaLayout.h"

namespace {

using Conv = EXlsClassConversion;

// What a conversion does to the token it reaches.
enum class EEffect : std::uint8_t { kKeep, kToValue, kToArray };

// What reaches an operand from the token that consumes it.
struct Enclosing {
    Conv conversion;
    EEffect effect;
    bool isReference;
};

EEffect Resolve(Conv conversion, std::uint8_t tokenClass, const Enclosing& enclosing) {
    switch (conversion) {
        case Conv::kKeep:
            return EEffect::kKeep;
        case Conv::kValue:
            return EEffect::kToValue;
        case Conv::kArray:
            return EEffect::kToArray;
        case Conv::kRepeat:
            switch (enclosing.conversion) {
                case Conv::kRepeat:
                    return enclosing.effect;
                case Conv::kRepeatForReference:
                    return enclosing.isReference ? enclosing.effect : EEffect::kKeep;
                default:
                    // Under a call that returns a reference, a value argument
                    // is a plain value whatever the call's own conversion.
                    return enclosing.isReference ? EEffect::kToValue : enclosing.effect;
            }
        case Conv::kRepeatForReference:
            // A reference passes its caller's conversion on to its own
            // arguments; a value or array only an array conversion.
            return (tokenClass == xlsw::kClassReference || enclosing.effect == EEffect::kToArray)
                       ? enclosing.effect
                       : EEffect::kKeep;
        case Conv::kOperator:
            break;
    }
    return enclosing.effect;
}

void Visit(CXlsFormulaTree& tree, EXlsFormulaKind kind, std::uint32_t index,
           const CXlsOperandRule& rule, const Enclosing& enclosing) {
    CXlsFormulaNode& node = tree.nodes[index];
    if (node.kind == EXlsNodeKind::kParen) {
        Visit(tree, kind, node.operands.front().node, rule, enclosing);
        return;
    }
    std::uint8_t tokenClass = node.tokenId & xlsw::kClassMask;
    if (rule.valueType && tokenClass == xlsw::kClassReference) tokenClass = xlsw::kClassValue;

    const Conv conversion =
        rule.conversion == Conv::kOperator ? enclosing.conversion : rule.conversion;
    const EEffect effect = Resolve(conversion, tokenClass, enclosing);
    switch (effect) {
        case EEffect::kKeep:
            if (kind != EXlsFormulaKind::kCell && tokenClass == xlsw::kClassValue) {
                tokenClass = xlsw::kClassArray;
            }
            break;
        case EEffect::kToValue:
            if (tokenClass == xlsw::kClassArray) tokenClass = xlsw::kClassValue;
            break;
        case EEffect::kToArray:
            if (tokenClass == xlsw::kClassValue) tokenClass = xlsw::kClassArray;
            break;
    }
    if (node.tokenId & xlsw::kClassMask) {
        node.tokenId = static_cast<std::uint8_t>((node.tokenId & ~xlsw::kClassMask) | tokenClass);
    }

    const Enclosing next{conversion, effect, tokenClass == xlsw::kClassReference};
    for (const CXlsFormulaNode::Operand& operand : node.operands) {
        Visit(tree, kind, operand.node, operand.rule, next);
    }
}

}  // namespace

void CXlsOperandClassifier::Run(CXlsFormulaTree& tree, EXlsFormulaKind kind) {
    if (tree.nodes.empty()) return;
    // The result of a cell or array formula is a value. A name's formula
    // is worked out where the name is used: its result keeps the class it
    // has, so that a reference stays one.
    if (kind == EXlsFormulaKind::kName) {
        const CXlsOperandRule rootRule{Conv::kKeep, false};
        const Enclosing top{Conv::kKeep, EEffect::kKeep, false};
        Visit(tree, kind, tree.root, rootRule, top);
        return;
    }
    const CXlsOperandRule rootRule{Conv::kValue, true};
    const Enclosing top{Conv::kValue, EEffect::kToValue, false};
    Visit(tree, kind, tree.root, rootRule, top);
}

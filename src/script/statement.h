// Statement: one compiled script statement. A script is a chain linked by `next` that always
// ends with an empty statement (code 0); block statements hold their block's chain in `body`.
// The statement compiler builds chains once; the interpreter only walks them.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "script/expression.h"
#include "script/source_location.h"
#include "text/text_string.h"

namespace tavro {

// Command codes of compiled statements. Bits 0..15 name the kind, 0x10000 marks the else
// family (runs only after a failed test), 0x20000 marks negation. A kind whose bits 8..15 are
// not zero is a block statement: it owns the braced block that follows it.
enum StatementCode : uint32_t {
    kCodeEmpty = 0x0,  // "{", "}" and the empty statement that ends every chain
    kCodeExpression = 0x1,
    kCodeDraw = 0x2,
    kCodePlaySound = 0x3,
    kCodePlayBgm = 0x4,
    kCodeStopSound = 0x5,
    kCodeStopBgm = 0x6,
    kCodeRewindImage = 0x7,
    kCodeRewindSound = 0x8,
    kCodeText = 0x9,
    kCodeScript = 0xA,
    kCodeNew = 0xB,
    kCodeFriend = 0xC,
    kCodeBgColor = 0xD,
    kCodeAppeal = 0xE,
    kCodeView = 0xF,
    kCodeLoad = 0x11,
    kCodeSave = 0x12,
    kCodeFont = 0x13,
    kCodeInit = 0x14,
    kCodeKill = 0x15,
    kCodeQuit = 0x16,
    kCodeComment = 0x17,

    kCodeIf = 0xF01,
    kCodeElse = 0xF02,  // only ever with the else-family flag
    kCodeIfKey = 0xF03,
    kCodeIfStamp = 0xF04,
    kCodeIfInput = 0xF05,
    kCodeLoop = 0xF001,
    kCodeWhile = 0xF002,
    kCodeBatch = 0xF003,
    kCodeBatchOther = 0xF004,
    kCodeBatchMy = 0xF005,
    kCodeBatchColid = 0xF006,

    kCodeElseFamilyFlag = 0x10000,
    kCodeNegationFlag = 0x20000,

    kCodeElseIf = kCodeElseFamilyFlag | kCodeIf,
    kCodeElseBlock = kCodeElseFamilyFlag | kCodeElse,
    kCodeElseIfKey = kCodeElseFamilyFlag | kCodeIfKey,
    kCodeElseIfStamp = kCodeElseFamilyFlag | kCodeIfStamp,
    kCodeElseIfInput = kCodeElseFamilyFlag | kCodeIfInput,
    kCodeUnless = kCodeNegationFlag | kCodeIf,
    kCodeUnlessKey = kCodeNegationFlag | kCodeIfKey,
    kCodeUnlessInput = kCodeNegationFlag | kCodeIfInput,
};

inline constexpr uint32_t kCodeKindMask = 0xFFFF;

inline uint32_t statementKind(uint32_t code) {
    return code & kCodeKindMask;
}
inline bool isBlockStatement(uint32_t code) {
    return (code & 0xFF00) != 0;
}
inline bool isElseFamily(uint32_t code) {
    return (code & kCodeElseFamilyFlag) != 0;
}
inline bool isNegated(uint32_t code) {
    return (code & kCodeNegationFlag) != 0;
}
// "ifkey(" and "ifstamp(" with their else and negated forms: the argument is a key name.
inline bool takesKeyName(uint32_t code) {
    return statementKind(code) == kCodeIfKey || statementKind(code) == kCodeIfStamp;
}

inline constexpr int32_t kStatementArgumentCount = 8;

class ScriptText;

// What a statement was compiled with beyond its code: its expressions and quoted texts, each
// list only as long as the statement's arguments, and the compiled format of "text(".
struct StatementArguments {
    StatementArguments();
    ~StatementArguments();
    std::vector<ExprNode> expressions;
    std::vector<TextString> texts;
    std::unique_ptr<ScriptText> scriptText;
};

// A statement without arguments (the empty statement that ends every chain, a brace, a
// comment) takes only its code, its location and its links.
struct Statement {
    Statement() = default;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    // Frees the rest of the chain without recursion, however long it is.
    ~Statement();

    // Argument i (0 ... kStatementArgumentCount - 1): an unfilled expression evaluates to 0, an
    // unfilled text is empty.
    // Inline: the interpreter reads arguments on every statement it runs.
    const ExprNode& expression(int32_t i) const {
        const auto index = static_cast<size_t>(i);
        return arguments_ && index < arguments_->expressions.size() ? arguments_->expressions[index]
                                                                    : kUnfilledExpression;
    }
    const TextString& text(int32_t i) const {
        const auto index = static_cast<size_t>(i);
        return arguments_ && index < arguments_->texts.size() ? arguments_->texts[index]
                                                              : kUnfilledText;
    }
    // Argument i for the compiler to fill, made when missing (with those before it).
    ExprNode& expressionToFill(int32_t i);
    TextString& textToFill(int32_t i);
    // The format of "text(", compiled once; null for other statements and an empty format.
    const ScriptText* scriptText() const;
    void setScriptText(std::unique_ptr<ScriptText> format);

    uint32_t code = kCodeEmpty;
    SourceLocation location;  // unknown for the empty statement that ends a chain
    std::unique_ptr<Statement> next;
    std::unique_ptr<Statement> body;

  private:
    inline static const ExprNode kUnfilledExpression{};
    inline static const TextString kUnfilledText{};

    StatementArguments& arguments();

    std::unique_ptr<StatementArguments> arguments_;  // none until an argument is filled
};

}  // namespace tavro

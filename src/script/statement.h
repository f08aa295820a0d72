// Statement: one compiled script statement. A script is a chain linked by `next` that always
// ends with an empty statement (code 0); block statements hold their block's chain in `body`.
// The statement compiler builds chains once; the interpreter only walks them.
#pragma once

#include <cstdint>
#include <memory>

#include "script/expression.h"
#include "script/statement_codes.h"
#include "text/text_string.h"

namespace tavro {

inline constexpr int32_t kStatementArgumentCount = 8;

struct Statement {
    Statement() = default;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    // Frees the rest of the chain without recursion, however long it is.
    ~Statement();

    uint32_t code = kCodeEmpty;
    ExprNode expressions[kStatementArgumentCount];  // unfilled ones evaluate to 0
    TextString texts[kStatementArgumentCount];      // quoted arguments; unfilled ones empty
    std::unique_ptr<Statement> next;
    std::unique_ptr<Statement> body;
};

}  // namespace tavro

#include "script/statement.h"

#include "script/script_text.h"

namespace tavro {

namespace {

template <typename T>
T& filled(std::vector<T>& list, int32_t i) {
    const auto size = static_cast<size_t>(i) + 1;
    if (list.size() < size) {
        list.reserve(size);  // exactly: a statement keeps what its arguments need
        list.resize(size);
    }
    return list[static_cast<size_t>(i)];
}

}  // namespace

StatementArguments::StatementArguments() = default;
StatementArguments::~StatementArguments() = default;

Statement::~Statement() {
    // Unlink each successor before it dies, so no destructor sees a long tail.
    std::unique_ptr<Statement> rest = std::move(next);
    while (rest) {
        rest = std::move(rest->next);
    }
}

ExprNode& Statement::expressionToFill(int32_t i) {
    return filled(arguments().expressions, i);
}

TextString& Statement::textToFill(int32_t i) {
    return filled(arguments().texts, i);
}

const ScriptText* Statement::scriptText() const {
    return arguments_ ? arguments_->scriptText.get() : nullptr;
}

void Statement::setScriptText(std::unique_ptr<ScriptText> format) {
    arguments().scriptText = std::move(format);
}

StatementArguments& Statement::arguments() {
    if (!arguments_) {
        arguments_ = std::make_unique<StatementArguments>();
    }
    return *arguments_;
}

}  // namespace tavro

// ScriptText: the format of a "text(" statement, compiled once with its statement. Each "$" +
// letter + expression + ":" becomes the expression's value ("f": "%f", "d": truncated "%d");
// a "$" after a backslash stays as written. The expressions are parsed once; what parsing
// them reported is reported again each time the text is made, as a parse at that moment would.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "script/contexts.h"
#include "script/expression.h"
#include "text/text_string.h"

namespace tavro {

class ScriptText {
  public:
    explicit ScriptText(const TextString& format);
    ScriptText(const ScriptText&) = delete;
    ScriptText& operator=(const ScriptText&) = delete;

    TextString make(InstanceContext& context) const;

  private:
    struct Piece {
        TextString literal;   // written as it is, before the value
        char letter = '\0';   // 'f' or 'd' when a value follows; '\0' when none
        ExprNode expression;  // names are resolved by text when the value is made
        std::vector<std::pair<std::string, Severity>> reports;  // from parsing it
    };

    std::vector<Piece> pieces_;
};

}  // namespace tavro

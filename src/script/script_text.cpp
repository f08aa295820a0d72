#include "script/script_text.h"

#include "script/engine_state.h"
#include "text/numeric.h"
#include "text/text_numbers.h"

namespace tavro {

namespace {

// Keeps what a parse reports, to be reported again at each use.
class KeptReports : public ErrorSink {
  public:
    explicit KeptReports(std::vector<std::pair<std::string, Severity>>& reports)
        : reports_(reports) {}
    void record(const char* text, Severity severity) override {
        reports_.emplace_back(text, severity);
    }

  private:
    std::vector<std::pair<std::string, Severity>>& reports_;
};

}  // namespace

ScriptText::ScriptText(const TextString& format) {
    TextString walk(format);
    while (walk.nextToken("$")) {
        Piece& piece = pieces_.emplace_back();
        piece.literal = walk.token();
        const int32_t length = piece.literal.length();
        if (length > 0 && piece.literal.at(length - 1) == '\\') {
            piece.literal += "$";
            continue;
        }
        if (!walk.nextToken(":")) {
            break;
        }
        const TextString placeholder = walk.token();
        const char letter = placeholder.at(0);
        if (letter != 'f' && letter != 'd') {
            pieces_.emplace_back().literal = placeholder;
            continue;
        }
        piece.letter = letter;
        KeptReports reports(piece.reports);
        piece.expression.parse(placeholder.substr(1, placeholder.length()), nullptr, &reports);
    }
}

TextString ScriptText::make(InstanceContext& context) const {
    TextString output;
    for (const Piece& piece : pieces_) {
        output += piece.literal;
        if (piece.letter == '\0') {
            continue;
        }
        for (const auto& [text, severity] : piece.reports) {
            reportTo(&context.state().log, text.c_str(), severity);
        }
        const double value = piece.expression.evaluate(&context);
        output += piece.letter == 'f' ? formatDouble(value) : formatInt(toInt32(value));
    }
    return output;
}

}  // namespace tavro

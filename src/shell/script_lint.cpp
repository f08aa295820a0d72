#include "shell/script_lint.h"

#include <algorithm>
#include <limits>

#include "platform/key_names.h"
#include "script/compiler.h"
#include "script/statement.h"
#include "shell/name_suggestion.h"
#include "shell/source_pieces.h"
#include "text/ascii_case.h"
#include "text/text_functions.h"

namespace tavro {

namespace {

// The previous statement of a chain that has none yet: an else there never runs.
constexpr uint32_t kChainStart = std::numeric_limits<uint32_t>::max();

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// True when the last byte is the second byte of a double-byte character.
bool lastByteIsTrail(std::string_view text) {
    bool trail = false;
    for (size_t i = 0; i < text.size(); ++i) {
        trail = false;
        if (isLeadByte(text[i]) && i + 1 < text.size()) {
            ++i;
            trail = true;
        }
    }
    return trail;
}

bool hasOddQuotes(std::string_view text) {
    return std::count(text.begin(), text.end(), '"') % 2 == 1;
}

bool endsWithBrace(std::string_view text, char brace) {
    return !text.empty() && text.back() == brace && !lastByteIsTrail(text);
}

std::vector<int32_t> lineIndents(std::string_view raw) {
    std::vector<int32_t> indents{0};
    bool leading = true;
    for (char c : raw) {
        if (c == '\n') {
            indents.push_back(0);
            leading = true;
        } else if (leading && (c == ' ' || c == '\t')) {
            indents.back() += c == '\t' ? 4 : 1;
        } else {
            leading = false;
        }
    }
    return indents;
}

// "word" of a statement "word(...": empty when the text does not start so.
std::string_view callWord(std::string_view text) {
    size_t end = 0;
    while (end < text.size() && (isLetter(text[end]) || (end > 0 && isDigit(text[end])))) {
        ++end;
    }
    return end > 0 && end < text.size() && text[end] == '(' ? text.substr(0, end)
                                                            : std::string_view();
}

// The first argument as the compiler cuts it: after the first "(", up to a "," or ")" at
// bracket depth 0.
std::string_view firstArgument(std::string_view text) {
    const size_t open = text.find('(');
    if (open == std::string_view::npos) {
        return {};
    }
    int depth = 0;
    for (size_t i = open + 1; i < text.size(); ++i) {
        const char c = text[i];
        if ((c == ',' || c == ')') && depth == 0) {
            return text.substr(open + 1, i - open - 1);
        }
        depth += c == '(' ? 1 : c == ')' ? -1 : 0;
    }
    return text.substr(open + 1);
}

bool isTest(uint32_t code) {
    const uint32_t kind = statementKind(code);
    return code != kChainStart &&
           (kind == kCodeIf || kind == kCodeIfKey || kind == kCodeIfStamp || kind == kCodeIfInput);
}

// The keyword of a statement, as written: "elseif(" for an elseif.
std::string_view keywordOf(std::string_view text) {
    return text.substr(0, text.find('(') + 1);
}

class ScriptLinter {
  public:
    ScriptLinter(const std::string& file, std::string_view raw)
        : file_(file), pieces_(scriptStatements(raw)), indents_(lineIndents(raw)) {}

    ScriptLint run() {
        previous_.push_back(kChainStart);
        for (index_ = 0; index_ < pieces_.size(); ++index_) {
            lintPiece(pieces_[index_]);
        }
        for (const Block& block : blocks_) {
            if (!block.hasHeader) {
                add(block.line, "this \"{\" is never closed by a \"}\"");
            }
        }
        return std::move(result_);
    }

  private:
    struct Block {
        int32_t line = 0;
        bool batch = false;
        bool hasHeader = false;
    };

    void add(int32_t line, std::string text, ProblemSeverity severity = ProblemSeverity::kError) {
        result_.problems.push_back({file_, line, severity, std::move(text)});
    }

    bool inBatch() const {
        return std::any_of(blocks_.begin(), blocks_.end(), [](const Block& b) { return b.batch; });
    }

    void lintPiece(const SourcePiece& piece) {
        std::string_view text = piece.text;
        const bool opens = endsWithBrace(text, '{');
        const bool closes = endsWithBrace(text, '}');
        if (opens || closes) {
            text.remove_suffix(1);
        }
        const bool headed = header_ != 0;
        const bool braceOfComment = skipBrace_ && text.empty() && opens;  // "//...){"
        skipBrace_ = false;
        if (!text.empty() || !(opens || closes)) {
            lintStatement(piece, text, opens || closes);
        }
        if ((opens || closes) &&
            (hasOddQuotes(text) || classifyStatement(text) == kCodeComment || braceOfComment)) {
            return;  // a brace inside a text or a comment, reported
        }
        if (opens) {
            openBlock(piece, text, headed && text.empty());
        } else if (closes) {
            closeBlock(piece);
        }
    }

    void openBlock(const SourcePiece& piece, std::string_view before, bool headed) {
        if (!headed && !reportedHere_) {
            add(piece.lastLine(),
                before.empty()
                    ? "a block that no block statement (if(, loop(, batch( ...) opens: it "
                      "becomes the body of the next block statement, and its statements run "
                      "every time"
                    : "a block after " + quoted(before) +
                          ", which is no block statement: its statements run every time");
        }
        blocks_.push_back({piece.lastLine(), headed && isBatch(header_), headed});
        previous_.push_back(kChainStart);
        header_ = 0;
    }

    void closeBlock(const SourcePiece& piece) {
        header_ = 0;
        if (blocks_.empty()) {
            std::string text = "a \"}\" with no open block: a \"}\" too many, or one too early";
            if (misplacedClose_.first > 0) {
                text += ": the block opened on line " + std::to_string(misplacedClose_.first) +
                        " is closed on line " + std::to_string(misplacedClose_.second) +
                        ", which is indented otherwise";
                misplacedClose_ = {};
            }
            add(piece.lastLine(), text);
            return;
        }
        // The first block whose "}" is indented unlike its "{" line is the likeliest place of
        // a brace too many.
        const int32_t closing = piece.lastLine();
        if (misplacedClose_.first == 0 && indentOf(blocks_.back().line) != indentOf(closing)) {
            misplacedClose_ = {blocks_.back().line, closing};
        }
        blocks_.pop_back();
        previous_.pop_back();
    }

    static bool isBatch(uint32_t code) {
        const uint32_t kind = statementKind(code);
        return kind == kCodeBatch || kind == kCodeBatchOther || kind == kCodeBatchMy ||
               kind == kCodeBatchColid;
    }

    void lintStatement(const SourcePiece& piece, std::string_view text, bool braceFollows) {
        const size_t problemsBefore = result_.problems.size();
        header_ = 0;
        const uint32_t code = classifyStatement(text);
        if (code == kCodeComment) {
            lintComment(piece, braceFollows);
        } else {
            if (lintTexts(piece, text, braceFollows)) {
                lintBrackets(piece, text);
            }
            if (code == kCodeExpression) {
                lintExpressionStatement(piece, text);
            } else {
                lintCommand(piece, text, code);
            }
        }
        reportedHere_ = result_.problems.size() > problemsBefore;
        if (isBlockStatement(code)) {
            header_ = code;
        }
        previous_.back() = text.empty() && !braceFollows ? kCodeEmpty : code;
        previousText_ = text;
        previousLine_ = piece.line();
    }

    void lintExpressionStatement(const SourcePiece& piece, std::string_view text) {
        const std::span<const std::string_view> keywords = statementKeywords();
        const std::string_view word = callWord(text);
        if (!word.empty()) {
            std::vector<std::string_view> names;
            for (std::string_view keyword : keywords) {
                names.push_back(keyword.substr(0, keyword.size() - 1));
            }
            const std::string_view meant = closestName(word, names, 2);
            add(piece.line(),
                quoted(std::string(word) + "(") + " is no command" +
                    (meant.empty() ? ": it"
                                   : ": did you mean " + quoted(std::string(meant) + "(") +
                                         "? As written it") +
                    " is read as an expression and does nothing");
            return;
        }
        for (std::string_view keyword : keywords) {
            if (text == keyword.substr(0, keyword.size() - 1)) {
                add(piece.line(),
                    quoted(text) + " needs its parentheses: " + quoted(std::string(text) + "()") +
                        "; without them it is read as a variable");
                return;
            }
        }
    }

    void lintCommand(const SourcePiece& piece, std::string_view text, uint32_t code) {
        if (isElseFamily(code) && !isTest(previous_.back())) {
            lintLonelyElse(piece, text);
        }
        if (takesKeyName(code)) {
            lintKeyName(piece, firstArgument(text));
        }
        const uint32_t kind = statementKind(code);
        const std::string_view first = firstArgument(text);
        if (kind == kCodeScript && first.size() >= 2) {
            result_.calls.push_back({std::string(first.substr(1, first.size() - 2)), inBatch()});
        }
        const bool image = kind == kCodeDraw || kind == kCodeRewindImage;
        const bool sound =
            kind == kCodePlaySound || kind == kCodeStopSound || kind == kCodeRewindSound;
        if ((image || sound) && !inBatch() && !first.empty() && isLetter(first.front()) &&
            first.find_first_of(".[(\"") == std::string_view::npos) {
            result_.mediaNames.push_back({std::string(first), sound, piece.line()});
        }
    }

    void lintLonelyElse(const SourcePiece& piece, std::string_view text) {
        const std::string keyword = quoted(keywordOf(text));
        const uint32_t previous = previous_.back();
        std::string why;
        if (previous == kChainStart) {
            why = "it follows no if(-family statement";
        } else if (previous == kCodeEmpty) {
            why = "the \";\" after the \"}\" on line " + std::to_string(previousLine_) +
                  " is an empty statement, which ends the if-chain";
        } else if (previous == kCodeComment) {
            why = "the comment before it ends the if-chain (move it into the block)";
        } else {
            why = "the statement before it, " + quoted(previousText_) + " on line " +
                  std::to_string(previousLine_) + ", is no if(-family statement";
        }
        add(piece.line(), keyword + " never runs: " + why);
    }

    void lintKeyName(const SourcePiece& piece, std::string_view key) {
        const std::span<const std::string_view> named = namedKeyNames();
        if (std::find(named.begin(), named.end(), key) != named.end() || key.starts_with("pad1.") ||
            key.starts_with("pad2.") ||
            (key.size() == 1 && ((key[0] >= 'A' && key[0] <= 'Z') || isDigit(key[0])))) {
            return;
        }
        const std::string_view meant = closestName(key, named, 2);
        std::string text;
        if (!meant.empty() && equalIgnoringAsciiCase(key, meant)) {
            text = "key names are case-sensitive: " + quoted(key) + " is no key, " + quoted(meant) +
                   " is";
        } else if (key.size() == 1 && key[0] >= 'a' && key[0] <= 'z') {
            text = quoted(key) + " is not the " + std::string(1, static_cast<char>(key[0] - 32)) +
                   " key: letter keys are written in capitals";
        } else if (equalIgnoringAsciiCase(key.substr(0, 5), "pad1.") ||
                   equalIgnoringAsciiCase(key.substr(0, 5), "pad2.")) {
            text = "pad names are written in lower case: \"pad1.\" or \"pad2.\", not " +
                   quoted(key.substr(0, 5));
        } else if (!meant.empty()) {
            text = quoted(key) + " is no key name: did you mean " + quoted(meant) + "?";
        } else {
            text = quoted(key) + " is no key name (see the table of key names in the guide)";
        }
        add(piece.line(), text);
    }

    // Texts in quotes: never closed, cut by a ";" or a brace, or holding a removed space.
    // False when a text is not closed.
    bool lintTexts(const SourcePiece& piece, std::string_view text, bool braceFollows) {
        if (hasOddQuotes(text)) {
            if (braceFollows) {
                add(piece.line(),
                    "a brace inside a text ends the statement there: a text "
                    "cannot hold \"{\" or \"}\"");
                oddQuotesBefore_ = true;
            } else if (oddQuotesBefore_) {
                oddQuotesBefore_ = false;  // the rest of a text cut by a ";"
            } else {
                const bool cut =
                    index_ + 1 < pieces_.size() && hasOddQuotes(pieces_[index_ + 1].text);
                add(piece.line(), cut ? "a \";\" inside a text ends the statement there: a "
                                        "text cannot hold \";\""
                                      : "a text whose \" is never closed");
                oddQuotesBefore_ = cut;
            }
            return false;
        }
        oddQuotesBefore_ = false;
        bool inText = false;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '"') {
                inText = !inText;
            } else if (inText && piece.spaceBefore[i]) {
                add(piece.lineAt(i),
                    "the space in this text is removed when the script is read: write \\s for "
                    "a space",
                    ProblemSeverity::kWarning);
                break;
            }
        }
        return true;
    }

    // Round brackets outside texts must pair up.
    void lintBrackets(const SourcePiece& piece, std::string_view text) {
        int depth = 0;
        bool inText = false;
        for (char c : text) {
            inText = c == '"' ? !inText : inText;
            if (inText) {
                continue;
            }
            depth += c == '(' ? 1 : c == ')' ? -1 : 0;
            if (depth < 0) {
                add(piece.line(), "a \")\" with no \"(\" before it in " + quoted(text));
                return;
            }
        }
        if (depth > 0) {
            add(piece.line(), "a \"(\" in " + quoted(text) + " is never closed");
        }
    }

    void lintComment(const SourcePiece& piece, bool braceFollows) {
        // The bytes of each later line the comment runs on into.
        for (size_t i = 1; i < piece.text.size(); ++i) {
            if (piece.lines[i] == piece.lines[i - 1]) {
                continue;
            }
            size_t end = i;
            while (end < piece.text.size() && piece.lines[end] == piece.lines[i]) {
                ++end;
            }
            const std::string_view swallowed = std::string_view(piece.text).substr(i, end - i);
            if (!swallowed.starts_with("//")) {
                add(piece.line(),
                    "this comment has no \";\" at the end of its line, so it runs on into line " +
                        std::to_string(piece.lines[i]) + " and swallows " + quoted(swallowed));
                return;
            }
        }
        const bool sameLineNext = index_ + 1 < pieces_.size() &&
                                  !pieces_[index_ + 1].text.empty() &&
                                  pieces_[index_ + 1].line() == piece.lastLine() &&
                                  classifyStatement(pieces_[index_ + 1].text) != kCodeComment;
        if (braceFollows || (sameLineNext && pieces_[index_ + 1].text.front() == '{')) {
            skipBrace_ = !braceFollows;
            add(piece.lastLine(),
                "a brace inside a comment ends the comment and opens or "
                "closes a block: a comment cannot hold braces");
        } else if (sameLineNext) {
            add(piece.lastLine(),
                "a \";\" inside a comment ends it: " + quoted(pieces_[index_ + 1].text) +
                    " after it is read as a statement",
                ProblemSeverity::kWarning);
        }
    }

    int32_t indentOf(int32_t line) const {
        return line > 0 && static_cast<size_t>(line) <= indents_.size() ? indents_[line - 1] : 0;
    }

    const std::string& file_;
    std::vector<SourcePiece> pieces_;
    std::vector<int32_t> indents_;                // the leading blanks of each line, a tab as four
    std::pair<int32_t, int32_t> misplacedClose_;  // the lines of a block's "{" and its "}"
    size_t index_ = 0;
    ScriptLint result_;
    std::vector<Block> blocks_;
    std::vector<uint32_t> previous_;  // per open block: the code of its chain's last statement
    uint32_t header_ = 0;             // a block statement waiting for its block
    std::string previousText_;        // the statement before, at this level or another
    int32_t previousLine_ = 0;
    bool reportedHere_ = false;     // the statement before a block was reported already
    bool oddQuotesBefore_ = false;  // the previous piece was a text cut by a ";"
    bool skipBrace_ = false;        // the next "{" was cut from a comment, reported
};

}  // namespace

ScriptLint lintScript(const std::string& file, std::string_view raw) {
    return ScriptLinter(file, raw).run();
}

}  // namespace tavro

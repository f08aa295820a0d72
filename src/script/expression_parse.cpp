// The expression parser: a top-down splitter. It never tokenises; each call looks for the
// operator at which to cut its text in two and parses each half the same way. Precedence,
// bracket handling and the cases in which it gives up (leaving a part that evaluates to 0)
// all follow from that scheme.
//
// Texts are Shift-JIS: the second byte of a two-byte character is never taken for an operator
// or a bracket (it may be "[", "]" or "|"), so names in Japanese parse as names.

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "script/expression.h"
#include "script/variables.h"
#include "text/text_functions.h"

namespace tavro {

namespace {

struct FunctionForm {
    std::string_view text;
    int32_t kind;
};

// Compared in this order, byte for byte over the form's length.
constexpr FunctionForm kFunctionForms[] = {
    {"abs(", kFnAbs},   {"sin(", kFnSin},   {"cos(", kFnCos},   {"tan(", kFnTan},
    {"asin(", kFnAsin}, {"acos(", kFnAcos}, {"atan(", kFnAtan}, {"atan2(", kFnAtan2},
    {"sqrt(", kFnSqrt}, {"pow(", kFnPow},   {"int(", kFnInt},   {"rand(", kFnRand},
};

// The longest leading part of text that forms a decimal number (optional sign, digits,
// optional fraction, optional exponent), read as a double; 0 when there is none.
double leadingNumber(std::string_view text) {
    size_t end = 0;
    if (end < text.size() && (text[end] == '+' || text[end] == '-')) {
        ++end;
    }
    auto skipDigits = [&](size_t from) {
        while (from < text.size() && text[from] >= '0' && text[from] <= '9') {
            ++from;
        }
        return from;
    };
    const size_t integerEnd = skipDigits(end);
    size_t mantissaEnd = integerEnd;
    if (mantissaEnd < text.size() && text[mantissaEnd] == '.') {
        mantissaEnd = skipDigits(mantissaEnd + 1);
    }
    if (mantissaEnd - end - (mantissaEnd > integerEnd ? 1 : 0) == 0) {
        return 0;  // no digit at all
    }
    end = mantissaEnd;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        const size_t exponentEnd = skipDigits(exponent);
        if (exponentEnd > exponent) {
            end = exponentEnd;
        }
    }
    return std::strtod(std::string(text.substr(0, end)).c_str(), nullptr);
}

// How loosely an operator binds, for the operators that split after the scan; the loosest one
// found splits the text. "||", "&&", "==" and "!=" split as soon as they are found.
enum PrecedenceLevel : int32_t {
    kNoLevel = 0,
    kProductLevel = 80,       // "*", "/", "%"
    kLeadingMinusLevel = 85,  // "-" at the very start: negation
    kSumLevel = 90,           // "+", "-"
    kComparisonLevel = 100,   // "<", ">", "<=", ">="
};

constexpr std::array<int32_t, 4> kLevels = {kProductLevel, kLeadingMinusLevel, kSumLevel,
                                            kComparisonLevel};

size_t levelIndex(int32_t level) {
    return static_cast<size_t>(std::find(kLevels.begin(), kLevels.end(), level) - kLevels.begin());
}

// A part of the text still to be parsed into its node.
struct Part {
    ExprNode* node;
    size_t begin;
    size_t end;
};

constexpr size_t kNowhere = std::string_view::npos;

// What the scans of one level of a chain learned about its text. The next level of the chain
// parses a prefix [begin, at) of that text, and both scans see a prefix as they saw the whole
// text up to `at` (they never look past the end they are given), so the next level reads its
// answers from here instead of scanning again: a chain of n operators parses in O(n).
struct ChainScan {
    size_t begin = kNowhere;
    // The forward scan found no assignment; these are the round-bracket groups it stepped over.
    bool assignmentScanned = false;
    std::vector<std::pair<size_t, size_t>> groups;
    // The backward scan found no operator that splits at once; these are the positions of the
    // operators it saw, for each precedence level (in kLevels order), ascending.
    bool operatorsScanned = false;
    std::array<std::vector<size_t>, 4> operators;
};

class Parser {
  public:
    Parser(const TextString& text, VarResolver* resolver, ErrorSink* log)
        : resolver_(resolver), log_(log) {
        text_.reserve(static_cast<size_t>(text.length()));
        for (char byte : text.view()) {
            if (byte != ' ') {
                text_.push_back(byte);
            }
        }
        // Mark every byte as itself, or as a plain letter when it is the second byte of a
        // two-byte character, so that the scans below only ever see real operators.
        symbols_.assign(text_.begin(), text_.end());
        for (size_t i = 0; i + 1 < symbols_.size(); ++i) {
            if (isLeadByte(text_[i])) {
                symbols_[++i] = 'a';
            }
        }
    }

    void parse(ExprNode& node) { parse(node, 0, text_.size(), 0); }

  private:
    char symbol(size_t position) const { return symbols_[position]; }
    std::string_view bytes(size_t begin, size_t end) const {
        return std::string_view(text_).substr(begin, end - begin);
    }

    // A part one level deeper: a bracketed group, an argument, an index, an assigned value or
    // the operand of a leading operator.
    void parseChild(std::unique_ptr<ExprNode>& child, size_t begin, size_t end, int32_t nesting) {
        child = std::make_unique<ExprNode>();
        parse(*child, begin, end, nesting + 1);
    }

    // Position of the ")" matching the "(" at open, or npos when the text ends first.
    size_t matchForward(size_t open, size_t end) const {
        int32_t depth = 1;
        for (size_t m = open + 1; m < end; ++m) {
            if (symbol(m) == '(') {
                ++depth;
            } else if (symbol(m) == ')' && --depth == 0) {
                return m;
            }
        }
        return std::string_view::npos;
    }

    // Position of the bracket opening the one closing at close, or npos when begin is passed.
    size_t matchBackward(size_t close, size_t begin) const {
        const char closing = symbol(close);
        const char opening = closing == ')' ? '(' : '[';
        int32_t depth = 1;
        for (size_t m = close; m-- > begin;) {
            if (symbol(m) == closing) {
                ++depth;
            } else if (symbol(m) == opening && --depth == 0) {
                return m;
            }
        }
        return std::string_view::npos;
    }

    // A binary operator splits at its last occurrence and leaves the rest of a flat chain
    // ("1+1+...+1", "a<b<c") as its left operand. The parse walks down those left operands in
    // a loop, so a chain of any length takes no stack; the right operands that must follow
    // their left side wait in `deferred_` and are parsed afterwards, innermost first, in the
    // order a recursive descent would meet them.
    void parse(ExprNode& node, size_t begin, size_t end, int32_t nesting) {
        if (nesting >= kMaxExpressionNesting && begin < end) {
            reportTooDeep();
            return;
        }
        const size_t waiting = deferred_.size();
        ChainScan chain;
        for (Part part{&node, begin, end}; part.node != nullptr;) {
            part = parseLevel(*part.node, part.begin, part.end, nesting, chain);
        }
        while (deferred_.size() > waiting) {
            const Part right = deferred_.back();
            deferred_.pop_back();
            parse(*right.node, right.begin, right.end, nesting);
        }
    }

    // One node of the text; returns the left operand still to parse, if any.
    // A level whose begin is the chain's parses a prefix of the level before it.
    Part parseLevel(ExprNode& node, size_t begin, size_t end, int32_t nesting, ChainScan& chain) {
        leftToParse_ = {};
        if (begin >= end) {
            return leftToParse_;
        }
        stripEnclosingParentheses(begin, end);
        if (begin != chain.begin) {
            chain = ChainScan{};
            chain.begin = begin;
        }
        switch (scanAssignment(node, begin, end, nesting, chain)) {
            case Scan::kDone:
            case Scan::kGiveUp:
                return leftToParse_;
            case Scan::kNone:
                break;
        }
        if (!scanOperators(node, begin, end, nesting, chain)) {
            parseTerm(node, begin, end, nesting);
        }
        return leftToParse_;
    }

    // One pair only: ((5)) becomes (5), which later parses as a name.
    void stripEnclosingParentheses(size_t& begin, size_t& end) const {
        if (end - begin < 2 || symbol(begin) != '(' || symbol(end - 1) != ')') {
            return;
        }
        int32_t level = 1;
        for (size_t m = end - 2; m > begin; --m) {
            if (symbol(m) == '(') {
                --level;
            } else if (symbol(m) == ')') {
                ++level;
            }
            if (level == 0) {
                return;
            }
        }
        ++begin;
        --end;
    }

    enum class Scan { kNone, kDone, kGiveUp };

    // Whether the scan of a longer text of the chain, which found no assignment, tells this
    // prefix's answer: only an "=" just before the end (no longer followed by one) or a group
    // the end cuts can make it differ.
    static bool noAssignmentInPrefix(ChainScan& chain, size_t end, char last) {
        if (!chain.assignmentScanned) {
            return false;
        }
        auto& groups = chain.groups;
        while (!groups.empty() && groups.back().first >= end) {
            groups.pop_back();
        }
        const bool cutsAGroup = !groups.empty() && groups.back().second >= end;
        return !cutsAGroup && last != '=';
    }

    // Left to right: the first "=" that is not part of "==", "!=", "<=" or ">=" (outside round
    // brackets) makes this an assignment.
    Scan scanAssignment(ExprNode& node, size_t begin, size_t end, int32_t nesting,
                        ChainScan& chain) {
        if (noAssignmentInPrefix(chain, end, symbol(end - 1))) {
            return Scan::kNone;
        }
        chain.assignmentScanned = false;
        chain.groups.clear();
        for (size_t n = begin; n < end; ++n) {
            const char c = symbol(n);
            if (c == '(') {
                const size_t open = n;
                n = matchForward(n, end);
                if (n == std::string_view::npos) {
                    return Scan::kGiveUp;
                }
                chain.groups.emplace_back(open, n);
                continue;
            }
            if (c != '=') {
                continue;
            }
            if (n == begin) {
                return Scan::kGiveUp;
            }
            const char before = symbol(n - 1);
            if (before == '=' || before == '!' || before == '<' || before == '>' ||
                (n + 1 < end && symbol(n + 1) == '=')) {
                continue;
            }
            size_t targetEnd = n - 1;
            switch (before) {
                case '+':
                    node.operatorCode = kOpAddAssign;
                    break;
                case '-':
                    node.operatorCode = kOpSubtractAssign;
                    break;
                case '*':
                    node.operatorCode = kOpMultiplyAssign;
                    break;
                case '/':
                    node.operatorCode = kOpDivideAssign;
                    break;
                case '%':
                    node.operatorCode = kOpRemainderAssign;
                    break;
                default:
                    node.operatorCode = kOpAssign;
                    targetEnd = n;
                    break;
            }
            if (resolver_ != nullptr) {
                setUpVariable(node, begin, targetEnd, nesting);
            } else {
                node.name =
                    TextString(text_.data() + begin, static_cast<int32_t>(targetEnd - begin));
                node.id = -1;
            }
            parseChild(node.right, n + 1, end, nesting);
            return Scan::kDone;
        }
        chain.assignmentScanned = true;
        return Scan::kNone;
    }

    // The left half is parsed first, then the right one (deferred until the left is done).
    void split(ExprNode& node, int32_t op, size_t begin, size_t leftEnd, size_t rightBegin,
               size_t end) {
        node.operatorCode = op;
        node.left = std::make_unique<ExprNode>();
        node.right = std::make_unique<ExprNode>();
        deferred_.push_back({node.right.get(), rightBegin, end});
        leftToParse_ = {node.left.get(), begin, leftEnd};
    }

    // The right half is parsed first for the arithmetic operators (ids follow that order).
    void splitRightFirst(ExprNode& node, int32_t op, size_t begin, size_t at, size_t end,
                         int32_t nesting) {
        node.operatorCode = op;
        node.right = std::make_unique<ExprNode>();
        parse(*node.right, at + 1, end, nesting);
        node.left = std::make_unique<ExprNode>();
        leftToParse_ = {node.left.get(), begin, at};
    }

    // The split a scan of a longer text of the chain, which met no operator that splits at
    // once, tells this prefix: the loosest operator before the end, rightmost first.
    bool splitPrefix(ExprNode& node, size_t begin, size_t end, int32_t nesting, ChainScan& chain) {
        int32_t level = kNoLevel;
        size_t at = begin;
        for (size_t i = 0; i < kLevels.size(); ++i) {
            std::vector<size_t>& positions = chain.operators[i];
            while (!positions.empty() && positions.back() >= end) {
                positions.pop_back();
            }
            if (!positions.empty()) {
                level = kLevels[i];
                at = positions.back();
            }
        }
        return splitAtLevel(node, level, begin, at, end, nesting);
    }

    // Right to left. "||", "&&", "==" and "!=" split at once where found (one common, loosest
    // precedence); otherwise the loosest other operator seen, rightmost first, splits after the
    // scan. False when nothing split and the text is a single term.
    bool scanOperators(ExprNode& node, size_t begin, size_t end, int32_t nesting,
                       ChainScan& chain) {
        if (chain.operatorsScanned) {
            return splitPrefix(node, begin, end, nesting, chain);
        }
        for (std::vector<size_t>& positions : chain.operators) {
            positions.clear();
        }
        int32_t level = kNoLevel;
        size_t at = begin;
        auto raise = [&](int32_t to, size_t n) {
            chain.operators[levelIndex(to)].push_back(n);
            if (level < to) {
                level = to;
                at = n;
            }
        };
        for (size_t n = end; n-- > begin;) {
            const char c = symbol(n);
            switch (c) {
                case ')':
                case ']':
                    n = matchBackward(n, begin);
                    if (n == std::string_view::npos) {
                        return true;  // unbalanced: evaluates to 0
                    }
                    break;
                case '|':
                case '&':
                    if (n == begin || symbol(n - 1) != c) {
                        return true;
                    }
                    split(node, c == '|' ? kOpOr : kOpAnd, begin, n - 1, n + 1, end);
                    return true;
                case '=':
                    if (n > begin && (symbol(n - 1) == '=' || symbol(n - 1) == '!')) {
                        split(node, symbol(n - 1) == '=' ? kOpEqual : kOpNotEqual, begin, n - 1,
                              n + 1, end);
                        return true;
                    }
                    break;
                case '<':
                case '>':
                    raise(kComparisonLevel, n);
                    break;
                case '+':
                    raise(kSumLevel, n);
                    break;
                case '-':
                    raise(n > begin ? kSumLevel : kLeadingMinusLevel, n);
                    break;
                case '*':
                case '/':
                case '%':
                    raise(kProductLevel, n);
                    break;
                default:
                    break;
            }
        }
        for (std::vector<size_t>& positions : chain.operators) {
            std::reverse(positions.begin(), positions.end());
        }
        chain.operatorsScanned = true;
        return splitAtLevel(node, level, begin, at, end, nesting);
    }

    bool splitAtLevel(ExprNode& node, int32_t level, size_t begin, size_t at, size_t end,
                      int32_t nesting) {
        switch (level) {
            case kComparisonLevel: {
                const bool withEqual = at + 1 < end && symbol(at + 1) == '=';
                const bool less = symbol(at) == '<';
                const int32_t op = less ? (withEqual ? kOpLessEqual : kOpLess)
                                        : (withEqual ? kOpGreaterEqual : kOpGreater);
                split(node, op, begin, at, at + (withEqual ? 2 : 1), end);
                return true;
            }
            case kSumLevel:
                if (at == begin) {
                    node.rightConstant = leadingNumber(bytes(begin, end));  // "+5*2" is 5
                    return true;
                }
                if (symbol(at) == '-' &&
                    std::string_view("+-*/!=%<>").find(symbol(at - 1)) != std::string_view::npos) {
                    return true;  // a minus right after an operator is not accepted
                }
                splitRightFirst(node, symbol(at) == '+' ? kOpAdd : kOpSubtract, begin, at, end,
                                nesting);
                return true;
            case kLeadingMinusLevel:
                node.leftConstant = -1;
                node.operatorCode = kOpMultiply;
                parseChild(node.right, begin + 1, end, nesting);
                return true;
            case kProductLevel:
                if (at == begin) {
                    node.rightConstant = leadingNumber(bytes(begin + 1, end));
                    return true;
                }
                splitRightFirst(node,
                                symbol(at) == '*'   ? kOpMultiply
                                : symbol(at) == '/' ? kOpDivide
                                                    : kOpRemainder,
                                begin, at, end, nesting);
                return true;
            default:
                return false;
        }
    }

    void parseTerm(ExprNode& node, size_t begin, size_t end, int32_t nesting) {
        const std::string_view term = bytes(begin, end);
        if (term.front() == '!') {
            node.functionKind = kFnNot;
            parseChild(node.left, begin + 1, end, nesting);
            return;
        }
        for (const FunctionForm& form : kFunctionForms) {
            if (term.substr(0, form.text.size()) != form.text) {
                continue;
            }
            node.functionKind = form.kind;
            const size_t open = begin + form.text.size() - 1;
            if (form.kind == kFnAtan2 || form.kind == kFnPow) {
                parseArgumentPair(node, open, end, nesting);
            } else if (form.kind != kFnRand) {
                parseChild(node.left, open, end, nesting);
            }
            return;
        }
        const std::string termText(term);
        if (textIsNumber(termText.c_str())) {
            node.rightConstant = std::strtod(termText.c_str(), nullptr);
            return;
        }
        node.functionKind = kFnVariable;
        setUpVariable(node, begin, end, nesting);
    }

    // The first bracketed group is cut at its first "," (brackets inside are not respected, so
    // pow(atan2(1,1),2) is not the power of the arc tangent); the next piece runs to the next
    // "," or the group's end.
    void parseArgumentPair(ExprNode& node, size_t open, size_t end, int32_t nesting) {
        const size_t close = matchForward(open, end);
        if (close == std::string_view::npos) {
            parseChild(node.left, open, open, nesting);
            return;
        }
        auto nextComma = [&](size_t from) {
            while (from < close && symbol(from) != ',') {
                ++from;
            }
            return from;
        };
        const size_t firstEnd = nextComma(open + 1);
        parseChild(node.left, open + 1, firstEnd, nesting);
        if (firstEnd < close) {
            parseChild(node.right, firstEnd + 1, nextComma(firstEnd + 1), nesting);
        }
    }

    // Name before the first "[", id from the resolver, and the index text between "[" and the
    // last byte when the resolver gave an id.
    void setUpVariable(ExprNode& node, size_t begin, size_t end, int32_t nesting) {
        size_t bracket = begin;
        while (bracket < end && symbol(bracket) != '[') {
            ++bracket;
        }
        node.name = TextString(text_.data() + begin, static_cast<int32_t>(bracket - begin));
        node.id = -1;
        if (resolver_ == nullptr) {
            return;
        }
        const VarRef ref = resolver_->resolve(node.name, -1, -1);
        if (ref.pointer == nullptr || ref.type != kVarInt32) {
            return;
        }
        node.id = *static_cast<const int32_t*>(ref.pointer);
        if (bracket < end) {
            parseChild(node.index, bracket + 1, std::max(bracket + 1, end - 1), nesting);
        }
    }

    // One error-log line per expression, however many of its parts lie too deep.
    void reportTooDeep() {
        if (!reportedTooDeep_) {
            reportedTooDeep_ = true;
            reportTo(log_, "expression nested too deeply: that part evaluates to 0",
                     Severity::kError);
        }
    }

    std::string text_;
    std::string symbols_;
    VarResolver* resolver_;
    ErrorSink* log_;
    bool reportedTooDeep_ = false;
    std::vector<Part> deferred_;  // right operands waiting for their left side
    // The left operand the current level's split leaves to parse; a nested parse always
    // returns with it empty, so a level that does not split returns none.
    Part leftToParse_{};
};

}  // namespace

void ExprNode::parse(TextString text, VarResolver* resolver, ErrorSink* log) {
    Parser(text, resolver, log).parse(*this);
}

}  // namespace tavro

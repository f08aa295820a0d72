#include "script/compiler.h"

#include <algorithm>
#include <array>

#include "platform/key_names.h"
#include "script/contexts.h"
#include "script/engine_state.h"
#include "script/script_text.h"
#include "text/messages.h"
#include "text/text_functions.h"

namespace tavro {

namespace {

struct Keyword {
    std::string_view prefix;
    uint32_t code;
};

// No keyword is a prefix of another, so the first match is the only one.
constexpr Keyword kKeywords[] = {
    {"appeal(", kCodeAppeal},
    {"bgColor(", kCodeBgColor},
    {"draw(", kCodeDraw},
    {"else(", kCodeElseBlock},
    {"elseif(", kCodeElseIf},
    {"elseifkey(", kCodeElseIfKey},
    {"elseifstamp(", kCodeElseIfStamp},
    {"elseifinput(", kCodeElseIfInput},
    {"friend(", kCodeFriend},
    {"font(", kCodeFont},
    {"if(", kCodeIf},
    {"ifkey(", kCodeIfKey},
    {"ifstamp(", kCodeIfStamp},
    {"ifinput(", kCodeIfInput},
    {"init(", kCodeInit},
    {"kill(", kCodeKill},
    {"load(", kCodeLoad},
    {"loop(", kCodeLoop},
    {"new(", kCodeNew},
    {"playSound(", kCodePlaySound},
    {"playBGM(", kCodePlayBgm},
    {"quit(", kCodeQuit},
    {"rewindImage(", kCodeRewindImage},
    {"rewindSound(", kCodeRewindSound},
    {"stopSound(", kCodeStopSound},
    {"stopBGM(", kCodeStopBgm},
    {"script(", kCodeScript},
    {"save(", kCodeSave},
    {"text(", kCodeText},
    {"unless(", kCodeUnless},
    {"unlesskey(", kCodeUnlessKey},
    {"unlessinput(", kCodeUnlessInput},
    {"view(", kCodeView},
    {"while(", kCodeWhile},
};

constexpr std::string_view kBatch = "batch(";

uint32_t batchCode(std::string_view text) {
    const std::string_view target = text.substr(kBatch.size());
    if (target.starts_with("my)")) {
        return kCodeBatchMy;
    }
    if (target.starts_with("other)")) {
        return kCodeBatchOther;
    }
    if (target.starts_with("colid)")) {
        return kCodeBatchColid;
    }
    return kCodeBatch;
}

// A run shows the message and stops; a check hears of the error and goes on.
void syntaxError(EngineState& state, const TextString& statement, SyntaxFault fault,
                 SourceLocation where) {
    if (state.loadListener != nullptr) {
        state.loadListener->syntaxError(statement, fault, where);
        return;
    }
    state.syntaxStop = {true, where, statement};
    if (state.dialogs != nullptr) {
        state.dialogs->showMessage(kMessageCaption, kSyntaxErrorMessage);
    }
    state.haltRequested = true;
}

void parseInto(EngineState& state, ExprNode& expression, const TextString& text) {
    CompileContext context(state);
    expression.parse(text, &context, &state.log);
}

// Why no group follows a block header: a text with more opening braces than closing ones
// lacks a "}", any other the block itself.
SyntaxFault missingGroupFault(const TextString& text) {
    const std::string_view bytes = text.view();
    auto count = [bytes](std::string_view brace) {
        int32_t n = 0;
        for (size_t at = bytes.find(brace); at != std::string_view::npos;
             at = bytes.find(brace, at + brace.size())) {
            ++n;
        }
        return n;
    };
    return count("{;") > count("};") ? SyntaxFault::kUnclosedBlock : SyntaxFault::kNoBlock;
}

void compileChain(EngineState& state, Statement& first, TextString& text,
                  const ScriptSource& source, int32_t textOffset);

// Compiles the block that follows a block header: its group (the first one of the text not
// yet taken) becomes the body, and the text's token walk is moved past the block's closing
// brace. A block nested too deeply is skipped without being compiled. The text starts at
// textOffset of the script's prepared text.
SyntaxFault compileBlock(EngineState& state, Statement& statement, TextString& text,
                         const ScriptSource& source, int32_t textOffset) {
    constexpr const char* kClose = "};";
    if (!text.nextGroup("{;", kClose)) {
        return missingGroupFault(text);
    }
    const bool tooDeep = compileDepthExhausted(state);
    if (!tooDeep) {
        TextString group = text.token();
        const int32_t groupOffset =
            textOffset + text.groupCursor() - textLength(kClose) - group.length();
        statement.body = std::make_unique<Statement>();
        CompileDepthScope nested(state);
        compileChain(state, *statement.body, group, source, groupOffset);
    }
    if (state.haltRequested) {
        return SyntaxFault::kNone;  // the error inside has been shown
    }
    if (!text.nextToken(";")) {  // the opening brace
        return SyntaxFault::kUnclosedBlock;
    }
    for (int32_t depth = 1; depth > 0;) {
        if (!text.nextToken(";")) {
            return SyntaxFault::kUnclosedBlock;
        }
        const char first = text.tokenCStr()[0];
        depth += first == '{' ? 1 : first == '}' ? -1 : 0;
    }
    return tooDeep ? SyntaxFault::kNestedTooDeeply : SyntaxFault::kNone;
}

// The arguments of keyword(a,b,...): commas at bracket depth 0 separate, the first ")" at
// depth 0 ends them. The first piece of the result is the keyword itself.
TextString argumentList(const TextString& piece) {
    std::string bytes(piece.view());
    bool keywordEnded = false;
    int32_t depth = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        char& byte = bytes[i];
        if (isLeadByte(byte)) {
            ++i;
        } else if (byte == '(' && !keywordEnded) {
            byte = ';';
            keywordEnded = true;
        } else if (byte == '(') {
            ++depth;
        } else if (byte == ')' && depth == 0) {
            bytes.resize(i);
            break;
        } else if (byte == ')') {
            --depth;
        } else if (byte == ',' && depth == 0) {
            byte = ';';
        }
    }
    return TextString(bytes.data(), static_cast<int32_t>(bytes.size()));
}

bool isQuoted(const TextString& argument) {
    const int32_t length = argument.length();
    return length > 0 && argument.at(0) == '"' && argument.at(length - 1) == '"';
}

TextString unquoted(const TextString& argument) {
    TextString inner = argument.substr(1, argument.length() - 2);
    inner.replaceAll("\\n", "\n");
    inner.replaceAll("\\t", "\t");
    inner.replaceAll("\\s", " ");
    return inner;
}

void compileScriptCall(EngineState& state, Statement& statement, const TextString& fileArgument) {
    const TextString fileName = fileArgument.substr(1, fileArgument.length() - 2);
    const int32_t number = scriptNumberFor(state, fileName);
    if (number == 0) {
        reportLoadFailure(state.loadListener, NamedFileKind::kScript, fileName);
    }
    statement.expressionToFill(0).setLeftConstant(number);
}

void compileKeyTest(EngineState& state, Statement& statement, const TextString& keyArgument) {
    const KeyNameValue key = keyValueForName(keyArgument.view());
    if (!key.hasCode) {
        return;
    }
    statement.expressionToFill(0).setLeftConstant(key.code);
    if (key.code >= kPad1Device) {
        state.scriptsTestPads = true;
    }
    if (!key.inputExpression.empty()) {
        parseInto(state, statement.expressionToFill(1),
                  TextString(key.inputExpression.data(),
                             static_cast<int32_t>(key.inputExpression.size())));
    }
}

void compileGenericArguments(EngineState& state, Statement& statement, TextString& arguments) {
    int32_t texts = 0;
    int32_t expressions = 0;
    while (arguments.nextToken(";")) {
        const TextString argument = arguments.token();
        if (isQuoted(argument) && texts < kStatementArgumentCount) {
            statement.textToFill(texts++) = unquoted(argument);
        } else if (expressions < kStatementArgumentCount) {
            parseInto(state, statement.expressionToFill(expressions++), argument);
        }
    }
}

void compileArguments(EngineState& state, Statement& statement, const TextString& piece) {
    if (statement.code == kCodeExpression) {
        parseInto(state, statement.expressionToFill(0), piece);
        return;
    }
    if (statement.code == kCodeEmpty || statement.code == kCodeComment) {
        return;
    }
    TextString arguments = argumentList(piece);
    arguments.nextToken(";");  // the keyword
    if (statement.code == kCodeScript || takesKeyName(statement.code)) {
        arguments.nextToken(";");
        const TextString first = arguments.token();
        if (statement.code == kCodeScript) {
            compileScriptCall(state, statement, first);
        } else {
            compileKeyTest(state, statement, first);
        }
        return;
    }
    compileGenericArguments(state, statement, arguments);
    if (statement.code == kCodeText && !statement.text(0).empty()) {
        statement.setScriptText(std::make_unique<ScriptText>(statement.text(0)));
    }
}

// The chain is built in a loop; only blocks nest.
void compileChain(EngineState& state, Statement& first, TextString& text,
                  const ScriptSource& source, int32_t textOffset) {
    for (Statement* statement = &first; !state.haltRequested; statement = statement->next.get()) {
        const int32_t start = std::clamp(text.tokenCursor(), 0, text.length());
        if (!text.nextToken(";")) {
            return;
        }
        const TextString piece = text.token();
        statement->code = classifyStatement(piece.view());
        statement->location = source.locate(textOffset + start);
        if (isBlockStatement(statement->code)) {
            const SyntaxFault fault = compileBlock(state, *statement, text, source, textOffset);
            if (fault != SyntaxFault::kNone) {
                if (!state.haltRequested) {
                    syntaxError(state, piece, fault, statement->location);
                }
                // A check goes on after a missing block; nothing after an unclosed one parses.
                if (state.haltRequested || fault == SyntaxFault::kUnclosedBlock) {
                    return;
                }
            }
        }
        compileArguments(state, *statement, piece);
        statement->next = std::make_unique<Statement>();
    }
}

}  // namespace

void compileStatements(EngineState& state, Statement& first, TextString& text,
                       const ScriptSource& source) {
    compileChain(state, first, text, source, 0);
}

bool compileDepthExhausted(const EngineState& state) {
    return state.nesting.compiledBlocks >= kMaxCompileDepth;
}

CompileDepthScope::CompileDepthScope(EngineState& state) : depth_(state.nesting.compiledBlocks) {
    ++depth_;
}
CompileDepthScope::~CompileDepthScope() {
    --depth_;
}

uint32_t classifyStatement(std::string_view text) {
    if (text.empty()) {
        return kCodeExpression;
    }
    switch (text.front()) {
        case '{':
        case '}':
            return kCodeEmpty;
        case '/':
            return text.starts_with("//") ? kCodeComment : kCodeExpression;
        default:
            break;
    }
    if (text.starts_with(kBatch)) {
        return batchCode(text);
    }
    for (const Keyword& keyword : kKeywords) {
        if (text.starts_with(keyword.prefix)) {
            return keyword.code;
        }
    }
    return kCodeExpression;
}

std::span<const std::string_view> statementKeywords() {
    static const auto names = [] {
        std::array<std::string_view, std::size(kKeywords) + 1> all{kBatch};
        for (size_t i = 0; i < std::size(kKeywords); ++i) {
            all[i + 1] = kKeywords[i].prefix;
        }
        return all;
    }();
    return names;
}

}  // namespace tavro

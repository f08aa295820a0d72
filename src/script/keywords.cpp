#include "script/keywords.h"

#include "script/statement_codes.h"

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

}  // namespace

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

}  // namespace tavro

#include "script/variables.h"

#include "text/text_functions.h"

namespace tavro {

int32_t NameIdTable::idFor(std::string_view name) {
    if (name.empty()) {
        return 0;
    }
    if (auto found = numbers_.find(name); found != numbers_.end()) {
        return found->second;
    }
    ++counter_;
    numbers_.emplace(std::string(name), counter_);
    return counter_;
}

int32_t NameIdTable::find(std::string_view name) const {
    auto found = numbers_.find(name);
    return found == numbers_.end() ? 0 : found->second;
}

void NameIdTable::clear() {
    numbers_.clear();
    counter_ = 0;
}

namespace {

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

size_t findIndexBracket(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (isLeadByte(text[i])) {
            ++i;  // the second byte of a two-byte character is never a bracket
        } else if (text[i] == '[') {
            return i;
        }
    }
    return std::string_view::npos;
}

VarScope takeScopePrefix(std::string_view& name) {
    struct Prefix {
        std::string_view text;
        VarScope scope;
    };
    static constexpr Prefix kPrefixes[] = {
        {"system.", VarScope::kSystem},
        {"parent.", VarScope::kParent},
        {"this.", VarScope::kThis},
    };
    for (const Prefix& prefix : kPrefixes) {
        if (startsWith(name, prefix.text)) {
            name.remove_prefix(prefix.text.size());
            return prefix.scope;
        }
    }
    return VarScope::kPlain;
}

int32_t scopedVarId(NameIdTable& names, std::string_view reference) {
    if (reference.empty()) {
        return -1;
    }
    std::string_view name = reference.substr(0, findIndexBracket(reference));
    int32_t flags = scopeBit(takeScopePrefix(name));
    constexpr std::string_view kSizeSuffix = ".size";
    if (name.size() >= kSizeSuffix.size() &&
        name.substr(name.size() - kSizeSuffix.size()) == kSizeSuffix) {
        flags |= kVarSizeFlag;
        name.remove_suffix(kSizeSuffix.size());
    }
    return names.idFor(name) | flags;
}

}  // namespace tavro

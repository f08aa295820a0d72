#include "text/named_text_table.h"

namespace tavro {

namespace {

void escape(TextString& text) {
    text.replaceAll("=", "\\eq");
    text.replaceAll(";", "\\sc");
}

void unescape(TextString& text) {
    text.replaceAll("\\eq", "=");
    text.replaceAll("\\sc", ";");
}

}  // namespace

int32_t NamedTextTable::indexOf(const char* name) const {
    if (name == nullptr) {
        return nullNameIndex_;
    }
    const auto found = indexByName_.find(name);
    return found == indexByName_.end() ? -1 : found->second;
}

TextString& NamedTextTable::at(const char* name) {
    const int32_t existing = indexOf(name);
    if (existing >= 0) {
        return entries_[static_cast<size_t>(existing)].value;
    }
    const int32_t index = count();
    Entry& entry = entries_.emplace_back();
    if (name == nullptr) {
        nullNameIndex_ = index;
    } else {
        entry.name = name;
        indexByName_.emplace(*entry.name, index);
    }
    return entry.value;
}

const char* NamedTextTable::nameAt(int32_t i) const {
    if (!contains(i) || !entries_[static_cast<size_t>(i)].name) {
        return nullptr;
    }
    return entries_[static_cast<size_t>(i)].name->c_str();
}

const TextString& NamedTextTable::valueAt(int32_t i) const {
    return contains(i) ? entries_[static_cast<size_t>(i)].value : missing_;
}

TextString& NamedTextTable::valueAt(int32_t i) {
    if (!contains(i)) {
        scratch_ = "";
        return scratch_;
    }
    return entries_[static_cast<size_t>(i)].value;
}

void NamedTextTable::clear() {
    entries_.clear();
    indexByName_.clear();
    nullNameIndex_ = -1;
}

bool writeKeyValueText(const NamedTextTable& table, TextString& out) {
    out = "";
    if (table.count() == 0) {
        return false;
    }
    for (int32_t i = 0; i < table.count(); ++i) {
        const char* name = table.nameAt(i);
        if (name == nullptr) {
            continue;
        }
        TextString escapedName(name);
        escape(escapedName);
        TextString escapedValue(table.valueAt(i));
        escape(escapedValue);
        out += escapedName;
        out += "=";
        out += escapedValue;
        out += ";";
    }
    return true;
}

bool readKeyValueText(const TextString& text, NamedTextTable& table) {
    table.clear();
    if (text.empty()) {
        return false;
    }
    TextString pieces(text);
    while (pieces.nextToken(";")) {
        TextString piece(pieces.tokenCStr());
        piece.nextToken("=");
        TextString name(piece.tokenCStr());
        piece.nextToken("=");
        TextString value(piece.tokenCStr());
        unescape(name);
        unescape(value);
        table.at(name.cStr()) = value;
    }
    return true;
}

}  // namespace tavro

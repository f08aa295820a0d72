// The editor files colour every word of the language the engine knows: a keyword added to the
// engine's keyword table, a key name or a section must be added to both.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/key_names.h"
#include "script/compiler.h"

namespace tavro {
namespace {

std::string readEditorFile(const char* path) {
    std::ifstream file(std::string(TAVRO_SOURCE_DIR) + "/editors/" + path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

bool isWordByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The word stands alone somewhere in the text (not as part of a longer word).
bool holdsWord(const std::string& text, std::string_view word) {
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        const size_t end = at + word.size();
        if ((at == 0 || !isWordByte(text[at - 1])) &&
            (end == text.size() || !isWordByte(text[end]))) {
            return true;
        }
    }
    return false;
}

TEST(EditorFilesTest, NameEveryKeywordKeyNameAndSection) {
    std::vector<std::string> words;
    for (std::string_view keyword : statementKeywords()) {
        words.emplace_back(keyword.substr(0, keyword.size() - 1));
    }
    for (std::string_view key : namedKeyNames()) {
        words.emplace_back(key);
    }
    for (const char* word : {"pad1", "pad2", "system", "parent", "this", "TASK", "IMAGE", "SOUND",
                             "SCRIPT", "CONSTRACT", "my", "other", "colid"}) {
        words.emplace_back(word);
    }
    ASSERT_GT(words.size(), 40u);
    for (const char* path : {"vscode/syntaxes/tavro.tmLanguage.json", "vim/syntax/tavro.vim"}) {
        const std::string text = readEditorFile(path);
        ASSERT_FALSE(text.empty()) << path;
        for (const std::string& word : words) {
            EXPECT_TRUE(holdsWord(text, word)) << path << " lacks " << word;
        }
    }
}

}  // namespace
}  // namespace tavro

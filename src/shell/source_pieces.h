// The pieces of a game's text file as the engine reads them, each with the lines the author
// wrote it on. The engine removes every space, tab and line break before it reads a task,
// script, animation or settings file, so what it reports has no line; these pieces keep, for
// every byte that is left, the line it came from, and so let a check say FILE:LINE.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

struct SourcePiece {
    std::string text;               // as the engine sees it: no whitespace
    std::vector<int32_t> lines;     // the line of each byte of text, counted from 1
    std::vector<bool> spaceBefore;  // a space or tab on the same line was removed before it

    // The line the piece starts on (the line after the previous piece for an empty one).
    int32_t line() const { return lines.empty() ? emptyLine : lines.front(); }
    int32_t lastLine() const { return lines.empty() ? emptyLine : lines.back(); }
    // The line of the byte at `offset`, or of the piece's start past its end.
    int32_t lineAt(size_t offset) const { return offset < lines.size() ? lines[offset] : line(); }

    int32_t emptyLine = 1;
};

// A script's statements: the text prepared as the loader prepares it ("){" becomes ");{" and
// a ";" follows every brace, a trail byte of a double-byte character excepted), cut at ";".
std::vector<SourcePiece> scriptStatements(std::string_view raw);

// The entries of a key-value file (task, animation or settings), cut at ";".
std::vector<SourcePiece> keyValueEntries(std::string_view raw);

// The first piece holding `needle` from piece `from` on (then from the start), and the line
// of the needle's first byte in it; 0 when no piece holds it.
int32_t lineOfText(const std::vector<SourcePiece>& pieces, std::string_view needle, size_t from = 0,
                   size_t* found = nullptr);

}  // namespace tavro

// Where a compiled statement starts: its script's number in the script table (which keeps each
// file name once) and the line of its first byte in the file as written, before whitespace is
// removed. Packed into 32 bits so that every statement can carry one.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tavro {

class SourceLocation {
  public:
    static constexpr int32_t kFileBits = 14;
    static constexpr int32_t kLineBits = 32 - kFileBits;
    static constexpr int32_t kMaxFile = (1 << kFileBits) - 1;
    static constexpr int32_t kMaxLine = (1 << kLineBits) - 1;

    SourceLocation() = default;
    // A number or line beyond what fits is kept as unknown (0).
    SourceLocation(int32_t file, int32_t line)
        : packed_(file > 0 && file <= kMaxFile && line > 0 && line <= kMaxLine
                      ? static_cast<uint32_t>(file) << kLineBits | static_cast<uint32_t>(line)
                      : 0) {}

    // 0 when unknown.
    int32_t file() const { return static_cast<int32_t>(packed_ >> kLineBits); }
    int32_t line() const { return static_cast<int32_t>(packed_ & kMaxLine); }
    bool known() const { return packed_ != 0; }

  private:
    uint32_t packed_ = 0;
};

// The lines of a script text as written, looked up by offsets into its prepared form (see
// prepareScriptText), which holds the same bytes without whitespace and with a ";" put after
// some of them.
class PreparedTextLines {
  public:
    PreparedTextLines(std::string_view written, std::string_view prepared);
    // The line (from 1) of the written byte that the prepared byte at this offset comes from;
    // an inserted ";" counts on the line of the byte before it.
    int32_t lineAt(int32_t preparedOffset) const;

  private:
    // The prepared offset at which each line after the first begins.
    std::vector<int32_t> lineStarts_;
};

// The script being compiled: its number and the lines of its text; with no lines, its
// statements get no location.
struct ScriptSource {
    int32_t file = 0;
    const PreparedTextLines* lines = nullptr;

    SourceLocation locate(int32_t preparedOffset) const {
        return lines == nullptr ? SourceLocation()
                                : SourceLocation(file, lines->lineAt(preparedOffset));
    }
};

}  // namespace tavro

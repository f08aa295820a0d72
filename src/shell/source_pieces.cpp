#include "shell/source_pieces.h"
#include "text/text_functions.h"

namespace tavro {

namespace {

bool isLineBreak(char byte) {
    return byte == '\n' || byte == '\r';
}

bool isBlank(char byte) {
    return byte == ' ' || byte == '\t';
}

// Builds the pieces while the raw text is walked once.
class PieceCutter {
  public:
    void add(char byte, int32_t line, bool spaceBefore) {
        current_.text.push_back(byte);
        current_.lines.push_back(line);
        current_.spaceBefore.push_back(spaceBefore);
    }
    void cut(int32_t line) {
        current_.emptyLine = line;
        pieces_.push_back(std::move(current_));
        current_ = SourcePiece{};
    }
    const std::string& text() const { return current_.text; }
    std::vector<SourcePiece> finish(int32_t line) {
        if (!current_.text.empty()) {
            cut(line);
        }
        return std::move(pieces_);
    }

  private:
    SourcePiece current_;
    std::vector<SourcePiece> pieces_;
};

std::vector<SourcePiece> cutPieces(std::string_view raw, bool rewriteBraces) {
    PieceCutter cutter;
    int32_t line = 1;
    bool space = false;
    bool trailByte = false;  // the byte after a lead byte belongs to its character
    for (size_t i = 0; i < raw.size(); ++i) {
        const char byte = raw[i];
        if (byte == '\n') {
            ++line;
            space = false;
            continue;
        }
        if (isLineBreak(byte) || isBlank(byte)) {
            space = space || isBlank(byte);
            continue;
        }
        const bool brace = !trailByte && (byte == '{' || byte == '}');
        const bool lead = !trailByte && isLeadByte(byte);
        trailByte = lead;
        if (byte == ';') {
            cutter.cut(line);
        } else if (brace && rewriteBraces) {
            if (byte == '{' && !cutter.text().empty() && cutter.text().back() == ')') {
                cutter.cut(line);
            }
            cutter.add(byte, line, space);
            cutter.cut(line);
        } else {
            cutter.add(byte, line, space);
        }
        space = false;
    }
    return cutter.finish(line);
}

}  // namespace

std::vector<SourcePiece> scriptStatements(std::string_view raw) {
    return cutPieces(raw, true);
}

std::vector<SourcePiece> keyValueEntries(std::string_view raw) {
    return cutPieces(raw, false);
}

int32_t lineOfText(const std::vector<SourcePiece>& pieces, std::string_view needle, size_t from,
                   size_t* found) {
    for (size_t pass = 0; pass < 2; ++pass) {
        for (size_t i = pass == 0 ? from : 0; i < pieces.size(); ++i) {
            const size_t at = pieces[i].text.find(needle);
            if (at != std::string::npos) {
                if (found != nullptr) {
                    *found = i;
                }
                return pieces[i].lineAt(at);
            }
        }
    }
    return 0;
}

}  // namespace tavro

// Both directions go through glibc iconv. A converter is opened once per direction and thread
// and reset before each use, so a conversion never depends on the one before it.
#include "host/shift_jis.h"

#include <iconv.h>

#include <cerrno>

namespace tavro {
namespace {

class Converter {
  public:
    Converter(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) {
            iconv_close(descriptor_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts input into output, replacing every unconvertible piece by the substitute;
    // skipLength tells how many bytes such a piece has.
    bool convert(std::string_view input, std::string& output, std::string_view substitute,
                 size_t (*skipLength)(std::string_view rest)) {
        output.clear();
        if (!valid()) {
            output.assign(input);
            return false;
        }
        iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
        bool exact = true;
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        char buffer[256];
        while (inLeft > 0) {
            char* out = buffer;
            size_t outLeft = sizeof buffer;
            size_t result = iconv(descriptor_, &in, &inLeft, &out, &outLeft);
            output.append(buffer, out - buffer);
            if (result != static_cast<size_t>(-1) || errno == E2BIG) {
                continue;
            }
            // EILSEQ (no such character) or EINVAL (cut short at the end).
            exact = false;
            output.append(substitute);
            size_t skip = skipLength({in, inLeft});
            in += skip;
            inLeft -= skip;
            iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
        }
        return exact;
    }

  private:
    bool valid() const { return descriptor_ != reinterpret_cast<iconv_t>(-1); }

    iconv_t descriptor_;
};

size_t skipOneByte(std::string_view) {
    return 1;
}

// A well-formed UTF-8 character without a Shift-JIS form is skipped whole, so it becomes one
// substitute; a malformed byte is skipped alone.
size_t skipUtf8Character(std::string_view rest) {
    auto lead = static_cast<unsigned char>(rest[0]);
    size_t length = lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc0 ? 2 : 1;
    if (length > rest.size()) {
        return 1;
    }
    for (size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(rest[i]) & 0xc0) != 0x80) {
            return 1;
        }
    }
    return length;
}

}  // namespace

bool shiftJisToUtf8(std::string_view shiftJis, std::string& utf8) {
    thread_local Converter converter("UTF-8", "CP932");
    return converter.convert(shiftJis, utf8, "\xef\xbf\xbd", skipOneByte);
}

bool utf8ToShiftJis(std::string_view utf8, std::string& shiftJis) {
    thread_local Converter converter("CP932", "UTF-8");
    return converter.convert(utf8, shiftJis, "?", skipUtf8Character);
}

std::string shiftJisToUtf8(std::string_view shiftJis) {
    std::string utf8;
    shiftJisToUtf8(shiftJis, utf8);
    return utf8;
}

}  // namespace tavro

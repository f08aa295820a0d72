// ErrorEcho: the error-log records of severity 2 told on a stream (standard error) as they
// happen, whatever the game's settings ask of the log, in UTF-8, with what they concern where
// that is a file ("ImageInfo: hero.png") and where the game was, when a script statement was
// running ("main.scr:3: error: ..."; "tavro: error: ..." otherwise). A line said before is only
// counted, and each one repeated is said once more with its count when the run ends.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tavro {

class ErrorEcho {
  public:
    explicit ErrorEcho(std::FILE* output) : output_(output) {}

    // Where the game is as a record is told ("main.scr:3"), or empty; none: never anywhere.
    using Place = std::function<std::string()>;
    void setPlace(Place place) { place_ = std::move(place); }

    // A Shift-JIS record and what it concerns (empty: nothing in particular).
    void echo(std::string_view text, std::string_view subject);
    // The counts of the records said more than once; each is then counted afresh.
    void finish();

  private:
    std::FILE* output_;
    Place place_;
    std::unordered_map<std::string, uint64_t> counts_;
    std::vector<std::string> order_;  // the lines in the order first said
};

}  // namespace tavro

#include "script/random.h"

namespace tavro {

namespace {
uint32_t randomState = 0;
}

void seedRandom(uint32_t seed) {
    randomState = seed;
}

int32_t nextRandom() {
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int32_t>((randomState >> 16) & 0x7FFFu);
}

}  // namespace tavro

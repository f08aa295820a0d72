#include "script/statement.h"

namespace tavro {

Statement::~Statement() {
    // Unlink each successor before it dies, so no destructor sees a long tail.
    std::unique_ptr<Statement> rest = std::move(next);
    while (rest) {
        rest = std::move(rest->next);
    }
}

}  // namespace tavro

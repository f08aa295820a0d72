#include "text/error_report.h"

namespace tavro {

namespace {
ErrorSink* installedSink = nullptr;
}

ErrorSink* setErrorSink(ErrorSink* sink) {
    ErrorSink* previous = installedSink;
    installedSink = sink;
    return previous;
}

void reportError(const char* text, uint32_t severity) {
    if (installedSink != nullptr) {
        installedSink->record(text, severity);
    }
}

}  // namespace tavro

#include "foundation/debug_output.h"

#include <cstdio>
#include <cstdlib>

namespace {

DebugSink& Sink() {
  static DebugSink sink;
  return sink;
}

}  // namespace

void DebugOutput(std::string_view text) {
  if (Sink()) {
    Sink()(text);
    return;
  }
  static const bool to_stderr = std::getenv("HEAP_TRACE") != nullptr;
  if (to_stderr) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
  }
}

DebugSink SetDebugSink(DebugSink sink) {
  DebugSink previous = std::move(Sink());
  Sink() = std::move(sink);
  return previous;
}

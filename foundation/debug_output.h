// The debug-output sink that stands in for the debugger output of the original platform.
// Off by default; the environment variable HEAP_TRACE sends it to stderr; tests capture it.
#pragma once

#include <functional>
#include <string_view>

// Sends one text, without adding a line break.
void DebugOutput(std::string_view text);

// Replaces the sink (nullptr restores the default). Returns the previous one.
using DebugSink = std::function<void(std::string_view)>;
DebugSink SetDebugSink(DebugSink sink);

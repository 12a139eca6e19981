// Conversion between the UTF-8 texts of the source and the Shift-JIS (CP932) bytes in files.
#pragma once

#include <string>
#include <string_view>

// UTF-8 to CP932. Characters CP932 cannot hold become "?".
std::string Utf8ToShiftJis(std::string_view utf8);

// CP932 to UTF-8. Returns false (and leaves `out` empty) when the bytes are not valid CP932.
bool ShiftJisToUtf8(std::string_view shift_jis, std::string& out);

// For display of text read from files: CP932 when the bytes are valid CP932, otherwise the
// bytes themselves when they are valid UTF-8, otherwise CP932 with invalid bytes as "?".
std::string DisplayTextFromFile(std::string_view bytes);

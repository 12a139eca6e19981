#include "foundation/shift_jis.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace {

// Converts with iconv; on an invalid or unconvertible sequence either stops (strict) or
// emits `replacement` and skips one input byte.
bool Convert(const char* to, const char* from, std::string_view in, std::string& out,
             bool strict, std::string_view replacement) {
  out.clear();
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  std::vector<char> input(in.begin(), in.end());
  char* in_ptr = input.data();
  size_t in_left = input.size();
  char buffer[1024];
  bool ok = true;
  while (in_left > 0) {
    char* out_ptr = buffer;
    size_t out_left = sizeof buffer;
    const size_t result = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
    out.append(buffer, static_cast<size_t>(out_ptr - buffer));
    if (result != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL: an invalid or incomplete sequence.
    if (strict) {
      ok = false;
      break;
    }
    out.append(replacement);
    // Skip the whole UTF-8 character when converting from UTF-8, one byte otherwise.
    size_t skip = 1;
    if (std::string_view(from) == "UTF-8") {
      const unsigned char lead = static_cast<unsigned char>(*in_ptr);
      skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
      if (skip > in_left) skip = in_left;
    }
    in_ptr += skip;
    in_left -= skip;
  }
  iconv_close(cd);
  if (!ok) out.clear();
  return ok;
}

bool IsValidUtf8(std::string_view text) {
  std::string ignored;
  return Convert("UTF-16LE", "UTF-8", text, ignored, true, "");
}

}  // namespace

std::string Utf8ToShiftJis(std::string_view utf8) {
  std::string out;
  Convert("CP932", "UTF-8", utf8, out, false, "?");
  return out;
}

bool ShiftJisToUtf8(std::string_view shift_jis, std::string& out) {
  return Convert("UTF-8", "CP932", shift_jis, out, true, "");
}

std::string DisplayTextFromFile(std::string_view bytes) {
  std::string out;
  bool ascii = true;
  for (char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return std::string(bytes);
  if (ShiftJisToUtf8(bytes, out)) return out;
  if (IsValidUtf8(bytes)) return std::string(bytes);
  Convert("UTF-8", "CP932", bytes, out, false, "?");
  return out;
}

// The keyword scanner the COB reader is built on: it looks for known keywords in the text and
// reads the tokens after them, ignoring everything else (chunk headers, sizes, other chunks).
// Tokens are separated by line ends, blanks, tabs and commas.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

class CobScanner {
 public:
  // Tokens longer than this do not fit the token buffer and count as failure.
  static constexpr size_t kMaxTokenLength = 255;

  explicit CobScanner(std::string_view text) : text_(text) {}

  size_t Position() const { return position_; }
  void SetPosition(size_t position) {
    position_ = position < text_.size() ? position : text_.size();
  }
  size_t Remaining() const { return text_.size() - position_; }

  // Skips separators and reads the token up to the next separator, which is consumed too.
  // False at the end of the text before a token, or for a token longer than kMaxTokenLength.
  bool ReadToken(std::string& token);
  // Moves to just after the next occurrence of `keyword` (a plain substring: no word
  // boundaries). False, with the position unchanged, when it does not occur again.
  bool FindKeyword(std::string_view keyword);
  // The index of the keyword whose occurrence is completed first (the earlier one in the list
  // on a tie), with the position just after it; -1 and the position unchanged when none occurs.
  int FindFirstOf(std::initializer_list<std::string_view> keywords);
  // Collects the characters up to the first of `stops` and consumes that stop character.
  // False when no stop character follows.
  bool ReadUpTo(std::string_view stops, std::string& text);

  bool ReadInt(int32_t& value);
  bool ReadFloat(float& value);
  // A path as the modelling tool writes it: its length in decimal directly followed by the
  // path ("21C:\maps\road64x32.bmp"), so it may hold blanks. A path without a usable length in
  // front is read as one token.
  // `whole_line` gets the rest of the line after the length when the length is shorter than
  // it (a hand-edited path), and is emptied otherwise.
  bool ReadPath(std::string& path, std::string* whole_line = nullptr);

  static bool IsSeparator(char c) {
    return c == '\n' || c == '\r' || c == ' ' || c == '\t' || c == ',';
  }
  // Number conversion independent of the locale. The text may have leading blanks and must
  // start with a number; what follows the number is ignored.
  static bool ParseInt(std::string_view text, int32_t& value);
  static bool ParseFloat(std::string_view text, float& value);

 private:
  void SkipSeparators();

  std::string_view text_;
  size_t position_ = 0;
};

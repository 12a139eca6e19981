#include "converter/cob_scanner.h"

#include <charconv>

void CobScanner::SkipSeparators() {
  while (position_ < text_.size() && IsSeparator(text_[position_])) ++position_;
}

bool CobScanner::ReadToken(std::string& token) {
  token.clear();
  SkipSeparators();
  if (position_ >= text_.size()) return false;
  size_t end = position_;
  while (end < text_.size() && !IsSeparator(text_[end])) ++end;
  if (end - position_ > kMaxTokenLength) return false;
  token.assign(text_.substr(position_, end - position_));
  position_ = end < text_.size() ? end + 1 : end;
  return true;
}

bool CobScanner::FindKeyword(std::string_view keyword) {
  const size_t found = text_.find(keyword, position_);
  if (found == std::string_view::npos) return false;
  position_ = found + keyword.size();
  return true;
}

int CobScanner::FindFirstOf(std::initializer_list<std::string_view> keywords) {
  size_t best_end = std::string_view::npos;
  int best = -1;
  int index = 0;
  for (std::string_view keyword : keywords) {
    // Only an occurrence completed before the best one so far can win, so the search is
    // bounded by it: a keyword missing from the rest of a large file costs one scan at most.
    const size_t limit = best_end == std::string_view::npos ? text_.size() : best_end - 1;
    if (limit >= position_) {
      const size_t found = text_.substr(0, limit).find(keyword, position_);
      if (found != std::string_view::npos) {
        best_end = found + keyword.size();
        best = index;
      }
    }
    ++index;
  }
  if (best >= 0) position_ = best_end;
  return best;
}

bool CobScanner::ReadUpTo(std::string_view stops, std::string& text) {
  const size_t stop = text_.find_first_of(stops, position_);
  if (stop == std::string_view::npos) return false;
  text.assign(text_.substr(position_, stop - position_));
  position_ = stop + 1;
  return true;
}

bool CobScanner::ParseInt(std::string_view text, int32_t& value) {
  size_t start = 0;
  while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
  if (start < text.size() && text[start] == '+') ++start;
  const char* first = text.data() + start;
  const char* last = text.data() + text.size();
  const auto result = std::from_chars(first, last, value);
  return result.ec == std::errc() && result.ptr != first;
}

bool CobScanner::ParseFloat(std::string_view text, float& value) {
  size_t start = 0;
  while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
  if (start < text.size() && text[start] == '+') ++start;
  const char* first = text.data() + start;
  const char* last = text.data() + text.size();
  const auto result = std::from_chars(first, last, value);
  return result.ec == std::errc() && result.ptr != first;
}

bool CobScanner::ReadInt(int32_t& value) {
  std::string token;
  return ReadToken(token) && ParseInt(token, value);
}

bool CobScanner::ReadFloat(float& value) {
  std::string token;
  return ReadToken(token) && ParseFloat(token, value);
}

bool CobScanner::ReadPath(std::string& path, std::string* whole_line) {
  if (whole_line != nullptr) whole_line->clear();
  while (position_ < text_.size() && (text_[position_] == ' ' || text_[position_] == '\t')) {
    ++position_;
  }
  const size_t start = position_;
  size_t digits_end = start;
  while (digits_end < text_.size() && text_[digits_end] >= '0' && text_[digits_end] <= '9') {
    ++digits_end;
  }
  size_t length = 0;
  bool has_length = digits_end > start && digits_end - start <= 6;
  if (has_length) {
    for (size_t i = start; i < digits_end; ++i) length = length * 10 + (text_[i] - '0');
    if (whole_line != nullptr) {
      size_t line_end = text_.find_first_of("\r\n", digits_end);
      if (line_end == std::string_view::npos) line_end = text_.size();
      while (line_end > digits_end && (text_[line_end - 1] == ' ' || text_[line_end - 1] == '\t')) {
        --line_end;
      }
      if (length < line_end - digits_end) {
        whole_line->assign(text_.substr(digits_end, line_end - digits_end));
      }
    }
    const size_t end = digits_end + length;
    // The length is believed only when the path it gives stays on its line and ends there.
    has_length = length > 0 && end <= text_.size() &&
                 text_.substr(digits_end, length).find_first_of("\r\n") == std::string_view::npos &&
                 (end == text_.size() || IsSeparator(text_[end]));
  }
  if (!has_length) return ReadToken(path);
  path.assign(text_.substr(digits_end, length));
  position_ = digits_end + length;
  return true;
}

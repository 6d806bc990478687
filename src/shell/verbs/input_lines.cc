// Reading an input's lines a piece at a time, and what makes an input unreadable.
#include "input_lines.h"

#include <algorithm>
#include <cstring>

#include "cp850.h"
#include "unicode.h"

namespace {

/// Whether the text is well-formed UTF-8.
bool is_utf8(std::string_view text) {
  if (std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; })) return true;
  unicode::Utf8Decoder decoder;
  bool good = true;
  auto emit = [&](char32_t c) { good &= c != unicode::kMalformed; };
  for (char c : text) decoder.take(static_cast<unsigned char>(c), emit);
  decoder.finish(emit);
  return good;
}

}  // namespace

InputLines::InputLines(std::string_view text, bool utf8)
    : from_(reinterpret_cast<const unsigned char*>(text.data())),
      end_(from_ + text.size()),
      utf8_(utf8) {}

bool InputLines::more() {
  if (in_ == nullptr || !in_->refill()) return false;
  from_ = in_->ahead();
  end_ = in_->ahead_end();
  in_->skip(static_cast<std::size_t>(end_ - from_));  // copied into the line as taken
  return from_ != end_;
}

bool InputLines::next(std::string_view& line) {
  if (ended_ || malformed_ != nullptr) return false;
  if (!started_) {
    started_ = true;
    static constexpr unsigned char kMark[] = {0xEF, 0xBB, 0xBF};
    std::size_t matched = 0;
    // The mark may be split between two pieces; what is not the mark is the first line's.
    while (matched < 3 && (from_ != end_ || more()) && *from_ == kMark[matched]) {
      ++from_;
      ++matched;
    }
    if (matched == 3) utf8_ = true;
    else line_.assign(reinterpret_cast<const char*>(kMark), matched);
  } else {
    line_.clear();
  }
  for (;;) {
    if (from_ == end_ && !more()) {
      ended_ = true;
      if (line_.empty()) return false;
      return give(line);  // a last line without a line end
    }
    const auto* newline = static_cast<const unsigned char*>(
        std::memchr(from_, '\n', static_cast<std::size_t>(end_ - from_)));
    const unsigned char* stop = newline != nullptr ? newline : end_;
    line_.append(reinterpret_cast<const char*>(from_), static_cast<std::size_t>(stop - from_));
    from_ = newline != nullptr ? newline + 1 : end_;
    if (line_.size() > kLongestLine + 1) return give(line);  // too long even less a CR
    if (newline != nullptr) return give(line);
  }
}

bool InputLines::give(std::string_view& line) {
  ++number_;
  if (!ended_ && !line_.empty() && line_.back() == '\r') line_.pop_back();
  if (line_.size() > kLongestLine) malformed_ = "linha com mais de 64 KiB"_cp;
  else if (line_.find('\0') != std::string::npos) malformed_ = "tem um byte nulo"_cp;
  else if (utf8_ && !is_utf8(line_)) malformed_ = "texto que não é UTF-8 válido"_cp;
  if (malformed_ != nullptr) return false;
  line = line_;
  return true;
}

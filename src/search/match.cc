// The match test shared by the search listing and the N-th match selection.
#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define TALVO_WIDE_MATCH 1
#endif

#include "encoding.h"
#include "quote_entry.h"
#include "quote_scan.h"
#include "search.h"

// A quotation from the record reader holds only double quotes and the bytes the reader
// admits. Each of them has a key: the byte itself, or, when letter case is ignored, the
// byte with bit 0x20 set, which makes a capital letter (plain or accented) its small one.
// When all the quotation bytes that become one console byte share one key, the search
// string can be spelled in keys, and a quotation can hold the search string only where
// its keys hold that spelling. An exact search finds those places with strstr in the
// quotation itself; ignoring case, the places where the keys hold the string's first two
// are found sixteen at a time. Each place is then confirmed byte by byte (a confirmed
// place is one where all the keys agree). So the quotation is neither copied, translated
// nor folded unless it matches.

MatchTest::MatchTest(std::string_view search, bool ignore_case, bool ignore_accents)
    : ignore_case_(ignore_case) {
  too_long_ = search.size() > kLongestSearch - 1;
  length_ = too_long_ ? 0 : search.size();
  std::memcpy(search_, search.data(), length_);
  search_[length_] = '\0';
  // Accents first: case folding knows only the capitals of the 36 letters, and Ö, say,
  // unaccented is an O it folds.
  if (ignore_accents) unaccent_c(search_);
  if (ignore_case) tolow_c(search_);
  for (int b = 0; b < 256; ++b) {
    char text[2] = {static_cast<char>(b), '\0'};
    transl_f2c(text, 1);
    if (ignore_accents) unaccent_c(text);
    if (ignore_case) tolow_c(text);
    seen_as_[b] = static_cast<unsigned char>(text[0]);
  }
  int key_of[256];
  std::fill(key_of, key_of + 256, -1);
  for (int b = 1; b < 256; ++b) {
    if (b != '"' && !admitted_in_quote(static_cast<unsigned char>(b))) continue;
    int key = ignore_case ? (b | 0x20) : b;
    int& agreed = key_of[seen_as_[b]];
    if (agreed < 0) agreed = key;
    else if (agreed != key) by_keys_ = false;
  }
  std::size_t firsts = 0;
  for (int b = 1; b < 256 && length_ > 0; ++b)
    if (seen_as_[b] == static_cast<unsigned char>(search_[0]))
      first_bytes_[firsts++] = static_cast<char>(b);
  first_bytes_[firsts] = '\0';
  for (std::size_t j = 0; j < length_; ++j) {
    int key = key_of[static_cast<unsigned char>(search_[j])];
    if (key < 0) quote_can_hold_ = false;
    keys_[j] = static_cast<char>(key);
  }
  keys_[length_] = '\0';
}

namespace {

#ifdef TALVO_WIDE_MATCH
const bool kAvx2 = has_wide_registers();

/// The places from `i` on, up to `last`, where the folded quotation holds `first` and then
/// `second` (any byte when `second` is 0), 32 at a time; each is handed to `confirm`,
/// and true as soon as one is confirmed. `i` is left at the first place not looked at.
template <class Confirm>
__attribute__((target("avx2"))) bool wide_pairs(const char* quote, std::size_t& i, std::size_t last,
                                                char first, char second, Confirm confirm) {
  const __m256i folding = _mm256_set1_epi8(0x20);
  const __m256i firsts = _mm256_set1_epi8(first);
  const __m256i seconds = _mm256_set1_epi8(second);
  const __m256i any_second = _mm256_set1_epi8(second == 0 ? static_cast<char>(0xFF) : 0);
  for (; i + 31 <= last; i += 32) {
    __m256i here =
        _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(quote + i)), folding);
    __m256i next = _mm256_or_si256(
        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(quote + i + 1)), folding);
    __m256i both = _mm256_and_si256(_mm256_cmpeq_epi8(here, firsts),
                                    _mm256_or_si256(_mm256_cmpeq_epi8(next, seconds), any_second));
    for (auto places = static_cast<std::uint32_t>(_mm256_movemask_epi8(both)); places != 0;
         places &= places - 1)
      if (confirm(i + static_cast<std::size_t>(__builtin_ctz(places)))) return true;
  }
  return false;
}

/// The same, 16 at a time.
template <class Confirm>
bool narrow_pairs(const char* quote, std::size_t& i, std::size_t last, char first, char second,
                  Confirm confirm) {
  const __m128i folding = _mm_set1_epi8(0x20);
  const __m128i firsts = _mm_set1_epi8(first);
  const __m128i seconds = _mm_set1_epi8(second);
  const __m128i any_second = _mm_set1_epi8(second == 0 ? static_cast<char>(0xFF) : 0);
  for (; i + 15 <= last; i += 16) {
    __m128i here =
        _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(quote + i)), folding);
    __m128i next =
        _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(quote + i + 1)), folding);
    __m128i both = _mm_and_si128(_mm_cmpeq_epi8(here, firsts),
                                 _mm_or_si128(_mm_cmpeq_epi8(next, seconds), any_second));
    for (auto places = static_cast<unsigned>(_mm_movemask_epi8(both)); places != 0;
         places &= places - 1)
      if (confirm(i + static_cast<std::size_t>(__builtin_ctz(places)))) return true;
  }
  return false;
}
#endif

}  // namespace

bool MatchTest::found_at(const char* text) const {
  for (std::size_t j = 0; j < length_; ++j)
    if (seen_as_[static_cast<unsigned char>(text[j])] != static_cast<unsigned char>(search_[j]))
      return false;
  return true;
}

bool MatchTest::found_in_text(const char* text) const {
  if (length_ == 0) return true;
  // Each place whose byte is seen as the string's first is confirmed byte by byte; the
  // places are found by the library, among the bytes of `first_bytes_`.
  for (const char* at = text; (at = std::strpbrk(at, first_bytes_)) != nullptr; ++at)
    if (found_at(at)) return true;
  return false;
}

bool MatchTest::found_in_quote(const char* quote) const {
  if (!by_keys_) return found_in_text(quote);
  if (!quote_can_hold_) return false;
  if (!ignore_case_) {  // the keys are the quotation's own bytes: the library's search
    for (const char* at = quote; (at = std::strstr(at, keys_)) != nullptr; ++at)
      if (found_at(at)) return true;
    return false;
  }
  if (length_ == 0) return true;
  const std::size_t size = strnlen(quote, kQuoteSize - 1);
  if (size < length_) return false;
  // Where the search string can start: where the quotation's keys hold its first two.
  const std::size_t last = size - length_;  // the last place it can start
  const unsigned char fold = 0x20;
  const auto first = static_cast<unsigned char>(keys_[0]);
  std::size_t i = 0;
#ifdef TALVO_WIDE_MATCH
  // With a one-byte string any second byte will do.
  const char second = length_ > 1 ? keys_[1] : 0;
  auto confirm = [&](std::size_t at) { return found_at(quote + at); };
  if (kAvx2 && wide_pairs(quote, i, last, keys_[0], second, confirm)) return true;
  if (narrow_pairs(quote, i, last, keys_[0], second, confirm)) return true;
#endif
  for (; i <= last; ++i)
    if ((static_cast<unsigned char>(quote[i]) | fold) == first && found_at(quote + i)) return true;
  return false;
}

bool MatchTest::matches(char* quote, char* author) const {
  if (!holds(quote, author)) return false;
  transl_f2c(quote, static_cast<int>(kQuoteSize));
  transl_f2c(author, static_cast<int>(kAuthorSize));
  return true;
}

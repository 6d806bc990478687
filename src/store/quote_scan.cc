// Finding where a run of bytes that a quotation admits ends, many bytes at a time.
#include "quote_scan.h"

#include <array>
#include <cstdint>

#include "encoding.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define TALVO_WIDE_SCAN 1
#endif

namespace {

/// The admitted bytes as a byte table, for one byte at a time.
const std::array<bool, 256> kAdmitted = [] {
  std::array<bool, 256> admitted{};
  for (int c = 0; c < 256; ++c) admitted[c] = admitted_in_quote(static_cast<unsigned char>(c));
  return admitted;
}();

#ifdef TALVO_WIDE_SCAN

/// The admitted set as nibble tables: byte b is admitted when bit (b >> 4) & 7 of
/// row[b & 15] is set, the row taken from `low_rows` for b < 0x80 and from `high_rows`
/// for the others. Two table look-ups (pshufb) test 32 bytes at once.
struct NibbleTables {
  alignas(32) unsigned char low_rows[32];
  alignas(32) unsigned char high_rows[32];
  alignas(32) unsigned char bit_of[32];
};

const NibbleTables kNibbles = [] {
  NibbleTables t{};
  for (int b = 0; b < 256; ++b) {
    if (!kAdmitted[b]) continue;
    unsigned char* rows = b < 0x80 ? t.low_rows : t.high_rows;
    rows[b & 15] |= static_cast<unsigned char>(1 << ((b >> 4) & 7));
    rows[16 + (b & 15)] = rows[b & 15];  // each 16-byte lane of a register looks up alike
  }
  for (int i = 0; i < 32; ++i) t.bit_of[i] = static_cast<unsigned char>(1 << (i & 7));
  return t;
}();

__attribute__((target("avx2"))) std::size_t wide_run(const unsigned char* from,
                                                     const unsigned char* end) {
  const __m256i low_rows = _mm256_load_si256(reinterpret_cast<const __m256i*>(kNibbles.low_rows));
  const __m256i high_rows = _mm256_load_si256(reinterpret_cast<const __m256i*>(kNibbles.high_rows));
  const __m256i bit_of = _mm256_load_si256(reinterpret_cast<const __m256i*>(kNibbles.bit_of));
  const __m256i nibble = _mm256_set1_epi8(0x0F);
  const __m256i zero = _mm256_setzero_si256();
  const unsigned char* p = from;
  while (end - p >= 32) {
    __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    __m256i low = _mm256_and_si256(bytes, nibble);
    __m256i high = _mm256_and_si256(_mm256_srli_epi16(bytes, 4), nibble);
    __m256i upper_half = _mm256_cmpgt_epi8(zero, bytes);  // b >= 0x80
    __m256i row = _mm256_blendv_epi8(_mm256_shuffle_epi8(low_rows, low),
                                     _mm256_shuffle_epi8(high_rows, low), upper_half);
    __m256i hit = _mm256_and_si256(row, _mm256_shuffle_epi8(bit_of, high));
    auto refused = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(hit, zero)));
    if (refused != 0) return static_cast<std::size_t>(p - from) + __builtin_ctz(refused);
    p += 32;
  }
  return static_cast<std::size_t>(p - from) + admitted_run_bytewise(p, end);
}

const bool kWide = has_wide_registers();

#endif

}  // namespace

#ifdef TALVO_WIDE_SCAN
bool has_wide_registers() {
  static const bool wide = [] {
    __builtin_cpu_init();  // may run among the static constructors
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return wide;
}
#endif

std::size_t admitted_run(const unsigned char* from, const unsigned char* end) {
#ifdef TALVO_WIDE_SCAN
  if (kWide) return wide_run(from, end);
#endif
  return admitted_run_bytewise(from, end);
}

std::size_t admitted_run_bytewise(const unsigned char* from, const unsigned char* end) {
  const unsigned char* p = from;
  while (end - p >= 4 && kAdmitted[p[0]] && kAdmitted[p[1]] && kAdmitted[p[2]] && kAdmitted[p[3]])
    p += 4;
  while (p != end && kAdmitted[*p]) ++p;
  return static_cast<std::size_t>(p - from);
}

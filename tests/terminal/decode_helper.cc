// Test helper: runs the terminal decoder over a few reads, as the console feeds it.
#include "decode_helper.h"

#include <gtest/gtest.h>

namespace talvo_test {

std::string decode_reads(const std::vector<std::string>& reads) {
  unicode::TerminalDecoder decoder;
  std::string decoded;
  for (const std::string& read : reads) {
    // A guard byte past the room the console gives shows any write beyond it.
    std::vector<unsigned char> out(read.size() + unicode::TerminalDecoder::kExtra + 1, 0xA5);
    auto in = reinterpret_cast<const unsigned char*>(read.data());
    std::size_t n = decoder.feed(in, read.size(), out.data());
    EXPECT_LE(n, read.size() + unicode::TerminalDecoder::kExtra);
    EXPECT_EQ(out.back(), 0xA5) << "feed wrote past its room";
    decoded.append(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(n));
  }
  unsigned char last[2] = {0, 0xA5};
  decoded.append(reinterpret_cast<const char*>(last), decoder.finish(last));
  EXPECT_EQ(last[1], 0xA5);
  return decoded;
}

}  // namespace talvo_test

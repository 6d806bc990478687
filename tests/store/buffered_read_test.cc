// Reads that walk FileIn's buffer in place give what byte-at-a-time reads give, across
// the buffer's refills.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "file_io.h"
#include "quote_entry.h"
#include "record_reader.h"
#include "scan.h"
#include "store_folder.h"

namespace store_test {
namespace {

/// Bytes read from memory one at a time: the reads' plain path.
class StringSource {
 public:
  explicit StringSource(std::string bytes) : bytes_(std::move(bytes)) {}
  int get() { return pos_ < bytes_.size() ? static_cast<unsigned char>(bytes_[pos_++]) : -1; }
  void unget(int c) {
    if (c >= 0 && pos_ > 0) --pos_;
  }

 private:
  std::string bytes_;
  std::size_t pos_ = 0;
};

static_assert(scan::Buffered<FileIn>);
static_assert(!scan::Buffered<StringSource>);

/// Every line read of a text: the text kept and what follows it, or "<end>".
template <class Source>
std::vector<std::string> line_reads(Source& in, std::size_t field_size) {
  std::vector<std::string> reads;
  std::vector<char> field(field_size, '\x7F');
  for (;;) {
    if (scan::read_line(in, field.data(), field_size) == scan::Line::kAtEnd) {
      reads.push_back("<end>");
      return reads;
    }
    reads.emplace_back(field.data());
    int next = in.get();  // the newline stays in the input; the last line has none
    EXPECT_TRUE(next == '\n' || next == -1) << next;
    reads.push_back(next == '\n' ? "<newline>" : "<no newline>");
  }
}

class BufferedReadTest : public StoreFolderTest {};

TEST_F(BufferedReadTest, LineReadsAcrossRefillsMatchThePlainPath) {
  // Lines of many lengths, some far longer than the field, so that line ends, cut lines
  // and blanks fall on and around the 64 KiB refill points.
  std::string text;
  for (int i = 0; text.size() < 300000; ++i) {
    text += std::string(static_cast<std::size_t>(i % 7), ' ');
    text += std::string(static_cast<std::size_t>((i * 37) % 180 + 1), static_cast<char>('a' + i % 26));
    text += '\n';
  }
  text.pop_back();  // the last line ends with the file
  dir.write("lines.txt", text);
  for (std::size_t size : {2u, 50u, 2000u}) {
    FileIn file(path("lines.txt").c_str());
    ASSERT_TRUE(file.ok());
    StringSource plain(text);
    EXPECT_EQ(line_reads(file, size), line_reads(plain, size)) << "field of " << size;
  }
}

TEST_F(BufferedReadTest, QuotationAcrossARefillIsReadWhole) {
  // A quotation that starts a few bytes before the first refill and runs past it.
  std::string quote = "\"" + std::string(1500, 'q') + "\"";
  std::string text = kHeader + "\n" + std::string(65536 - 17 - 1 - 10, ' ') + quote + "\nAutor\n";
  dir.write("citas.txt", text);
  FileIn in(path("citas.txt").c_str());
  char first[kQuoteSize], field[kQuoteSize], author[kAuthorSize];
  ASSERT_EQ(read_line(in, first, sizeof first), scan::Line::kTaken);
  ASSERT_EQ(getquot(in, field), 1);
  EXPECT_EQ(std::string(field), quote);
  ASSERT_EQ(read_line(in, author, sizeof author), scan::Line::kTaken);
  EXPECT_STREQ(author, "Autor");
  EXPECT_EQ(getquot(in, field), 0);  // the last newline, then the end
  EXPECT_EQ(getquot(in, field), -1);
}

TEST_F(BufferedReadTest, ByteEndingAQuotationAtARefillIsConsumed) {
  // The per-cent sign that cuts the quotation is the last byte of the first buffer; the
  // author read then takes the rest of that line from the next one.
  std::string head = kHeader + "\n\"";
  std::string text = head + std::string(65536 - head.size() - 1, 'a') + "%resto\"\nAutor\n";
  dir.write("citas.txt", text);
  FileIn in(path("citas.txt").c_str());
  char field[kQuoteSize], author[kAuthorSize];
  flushin(in);
  ASSERT_EQ(getquot(in, field), 1);
  EXPECT_EQ(std::string(field), "\"" + std::string(1997, 'a') + "\"");
  ASSERT_EQ(read_line(in, author, sizeof author), scan::Line::kTaken);
  EXPECT_STREQ(author, "resto\"");
}

TEST_F(BufferedReadTest, AheadSkipAndRefill) {
  dir.write("bytes.txt", std::string(70000, 'z') + "!");
  FileIn in(path("bytes.txt").c_str());
  EXPECT_EQ(in.ahead(), in.ahead_end());  // nothing read yet
  ASSERT_TRUE(in.refill());
  std::size_t first = static_cast<std::size_t>(in.ahead_end() - in.ahead());
  EXPECT_EQ(first, 65536u);
  EXPECT_FALSE(in.refill());  // bytes are still ahead: nothing is read
  in.skip(first - 1);
  EXPECT_EQ(in.get(), 'z');
  ASSERT_TRUE(in.refill());
  EXPECT_EQ(static_cast<std::size_t>(in.ahead_end() - in.ahead()), 70001u - 65536u);
  in.unget('z');  // the last byte taken can still be put back
  EXPECT_EQ(in.get(), 'z');
  in.skip(70001 - 65536 - 1);
  EXPECT_EQ(in.get(), '!');
  EXPECT_FALSE(in.refill());
  EXPECT_EQ(in.get(), -1);
}

}  // namespace
}  // namespace store_test

// Fuzz target: the record reader, the line reads and the copy writer on arbitrary file
// bytes, as the count, the deletion, the journals and the copies drive them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "data_files.h"
#include "store_scan.h"

namespace {

using fuzzcheck::Reader;
using fuzzcheck::Scan;

/// A directory of our own for the files each input becomes.
const std::string& scratch() {
  static const std::string dir = fuzzcheck::make_scratch_dir("records");
  return dir;
}

/// The copy of a file, read back, holds what the copy writer read from the file: the same
/// first line (the header line for a file whose first line is empty) and the same entries.
/// A second copy, of the copy, is the same bytes.
void check_copy(const std::string& path) {
  const std::string copy = scratch() + "/copy";
  const std::string again = scratch() + "/again";
  Scan source = fuzzcheck::scan_file(path, Reader::kCopy);
  fuzzcheck::copy_layout(path, copy);
  Scan copied = fuzzcheck::scan_file(copy, Reader::kCopy);
  if (source.nul_cut) return;  // a line cut to nothing by a NUL shifts the copy's reading
  if (!copied.has_first) fuzzcheck::fail("copy has no first line");
  const std::string first = source.has_first ? source.first : std::string(kStoreHeader);
  if (copied.first != first) fuzzcheck::fail("copy does not keep the first line");
  if (copied.entries != source.entries) fuzzcheck::fail("copy does not hold the file's entries");
  fuzzcheck::copy_layout(copy, again);
  if (fuzzcheck::read_bytes(again) != fuzzcheck::read_bytes(copy))
    fuzzcheck::fail("copy of the copy differs from the copy");
}

/// Every way the program reads a data file, on one file.
void check_file(const std::string& path) {
  fuzzcheck::scan_file(path, Reader::kStore);
  fuzzcheck::scan_file(path, Reader::kJournal);
  check_copy(path);
}

/// The bytes after a first line so long that the readers' 64 KiB buffer ends `split`
/// bytes into them, against the same bytes after a short first line: every reader finds
/// the same entries, whatever refills and push-backs the buffer's end brings.
void check_buffer_end(const std::string& bytes, std::size_t split) {
  const std::size_t buffer = 64 * 1024;
  if (split + 1 >= buffer) return;
  const std::string near = scratch() + "/near";
  const std::string far = scratch() + "/far";
  fuzzcheck::write_bytes(near, "x\n" + bytes);
  fuzzcheck::write_bytes(far, std::string(buffer - 1 - split, 'x') + "\n" + bytes);
  for (Reader how : {Reader::kStore, Reader::kCopy, Reader::kJournal}) {
    if (fuzzcheck::scan_file(far, how).entries != fuzzcheck::scan_file(near, how).entries)
      fuzzcheck::fail("the entries read depend on where the reader's buffer ends");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string plain = scratch() + "/plain";
  fuzzcheck::write_bytes(plain, bytes);
  check_file(plain);
  // Where the buffer ends: chosen by the first byte, anywhere in the bytes.
  check_buffer_end(bytes, size == 0 ? 0 : data[0] % (size + 1));
  return 0;
}

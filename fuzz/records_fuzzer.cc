// Fuzz target: the record reader and the line reads on arbitrary file bytes, as the
// count, the deletion and the journals drive them, and the copies of such a file.
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

/// The copy of a file is the file byte for byte, whatever it holds (bytes the record
/// reader cannot read, NULs, no first line); so is a copy of the copy.
void check_copy(const std::string& path) {
  const std::string copy = scratch() + "/copy";
  const std::string again = scratch() + "/again";
  const std::string source = fuzzcheck::read_bytes(path);
  fuzzcheck::copy_layout(path, copy);
  if (fuzzcheck::read_bytes(copy) != source) fuzzcheck::fail("copy is not the file byte for byte");
  fuzzcheck::copy_layout(copy, again);
  if (fuzzcheck::read_bytes(again) != source) fuzzcheck::fail("copy of the copy is not the file");
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

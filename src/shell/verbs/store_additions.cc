// Adding entries through the one rewrite of the store, and knowing what it already holds.
#include "store_additions.h"

#include <cstring>
#include <functional>
#include <string_view>

#include "data_files.h"
#include "entry_reader.h"
#include "record_reader.h"

namespace {

/// The hash of an entry's key.
std::uint64_t key_hash(const std::string& key) { return std::hash<std::string_view>{}(key); }

}  // namespace

StoreAdditions::Opened StoreAdditions::open() {
  store_.emplace(kStoreFile);
  FileIn& store = *store_;
  if (!store.ok()) {
    store_.reset();
    // No store yet: the first addition makes it. Nothing is made through a name that
    // stands but cannot be opened.
    return name_taken(kStoreFile) ? Opened::kNotOpened : Opened::kReady;
  }
  skip_store_header(store);
  EntryReader entries(store);
  FoundEntry found;
  bool last_cut = false;
  long long last_begin = 0;
  while (entries.next(found)) {
    entry_key(found.entry.quote, found.entry.author, key_);
    keys_.add(key_hash(key_), static_cast<std::uint64_t>(found.span.begin));
    last_cut = found.author_cut;
    last_begin = found.span.begin;
  }
  store_size_ = file_size(store.fd());
  if (entries.failed() || store_size_ < 0) return Opened::kFailed;
  if (!last_cut) return Opened::kReady;
  if (!store.seek(0)) return Opened::kFailed;
  cut_line_ = 1;
  for (long long i = 0; i < last_begin; ++i) cut_line_ += store.get() == '\n';
  return Opened::kCutShort;
}

bool StoreAdditions::same(std::uint64_t offset, const std::string& key) {
  FileIn* file = store_ ? &*store_ : nullptr;
  if (static_cast<long long>(offset) >= store_size_) {  // an entry added in this run
    if (!rewrite_->out().flush()) return false;         // ready() tells
    if (!written_) written_.emplace(rewrite_->scratch().c_str());
    file = &*written_;
  }
  FoundEntry found;
  if (file == nullptr || !file->ok() || !file->seek(static_cast<long long>(offset))) {
    read_failed_ = true;
    return false;
  }
  EntryReader entries(*file);
  if (!entries.next(found) || found.span.begin != static_cast<long long>(offset)) {
    read_failed_ = true;
    return false;
  }
  entry_key(found.entry.quote, found.entry.author, other_);
  return other_ == key;
}

void StoreAdditions::start() {
  rewrite_.emplace(kStoreFile, kStoreScratch, nullptr, true);
  FileOut& out = rewrite_->out();
  // An empty store has not even its header line: it is made as a new one is.
  if (store_ && store_size_ > 0) {
    out.copy_from(store_->fd(), 0, store_size_);
    size_ = store_size_;
  } else {
    out.put(kStoreHeader);
    size_ = static_cast<long long>(std::strlen(kStoreHeader));
    store_size_ = 0;  // every entry's bytes are then read from the new store
  }
}

bool StoreAdditions::add(const StoredForm& entry) {
  entry_key(entry.quote, entry.author, key_);
  const std::uint64_t hash = key_hash(key_);
  if (keys_.contains(hash, [&](std::uint64_t offset) { return same(offset, key_); })) return false;
  if (!rewrite_) start();
  const long long at = size_ + 1;  // past the newline that opens the entry
  rewrite_->out().put_entry(entry.quote.c_str(), entry.author.c_str());
  size_ += static_cast<long long>(entry.quote.size() + entry.author.size()) + 3;
  keys_.add(hash, static_cast<std::uint64_t>(at));
  return true;
}

bool StoreAdditions::ready() {
  if (!rewrite_) return !read_failed_;
  return rewrite_->ok() && rewrite_->out().sync() && !read_failed_;
}

bool StoreAdditions::commit() {
  if (!rewrite_) return true;
  // Windows renames over no file that is still open.
  written_.reset();
  store_.reset();
  return rewrite_->commit();
}

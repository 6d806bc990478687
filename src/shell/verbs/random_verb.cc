// aleatoria: one entry chosen uniformly at random, in one pass over the store.
#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "cp850.h"
#include "data_files.h"
#include "entry_formats.h"
#include "entry_reader.h"
#include "record_reader.h"
#include "verbs.h"

namespace {

/// Reservoir sampling of one entry with geometric jumps: the k-th entry replaces the one
/// kept with probability 1/k, but a random number is drawn only at each replacement,
/// which tells how many entries pass before the next one (about ln n draws for n).
class Reservoir {
 public:
  Reservoir()
      : random_(static_cast<std::uint64_t>(
            std::chrono::system_clock::now().time_since_epoch().count())) {}

  /// Whether the entry numbered `k` (from 1) is to replace the one kept.
  bool takes(long long k) {
    if (k < next_) return false;
    // With W the largest of k uniform draws, the next entry to take is past a geometric
    // number of others of parameter W.
    weight_ *= uniform();
    double passed = std::floor(std::log(uniform()) / std::log1p(-weight_));
    next_ = passed < 1e18 ? k + 1 + static_cast<long long>(passed) : kNever;
    return true;
  }

 private:
  /// A draw in (0, 1).
  double uniform() {
    double u;
    do u = std::generate_canonical<double, 53>(random_);
    while (u <= 0.0 || u >= 1.0);
    return u;
  }

  static constexpr long long kNever = std::numeric_limits<long long>::max();
  std::mt19937_64 random_;
  double weight_ = 1.0;
  long long next_ = 1;
};

}  // namespace

int random_verb(Charset charset) {
  FileIn store(kStoreFile);
  if (!store_opened(store, charset)) return 2;
  skip_store_header(store);  // as the count does: the entries chosen from are those counted
  EntryReader entries(store);
  FoundEntry found;
  EntrySpan kept;
  long long count = 0;
  Reservoir reservoir;
  // Only where the chosen entry lies is kept; it is read again once chosen for good.
  while (entries.next(found, EntryReader::Keep::kSpan))
    if (reservoir.takes(++count)) kept = found.span;
  if (entries.failed()) return store_read_failed(charset);
  if (count == 0) {
    say_error(charset, "A colecção não tem entradas."_cp);
    return 1;
  }
  if (!store.seek(kept.begin) || !entries.next(found)) return store_read_failed(charset);
  VerbOutput out(charset);
  EntryWriter(out, EntryFormat::kText).put(found.entry.quote, found.entry.author);
  return finish_output(out, 0);
}

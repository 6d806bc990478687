// Crash safety: the program killed with SIGKILL at random moments of a deletion, of a
// restore and of the safety copy at a clean end never leaves the store or a copy missing,
// empty or partial: each file is whole, either as it was or as the operation makes it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <map>
#include <random>
#include <set>

#include "big_store.h"
#include "kill_run.h"
#include "layouts.h"
#include "session.h"

namespace {

using reliability::Entry;

constexpr int kEntries = 100000;
constexpr int kDeleted = 50000;
/// Kills that must land while the program runs, in each test.
constexpr int kKills = 100;

/// Every file the tests compare against, made once: a store of 100,000 entries before
/// and after the deletion of one (only that entry's bytes and one newline go), a safety
/// copy of an earlier run that differs from both, and a backup copy in another layout.
/// A new copy is the store byte for byte.
struct Stores {
  std::vector<Entry> entries = reliability::numbered_entries(kEntries, "para o teste de cortes");
  std::vector<Entry> fewer = reliability::without(entries, kDeleted);
  std::string store_before = talvo_test::added_layout(entries);
  std::string store_after = talvo_test::added_layout(fewer);
  std::string old_copy = talvo_test::copy_layout(entries);
  std::string backup = talvo_test::copy_layout(fewer);
};

const Stores& stores() {
  static const Stores s;
  return s;
}

class CrashTest : public talvo_test::SessionTest {
 protected:
  /// What the files hold: a short name for an allowed state, or empty for any other.
  using Classify = std::function<std::string()>;

  /// Removes every file the program or an earlier run left.
  void clear() { reset(dir, nullptr); }

  /// Names `bytes` by the first of `named` that it equals; empty when none does.
  static std::string name_of(const std::optional<std::string>& bytes,
                             const std::vector<std::pair<std::string, const std::string*>>& named) {
    for (const auto& [name, expected] : named) {
      if (expected == nullptr ? !bytes.has_value() : bytes == *expected) return name;
    }
    return "";
  }

  /// Runs the whole operation three times, to check where it ends and to time it; then,
  /// with the files set up afresh each time, kills it at kKills moments spread over that
  /// time (one at a random moment of each of kKills equal slices) and checks the files
  /// after each. A run that ends before its kill shortens the time the slices cover.
  /// Every state in `must_see` has to turn up among the kills.
  void kill_at_random_moments(const std::string& input, const std::function<void()>& set_up,
                              const Classify& classify, const std::string& final_state,
                              const std::set<std::string>& must_see) {
    std::vector<double> whole_runs;
    for (int i = 0; i < 3; ++i) {
      set_up();
      reliability::Ending whole = reliability::run_and_kill(dir, input, -1);
      ASSERT_EQ(whole.status, 0);
      ASSERT_EQ(classify(), final_state) << "after a whole run: " << dir.listing();
      whole_runs.push_back(whole.seconds);
    }
    std::sort(whole_runs.begin(), whole_runs.end());
    double span = whole_runs[1];

    std::random_device device;
    const unsigned seed = device();
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> within_slice(0.0, 1.0);
    std::map<std::string, int> seen;
    int kills = 0;
    for (int attempt = 0; kills < kKills && attempt < 3 * kKills; ++attempt) {
      const double at = span * ((attempt % kKills) + within_slice(random)) / kKills;
      set_up();
      reliability::Ending ending = reliability::run_and_kill(dir, input, at);
      if (ending.killed) {
        ++kills;
      } else {
        ASSERT_EQ(ending.status, 0);
        span = std::min(span, ending.seconds);
      }
      const std::string state = classify();
      ASSERT_FALSE(state.empty()) << "kill at " << at << " s of " << span << " s (seed " << seed
                                  << ") left: " << dir.listing();
      ++seen[state];
    }
    std::cout << "  one run " << whole_runs[1] << " s; " << kills << " kills (seed " << seed << "):";
    for (const auto& [state, count] : seen) std::cout << " [" << state << "] x" << count;
    std::cout << "\n";
    EXPECT_GE(kills, kKills);
    for (const auto& state : must_see) EXPECT_TRUE(seen.count(state) != 0) << "never saw: " << state;
  }
};

TEST_F(CrashTest, DeletionLeavesTheOldStoreOrTheNewOneWhole) {
  const Stores& s = stores();
  const std::string input = "3\n" + reliability::search_for(kDeleted) + "\n1\nN\n\nS\n\n0\n";
  auto set_up = [&] {
    clear();
    dir.write("citas.txt", s.store_before);
    dir.write("tempcopy.dat", s.old_copy);
  };
  auto classify = [&]() -> std::string {
    std::string store = name_of(dir.read("citas.txt"),
                                {{"old store", &s.store_before}, {"store less one", &s.store_after}});
    std::string copy = name_of(dir.read("tempcopy.dat"),
                               {{"old copy", &s.old_copy}, {"new copy", &s.store_after}});
    return store.empty() || copy.empty() ? "" : store + ", " + copy;
  };
  kill_at_random_moments(input, set_up, classify, "store less one, new copy",
                         {"old store, old copy", "store less one, old copy"});
}

TEST_F(CrashTest, RestoreLeavesTheOldStoreOrTheCopyWhole) {
  const Stores& s = stores();
  // Restore the backup copy, decline a new one, end cleanly.
  const std::string input = "7\nS\nn\n\n0\n";
  auto set_up = [&] {
    clear();
    dir.write("citas.txt", s.store_before);
    dir.write("copy.dat", s.backup);
    dir.write("tempcopy.dat", s.old_copy);
  };
  auto classify = [&]() -> std::string {
    // The backup copy is the source of the restore: it stays as it was, whatever happens.
    if (dir.read("copy.dat") != s.backup) return "";
    std::string store = name_of(dir.read("citas.txt"), {{"old store", &s.store_before}, {"restored", &s.backup}});
    std::string safety = name_of(dir.read("tempcopy.dat"), {{"old copy", &s.old_copy}, {"new copy", &s.backup}});
    return store.empty() || safety.empty() ? "" : store + ", " + safety;
  };
  kill_at_random_moments(input, set_up, classify, "restored, new copy",
                         {"old store, old copy", "restored, old copy"});
}

TEST_F(CrashTest, SafetyCopyAtACleanEndIsTheOldOneOrTheNewOneWhole) {
  const Stores& s = stores();
  auto set_up = [&] {
    clear();
    dir.write("citas.txt", s.store_after);
    dir.write("tempcopy.dat", s.old_copy);
  };
  auto classify = [&]() -> std::string {
    if (dir.read("citas.txt") != s.store_after) return "";
    return name_of(dir.read("tempcopy.dat"), {{"old copy", &s.old_copy}, {"new copy", &s.store_after}});
  };
  kill_at_random_moments("0\n", set_up, classify, "new copy", {"old copy"});
}

}  // namespace

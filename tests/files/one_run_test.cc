// End-to-end: one run per collection. A second run in the same directory is refused and
// touches nothing; a run killed with SIGKILL leaves no lock behind.
#include <unistd.h>

#include <memory>

#include "entries.h"
#include "file_cases.h"
#include "live_session.h"

namespace files_test {
namespace {

using namespace talvo_test;

const std::string kRefused =
    "\nErro: A colecção de citações desta pasta já está aberta noutro talvo.\n\n"_cp;

TEST(OneRunTest, ASecondRunIsRefusedUntilTheFirstIsGoneHoweverItEnds) {
  ScratchDir dir;
  dir.write("citas.txt", added_layout(in_files({kAmar, kBeber})));
  dir.write("tempcopy.dat", copy_layout(in_files({kAmar})));
  auto first = std::make_unique<reliability::LiveSession>(dir, std::map<std::string, std::string>{});
  // The first run adds and deletes, so both journals exist, then waits at the menu.
  first->send(add_input(kCantar) + erase_input("Beber"));
  ASSERT_TRUE(first->wait_for("Entrada eliminada com sucesso."));
  ASSERT_TRUE(first->wait_for("Opção: "_cp));
  ASSERT_TRUE(first->wait_for("Opção: "_cp));
  const auto before = snapshot(dir);
  ASSERT_EQ(dir.listing(), "added.dat citas.txt deleted.dat tempcopy.dat");

  // Whatever the second run is asked to do, it prints the refusal and nothing else.
  for (const std::string& input : {std::string("0\n"), add_input(kAmar) + "0\n",
                                   erase_input("Amar") + "0\n", std::string("")}) {
    Outcome second = run_talvo(dir, input);
    EXPECT_EQ(second.out, kRefused);
    EXPECT_EQ(second.status, 255);
    EXPECT_EQ(snapshot(dir), before);
  }

  // The first run goes on as if nothing had happened.
  first->send("9\n");
  EXPECT_TRUE(first->wait_for(count_line(2)));

  first.reset();  // SIGKILL
  Outcome next = run_talvo(dir, "9\n\n0\n");
  EXPECT_EQ(next.status, 0);
  EXPECT_EQ(next.out, menu_screen() + count_screen(2));
  EXPECT_EQ(dir.read("citas.txt"), dir.read("tempcopy.dat"));
}

TEST(OneRunTest, TwoFoldersWhoseStoresLeadToOneFileNeverRunAtOnce) {
  // citas.txt in `linked` is a link to the store of `target`: whichever runs first holds
  // both folders, and a run in the other is refused.
  for (bool linked_first : {true, false}) {
    SCOPED_TRACE(linked_first ? "the linked folder first" : "the target's folder first");
    ScratchDir target, linked;
    target.write("citas.txt", added_layout(in_files({kAmar})));
    ASSERT_EQ(symlink((target.data() + "/citas.txt").c_str(), (linked.data() + "/citas.txt").c_str()), 0);
    const ScratchDir& first_dir = linked_first ? linked : target;
    const ScratchDir& second_dir = linked_first ? target : linked;
    reliability::LiveSession first(first_dir, {});
    ASSERT_TRUE(first.wait_for("Opção: "_cp));
    const auto before = snapshot(target);
    Outcome second = run_talvo(second_dir, add_input(kCantar) + "0\n");
    EXPECT_EQ(second.out, kRefused);
    EXPECT_EQ(second.status, 255);
    EXPECT_EQ(snapshot(target), before);
  }
}

}  // namespace
}  // namespace files_test

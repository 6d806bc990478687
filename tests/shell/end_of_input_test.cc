// End-to-end: the input ending at the main menu or at a wait is a clean end.
#include "screens.h"
#include "session.h"

namespace talvo_test {
namespace {

const std::string kStore = "-== Cita\xE7\xF5" "es ==-\n\"Um.\"\nA\n\n\"Dois.\"\nB\n";
/// A safety copy left by an earlier run, in another layout than the store.
const std::string kCopy = "-== Cita\xE7\xF5" "es ==-\n\n\"Um.\"\nA\n\n\"Dois.\"\nB";

/// A screen as printed up to the read that met the end: without its closing clear.
std::string until_read(const std::string& screen) {
  return screen.substr(0, screen.size() - kCls.size());
}

class EndOfInputTest : public SessionTest {
 protected:
  /// Runs `input` over kStore and journals left by a killed run; checks the clean end.
  void expect_clean_end(const std::string& input, const std::string& out) {
    dir.write("citas.txt", kStore);
    dir.write("added.dat", "\n\"Velha.\"\nX\n");
    dir.write("deleted.dat", "\n\"Outra.\"\nY\n");
    Outcome r = run(input);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, out);
    EXPECT_EQ(dir.read("citas.txt"), kStore);
    EXPECT_EQ(dir.read("tempcopy.dat"), kStore);  // the store, byte for byte
    EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
  }
};

TEST_F(EndOfInputTest, AtTheMainMenu) {
  expect_clean_end("", until_read(menu_screen()));
  expect_clean_end("\n  \n\t", until_read(menu_screen()));
  expect_clean_end("12\n", menu_screen() + until_read(menu_screen()));
  expect_clean_end("abc", menu_screen() + until_read(menu_screen()));
  expect_clean_end("-", menu_screen() + until_read(menu_screen()));
}

TEST_F(EndOfInputTest, AtAWaitForEnter) {
  expect_clean_end("9\n", menu_screen() + count_line(2));
  expect_clean_end("10\n", menu_screen() + kCredits);
}

TEST_F(EndOfInputTest, NoStoreLeavesTheOldSafetyCopyAndCreatesNothing) {
  const std::string old_copy = kCopy + "\xFF";
  dir.write("tempcopy.dat", old_copy);
  Outcome r = run("12\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + until_read(menu_screen()));
  EXPECT_EQ(dir.read("tempcopy.dat"), old_copy);
  EXPECT_EQ(dir.listing(), "tempcopy.dat");

  ScratchDir empty;
  r = run_talvo(empty, "");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(empty.listing(), "");
}

}  // namespace
}  // namespace talvo_test

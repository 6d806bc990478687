// End-to-end on a pseudo-terminal: the screen clear a terminal type allows, and the end
// of input typed at a prompt.
#include "file_cases.h"
#include "pty_session.h"
#include "screens.h"

namespace files_test {
namespace {

using namespace talvo_test;

const std::string kPrompt = "Opção: "_cp;

TEST(TerminalEndTest, TheAnsiClearOnlyForATerminalTypeThatHasIt) {
  struct Row {
    const char* term;  // nullptr: TERM unset
    bool clears;
  };
  for (const Row& row : {Row{"xterm", true}, Row{"dumb", false}, Row{nullptr, false}}) {
    SCOPED_TRACE(row.term ? row.term : "(unset)");
    ScratchDir dir;
    dir.write("citas.txt", kHeader + "\n");
    std::map<std::string, std::string> env{{"PATH", "/usr/bin:/bin"}, {"LC_ALL", "C"}};
    if (row.term != nullptr) env["TERM"] = row.term;
    PtySession talvo(dir.data(), env);
    talvo.expect(kPrompt);
    talvo.type("9\n\n0\n");
    EXPECT_EQ(talvo.finish(), 0);
    EXPECT_EQ(talvo.transcript().find("\x1b[") != std::string::npos, row.clears)
        << talvo.transcript();
  }
}

TEST(TerminalEndTest, CtrlDEndsTheLineThenTheRunCleanlyAndStaysTheEnd) {
  // Ctrl-D at a prompt; and inside a quotation, where the first Ctrl-D hands over the
  // typed bytes and the second is the end, met at once by every read that follows.
  struct Row {
    const char* name;
    std::string typed;
    std::string tail;  // what the run ends with: the prompt it stopped at, and a newline
  };
  for (const Row& row : {Row{"at a prompt", "\x04", kPrompt + "\n"},
                         Row{"inside a quotation", "1\n\"Abc\x04\x04", "Introduza autor: " + std::string("\n")}}) {
    SCOPED_TRACE(row.name);
    ScratchDir dir;
    const std::string store = kHeader + "\n\"Alfa.\"\nAa\n";
    dir.write("citas.txt", store);
    PtySession talvo(dir.data(), {{"PATH", "/usr/bin:/bin"}, {"LC_ALL", "C"}, {"TERM", "dumb"}});
    talvo.expect(kPrompt);
    talvo.type(row.typed);
    EXPECT_EQ(talvo.finish(), 0);
    const std::string& out = talvo.transcript();
    ASSERT_GE(out.size(), row.tail.size());
    EXPECT_EQ(out.substr(out.size() - row.tail.size()), row.tail);
    EXPECT_EQ(dir.read("citas.txt"), store);
    EXPECT_EQ(dir.read("tempcopy.dat"), store);
  }
}

}  // namespace
}  // namespace files_test

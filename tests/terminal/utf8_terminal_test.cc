// End-to-end: talvo on a UTF-8 pseudo-terminal, and the same session through pipes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <map>
#include <string>
#include <thread>

#include "pty_session.h"
#include "session.h"
#include "utf8_check.h"

namespace talvo_test {
namespace {

/// The ANSI clear a terminal gets where the pipe harness shows "[CLS]".
const std::string kClear = "\x1b[H\x1b[2J";
/// The end of the main menu and of the continuation prompt, in UTF-8.
const std::string kPrompt = "Opção: ";

/// An accented entry typed at the terminal, with a character code page 850 lacks (€),
/// then a search for it ignoring letter case, typed in capitals.
const std::vector<std::pair<std::string, std::string>> kSession = {
    {kPrompt, "1\n"},
    {"Introduza citação: ", "\"Ação, É já €\"\n"},
    {"Introduza autor: ", "Zé\n"},
    {"Opção (S/N): ", "S\n"},
    {"Entrada adicionada com sucesso\n\n", "\n"},
    {kPrompt, "2\n"},
    {kPrompt, "2\n"},
    {"Procurar: ", "AÇÃO, É\n"},
    {"(S/N) ", "S\n"},
    {"Houve 1 resultado.\n", "\n"},
    {kPrompt, "2\n"},
    {kPrompt, "0\n"},
};

/// The UTF-8 terminal's view of a code page 850 transcript from the pipe harness.
std::string as_terminal_shows(std::string cp850) {
  for (std::size_t at; (at = cp850.find(kCls)) != std::string::npos;) cp850.replace(at, kCls.size(), kClear);
  return iconv_convert(cp850, "CP850", "UTF-8").value_or("(not code page 850)");
}

class Utf8TerminalTest : public SessionTest {
 protected:
  /// A terminal in the data directory, PATH holding no `cls`, a UTF-8 locale.
  std::map<std::string, std::string> terminal_env() {
    std::string empty = dir.data() + "/../no-cls";
    mkdir(empty.c_str(), 0755);
    return {{"PATH", empty}, {"LC_ALL", "C.UTF-8"}, {"TZ", "UTC"}, {"TERM", "xterm"}};
  }
};

TEST_F(Utf8TerminalTest, TheMenuArrivesInUtf8BetweenAnsiClears) {
  PtySession talvo(dir.data(), terminal_env());
  std::string menu = talvo.expect(kPrompt);
  EXPECT_TRUE(valid_utf8(menu));
  EXPECT_NE(menu.find("\t5)História da Sessão Actual\n"), std::string::npos) << menu;
  EXPECT_NE(menu.find("\t8)Recuperação urgente do ficheiro de citações\n"), std::string::npos);
  // Exactly the pipe's code page 850 menu, in UTF-8, with the ANSI clear for `cls`.
  std::string pipe_menu = menu_screen();
  EXPECT_EQ(menu + kClear, as_terminal_shows(pipe_menu));
  talvo.type("0\n");
  EXPECT_EQ(talvo.finish(), 0);
  EXPECT_EQ(talvo.transcript(), menu + kClear);
}

TEST_F(Utf8TerminalTest, AnAccentedEntryTypedInUtf8IsStoredInLatin1AndFoundAgain) {
  PtySession talvo(dir.data(), terminal_env());
  std::string listing;
  for (const auto& [prompt, answer] : kSession) {
    listing = talvo.expect(prompt);
    talvo.type(answer);
    if (prompt.starts_with("Houve")) break;
  }
  // The search found the entry and shows it back in UTF-8; the € arrived as '?'.
  EXPECT_NE(listing.find("1a Resultado:\n \tCitação: \"Ação, É já ?\"\n\n \tAutor: Zé\n"), std::string::npos)
      << listing;
  for (std::size_t i = 10; i < kSession.size(); ++i) {
    talvo.expect(kSession[i].first);
    talvo.type(kSession[i].second);
  }
  EXPECT_EQ(talvo.finish(), 0);
  EXPECT_TRUE(valid_utf8(talvo.transcript()));
  EXPECT_EQ(dir.read("citas.txt"), kHeader + "\n\"A\xE7\xE3o, \xC9 j\xE1 ?\"\nZ\xE9\n");
}

TEST_F(Utf8TerminalTest, ThroughPipesTheSameSessionStaysInCodePage850) {
  PtySession talvo(dir.data(), terminal_env());
  std::string typed_cp850;
  for (const auto& [prompt, answer] : kSession) {
    talvo.expect(prompt);
    talvo.type(answer);
    std::string keys = answer;
    if (std::size_t euro = keys.find("€"); euro != std::string::npos) keys.replace(euro, 3, "?");
    typed_cp850 += iconv_convert(keys, "UTF-8", "CP850").value_or("(not code page 850)");
  }
  ASSERT_EQ(talvo.finish(), 0);

  // The pipe run gets the code page 850 keystrokes (the € as the '?' the terminal gave),
  // with a UTF-8 locale all the same: nothing is converted on a pipe.
  ScratchDir piped;
  Outcome r = run_talvo(piped, typed_cp850, {{"LC_ALL", "C.UTF-8"}});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\t5)Hist\xA2ria da Sess\xC6o Actual\n"), std::string::npos);
  EXPECT_NE(r.out.find("Cita\x87\xC6o: \"A\x87\xC6o, \x90 j\xA0 ?\""), std::string::npos);
  EXPECT_EQ(as_terminal_shows(r.out), talvo.transcript());
  EXPECT_EQ(piped.read("citas.txt"), dir.read("citas.txt"));
}

TEST_F(Utf8TerminalTest, KeysHandedOnOneByOneStillMakeWholeCharacters) {
  // A terminal out of line mode hands on what is typed as it comes, so a character may
  // be split between two reads; the pauses let the program wait in between.
  PtySession talvo(dir.data(), terminal_env(), false);
  talvo.expect(kPrompt);
  talvo.type("1\n");
  talvo.expect("Introduza citação: ");
  for (std::string keys : {"\"Ol", "\xC3", "\xA1 \xE2\x82", "\xAC\"\n"}) {
    talvo.type(keys);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
  }
  talvo.expect("Introduza autor: ");
  talvo.type("Eu\n");
  EXPECT_NE(talvo.expect("Opção (S/N): ").find("Citação: \"Olá ?\""), std::string::npos);
  talvo.type("S\n");
  talvo.expect("sucesso\n\n");
  talvo.type("\n");
  talvo.expect(kPrompt);
  talvo.type("0\n");
  EXPECT_EQ(talvo.finish(), 0);
  EXPECT_EQ(dir.read("citas.txt"), kHeader + "\n\"Ol\xE1 ?\"\nEu\n");
}

}  // namespace
}  // namespace talvo_test

// The help and the manual page name the same options, verbs and exit statuses; the bash
// completion offers them.
#include <cstdio>
#include <fstream>
#include <cctype>
#include <set>
#include <sstream>

#include "cli_run.h"

namespace talvo_test {
namespace {

using Names = std::set<std::string>;

/// Whether the byte is a letter of a word: a-z, or part of an accented letter in UTF-8.
bool word_byte(char c) { return (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80; }

/// The options named in a text: a dash or two and letters, at the start of a word.
Names options_in(const std::string& text) {
  Names found;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '-' || (i > 0 && std::string(" \t\n[(|,").find(text[i - 1]) == std::string::npos))
      continue;
    std::size_t end = i + (text.compare(i, 2, "--") == 0 ? 2 : 1);
    std::size_t letters = end;
    while (end < text.size() && std::isalpha(static_cast<unsigned char>(text[end]))) ++end;
    if (end > letters) found.insert(text.substr(i, end - i));
    i = end;
  }
  return found;
}

/// The words of a text that are all small letters (verbs), between blanks and commas.
Names words_in(const std::string& text) {
  Names found;
  std::string word;
  bool plain = true;
  for (char c : text + " ") {
    if (c == ' ' || c == ',' || c == '\t') {
      if (!word.empty() && plain) found.insert(word);
      word.clear();
      plain = true;
    } else {
      word += c;
      plain = plain && word_byte(c);
    }
  }
  return found;
}

/// The manual page's source turned into the text it shows: the escapes of this page.
std::string shown(std::string line) {
  const std::pair<const char*, const char*> escapes[] = {
      {"\\-", "-"},     {"\\fR", ""},      {"\\fP", ""},      {"\\fB", ""},    {"\\fI", ""},
      {"\\('o", "\xC3\xB3"}, {"\\('a", "\xC3\xA1"}, {"\\c", ""}, {"\"", ""},
  };
  for (const auto& [escape, text] : escapes)
    for (std::size_t at; (at = line.find(escape)) != std::string::npos;)
      line.replace(at, std::string(escape).size(), text);
  return line.substr(line.find(' ') + 1);  // the macro
}

struct Named {
  Names options, verbs, statuses;
};

/// What the manual page's tagged paragraphs name in its sections of options, verbs and
/// exit statuses.
Named from_manual() {
  std::ifstream page(TALVO_MAN_PAGE);
  Named named;
  std::string line, section;
  bool tag = false;
  while (std::getline(page, line)) {
    if (line.rfind(".SH ", 0) == 0) section = line.substr(4);
    if (tag) {
      std::string text = shown(line);
      if (section == "OP\\(,C\\(~OES" || section == "VERBOS") {
        for (const auto& o : options_in(text)) named.options.insert(o);
      }
      if (section == "VERBOS") {
        std::string head = text.substr(0, text.find(" ["));
        for (const auto& w : words_in(head)) named.verbs.insert(w);
      }
      if (section == "ESTADO DE SA\\('IDA") named.statuses.insert(text);
    }
    tag = line == ".TP";
  }
  return named;
}

/// What the help names: options anywhere, verbs and statuses in their blocks.
Named from_help(const std::string& help) {
  Named named;
  named.options = options_in(help);
  std::istringstream lines(help);
  std::string line, block;
  while (std::getline(lines, line)) {
    if (!line.empty() && line[0] != ' ') block = line;
    if (line.rfind("  ", 0) != 0 || line.size() < 3 || line[2] == ' ') continue;
    std::string head = line.substr(2, line.find("  ", 2) - 2);
    if (block == "Verbos:") {
      head = head.substr(0, head.find(" ["));
      for (const auto& w : words_in(head)) named.verbs.insert(w);
    }
    if (block.rfind("Estado de sa", 0) == 0) named.statuses.insert(head);
  }
  return named;
}

TEST(HelpManTest, HelpAndManualNameTheSameSet) {
  ScratchDir dir;
  Outcome help = run_cli(dir, {"--help"}, Locale::kUtf8);
  ASSERT_EQ(help.status, 0);
  Named in_help = from_help(help.out);
  Named in_manual = from_manual();
  EXPECT_EQ(in_help.options, in_manual.options);
  EXPECT_EQ(in_help.verbs, in_manual.verbs);
  EXPECT_EQ(in_help.statuses, in_manual.statuses);
  // What the parser takes: every verb and option named runs (nothing named is missing).
  const Names verbs = {"contar", "procurar", "aleatoria", "aleat\xC3\xB3ria", "exportar",
                       "importar", "adicionar"};
  EXPECT_EQ(in_help.verbs, verbs);
  const Names options = {"-C", "--pasta", "-h", "--help", "--ajuda", "-V", "--version",
                         "--versao", "-i", "-a", "--formato", "--autor", "--simular"};
  EXPECT_EQ(in_help.options, options);
  // The help fits a terminal of 80 columns.
  std::istringstream lines(help.out);
  for (std::string line; std::getline(lines, line);) {
    std::u32string chars;
    ASSERT_TRUE(unicode::decode(line, Charset::kUtf8, chars));
    EXPECT_LT(chars.size(), 80u) << line;
  }
  EXPECT_EQ(in_help.statuses, (Names{"0", "1", "2", "255"}));
}

/// The words bash completion offers for the command line `words` (the last one being
/// completed), run in `folder`.
std::string completions(const std::string& folder, const std::string& words) {
  const std::string script = "cd '" + folder + "' && source '" TALVO_COMPLETION "' && "
                             "complete -p talvo && COMP_WORDS=(" + words + ") && "
                             "COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) && _talvo && "
                             "printf '%s\\n' \"${COMPREPLY[@]}\" | LC_ALL=C sort";
  std::ofstream(folder + "/../complete.sh") << script << "\n";
  FILE* out = ::popen(("bash '" + folder + "/../complete.sh'").c_str(), "r");
  std::string text;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, out) != nullptr) text += buffer;
  ::pclose(out);
  return text;
}

TEST(HelpManTest, BashCompletesOptionsVerbsFormatsAndFolders) {
  ScratchDir dir;
  ::mkdir((dir.data() + "/pasta1").c_str(), 0755);
  dir.write("ficheiro", "");
  dir.write("pasta1/dentro", "");
  const std::string registered = "complete -F _talvo talvo\n";
  const struct {
    std::string words;
    std::string offered;
  } cases[] = {
      {"talvo ''", "--ajuda\n--help\n--pasta=\n--versao\n--version\n-C\n-V\n-h\nadicionar\n"
                   "aleatoria\naleat\xC3\xB3ria\ncontar\nexportar\nimportar\nprocurar\n"},
      {"talvo e", "exportar\n"},
      {"talvo -C pasta1 pro", "procurar\n"},
      {"talvo -C pa", "pasta1\n"},
      {"talvo --pasta=pa", "--pasta=pasta1\n"},
      {"talvo exportar --formato=", "--formato=fortune\n--formato=json\n--formato=texto\n"},
      {"talvo exportar --formato = j", "json\n"},
      {"talvo importar --formato fo", "fortune\n"},
      {"talvo importar fi", "ficheiro\n"},
      {"talvo procurar -", "-a\n-i\n"},
      {"talvo procurar -i x -", "-a\n"},
      {"talvo importar --formato=json -", "--autor=\n--simular\n"},
      {"talvo -C pasta1 importar de", "dentro\n"},
      {"talvo --pasta=pasta1 importar --simular de", "dentro\n"},
      {"talvo contar ''", "\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words);
    EXPECT_EQ(completions(dir.data(), c.words), registered + c.offered);
  }
}

}  // namespace
}  // namespace talvo_test

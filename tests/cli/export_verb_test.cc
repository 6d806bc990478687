// End-to-end: exportar writes every entry in store order, in each format and character set.
#include "cli_run.h"

namespace talvo_test {
namespace {

TEST(ExportVerbTest, EachFormatInEachCharset) {
  const std::string store = added_layout(kSample), none = "(none)";
  const struct {
    const char* what;
    std::string store;
    std::vector<std::string> args;
    Locale locale;
    int status;
    std::string out;
  } cases[] = {
      {"texto, the default, UTF-8", store, {"exportar"}, Locale::kUtf8, 0,
       "\"A vida \xC3\xA9 bela.\"\n\t-- Ant\xC3\xB3nio\n\n"
       "\"Dois,\ntr\xC3\xAAs: \xC2\xBDquatro\xE2\x95\x97.\"\n\t-- Maria Concei\xC3\xA7\xC3\xA3o\n\n"
       "\"Vida sem amor (nada).\"\n\t-- Jo\xC3\xA3o\n\n"},
      {"texto, code page 850 (the accented letters as the console has them)", store,
       {"exportar", "--formato=texto"}, Locale::kC, 0,
       "\"A vida \x82 bela.\"\n\t-- Ant\xA2nio\n\n"
       "\"Dois,\ntr\x88s: \xABquatro\xBB.\"\n\t-- Maria Concei\x87\xC6o\n\n"
       "\"Vida sem amor (nada).\"\n\t-- Jo\xC6o\n\n"},
      // The text as the menu shows it: the file's « » are code page 850's ½ ╗ there.
      {"fortune, without the store's double quotes", store, {"exportar", "--formato", "fortune"},
       Locale::kUtf8, 0,
       "A vida \xC3\xA9 bela.\n\t-- Ant\xC3\xB3nio\n%\n"
       "Dois,\ntr\xC3\xAAs: \xC2\xBDquatro\xE2\x95\x97.\n\t-- Maria Concei\xC3\xA7\xC3\xA3o\n%\n"
       "Vida sem amor (nada).\n\t-- Jo\xC3\xA3o\n%\n"},
      {"json is UTF-8 whatever the locale", store, {"exportar", "--formato=json"}, Locale::kC, 0,
       "[\n  {\"citacao\": \"A vida \xC3\xA9 bela.\", \"autor\": \"Ant\xC3\xB3nio\"},\n"
       "  {\"citacao\": \"Dois,\\ntr\xC3\xAAs: \xC2\xBDquatro\xE2\x95\x97.\", "
       "\"autor\": \"Maria Concei\xC3\xA7\xC3\xA3o\"},\n"
       "  {\"citacao\": \"Vida sem amor (nada).\", \"autor\": \"Jo\xC3\xA3o\"}\n]\n"},
      {"no entry, json", kHeader, {"exportar", "--formato=json"}, Locale::kUtf8, 0, "[]\n"},
      {"no entry, texto", kHeader + "\n", {"exportar"}, Locale::kUtf8, 0, ""},
      // An author may hold any byte but a newline: json escapes what it must.
      {"an author with quotes, a backslash and control bytes",
       kHeader + "\n\"Um.\"\nA\"\\\x01\t\r\n", {"exportar", "--formato=json"}, Locale::kUtf8, 0,
       "[\n  {\"citacao\": \"Um.\", \"autor\": \"A\\\"\\\\\\u0001\\t\\r\"}\n]\n"},
      {"a quotation cut by the end keeps an empty author", kHeader + "\n\"Fim.\"",
       {"exportar", "--formato=fortune"}, Locale::kUtf8, 0, "Fim.\n\t-- \n%\n"},
      {"no collection", none, {"exportar"}, Locale::kC, 2, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    if (c.store != none) dir.write("citas.txt", c.store);
    const std::string before = dir.listing();
    Outcome r = run_cli(dir, c.args, c.locale);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err.empty(), c.status == 0);
    EXPECT_EQ(dir.listing(), before);
    if (c.store != none) {
      EXPECT_EQ(dir.read("citas.txt"), c.store);
    }
  }
}

}  // namespace
}  // namespace talvo_test

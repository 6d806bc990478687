// End-to-end: exportar writes every entry in store order, in each format and character set.
#include "cli_run.h"

namespace talvo_test {
namespace {

TEST(ExportVerbTest, EachFormatInEachCharset) {
  const std::string store = added_layout(kSample);
  const struct {
    const char* what;
    std::vector<std::string> args;
    Locale locale;
    std::string out;
  } cases[] = {
      {"texto, the default, UTF-8", {"exportar"}, Locale::kUtf8,
       "\"A vida \xC3\xA9 bela.\"\n\t-- Ant\xC3\xB3nio\n\n"
       "\"Dois,\ntr\xC3\xAAs: \xC2\xABquatro\xC2\xBB.\"\n\t-- Maria Concei\xC3\xA7\xC3\xA3o\n\n"
       "\"Vida sem amor (nada).\"\n\t-- Jo\xC3\xA3o\n\n"},
      {"texto, code page 850 (the accented letters as the console has them)",
       {"exportar", "--formato=texto"}, Locale::kC,
       "\"A vida \x82 bela.\"\n\t-- Ant\xA2nio\n\n"
       "\"Dois,\ntr\x88s: \xABquatro\xBB.\"\n\t-- Maria Concei\x87\xC6o\n\n"
       "\"Vida sem amor (nada).\"\n\t-- Jo\xC6o\n\n"},
      {"fortune", {"exportar", "--formato", "fortune"}, Locale::kUtf8,
       "\"A vida \xC3\xA9 bela.\"\n\t-- Ant\xC3\xB3nio\n%\n"
       "\"Dois,\ntr\xC3\xAAs: \xC2\xABquatro\xC2\xBB.\"\n\t-- Maria Concei\xC3\xA7\xC3\xA3o\n%\n"
       "\"Vida sem amor (nada).\"\n\t-- Jo\xC3\xA3o\n%\n"},
      {"json is UTF-8 whatever the locale", {"exportar", "--formato=json"}, Locale::kC,
       "[\n  {\"citacao\": \"\\\"A vida \xC3\xA9 bela.\\\"\", \"autor\": \"Ant\xC3\xB3nio\"},\n"
       "  {\"citacao\": \"\\\"Dois,\\ntr\xC3\xAAs: \xC2\xABquatro\xC2\xBB.\\\"\", "
       "\"autor\": \"Maria Concei\xC3\xA7\xC3\xA3o\"},\n"
       "  {\"citacao\": \"\\\"Vida sem amor (nada).\\\"\", \"autor\": \"Jo\xC3\xA3o\"}\n]\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    dir.write("citas.txt", store);
    Outcome r = run_cli(dir, c.args, c.locale);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(dir.read("citas.txt"), store);
    EXPECT_EQ(dir.listing(), "citas.txt");
  }
}

TEST(ExportVerbTest, OddEntriesAndEmptyStores) {
  const struct {
    const char* what;
    std::string store;
    std::string format;
    std::string out;
  } cases[] = {
      {"no entry, json", kHeader, "json", "[]\n"},
      {"no entry, texto", kHeader + "\n", "texto", ""},
      // An author may hold any byte but a newline: json escapes what it must.
      {"an author with quotes, a backslash and control bytes", kHeader + "\n\"Um.\"\nA\"\\\x01\t\r\n",
       "json", "[\n  {\"citacao\": \"\\\"Um.\\\"\", \"autor\": \"A\\\"\\\\\\u0001\\t\\r\"}\n]\n"},
      {"a quotation cut by the end keeps an empty author", kHeader + "\n\"Fim.\"", "fortune",
       "\"Fim.\"\n\t-- \n%\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    dir.write("citas.txt", c.store);
    Outcome r = run_cli(dir, {"exportar", "--formato=" + c.format}, Locale::kUtf8);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, c.out);
  }
  ScratchDir none;
  Outcome r = run_cli(none, {"exportar"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(none.listing(), "");
}

}  // namespace
}  // namespace talvo_test

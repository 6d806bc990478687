// End-to-end: main menu 2, the search listing of every match.
#include <vector>

#include "search_screens.h"

namespace talvo_test {
namespace {

class ListingTest : public SessionTest {
 protected:
  /// Lists `search` with `case_answer` on `store`, answers each wait with one letter
  /// (so a missing or extra wait shows in what follows) and ends at the continuation
  /// prompt; checks the run and that the store is unchanged, and returns its output
  /// after the main menu.
  std::string list(const std::string& store, const std::string& search, char case_answer,
                   int waits) {
    reset(dir, &store);
    Outcome r = run("2\n" + search + "\n" + case_answer + "\n" + std::string(waits, 'w') + "0\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(dir.read("citas.txt"), store);
    std::string head = menu_screen() + kListPrompts;
    EXPECT_EQ(r.out.substr(0, head.size()), head);
    return r.out.substr(std::min(head.size(), r.out.size()));
  }
  /// The listing of `results` followed by the continuation prompt.
  static std::string expect(const std::vector<Entry>& results) {
    return listing(results) + continuation_screen();
  }
};

/// The n-th of a run of numbered entries that all hold "Frase".
Entry numbered(int n) {
  return {"\"Frase " + std::to_string(n) + ".\"", "Autor " + std::to_string(n)};
}

TEST_F(ListingTest, ClosingCountsAndPauses) {
  EXPECT_EQ(list(kHeader, "Frase", 'N', 1), expect({}));

  const Entry other{"\"Outra coisa.\"", "Ninguem"};
  EXPECT_EQ(list(added_layout({other, numbered(1), other}), "Frase", 'N', 1),
            expect({numbered(1)}));

  for (int count : {10, 25}) {
    std::vector<Entry> entries{other}, results;
    for (int i = 1; i <= count; ++i) {
      entries.push_back(numbered(i));
      results.push_back(numbered(i));
      if (i % 7 == 0) entries.push_back(other);
    }
    // One wait per tenth result, and the closing one.
    EXPECT_EQ(list(added_layout(entries), "Frase", 'N', count / 10 + 1), expect(results))
        << count << " results";
  }
}

TEST_F(ListingTest, CaseAnswers) {
  const Entry upper{"\"O AMOR vence.\"", "Ana"}, lower{"\"Um amor antigo.\"", "Bia"},
      capital{"\"Amor e flor.\"", "Caio"}, none{"\"Nada disso.\"", "Dina"};
  const std::string store = added_layout({upper, none, lower, capital});
  EXPECT_EQ(list(store, "AMOR", 'S', 1), expect({upper, lower, capital}));
  EXPECT_EQ(list(store, "AMOR", 's', 1), expect({upper, lower, capital}));
  EXPECT_EQ(list(store, "amor", 'S', 1), expect({upper, lower, capital}));
  EXPECT_EQ(list(store, "AMOR", 'N', 1), expect({upper}));
  EXPECT_EQ(list(store, "AMOR", 'x', 1), expect({upper}));
  EXPECT_EQ(list(store, "Amor", 'N', 1), expect({capital}));
  EXPECT_EQ(list(store, "amor", '1', 1), expect({lower}));
}

TEST_F(ListingTest, AccentedCapitalsFoldInTheConsoleCodePage) {
  // AÇÃO in the store as ISO-8859-1 (41 C7 C3 4F), shown as code page 850 (41 80 C7 4F).
  const std::string store = added_layout({{"\"Mais A\xC7\xC3O, menos conversa.\"", "Povo"},
                                         {"\"Acao sem acento.\"", "Outro"}});
  const Entry shown_entry{"\"Mais AÇÃO, menos conversa.\""_cp, "Povo"};
  const std::string typed_small = "a\x87\xC6o";  // ação typed in code page 850
  EXPECT_EQ(list(store, typed_small, 'S', 1), expect({shown_entry}));
  EXPECT_EQ(list(store, typed_small, 'N', 1), expect({}));
  EXPECT_EQ(list(store, "AÇÃO"_cp, 'N', 1), expect({shown_entry}));
  // É in the store (0xC9) is shown as 0x90 and found by é typed (0x82).
  const std::string acute = added_layout({{"\"\xC9 agora.\"", "Hoje"}});
  EXPECT_EQ(list(acute, "\x82 agora", 'S', 1), expect({{"\"É agora.\""_cp, "Hoje"}}));
}

TEST_F(ListingTest, WhereTheSearchStringMayStand) {
  const Entry heraclito{"\"Tudo passa.\"", "Heraclito"}, twice{"\"Duas vezes.\"", "Eco"},
      other{"\"Nada fica.\"", "Parmenides"};
  const std::string store = added_layout({heraclito, twice, other, twice});
  // Only in the author; never across the quotation and the author.
  EXPECT_EQ(list(store, "clito", 'N', 1), expect({heraclito}));
  EXPECT_EQ(list(store, "passa.\" Hera", 'N', 1), expect({}));
  EXPECT_EQ(list(store, "passa. Hera", 'N', 1), expect({}));
  // A lone double quote: every entry, one stored twice under two numbers.
  EXPECT_EQ(list(store, "\"", 'N', 1), expect({heraclito, twice, other, twice}));
}

TEST_F(ListingTest, BlanksAroundTheSearchString) {
  const Entry before_blank{"\"O amor e fogo.\"", "Camoes"}, before_stop{"\"Sem amor.\"", "A"},
      before_quote{"\"Tudo e amor\"", "B"}, line_end{"\"Verso.\"", "Poeta do amor"};
  const std::string store = added_layout({before_blank, before_stop, before_quote, line_end});
  EXPECT_EQ(list(store, "   amor", 'N', 1),
            expect({before_blank, before_stop, before_quote, line_end}));
  EXPECT_EQ(list(store, "\t amor ", 'N', 1), expect({before_blank}));
}

TEST_F(ListingTest, OverlongSearchStringKeepsItsFirst49Bytes) {
  const std::string kept = "abcdefghijabcdefghijabcdefghijabcdefghijklmnopqrs";  // 49
  ASSERT_EQ(kept.size(), 49u);
  const Entry whole{"\"" + kept + "\"", "A"}, shorter{"\"" + kept.substr(0, 48) + "Z\"", "B"};
  // The rest of the typed line is discarded: the case answer comes from the next line.
  EXPECT_EQ(list(added_layout({whole, shorter}), kept + "tuvwxyz0123", 'N', 1), expect({whole}));
}

TEST_F(ListingTest, QuotationAtTheEndWithoutAuthorIsListedWithAnEmptyAuthor) {
  const std::string store = kHeader + "\n\"Primeira.\"\nA\n\n\"Fim sem autor.\"";
  EXPECT_EQ(list(store, "\"", 'N', 1),
            expect({{"\"Primeira.\"", "A"}, {"\"Fim sem autor.\"", ""}}));
}

TEST_F(ListingTest, NoStoreIsFatal) {
  Outcome r = run("2\namor\nN\n");
  EXPECT_EQ(r.status, 255);
  EXPECT_EQ(r.out, menu_screen() + kListPrompts + "Erro: Impossibilidade em abrir o ficheiro\n");
  EXPECT_EQ(dir.listing(), "");
}

TEST_F(ListingTest, OneAtTheContinuationPromptSearchesAgain) {
  const Entry upper{"\"O AMOR vence.\"", "Ana"}, lower{"\"Um amor antigo.\"", "Bia"};
  const std::string store = added_layout({upper, lower});
  dir.write("citas.txt", store);
  Outcome r = run("2\nAMOR\nS\nw1\namor\nN\nw2\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + kListPrompts + listing({upper, lower}) + continuation_screen() +
                       kListPrompts + listing({lower}) + continuation_screen() + menu_screen());
  EXPECT_EQ(dir.read("citas.txt"), store);
}

}  // namespace
}  // namespace talvo_test

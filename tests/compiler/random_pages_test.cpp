// Pages of random bytes and valid programs with random mutations: the
// compiler always stops, writes only inside the 16 cells, reads only inside
// the page, and ends in success or in one message of its tables.

#include <algorithm>
#include <random>
#include <set>

#include "tests/compiler/compiler_fixture.h"

namespace telun {
namespace {

const std::set<std::string>& known_messages() {
  static const std::set<std::string> all = [] {
    std::set<std::string> s;
    for (const char* m :
         {"не найден символ", "ожидается }", "не найден символ }", "нет памяти", "cинтаксическая ошибка",  // Latin c
          "синтаксическая ошибка", "ошибка в константе", "ожидается переменная", "переменная не описана",
          "ожидается присвоение", "неподходящая конструкция", "пусто между BEGIN и END", "ожидается END",
          "ожидается ; END или ELSE", "ожидается ; или END.", "ожидается слово THEN", "ожидается слово DO",
          "ожидается слово HALT", "ожидается .", "ожидается (", "ожидается ,", "ожидается )", "ожидается ;",
          "ожидается слово PROGRAM", "ожидается слово VAR", "ожидается слово INTEGER", "ожидается слово BEGIN",
          "ошибка в списке переменных", "повторное описание", "END без BEGIN"})
      s.insert(cp866_string(m));
    return s;
  }();
  return all;
}

const std::vector<std::vector<std::string_view>>& seeds() {
  static const std::vector<std::vector<std::string_view>> list = {
      {"PROGRAM SUM;", "VAR I,S,N:INTEGER;", "BEGIN", "S:=0;", "FOR I:=1 TO N DO S:=S+I;", "WRITELN(I,S,N);HALT",
       "END."},
      {"PROGRAM E;", "VAR A,B,C:INTEGER;", "BEGIN", "IF A+1=B*2 THEN", "BEGIN C:=A; A:=B END", "ELSE C:=B;",
       "WHILE A<B DO A:=A+1;", "REPEAT A:=A+1", "UNTIL A>=B", "END."},
      {"program d; {down}", "var i,s,n:integer;", "begin", "for i:=n downto n-3 do", "s:=s+i;",
       "repeat s:=s div 2; until s<=1;", "writeln(i,s,n);halt", "end."},
      {"PROGRAM F;", "VAR A,B,C,D,E,F,G,H:INTEGER;", "BEGIN", "IF A<>B THEN A:=B+32767;", "B:=00099 DIV C;",
       "WHILE A>=B DO BEGIN", "C:=C-1; D:=D*2 END;", "WRITELN(A,B,C);HALT", "END."},
  };
  return list;
}

// The checks every compilation must pass, whatever the page.
void check(CompilerBench& b, bool ok, const char* kind, unsigned seed) {
  SCOPED_TRACE(std::string(kind) + " seed " + std::to_string(seed));
  EXPECT_EQ(b.c.stray_accesses(), 0);
  std::vector<int> writes = b.rec.writes;
  for (int a : writes) EXPECT_TRUE(a >= 0 && a < 16) << a;
  std::sort(writes.begin(), writes.end());
  EXPECT_EQ(std::adjacent_find(writes.begin(), writes.end()), writes.end()) << "a cell written twice";
  for (int a = 0; a < 16; ++a)
    if (!std::binary_search(writes.begin(), writes.end(), a)) {
        EXPECT_EQ(b.cell(a), CompilerBench::pattern(a)) << a;
      }
  EXPECT_TRUE(b.src.ROW >= 1 && b.src.ROW <= 14 && b.src.COL >= 1 && b.src.COL <= 24);
  if (ok) {
    EXPECT_EQ(b.src.WPROG(b.src.ROW, b.src.COL), '.');
    EXPECT_LE(b.c.LOMEM, b.c.HIMEM + 1);
    // Instructions below LOMEM; every instruction address names a cell.
    EXPECT_TRUE(std::all_of(writes.begin(), writes.end(), [&](int a) { return a < b.c.LOMEM || a > b.c.HIMEM; }));
  } else if (b.rem_row != 0) {
    // The comment filter stopped the preparation: its own two messages,
    // blamed on the place it stopped at; the analysis did not run.
    EXPECT_TRUE(b.message() == "ожидается }" || b.message() == "не найден символ }") << b.message();
    EXPECT_TRUE(b.rem_row >= 1 && b.rem_row <= 14 && b.rem_col >= 1 && b.rem_col <= 24);
    EXPECT_TRUE(writes.empty());
  } else {
    EXPECT_EQ(known_messages().count(b.c.COMPMSG), 1u) << b.message();
    EXPECT_TRUE(b.src.FIXROW >= 1 && b.src.FIXROW <= 14 && b.src.FIXCOL >= 1 && b.src.FIXCOL <= 24);
  }
}

void compile_page(CompilerBench& b, const LETTER& page, const char* kind, unsigned seed) {
  b.src.PROG = page;
  b.fill_memory();
  b.con.moves = 0;
  b.con.limit = 100000;
  bool ok = false;
  try {
    ok = b.compile();
  } catch (const std::runtime_error& e) {
    ADD_FAILURE() << kind << " seed " << seed << ": " << e.what();
    return;
  }
  check(b, ok, kind, seed);
}

TEST(RandomPages, RandomBytes) {
  CompilerBench b;
  for (unsigned seed = 1; seed <= 1500; ++seed) {
    std::mt19937 rng(seed);
    LETTER page;
    // Mostly blanks, so that some pages get past the heading.
    std::uniform_int_distribution<int> byte(0, 255), blank(0, 3);
    for (int r = 1; r <= 14; ++r)
      for (int c = 1; c <= 24; ++c) page(r, c) = static_cast<std::uint8_t>(blank(rng) == 0 ? ' ' : byte(rng));
    compile_page(b, page, "bytes", seed);
  }
}

TEST(RandomPages, LimetAlphabet) {
  static constexpr std::string_view ALPHABET = "ABCINSXabz0123456789+-*:=<>;,.()      ";
  static constexpr std::string_view WORDS[] = {"PROGRAM ", "VAR ",    "BEGIN ", ":=",    "IF ",   "WHILE ", "REPEAT ",
                                               "FOR ",     "WRITELN", "INTEGER", "END",   "THEN ", "ELSE ",  "DOWNTO ",
                                               "TO ",      "DO ",     "UNTIL ", ";",     "HALT",  "DIV ",   "<>"};
  CompilerBench b;
  for (unsigned seed = 1; seed <= 1500; ++seed) {
    std::mt19937 rng(seed);
    LETTER page;
    std::uniform_int_distribution<std::size_t> ch(0, ALPHABET.size() - 1), word(0, std::size(WORDS) - 1);
    std::uniform_int_distribution<int> coin(0, 2);
    std::string text = "PROGRAM X; VAR A,B,C,I,N,S,X:INTEGER; BEGIN ";
    while (text.size() < 336) text += coin(rng) == 0 ? std::string(1, ALPHABET[ch(rng)]) : std::string(WORDS[word(rng)]);
    for (int k = 0; k < 336; ++k) page(k / 24 + 1, k % 24 + 1) = static_cast<std::uint8_t>(text[static_cast<std::size_t>(k)]);
    compile_page(b, page, "alphabet", seed);
  }
}

TEST(RandomPages, MutatedPrograms) {
  CompilerBench b;
  int successes = 0;
  for (unsigned seed = 1; seed <= 3000; ++seed) {
    std::mt19937 rng(seed);
    const auto& lines = seeds()[seed % seeds().size()];
    b.page(lines);
    LETTER page = b.src.PROG;
    std::uniform_int_distribution<int> row(1, 14), col(1, 24), kind(0, 3), count(0, 3);
    static constexpr std::string_view PIECES = " ;:=,.+-*<>(){}ABINSZ019";
    std::uniform_int_distribution<std::size_t> piece(0, PIECES.size() - 1);
    const int mutations = count(rng);
    for (int k = 0; k < mutations; ++k) {
      const int r = row(rng), c = col(rng);
      auto& line = page.at[static_cast<std::size_t>(r)];
      const auto place = line.begin() + c;
      switch (kind(rng)) {
        case 0: *place = static_cast<std::uint8_t>(PIECES[piece(rng)]); break;  // replace
        case 1:                                                                 // delete
          std::rotate(place, place + 1, line.end());
          line.back() = ' ';
          break;
        case 2:  // insert
          std::rotate(place, line.end() - 1, line.end());
          *place = static_cast<std::uint8_t>(PIECES[piece(rng)]);
          break;
        default: std::swap(page.at[static_cast<std::size_t>(r)], page.at[static_cast<std::size_t>(row(rng))]); break;
      }
    }
    compile_page(b, page, "mutated", seed);
    successes += b.c.COMPERR ? 0 : 1;
  }
  // The unmutated and harmlessly mutated pages compile: the test reaches the
  // code generation, not only the heading.
  EXPECT_GT(successes, 300);
}

}  // namespace
}  // namespace telun

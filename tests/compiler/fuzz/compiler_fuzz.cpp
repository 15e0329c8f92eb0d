// libFuzzer target: any bytes become a page (the first byte chooses how),
// which goes through the driver's preparation pass and the analysis. Any
// stray access, a cell written twice or outside memory, a changed cell that
// was not written, a position outside the page or a message outside the
// compiler's tables stops the fuzzer.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "compiler/compiler.h"
#include "compiler/messages.h"
#include "panel/layout.h"
#include "panel/screen.h"
#include "tests/compiler/recording_view.h"

namespace telun {
namespace {

void require(bool holds) {
  if (!holds) std::abort();
}

bool known(const std::string& text) {
  const std::string_view fixed[] = {
      msg::NO_SYMBOL,        msg::NO_BRACE,        msg::NO_MEMORY,        msg::SYNTAX_LATIN,
      msg::SYNTAX,           msg::BAD_CONSTANT,    msg::VARIABLE_EXPECTED, msg::UNDECLARED,
      msg::ASSIGN_EXPECTED,  msg::WRONG_CONSTRUCT, msg::EMPTY_BLOCK,      msg::END_EXPECTED,
      msg::AFTER_THEN_BLOCK, msg::AFTER_BLOCK,     msg::THEN_EXPECTED,    msg::DO_EXPECTED,
      msg::HALT_EXPECTED,    msg::PROGRAM_EXPECTED, msg::VAR_EXPECTED,    msg::INTEGER_EXPECTED,
      msg::BEGIN_EXPECTED,   msg::VARIABLE_LIST,   msg::DECLARED_TWICE,   msg::END_WITHOUT_BEGIN};
  for (std::string_view f : fixed)
    if (text == f) return true;
  // "ожидается " and one of the characters the compiler looks for.
  const std::string_view expected = msg::EXPECTED;
  if (text.size() == expected.size() + 1 && text.compare(0, expected.size(), expected) == 0)
    return std::string_view("}(),;.").find(text.back()) != std::string_view::npos;
  return false;
}

}  // namespace
}  // namespace telun

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace telun;
  ScreenConsole con;
  Frames fr(con);
  Machine m(LIMET_MACHINE);
  Panel p(m, fr, LIMET_PANEL);
  m.HILITE = -1;
  p.INISCREEN();
  Source src;
  Compiler c(m, p, fr, src);
  RecordingView rec(m, p);
  m.set_view(&rec);
  for (int a = 0; a < 16; ++a) m.set_cell(a, 0x5A00 + 37 * a);

  // Odd first byte: text, a line end starts the next row. Even: raw places.
  const bool text = size > 0 && (data[0] & 1) != 0;
  int row = 1, col = 1;
  for (std::size_t k = 1; k < size && row <= PAGE_ROWS; ++k) {
    if (text && data[k] == '\n') {
      ++row;
      col = 1;
      continue;
    }
    src.PROG(row, col) = data[k];
    if (++col > PAGE_COLUMNS) {
      col = 1;
      ++row;
    }
  }

  c.REMFLAG = false;
  bool prepared = true;
  for (int r = 1; r <= PAGE_ROWS && prepared; ++r)
    for (int q = 1; q <= PAGE_COLUMNS && prepared; ++q) {
      c.CH = src.PROG(r, q);
      c.REM();
      if (c.COMPERR) {
        prepared = false;
        require(c.COMPMSG == msg::NO_BRACE.view() || c.COMPMSG == msg::EXPECTED.str() + "}");
        break;
      }
      if (c.CH >= 'a' && c.CH <= 'z') c.CH = static_cast<std::uint8_t>(c.CH & 95);
      src.WPROG(r, q) = c.CH;
    }
  if (!prepared) return 0;

  c.COMPERR = false;
  c.ANALIZ();

  require(c.stray_accesses() == 0);
  std::vector<bool> written(16, false);
  for (int a : rec.writes) {
    require(a >= 0 && a < 16);
    require(!written[static_cast<std::size_t>(a)]);
    written[static_cast<std::size_t>(a)] = true;
  }
  for (int a = 0; a < 16; ++a)
    if (!written[static_cast<std::size_t>(a)]) require(m.value_of(a) == 0x5A00 + 37 * a);
  require(src.ROW >= 1 && src.ROW <= PAGE_ROWS && src.COL >= 1 && src.COL <= PAGE_COLUMNS);
  if (c.COMPERR) {
    require(known(c.COMPMSG));
    require(src.FIXROW >= 1 && src.FIXROW <= PAGE_ROWS && src.FIXCOL >= 1 && src.FIXCOL <= PAGE_COLUMNS);
  } else {
    require(src.WPROG(src.ROW, src.COL) == '.');
    require(c.LOMEM <= c.HIMEM + 1);
  }
  return 0;
}

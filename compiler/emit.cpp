// Memory allocation and code emission. Instructions grow upward from cell 0
// (LOMEM); variables, constants and working cells are taken downward from
// cell 15 (HIMEM). Every cell is written through the machine's own routines,
// so the pupil sees it appear highlighted and SM shows the value written.

#include "compiler/compiler.h"
#include "compiler/messages.h"

namespace telun {

bool Compiler::FREEMEM() {
  COMPERR = HIMEM < LOMEM;
  if (COMPERR) COMPMSG = msg::NO_MEMORY.str();
  return !COMPERR;
}

void Compiler::INCLOMEM() {
  if (FREEMEM()) LOMEM += 1;
}

void Compiler::FORMCOM() {
  if (!FREEMEM()) return;
  PACKCOM(LOMEM);
  LOMEM += 1;
}

void Compiler::PACKCOM(int address) { POKE(address, FKOP * 4096 + FA1 * 256 + FA2 * 16 + FA3); }

void Compiler::POKE(int address, int value) {
  if (address < 0 || address >= m_.N()) {
    ++stray_;  // never reached: every address comes from the allocation above
    return;
  }
  m_.CELL = address;
  m_.NUM = value;
  m_.P10V2();
  fr_.INVERSON();
  m_.SMVMEM();
  fr_.INVERSOFF();
}

void Compiler::mark(int cell, std::uint8_t what) {
  Console& con = fr_.console();
  fr_.INVERSON();
  con.go_to(1, panel_.layout().row_of_cell(cell));
  con.write_char(what);
  fr_.INVERSOFF();
}

void Compiler::MKCONST(int value) {
  if (!FREEMEM()) return;
  std::size_t j = 1;
  while (j < CONSTADR.size() - 1 && CONSTADR[j] != -1) ++j;
  CONSTADR[j] = HIMEM;
  CONSTVAL[j] = value;
  POKE(HIMEM, value);
  mark(HIMEM, '#');
  HIMEM -= 1;
}

void Compiler::constant_cell(int value, int& address) {
  address = -1;
  for (std::size_t j = 1; j < CONSTADR.size() && CONSTADR[j] != -1; ++j)
    if (CONSTVAL[j] == value) address = CONSTADR[j];
  if (address != -1) return;
  address = HIMEM;
  MKCONST(value);
}

void Compiler::GETWMEM(int n) {
  if (!FREEMEM()) return;
  WCELL[static_cast<std::size_t>(n)] = HIMEM;
  mark(HIMEM, '*');
  HIMEM -= 1;
}

void Compiler::WWW(int n, int& address) {
  if (WCELL[static_cast<std::size_t>(n)] != -1) {
    address = WCELL[static_cast<std::size_t>(n)];
  } else {
    address = HIMEM;
    GETWMEM(n);
  }
  WBUSY = true;
}

void Compiler::MKW(int& address) { WWW(WBUSY ? 2 : 1, address); }

void Compiler::PERECOD() {
  if (FKOP >= 0 && FKOP < static_cast<int>(sym::OPCODE.size()) && sym::OPCODE[static_cast<std::size_t>(FKOP)] >= 0)
    FKOP = sym::OPCODE[static_cast<std::size_t>(FKOP)];
}

void Compiler::CODPER() {
  FKOP = REL < 3 ? 4 : 6;  // jump if equal / jump if greater
  if (REL < 5) {
    FA1 = LEFTADR;
    FA2 = RIGHTADR;
  } else {
    FA1 = RIGHTADR;
    FA2 = LEFTADR;
  }
  if (REL % 2 == 1) {
    // When the condition holds the jump skips the next cell, which then
    // holds an unconditional jump (cell 0 always equals itself).
    FA3 = JUMPADR + 2;
    PACKCOM(JUMPADR);
    JUMPADR += 1;
    FKOP = 4;
    FA1 = 0;
    FA2 = 0;
  }
}

}  // namespace telun

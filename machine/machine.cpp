#include "machine/machine.h"

#include <cstdlib>

namespace telun {

Machine::Machine(const MachineConfig& config) : cfg_(config) { CLRALL(); }

void Machine::P2V10(int selector) {
  int lo, hi;
  if (selector == cfg_.whole_selector) {
    lo = 1;
    hi = cfg_.W;
  } else if (cfg_.AW == 3) {
    lo = 10 - 3 * selector;
    hi = 12 - 3 * selector;
  } else {
    lo = 13 - 4 * selector;
    hi = 16 - 4 * selector;
    if (hi > cfg_.W) hi = cfg_.W;
  }
  const Digits& cell = MEM[CELL];
  VAL = 0;
  int weight = 1;
  for (int i = lo; i <= hi; ++i) {
    VAL += cell[i] * weight;
    // In the M configuration the weight stays within 16 bits.
    if (cfg_.AW == 3 || weight < 16384) weight *= 2;
  }
}

void Machine::OPERANDS() {
  P2V10(0);
  KOP = VAL;
  P2V10(1);
  A1 = VAL;
  P2V10(2);
  A2 = VAL;
  P2V10(3);
  A3 = VAL;
}

void Machine::NUMBER() {
  P2V10(cfg_.whole_selector);
  NUM = VAL;
}

void Machine::P10V2() {
  int n = NUM;
  for (int i = 1; i <= cfg_.W; ++i) {
    SM[i] = static_cast<std::uint8_t>(n % 2);
    n /= 2;
  }
  view_->VIZUALSM();
}

void Machine::OP1VSM() {
  SM = MEM[CELL];
  view_->VIZUALSM();
}

void Machine::SMVMEM() {
  MEM[CELL] = SM;
  view_->VIZUALMEM();
}

void Machine::INCPC() {
  PC10 += 1;
  if (PC10 == cfg_.N) PC10 = 0;
  int carry = 1;
  for (int i = 1; i <= cfg_.AW; ++i) {
    int s = carry + PC[i];
    if (s == 2) {
      PC[i] = 0;
    } else {
      PC[i] = static_cast<std::uint8_t>(s);
      carry = 0;
    }
  }
  view_->VIZUALPC();
}

void Machine::CLRALL() {
  for (auto& cell : MEM) cell.fill(0);
  RK.fill(0);
  SM.fill(0);
  PC.fill(0);
  PC10 = 0;
}

int Machine::value_of(int cell) const {
  int v = 0;
  for (int i = cfg_.W; i >= 1; --i) v = v * 2 + MEM[cell][i];
  return v;
}

void Machine::set_cell(int cell, int value) {
  for (int i = 1; i <= cfg_.W; ++i) {
    MEM[cell][i] = static_cast<std::uint8_t>(value % 2);
    value /= 2;
  }
}

void Machine::reset_pc() {
  PC.fill(0);
  PC10 = 0;
}

// ---------------------------------------------------------------------------

void Machine::KOMANDA() {
  WYBORKA();
  INCPC();
  if (hooks_) hooks_->advanced();
  OPERANDS();  // CELL still names the fetched cell
  switch (KOP) {
    case 0: MOV(); break;
    case 1: ADD(); break;
    case 2: DIVV(); break;
    case 3: SUB(); break;
    case 4: BEQ(); break;
    case 5: MUL(); break;
    case 6: BPL(); break;
    default: HLT(); break;
  }
}

void Machine::WYBORKA() {
  CELL = PC10;
  PCSTR.clear();
  for (int i = cfg_.AW; i >= 1; --i) PCSTR.push_back(static_cast<char>('0' + PC[i]));
  RK = MEM[CELL];
  view_->VIZUALRK();
  HILITE = CELL;
  view_->VIZUALMEM();
  if (hooks_) hooks_->fetched();
}

void Machine::OPERAND1() {
  CELL = A1;
  OP1VSM();
  NUMBER();
  NUM1 = NUM;
  if (hooks_) hooks_->loaded_first();
}

void Machine::LOAD2() {
  CELL = A2;
  NUMBER();
}

void Machine::ZAPREZ() {
  CELL = A3;
  SMVMEM();
}

void Machine::OPERAND3() {
  P10V2();
  if (!ERRMSG.empty()) return;
  if (hooks_) hooks_->before_result_store();
  ZAPREZ();
}

void Machine::ARIFMOPEND() {
  if (hooks_) hooks_->arithmetic_done();
  OPERAND3();
}

void Machine::compute_result(long long value) {
  const long long limit = 1LL << cfg_.W;
  if (value >= limit) {
    OVERFLOW();
    value %= limit;
  }
  NUM = static_cast<int>(value);
}

void Machine::MOV() {
  OPERAND1();
  if (hooks_) hooks_->before_move_store();
  ZAPREZ();
}

void Machine::ADD() {
  OPERAND1();
  LOAD2();
  compute_result(static_cast<long long>(NUM1) + NUM);
  OPSIGN = '+';
  ARIFMOPEND();
}

void Machine::DIVV() {
  OPERAND1();
  LOAD2();
  if (NUM == 0)
    ZERO();  // NUM keeps the value 0
  else
    NUM = NUM1 / NUM;
  OPSIGN = '/';
  ARIFMOPEND();
}

void Machine::SUB() {
  OPERAND1();
  LOAD2();
  NUM = std::abs(NUM1 - NUM);
  OPSIGN = '-';
  ARIFMOPEND();
}

void Machine::MUL() {
  OPERAND1();
  LOAD2();
  compute_result(static_cast<long long>(NUM1) * NUM);
  OPSIGN = '*';
  ARIFMOPEND();
}

void Machine::BEQ() {
  OPERAND1();
  LOAD2();
  USLOVIE = NUM1 == NUM;
  BRUNCH();
}

void Machine::BPL() {
  OPERAND1();
  LOAD2();
  USLOVIE = NUM1 > NUM;
  BRUNCH();
}

void Machine::BRUNCH() {
  if (hooks_) hooks_->compared();
  if (USLOVIE) {
    PC10 = A3;
    for (int i = 1; i <= cfg_.AW; ++i) PC[i] = RK[i];
    view_->VIZUALPC();
  }
  if (hooks_) hooks_->branched();
}

std::string Machine::output_line(int j, int cell) const {
  std::string line;
  if (cfg_.named_output) {
    line.push_back(static_cast<char>(OUTNAME[j - 1]));
    line += " = ";
  }
  for (int i = cfg_.W; i >= 1; --i) {
    line.push_back(static_cast<char>('0' + MEM[cell][i]));
    if ((i - 1) % cfg_.AW == 0) line.push_back(' ');
  }
  line += cfg_.value_separator;
  line += std::to_string(value_of(cell));
  return line;
}

void Machine::HLT() {
  const int address[3] = {A1, A2, A3};
  for (int j = 1; j <= 3; ++j) {
    if (REGIM == 1) continue;  // back to the editor during a pause of this instruction
    if (hooks_) hooks_->before_output(j);
    CELL = address[j - 1];
    P2V10(cfg_.whole_selector);
    view_->show_output(j, output_line(j, CELL));
    if (hooks_) hooks_->after_output(j);
  }
  STOPFLAG = true;
}

void Machine::OVERFLOW() {
  STOPFLAG = true;
  ERRMSG = std::string(cfg_.overflow_text);
}

void Machine::ZERO() {
  STOPFLAG = true;
  ERRMSG = std::string(cfg_.zero_text);
}

}  // namespace telun

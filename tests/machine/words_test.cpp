// The word formats: binary rows to numbers and back, the program counter.
#include <gtest/gtest.h>

#include "machine/machine.h"

namespace telun {
namespace {

// Digits of a cell written top digit first, e.g. "001000100100011".
void set_digits(Machine& m, int cell, const char* digits) {
  const int w = m.W();
  for (int k = 0; k < w; ++k) m.MEM[cell][w - k] = static_cast<std::uint8_t>(digits[k] - '0');
}

std::string digits_of(const Digits& d, int w) {
  std::string s;
  for (int i = w; i >= 1; --i) s.push_back(static_cast<char>('0' + d[i]));
  return s;
}

TEST(Words, FieldsOfACellAllOnes) {
  struct Case {
    const char* name;
    const MachineConfig& cfg;
    int whole, address;
  } cases[] = {{"basic", TELUN_MACHINE, 4095, 7}, {"M", TELUNM_MACHINE, 32767, 15}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Machine m(c.cfg);
    m.CELL = 2;
    m.MEM[2].fill(1);
    m.P2V10(c.cfg.whole_selector);
    EXPECT_EQ(m.VAL, c.whole);
    m.OPERANDS();
    EXPECT_EQ(m.KOP, 7);
    EXPECT_EQ(m.A1, c.address);
    EXPECT_EQ(m.A2, c.address);
    EXPECT_EQ(m.A3, c.address);
  }
}

TEST(Words, InstructionFieldsAndValueAgree) {
  struct Case {
    const char* name;
    const MachineConfig& cfg;
    const char* digits;
    int kop, a1, a2, a3, value;
  } cases[] = {
      {"basic 001 001 010 011", TELUN_MACHINE, "001001010011", 1, 1, 2, 3, 595},
      {"basic 110 111 000 101", TELUN_MACHINE, "110111000101", 6, 7, 0, 5, 3525},
      {"M 001 0001 0010 0011", TELUNM_MACHINE, "001000100100011", 1, 1, 2, 3, 4387},
      {"M 111 1111 0000 1010", TELUNM_MACHINE, "111111100001010", 7, 15, 0, 10, 32522},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Machine m(c.cfg);
    set_digits(m, 1, c.digits);
    m.CELL = 1;
    m.OPERANDS();
    m.NUMBER();
    EXPECT_EQ(m.KOP, c.kop);
    EXPECT_EQ(m.A1, c.a1);
    EXPECT_EQ(m.A2, c.a2);
    EXPECT_EQ(m.A3, c.a3);
    EXPECT_EQ(m.NUM, c.value);
    const int aw = c.cfg.AW;
    EXPECT_EQ(m.NUM, (m.KOP << (c.cfg.W - 3)) + (m.A1 << (2 * aw)) + (m.A2 << aw) + m.A3);
    EXPECT_EQ(m.value_of(1), c.value);
    EXPECT_EQ(m.CELL, 1);
  }
}

TEST(Words, NumberToDigitsKeepsTheLowDigits) {
  struct Case {
    const char* name;
    const MachineConfig& cfg;
    int num;
    const char* sm;
  } cases[] = {
      {"basic 4096 wraps to zero", TELUN_MACHINE, 4096, "000000000000"},
      {"basic 4095", TELUN_MACHINE, 4095, "111111111111"},
      {"basic 595", TELUN_MACHINE, 595, "001001010011"},
      {"M 4387", TELUNM_MACHINE, 4387, "001000100100011"},
      {"M 32767", TELUNM_MACHINE, 32767, "111111111111111"},
      {"M 0", TELUNM_MACHINE, 0, "000000000000000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Machine m(c.cfg);
    m.SM.fill(1);
    m.NUM = c.num;
    m.P10V2();
    EXPECT_EQ(digits_of(m.SM, c.cfg.W), c.sm);
    EXPECT_EQ(m.NUM, c.num);  // P10V2 works on a copy
  }
}

TEST(Words, CopiesBetweenMemoryAndAccumulator) {
  Machine m(TELUNM_MACHINE);
  set_digits(m, 3, "101010101010101");
  m.CELL = 3;
  m.OP1VSM();
  EXPECT_EQ(digits_of(m.SM, 15), "101010101010101");
  m.CELL = 9;
  m.SMVMEM();
  EXPECT_EQ(m.MEM[9], m.MEM[3]);
  EXPECT_EQ(m.CELL, 9);
}

TEST(Words, ProgramCounterCountsAndWraps) {
  struct Case {
    const char* name;
    const MachineConfig& cfg;
    int from;
    const char* after;
    int after10;
  } cases[] = {
      {"basic 011 to 100", TELUN_MACHINE, 3, "100", 4},
      {"basic 111 wraps", TELUN_MACHINE, 7, "000", 0},
      {"M 0111 to 1000", TELUNM_MACHINE, 7, "1000", 8},
      {"M 1111 wraps", TELUNM_MACHINE, 15, "0000", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Machine m(c.cfg);
    for (int k = 0; k < c.from; ++k) m.INCPC();
    EXPECT_EQ(m.PC10, c.from);
    m.INCPC();
    std::string pc;
    for (int i = c.cfg.AW; i >= 1; --i) pc.push_back(static_cast<char>('0' + m.PC[i]));
    EXPECT_EQ(pc, c.after);
    EXPECT_EQ(m.PC10, c.after10);
  }
}

TEST(Words, ClearAllEmptiesEverything) {
  Machine m(TELUNM_MACHINE);
  for (int c = 0; c < 16; ++c) m.set_cell(c, 12345 + c);
  m.SM.fill(1);
  m.RK.fill(1);
  m.INCPC();
  m.CLRALL();
  for (int c = 0; c < 16; ++c) {
    m.CELL = c;
    m.NUMBER();
    EXPECT_EQ(m.NUM, 0) << "cell " << c;
  }
  EXPECT_EQ(digits_of(m.SM, 15), std::string(15, '0'));
  EXPECT_EQ(digits_of(m.RK, 15), std::string(15, '0'));
  EXPECT_EQ(m.PC10, 0);
  EXPECT_EQ(m.PC[1] + m.PC[2] + m.PC[3] + m.PC[4], 0);
}

}  // namespace
}  // namespace telun

// The instruction cycle: each instruction in both configurations, the
// stops, and the order in which the cycle repaints and reaches its hooks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "machine/machine.h"

namespace telun {
namespace {

int instruction(const MachineConfig& cfg, int kop, int a1, int a2, int a3) {
  const int aw = cfg.AW;
  return (kop << (cfg.W - 3)) + (a1 << (2 * aw)) + (a2 << aw) + a3;
}

int value_of_sm(const Machine& m) {
  int v = 0;
  for (int i = m.W(); i >= 1; --i) v = v * 2 + m.SM[i];
  return v;
}

// Records every repaint and hook in the order the cycle makes them.
struct Recorder : MachineView, CycleHooks {
  explicit Recorder(Machine& m) : m_(m) {}
  std::vector<std::string> log;
  std::vector<std::string> lines;
  int editor_at_fetch = 0;  // set REGIM to 1 at this many-th fetch (0: never)
  int fetches = 0;
  void VIZUALMEM() override { log.push_back("mem " + std::to_string(m_.CELL)); }
  void VIZUALRK() override { log.push_back("rk"); }
  void VIZUALSM() override { log.push_back("sm"); }
  void VIZUALPC() override { log.push_back("pc"); }
  void show_output(int j, std::string_view line) override {
    log.push_back("out " + std::to_string(j));
    lines.emplace_back(line);
  }
  void fetched() override {
    log.push_back("fetched");
    if (++fetches == editor_at_fetch) m_.REGIM = 1;
  }
  void advanced() override { log.push_back("advanced"); }
  void loaded_first() override { log.push_back("loaded_first"); }
  void before_move_store() override { log.push_back("before_move_store"); }
  void arithmetic_done() override { log.push_back(std::string("arithmetic ") + static_cast<char>(m_.OPSIGN)); }
  void before_result_store() override { log.push_back("before_result_store"); }
  void compared() override { log.push_back("compared"); }
  void branched() override { log.push_back("branched"); }
  void before_output(int j) override { log.push_back("before_output " + std::to_string(j)); }
  void after_output(int j) override { log.push_back("after_output " + std::to_string(j)); }
  Machine& m_;
};

// One instruction in cell 0 with operands in cells 5 and 6 and the result in 7.
struct OneInstruction {
  OneInstruction(const MachineConfig& cfg, int kop, int x, int y, int old = 99) : m(cfg) {
    m.set_cell(0, instruction(cfg, kop, 5, 6, 7));
    m.set_cell(5, x);
    m.set_cell(6, y);
    m.set_cell(7, old);
    m.REGIM = 2;
    m.KOMANDA();
  }
  Machine m;
};

TEST(Cycle, ArithmeticInBothConfigurations) {
  struct Case {
    const char* name;
    const MachineConfig& cfg;
    int kop, x, y;
    int stored;      // value of cell 7 afterwards
    int sm;          // value shown in SM
    bool overflow, zero;
  } cases[] = {
      {"basic add", TELUN_MACHINE, 1, 3, 4, 7, 7, false, false},
      {"basic add to 4095", TELUN_MACHINE, 1, 4000, 95, 4095, 4095, false, false},
      {"basic add 4095+1 overflows", TELUN_MACHINE, 1, 4095, 1, 99, 0, true, false},
      {"basic mul 64*64 overflows", TELUN_MACHINE, 5, 64, 64, 99, 0, true, false},
      {"basic mul 65*64 overflows", TELUN_MACHINE, 5, 65, 64, 99, 64, true, false},
      {"basic mul 63*65", TELUN_MACHINE, 5, 63, 65, 4095, 4095, false, false},
      {"basic sub 3-5", TELUN_MACHINE, 3, 3, 5, 2, 2, false, false},
      {"basic sub 5-3", TELUN_MACHINE, 3, 5, 3, 2, 2, false, false},
      {"basic sub equal", TELUN_MACHINE, 3, 9, 9, 0, 0, false, false},
      {"basic div 7/2", TELUN_MACHINE, 2, 7, 2, 3, 3, false, false},
      {"basic div 0/5", TELUN_MACHINE, 2, 0, 5, 0, 0, false, false},
      {"basic div 5/0", TELUN_MACHINE, 2, 5, 0, 99, 0, false, true},
      {"M add 32767+1 overflows", TELUNM_MACHINE, 1, 32767, 1, 99, 0, true, false},
      {"M add 16384+16383", TELUNM_MACHINE, 1, 16384, 16383, 32767, 32767, false, false},
      {"M add 32767+32767 overflows", TELUNM_MACHINE, 1, 32767, 32767, 99, 32766, true, false},
      {"M mul 32767*32767 overflows", TELUNM_MACHINE, 5, 32767, 32767, 99, 1, true, false},
      {"M mul 181*181", TELUNM_MACHINE, 5, 181, 181, 32761, 32761, false, false},
      {"M sub 0-32767", TELUNM_MACHINE, 3, 0, 32767, 32767, 32767, false, false},
      {"M div 32767/2", TELUNM_MACHINE, 2, 32767, 2, 16383, 16383, false, false},
      {"M div 5/0", TELUNM_MACHINE, 2, 5, 0, 99, 0, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    OneInstruction r(c.cfg, c.kop, c.x, c.y);
    EXPECT_EQ(r.m.value_of(7), c.stored);
    EXPECT_EQ(value_of_sm(r.m), c.sm);
    EXPECT_EQ(r.m.NUM1, c.x);
    const bool error = c.overflow || c.zero;
    EXPECT_EQ(r.m.STOPFLAG, error);
    const std::string_view message = c.overflow ? c.cfg.overflow_text : c.zero ? c.cfg.zero_text : "";
    EXPECT_EQ(r.m.ERRMSG, message);
    EXPECT_EQ(r.m.PC10, 1);
    EXPECT_EQ(r.m.HILITE, 0);
    EXPECT_EQ(r.m.PCSTR, std::string(static_cast<std::size_t>(c.cfg.AW), '0'));
    EXPECT_EQ(r.m.value_of(5), c.x);  // operands untouched
  }
}

TEST(Cycle, ErrorTextsOfEachProgram) {
  EXPECT_EQ(OneInstruction(TELUN_MACHINE, 1, 4095, 1).m.ERRMSG, cp866(u8"ПЕРЕПОЛНЕНИЕ !!! ").view());
  EXPECT_EQ(OneInstruction(TELUNM_MACHINE, 2, 1, 0).m.ERRMSG, cp866(u8"ДЕЛЕНИЕ НА НОЛЬ !!!").view());
  EXPECT_EQ(OneInstruction(LIMET_MACHINE, 5, 32767, 2).m.ERRMSG, cp866(u8"ПЕРЕПОЛНЕНИЕ!!!").view());
  EXPECT_EQ(OneInstruction(LIMET_MACHINE, 2, 1, 0).m.ERRMSG, cp866(u8"ДЕЛЕНИЕ НА 0!!!").view());
}

TEST(Cycle, MoveCopiesEveryDigit) {
  for (const MachineConfig* cfg : {&TELUN_MACHINE, &TELUNM_MACHINE}) {
    SCOPED_TRACE(cfg->W);
    Machine m(*cfg);
    m.set_cell(0, instruction(*cfg, 0, 5, 3, 7));
    m.set_cell(5, cfg->max_value());
    m.KOMANDA();
    EXPECT_EQ(m.MEM[7], m.MEM[5]);
    EXPECT_EQ(m.SM, m.MEM[5]);
    EXPECT_FALSE(m.STOPFLAG);
  }
}

TEST(Cycle, ConditionalJumps) {
  struct Case {
    const char* name;
    const MachineConfig& cfg;
    int kop, x, y, target;
    bool taken;
  } cases[] = {
      {"basic BEQ equal", TELUN_MACHINE, 4, 3, 3, 6, true},
      {"basic BEQ differ", TELUN_MACHINE, 4, 3, 4, 6, false},
      {"basic BPL greater", TELUN_MACHINE, 6, 4, 3, 5, true},
      {"basic BPL equal", TELUN_MACHINE, 6, 3, 3, 5, false},
      {"basic BPL less", TELUN_MACHINE, 6, 2, 3, 5, false},
      {"M BEQ to own cell", TELUNM_MACHINE, 4, 0, 0, 2, true},
      {"M BPL to 15", TELUNM_MACHINE, 6, 32767, 0, 15, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Machine m(c.cfg);
    const int a1 = c.cfg.N == 8 ? 3 : 8;
    m.set_cell(2, instruction(c.cfg, c.kop, a1, 4, c.target));
    m.set_cell(a1, c.x);
    m.set_cell(4, c.y);
    m.INCPC();
    m.INCPC();
    m.KOMANDA();
    EXPECT_EQ(m.USLOVIE, c.taken);
    const int expected = c.taken ? c.target : 3;
    EXPECT_EQ(m.PC10, expected);
    int pc = 0;
    for (int i = c.cfg.AW; i >= 1; --i) pc = pc * 2 + m.PC[i];
    EXPECT_EQ(pc, expected);
    EXPECT_EQ(value_of_sm(m), c.x);  // SM holds the first operand
    EXPECT_FALSE(m.STOPFLAG);
  }
}

TEST(Cycle, JumpToItsOwnCellLoopsForever) {
  Machine m(TELUNM_MACHINE);
  m.set_cell(0, instruction(TELUNM_MACHINE, 4, 1, 1, 0));
  for (int k = 0; k < 50; ++k) m.KOMANDA();
  EXPECT_EQ(m.PC10, 0);
  EXPECT_FALSE(m.STOPFLAG);
}

TEST(Cycle, CounterWrapsFromTheLastCell) {
  Machine m(TELUN_MACHINE);
  for (int k = 0; k < 8; ++k) m.KOMANDA();  // eight moves of cell 0 to itself
  EXPECT_EQ(m.PC10, 0);
  m.set_cell(7, instruction(TELUN_MACHINE, 7, 1, 2, 3));
  for (int k = 0; k < 8; ++k) m.KOMANDA();
  EXPECT_TRUE(m.STOPFLAG);
  EXPECT_EQ(m.PC10, 0);  // HLT in the last cell leaves PC at 0
  EXPECT_EQ(m.PC[1] + m.PC[2] + m.PC[3], 0);
}

TEST(Cycle, StopInstructionOutputLines) {
  struct Case {
    const MachineConfig& cfg;
    const char* line1;
    const char* line3;
  } cases[] = {
      {TELUN_MACHINE, "000 000 000 101   5", "111 111 111 111   4095"},
      {TELUNM_MACHINE, "000 0000 0000 0101   5", "111 1111 1111 1111   32767"},
      {LIMET_MACHINE, "X = 000 0000 0000 0101 = 5", "Z = 111 1111 1111 1111 = 32767"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line1);
    Machine m(c.cfg);
    Recorder rec(m);
    m.set_view(&rec);
    m.OUTNAME = {'X', 'Y', 'Z'};
    m.set_cell(0, instruction(c.cfg, 7, 5, 6, 7));
    m.set_cell(5, 5);
    m.set_cell(6, 0);
    m.set_cell(7, c.cfg.max_value());
    m.REGIM = 2;
    m.KOMANDA();
    ASSERT_EQ(rec.lines.size(), 3u);
    EXPECT_EQ(rec.lines[0], c.line1);
    EXPECT_EQ(rec.lines[2], c.line3);
    EXPECT_TRUE(m.STOPFLAG);
    EXPECT_TRUE(m.ERRMSG.empty());
    EXPECT_EQ(m.PC10, 1);
  }
}

TEST(Cycle, StopShowsCellsAsTheyAreAtTheStop) {
  Machine m(TELUN_MACHINE);
  Recorder rec(m);
  m.set_view(&rec);
  m.set_cell(0, instruction(TELUN_MACHINE, 1, 5, 6, 7));  // 7 := 5 + 6
  m.set_cell(1, instruction(TELUN_MACHINE, 7, 7, 7, 7));  // show cell 7 three times
  m.set_cell(5, 2);
  m.set_cell(6, 3);
  m.REGIM = 2;
  m.KOMANDA();
  m.KOMANDA();
  ASSERT_EQ(rec.lines.size(), 3u);
  for (const auto& l : rec.lines) EXPECT_EQ(l, "000 000 000 101   5");
}

// The order of repaints and hook points for each kind of instruction.
TEST(Cycle, OrderOfStepsAndHooks) {
  const std::vector<std::string> head = {"rk", "mem 0", "fetched", "pc", "advanced"};
  struct Case {
    const char* name;
    int kop, x, y;
    std::vector<std::string> rest;
  } cases[] = {
      {"move", 0, 1, 1, {"sm", "loaded_first", "before_move_store", "mem 7"}},
      {"add", 1, 1, 2, {"sm", "loaded_first", "arithmetic +", "sm", "before_result_store", "mem 7"}},
      {"add overflow", 1, 4095, 1, {"sm", "loaded_first", "arithmetic +", "sm"}},
      {"divide by zero", 2, 1, 0, {"sm", "loaded_first", "arithmetic /", "sm"}},
      {"sub", 3, 1, 2, {"sm", "loaded_first", "arithmetic -", "sm", "before_result_store", "mem 7"}},
      {"mul", 5, 1, 2, {"sm", "loaded_first", "arithmetic *", "sm", "before_result_store", "mem 7"}},
      {"jump taken", 4, 1, 1, {"sm", "loaded_first", "compared", "pc", "branched"}},
      {"jump not taken", 6, 1, 1, {"sm", "loaded_first", "compared", "branched"}},
      {"stop", 7, 1, 1,
       {"before_output 1", "out 1", "after_output 1", "before_output 2", "out 2", "after_output 2",
        "before_output 3", "out 3", "after_output 3"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Machine m(TELUN_MACHINE);
    Recorder rec(m);
    m.set_view(&rec);
    m.set_hooks(&rec);
    m.set_cell(0, instruction(TELUN_MACHINE, c.kop, 5, 6, 7));
    m.set_cell(5, c.x);
    m.set_cell(6, c.y);
    m.REGIM = 4;
    m.KOMANDA();
    std::vector<std::string> expected = head;
    expected.insert(expected.end(), c.rest.begin(), c.rest.end());
    EXPECT_EQ(rec.log, expected);
  }
}

TEST(Cycle, StopAfterAReturnToTheEditorWritesNoLines) {
  Machine m(TELUN_MACHINE);
  Recorder rec(m);
  m.set_view(&rec);
  m.set_hooks(&rec);
  rec.editor_at_fetch = 1;  // "E" pressed in the pause after phase 1
  m.set_cell(0, instruction(TELUN_MACHINE, 7, 1, 2, 3));
  m.REGIM = 4;
  m.KOMANDA();
  EXPECT_TRUE(rec.lines.empty());
  EXPECT_TRUE(m.STOPFLAG);
  EXPECT_TRUE(m.ERRMSG.empty());
}

}  // namespace
}  // namespace telun

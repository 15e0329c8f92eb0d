// The clock-phase commentary: the texts the information window shows at
// the hook points of the instruction cycle, and the pauses between phases.
// Every text is written only when the mode is TAKT at the moment it is due,
// so a mode key pressed in a pause takes effect from the next phase on.
//
//   phase 1  fetch        "Выборка команды из" / "ячейки <PC> в РК"     pause
//   phase 2  advance      "Увеличение CK на 1" ...                      pause
//   phase 3  first number "1-е число из ячейки" / "<A1> в CM"           pause
//   phase 4  transfer     "Запись CM в ячейку " / "<A3>"                (store)
//            arithmetic   "CM <sign> 2-е число из" / "ячейки <A2> в CM" pause unless an error
//            jump         "Сравнить СМ и ячейку" / "<A2>"               pause
//   phase 5  arithmetic   "Результат в ячейку " / "<A3>"                (store)
//            jump         "Условие выполнено." or "Условие не выполнено"
//   3, 4, 5  stop         "Вывод j-го числа" / "на дисплей"             output line j, pause
#include "simulator/simulator.h"
#include "simulator/texts.h"

namespace telun {

void Simulator::phase_label(char number) {
  con_.go_to(cfg_.label_column, 9);
  con_.write(simtext::PHASE);
  con_.write_char(static_cast<std::uint8_t>(number));
}

void Simulator::phase(char number) {
  INIINFWIN();
  phase_label(number);
}

void Simulator::field_digits(int field) {
  // Field 1 is A1 (the highest address field), field 3 is A3 (digits 1..AW).
  const int aw = machine_.AW();
  const int low = (3 - field) * aw + 1;
  for (int i = low + aw - 1; i >= low; --i) con_.write_char(static_cast<std::uint8_t>('0' + machine_.RK[i]));
}

void Simulator::fetched() {
  if (REGIM > 2) INIINFWIN();
  if (!takt()) return;
  phase_label('1');  // the run layout was just drawn
  write_at(cfg_.comment_column, 14, simtext::FETCH_1);
  write_at(cfg_.comment_column, 15, simtext::FETCH_2);
  con_.write(machine_.PCSTR);  // PC before the increment
  con_.write(cfg_.into_rk);
  WAIT();
}

void Simulator::advanced() {
  if (!takt()) return;
  phase('2');
  write_at(cfg_.comment_column, 14, simtext::ADVANCE_1);
  write_at(cfg_.comment_column, 15, simtext::ADVANCE_2);
  write_at(cfg_.comment_column, 16, simtext::ADVANCE_3);
  write_at(cfg_.comment_column, 17, simtext::ADVANCE_4);
  WAIT();
}

void Simulator::loaded_first() {
  if (!takt()) return;
  phase('3');
  write_at(cfg_.comment_column, 14, simtext::LOAD_1);
  con_.go_to(cfg_.comment_column, 15);
  field_digits(1);
  con_.write(simtext::INTO_CM);
  WAIT();
}

void Simulator::before_move_store() {
  if (!takt()) return;
  phase('4');
  write_at(cfg_.comment_column, 14, simtext::MOVE_STORE);
  con_.go_to(cfg_.comment_column, 15);
  field_digits(3);
}

void Simulator::arithmetic_done() {
  if (!takt()) return;
  phase('4');
  write_at(cfg_.comment_column, 14, simtext::ARITH_CM);
  con_.write_char(machine_.OPSIGN);
  con_.write(simtext::ARITH_SECOND);
  write_at(cfg_.comment_column, 15, simtext::FETCH_2);
  field_digits(2);
  con_.write(simtext::INTO_CM);
}

void Simulator::before_result_store() {
  // Reached only when the arithmetic did not fail: the pause after phase 4.
  if (!takt()) return;
  WAIT();
  if (!takt()) return;
  phase('5');
  write_at(cfg_.comment_column, 14, simtext::RESULT_STORE);
  con_.go_to(cfg_.comment_column, 15);
  field_digits(3);
}

void Simulator::compared() {
  if (!takt()) return;
  phase('4');
  write_at(cfg_.comment_column, 14, simtext::COMPARE);
  con_.go_to(cfg_.comment_column, 15);
  field_digits(2);
  WAIT();
}

void Simulator::VIZUSLOVIE() {
  phase('5');
  write_at(cfg_.comment_column, 14, simtext::CONDITION);
}

void Simulator::branched() {
  if (!takt()) return;
  VIZUSLOVIE();
  if (machine_.USLOVIE) {
    con_.write(simtext::CONDITION_HOLDS);
    write_at(cfg_.comment_column, 15, simtext::JUMP_TO);
    field_digits(3);
  } else {
    con_.write(simtext::CONDITION_FAILS);
    write_at(cfg_.comment_column, 15, simtext::NO_JUMP);
  }
}

void Simulator::PRINT(int j) {
  if (!takt()) return;
  phase(static_cast<char>('0' + j + 2));
  write_at(cfg_.comment_column, 14, simtext::OUTPUT_1);
  con_.write_int(j);
  con_.write(simtext::OUTPUT_2);
  write_at(cfg_.comment_column, 15, simtext::OUTPUT_3);
}

void Simulator::before_output(int j) { PRINT(j); }

void Simulator::after_output(int) {
  if (takt()) WAIT();
}

}  // namespace telun

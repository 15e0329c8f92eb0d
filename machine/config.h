#pragma once
// The two configurations of the machine and the per-program texts of the
// cycle. One program uses one configuration for its whole life.

#include <string_view>

#include "machine/cp866.h"

namespace telun {

struct MachineConfig {
  int N;               // memory cells, addresses 0..N-1
  int W;               // digits per cell, in RK and in SM
  int AW;              // digits per address, in PC
  int whole_selector;  // P2V10 selector of the whole cell: 4 basic, 5 M
  // The stop instruction's output line: limet writes the variable's name and
  // " = " first, and "= " before the value instead of two blanks.
  bool named_output;
  std::string_view value_separator;
  std::string_view overflow_text;  // ERRMSG of OVERFLOW
  std::string_view zero_text;      // ERRMSG of ZERO
  int max_value() const { return (1 << W) - 1; }
};

namespace texts {
inline constexpr auto OVERFLOW_SIM = cp866(u8"ПЕРЕПОЛНЕНИЕ !!! ");
inline constexpr auto ZERO_SIM = cp866(u8"ДЕЛЕНИЕ НА НОЛЬ !!!");
inline constexpr auto OVERFLOW_LIMET = cp866(u8"ПЕРЕПОЛНЕНИЕ!!!");
inline constexpr auto ZERO_LIMET = cp866(u8"ДЕЛЕНИЕ НА 0!!!");
}  // namespace texts

// telun: 8 cells of 12 digits.
inline constexpr MachineConfig TELUN_MACHINE{8, 12, 3, 4, false, "  ", texts::OVERFLOW_SIM, texts::ZERO_SIM};
// telunm: 16 cells of 15 digits.
inline constexpr MachineConfig TELUNM_MACHINE{16, 15, 4, 5, false, "  ", texts::OVERFLOW_SIM, texts::ZERO_SIM};
// limet: the M machine with the workbench's own texts.
inline constexpr MachineConfig LIMET_MACHINE{16, 15, 4, 5, true, "= ", texts::OVERFLOW_LIMET, texts::ZERO_LIMET};

}  // namespace telun

#pragma once
// The screen texts of limet, in code page 866. Where a text holds Latin
// letters that look like Cyrillic ones, or the other way round, it says so.

#include <array>
#include <string_view>

#include "machine/cp866.h"

namespace telun::wbtext {

// Program window.
inline constexpr auto CHANGED_MARK = cp866(u8" * ");
inline constexpr auto CLEAR_QUESTION = cp866(u8"Очистить программу(Д/Н)?");  // Cyrillic Д, Н

// The help on allowed constructions, rows 13..19 from column 35; the first
// in inverse video. The keywords are Latin, "комментарий" Cyrillic.
inline constexpr auto HELP_TITLE = cp866(u8"Допустимые конструкции: ");
inline constexpr auto HELP_1 = cp866(u8"      IF/then/else");
inline constexpr auto HELP_2 = cp866(u8"WHILE/do    REPEAT/until");
inline constexpr auto HELP_3 = cp866(u8"   FOR/to(downto)/do");
inline constexpr auto HELP_4 = cp866(u8"       BEGIN/end");
inline constexpr auto HELP_5 = cp866(u8"  WRITELN(x,y,z);halt");
inline constexpr auto HELP_6 = cp866(u8"     {комментарий}");
inline constexpr std::array<std::string_view, 6> HELP_LINES = {HELP_1, HELP_2, HELP_3, HELP_4, HELP_5, HELP_6};

// Compile driver, machine screen box.
inline constexpr auto COMPILING = cp866(u8"Идет компиляция...");
inline constexpr auto COMPILE_ERROR = cp866(u8"Ошибка компиляции:");
inline constexpr auto SYMBOL_LABEL = cp866(u8"символ - ");

// Run reports, machine screen box.
inline constexpr auto INSTRUCTION = cp866(u8"команда ");
inline constexpr auto RUN_ERROR = cp866(u8"Ошибка при исполнении:");
inline constexpr auto STOP_BY_KEY = cp866(u8"СТОП ПО КЛАВИАТУРЕ");

}  // namespace telun::wbtext

#pragma once
// The screen texts of telun and telunm, in code page 866. Several of them
// hold Latin capitals that look like Cyrillic ones; each such text says so.

#include "machine/cp866.h"

namespace telun::simtext {

// Information window, editor layout.
inline constexpr auto CELL_LABEL = cp866(u8"ЯЧЕЙКА: ");
inline constexpr auto DECIMAL_LABEL = cp866(u8"ДЕСЯТИЧНОЕ ЧИСЛО:");
inline constexpr auto COMMAND_LABEL = cp866(u8"КОМАНДА:");
inline constexpr auto OPERATION_LABEL = cp866(u8"операция ");
inline constexpr auto OPERANDS_LABEL = cp866(u8"операнды, значения");

// Information window, run layout.
inline constexpr auto DONE_LABEL = cp866(u8"ВЫПОЛНЕНО:");
inline constexpr auto INSTRUCTION_LABEL = cp866(u8"Команда ");
inline constexpr auto ERRORS_LABEL = cp866(u8"ОШИБКИ:");
inline constexpr auto NO_ERRORS = cp866(u8"HET");  // Latin H, E, T
inline constexpr auto COMMENTS_LABEL = cp866(u8"КОММЕНТАРИИ:");

// Stop report.
inline constexpr auto STOP_INSTRUCTION = cp866(u8"КОМАНДА СТОП");
inline constexpr auto STOP_BY_KEY = cp866(u8"СТОП ПО КЛАВИАТУРЕ");
inline constexpr auto RUN_ERROR = cp866(u8"ОШИБКА ПРИ СЧЕТЕ!!!");

// Mode menu.
inline constexpr auto MENU_TITLE = cp866(u8" РЕЖИМ:");

// Clock phases.
inline constexpr auto PHASE = cp866(u8"Такт ");
inline constexpr auto FETCH_1 = cp866(u8"Выборка команды из");
inline constexpr auto FETCH_2 = cp866(u8"ячейки ");
inline constexpr auto INTO_RK = cp866(u8" в РК");  // Cyrillic Р, К
inline constexpr auto INTO_RK_M = cp866(u8" в РК      ");  // Cyrillic Р, К; six blanks
inline constexpr auto ADVANCE_1 = cp866(u8"Увеличение CK на 1");  // Latin C, K
inline constexpr auto ADVANCE_2 = cp866(u8"(подготовка к выбор-");
inline constexpr auto ADVANCE_3 = cp866(u8"ке следующей коман-");
inline constexpr auto ADVANCE_4 = cp866(u8"ды)");
inline constexpr auto LOAD_1 = cp866(u8"1-е число из ячейки");
inline constexpr auto INTO_CM = cp866(u8" в CM");  // Latin C, M
inline constexpr auto MOVE_STORE = cp866(u8"Запись CM в ячейку ");  // Latin C, M
inline constexpr auto ARITH_CM = cp866(u8"CM ");  // Latin C, M
inline constexpr auto ARITH_SECOND = cp866(u8" 2-е число из");
inline constexpr auto RESULT_STORE = cp866(u8"Результат в ячейку ");
inline constexpr auto COMPARE = cp866(u8"Сравнить СМ и ячейку");  // Cyrillic С, М
inline constexpr auto CONDITION = cp866(u8"Условие ");
inline constexpr auto CONDITION_HOLDS = cp866(u8"выполнено.");
inline constexpr auto CONDITION_FAILS = cp866(u8"не выполнено");
inline constexpr auto JUMP_TO = cp866(u8"Переход к ячейке ");
inline constexpr auto NO_JUMP = cp866(u8"Перехода нет.");
inline constexpr auto OUTPUT_1 = cp866(u8"Вывод ");
inline constexpr auto OUTPUT_2 = cp866(u8"-го числа");
inline constexpr auto OUTPUT_3 = cp866(u8"на дисплей");

}  // namespace telun::simtext

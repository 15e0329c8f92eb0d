#pragma once
// The compiler's own texts, in code page 866, and the symbol codes by which
// the scanner reports operators and separators.

#include <array>
#include <cstdint>
#include <initializer_list>

#include "machine/cp866.h"

namespace telun::msg {

// Scanner and comment filter.
inline constexpr auto NO_SYMBOL = cp866(u8"не найден символ");
inline constexpr auto EXPECTED = cp866(u8"ожидается ");  // followed by the character expected
inline constexpr auto NO_BRACE = cp866(u8"не найден символ }");
// Memory.
inline constexpr auto NO_MEMORY = cp866(u8"нет памяти");
// Operands and assignment. The first letter of SYNTAX_LATIN is the Latin c
// (code 63 hex); SYNTAX is all Cyrillic. Both look alike on the screen.
inline constexpr auto SYNTAX_LATIN = cp866(u8"cинтаксическая ошибка");  // Latin "c" first
inline constexpr auto SYNTAX = cp866(u8"синтаксическая ошибка");
inline constexpr auto BAD_CONSTANT = cp866(u8"ошибка в константе");
inline constexpr auto VARIABLE_EXPECTED = cp866(u8"ожидается переменная");
inline constexpr auto UNDECLARED = cp866(u8"переменная не описана");
inline constexpr auto ASSIGN_EXPECTED = cp866(u8"ожидается присвоение");
inline constexpr auto WRONG_CONSTRUCT = cp866(u8"неподходящая конструкция");
// Statements.
inline constexpr auto EMPTY_BLOCK = cp866(u8"пусто между BEGIN и END");
inline constexpr auto END_EXPECTED = cp866(u8"ожидается END");
inline constexpr auto AFTER_THEN_BLOCK = cp866(u8"ожидается ; END или ELSE");
inline constexpr auto AFTER_BLOCK = cp866(u8"ожидается ; или END.");
inline constexpr auto THEN_EXPECTED = cp866(u8"ожидается слово THEN");
inline constexpr auto DO_EXPECTED = cp866(u8"ожидается слово DO");
inline constexpr auto HALT_EXPECTED = cp866(u8"ожидается слово HALT");
// Program analysis.
inline constexpr auto PROGRAM_EXPECTED = cp866(u8"ожидается слово PROGRAM");
inline constexpr auto VAR_EXPECTED = cp866(u8"ожидается слово VAR");
inline constexpr auto INTEGER_EXPECTED = cp866(u8"ожидается слово INTEGER");
inline constexpr auto BEGIN_EXPECTED = cp866(u8"ожидается слово BEGIN");
inline constexpr auto SEMICOLON_EXPECTED = cp866(u8"ожидается ;");
inline constexpr auto VARIABLE_LIST = cp866(u8"ошибка в списке переменных");
inline constexpr auto DECLARED_TWICE = cp866(u8"повторное описание");
inline constexpr auto END_WITHOUT_BEGIN = cp866(u8"END без BEGIN");
inline constexpr auto SUCCESS = cp866(u8"УСПЕШНОЕ ЗАВЕРШЕНИЕ КОМПИЛЯЦИИ");

}  // namespace telun::msg

namespace telun::sym {

// Symbol codes of CHKZNAK. 1..4 the arithmetic operators, 5 the assignment,
// 6..13 the symbols that end a construct, 14..19 the relations (each even
// code 14, 16, 18 followed by its negation).
inline constexpr int NONE = 0, PLUS = 1, MINUS = 2, TIMES = 3, DIV = 4, ASSIGN = 5;
inline constexpr int END = 6, THEN = 7, ELSE = 8, DOWNTO = 9, TO = 10, DO = 11, UNTIL = 12, SEMI = 13;
inline constexpr int EQ = 14, NE = 15, GT = 16, LE = 17, LT = 18, GE = 19;

inline constexpr bool is_operator(int code) { return code >= PLUS && code <= DIV; }
inline constexpr bool is_relation(int code) { return code >= EQ && code <= GE; }

// Symbol code of each relation keyword 24..29 of SW ("=" "<>" ">=" "<=" "<" ">").
inline constexpr std::array<int, 6> RELATION_CODE = {EQ, NE, GE, LE, LT, GT};

// PERECOD: the opcode of each symbol code; -1 leaves FKOP unchanged.
inline constexpr std::array<int, 20> OPCODE = {
    -1,                // none
    1, 3, 5, 2,        // + - * DIV: add, subtract, multiply, divide
    -1,                // :=
    0,                 // END: a move
    -1, -1, -1, -1, -1, -1,
    0,                 // ;: a move
    -1, -1, -1, -1, -1, -1,
};

// Sets of symbol codes, one bit per code.
constexpr std::uint32_t set_of(std::initializer_list<int> codes) {
  std::uint32_t s = 0;
  for (int c : codes) s |= 1u << c;
  return s;
}

// The symbols allowed right after an operand (COMPP), by follow mode.
inline constexpr std::uint32_t OPERATORS = set_of({PLUS, MINUS, TIMES, DIV});
inline constexpr std::uint32_t AFTER_TARGET = set_of({ASSIGN});                     // mode 1
inline constexpr std::uint32_t AFTER_ASSIGNMENT = OPERATORS | set_of({END, SEMI});  // mode 2, :=, WHILE, FOR body
inline constexpr std::uint32_t AFTER_IF_ASSIGNMENT = AFTER_ASSIGNMENT | set_of({ELSE});  // mode 2, IF
inline constexpr std::uint32_t AFTER_REPEAT_ASSIGNMENT = OPERATORS | set_of({UNTIL, SEMI});  // mode 2, REPEAT
inline constexpr std::uint32_t AFTER_FOR_START = OPERATORS | set_of({DOWNTO, TO});  // mode 2, FOR heading
inline constexpr std::uint32_t AFTER_LEFT_SIDE = OPERATORS | set_of({EQ, NE, GT, LE, LT, GE});  // mode 3
inline constexpr std::uint32_t AFTER_UNTIL_SIDE = OPERATORS | set_of({END, SEMI});  // mode 4, REPEAT
inline constexpr std::uint32_t AFTER_RIGHT_SIDE =
    OPERATORS | set_of({THEN, ELSE, DOWNTO, TO, DO, UNTIL});  // mode 4, others

}  // namespace telun::sym

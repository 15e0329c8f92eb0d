#pragma once
// The keyword table of LIMET: words and operators in the fixed order in
// which the scanner tries them, each ended by the mark "#".

#include <array>
#include <string_view>

namespace telun {

inline constexpr std::array<std::string_view, 30> SW = {
    "",          // entries are numbered from 1
    "PROGRAM#",  // 1
    "VAR#",      // 2
    "BEGIN#",    // 3
    ":=#",       // 4
    "IF#",       // 5
    "WHILE#",    // 6
    "REPEAT#",   // 7
    "FOR#",      // 8
    "WRITELN#",  // 9
    "INTEGER#",  // 10
    "END#",      // 11
    "THEN#",     // 12
    "ELSE#",     // 13
    "DOWNTO#",   // 14
    "TO#",       // 15
    "DO#",       // 16
    "UNTIL#",    // 17
    ";#",        // 18
    "HALT#",     // 19
    "+#",        // 20
    "-#",        // 21
    "*#",        // 22
    "DIV#",      // 23
    "=#",        // 24
    "<>#",       // 25
    ">=#",       // 26
    "<=#",       // 27
    "<#",        // 28
    ">#",        // 29
};

// The word of entry k without its end mark.
constexpr std::string_view keyword(int k) { return SW[k].substr(0, SW[k].size() - 1); }

}  // namespace telun

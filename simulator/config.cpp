// The configuration tables of the two simulators: every column of the cell
// editor, the information window, the mode menu and the commentary.
// All columns of telunm's window and menu are those of telun minus 2.
#include "simulator/simulator.h"
#include "simulator/texts.h"

namespace telun {

const SimulatorConfig TELUN{
    TELUN_MACHINE,
    TELUN_PANEL,
    /*digit_columns*/ {6, 8, 10, 14, 16, 18, 22, 24, 26, 30, 32, 34},
    /*clear_column*/ 38,
    /*clear_width*/ 21,
    /*label_column*/ 40,
    /*address_column*/ 48,
    /*decimal_column*/ 46,
    /*opcode_column*/ 49,
    /*decimal_blanks*/ "   ",
    /*operand_gap*/ "     ",
    /*operand_tail*/ "   ",
    /*run_pcstr*/ "   ",
    /*report_column*/ 40,
    /*auto_address_column*/ 48,
    /*menu_left*/ 43,
    /*menu_right*/ 54,
    /*menu_text_column*/ 45,
    /*comment_column*/ 39,
    /*into_rk*/ simtext::INTO_RK,
};

const SimulatorConfig TELUNM{
    TELUNM_MACHINE,
    TELUNM_PANEL,
    /*digit_columns*/ {8, 9, 10, 14, 15, 16, 17, 21, 22, 23, 24, 28, 29, 30, 31},
    /*clear_column*/ 36,
    /*clear_width*/ 23,
    /*label_column*/ 38,
    /*address_column*/ 46,
    /*decimal_column*/ 44,
    /*opcode_column*/ 47,
    /*decimal_blanks*/ "    ",
    /*operand_gap*/ "  ",
    /*operand_tail*/ "    ",
    /*run_pcstr*/ "   ",
    /*report_column*/ 38,
    /*auto_address_column*/ 46,
    /*menu_left*/ 41,
    /*menu_right*/ 52,
    /*menu_text_column*/ 43,
    /*comment_column*/ 37,
    /*into_rk*/ simtext::INTO_RK_M,
};

}  // namespace telun

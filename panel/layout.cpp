#include "panel/layout.h"

namespace telun {
namespace {

constexpr auto NOTICE_TELUN = cp866(u8"Учебный комплект ТЕЛУН, 8 ячеек");
constexpr auto NOTICE_TELUNM = cp866(u8"Учебный комплект ТЕЛУН-М, 16 ячеек");
constexpr auto NOTICE_LIMET = cp866(u8"Учебный комплект: язык ЛИМЕТ 1.0");
constexpr auto NOTICE_RIGHT = cp866(u8"Версия 1.0, 2026");
static_assert(NOTICE_TELUN.length == 31 && NOTICE_TELUNM.length == 34 && NOTICE_LIMET.length == 32);
static_assert(NOTICE_RIGHT.length == 16);

constexpr auto TITLE_TELUN = cp866(u8" Учебная ЭВМ  TELUN ");
constexpr auto TITLE_TELUNM = cp866(u8" Учебная ЭВМ \"TELUN-M\" ");
constexpr auto TITLE_LIMET = cp866(u8" Язык ЛИМЕТ для ЭВМ \"TELUN\" ");
static_assert(TITLE_TELUN.length == 20 && TITLE_TELUNM.length == 23 && TITLE_LIMET.length == 28);

// The "А" of the column headings is Cyrillic.
constexpr auto HEADING_TELUN = cp866(u8"Адрес КОП      А1      А2      А3");
constexpr auto HEADING_M = cp866(u8"Адрес   КОП   А1     А2     А3");

constexpr auto MEMORY_TITLE = cp866(u8" Память ЭВМ (ОЗУ) ");
constexpr auto ALU_TITLE = cp866(u8" Арифметико-логическое устройство ");
constexpr auto SCREEN_TITLE = cp866(u8" ЭКРАН ЭВМ ");
constexpr auto INFO_TITLE = cp866(u8" ИНФОРМАЦИОННОЕ ОКНО ");
constexpr auto PROGRAM_TITLE = cp866(u8" ПРОГРАММА ");

// "ABTO" and "TAKT" are Latin capitals.
constexpr auto MODE_EDITOR = cp866(u8"РЕДАКТОР");
constexpr auto MODE_AUTO = cp866(u8"  ABTO  ");
constexpr auto MODE_STEP = cp866(u8"  ШАГ   ");
constexpr auto MODE_TAKT = cp866(u8"  TAKT  ");
constexpr auto LIMET_MODE_EDITOR = cp866(u8"    РЕДАКТОР     ");
constexpr auto LIMET_MODE_AUTO = cp866(u8"ИСПОЛНЕНИЕ (АВТО)");
constexpr auto LIMET_MODE_STEP = cp866(u8"ИСПОЛНЕНИЕ (ШАГ) ");
constexpr auto LIMET_MODE_COMPILE = cp866(u8"   КОМПИЛЯЦИЯ    ");
static_assert(MODE_EDITOR.length == 8 && MODE_AUTO.length == 8 && MODE_STEP.length == 8 && MODE_TAKT.length == 8);
static_assert(LIMET_MODE_EDITOR.length == 17 && LIMET_MODE_AUTO.length == 17 && LIMET_MODE_STEP.length == 17 &&
              LIMET_MODE_COMPILE.length == 17);

constexpr auto KEYS_SIM_12 = cp866(u8" F5,R - РЕЖИМ");
constexpr auto KEYS_SIM_13 = cp866(u8" F1,A - ABTO");
constexpr auto KEYS_SIM_14 = cp866(u8" F2,E - РЕДАКТОР");
constexpr auto KEYS_SIM_15 = cp866(u8" F3,S - ШАГ");
constexpr auto KEYS_SIM_16 = cp866(u8" F4,T - TAKT");
constexpr auto KEYS_LIMET_12 = cp866(u8" F1 - ABTO");
constexpr auto KEYS_LIMET_13 = cp866(u8" F2 - РЕДАКТОР");
constexpr auto KEYS_LIMET_14 = cp866(u8" F3 - ШАГ");
constexpr auto KEYS_LIMET_15 = cp866(u8" F4 - КОМПИЛЯЦИЯ");
constexpr auto KEYS_LIMET_16 = cp866(u8" F5 - ОЧИСТКА");

constexpr BoxLayout HELP_BOX{60, 2, 79, 19, 1, {}, 1};
constexpr Point HELP_TEXT{61, 3};

}  // namespace

const PanelLayout TELUN_PANEL{
    NOTICE_TELUN, TITLE_TELUN, NOTICE_RIGHT, HEADING_TELUN,
    /*memory*/ {5, 3, 35, 19, 2, MEMORY_TITLE, 11},
    /*alu*/ {5, 20, 44, 24, 2, ALU_TITLE, 8},
    /*screen*/ {50, 20, 79, 24, 2, SCREEN_TITLE, 59},
    HELP_BOX,
    /*info*/ {37, 3, 59, 19, 1, INFO_TITLE, 38},
    /*mode*/ {39, 4, 57, 6, 1, {}, 1},
    /*program*/ {},
    false,
    6, 4, 2, 2,
    {3, 21}, {6, 21}, {3, 23}, {6, 23}, {39, 22}, {45, 22},
    54, 22,
    HELP_TEXT,
    {41, 5},
    DigitStyle::Spaced,
    {MODE_EDITOR, MODE_AUTO, MODE_STEP, MODE_TAKT},
    {KEYS_SIM_12, KEYS_SIM_13, KEYS_SIM_14, KEYS_SIM_15, KEYS_SIM_16},
};

const PanelLayout TELUNM_PANEL{
    NOTICE_TELUNM, TITLE_TELUNM, NOTICE_RIGHT, HEADING_M,
    /*memory*/ {6, 3, 33, 20, 2, MEMORY_TITLE, 11},
    /*alu*/ {6, 21, 43, 24, 2, ALU_TITLE, 8},
    /*screen*/ {50, 20, 79, 24, 2, SCREEN_TITLE, 59},
    HELP_BOX,
    /*info*/ {34, 3, 59, 19, 1, INFO_TITLE, 36},
    /*mode*/ {37, 4, 55, 6, 1, {}, 1},
    /*program*/ {},
    false,
    8, 4, 1, 2,
    {3, 22}, {8, 22}, {3, 23}, {8, 23}, {38, 23}, {45, 23},
    52, 26,
    HELP_TEXT,
    {39, 5},
    DigitStyle::Packed,
    {MODE_EDITOR, MODE_AUTO, MODE_STEP, MODE_TAKT},
    {KEYS_SIM_12, KEYS_SIM_13, KEYS_SIM_14, KEYS_SIM_15, KEYS_SIM_16},
};

const PanelLayout LIMET_PANEL{
    NOTICE_LIMET, TITLE_LIMET, NOTICE_RIGHT, HEADING_M,
    /*memory*/ {6, 3, 33, 20, 2, MEMORY_TITLE, 11},
    /*alu*/ {6, 21, 43, 24, 2, ALU_TITLE, 8},
    /*screen*/ {48, 20, 79, 24, 2, SCREEN_TITLE, 59},
    HELP_BOX,
    /*info*/ {},
    /*mode*/ {34, 2, 59, 4, 1, {}, 1},
    /*program*/ {34, 5, 59, 20, 1, PROGRAM_TITLE, 42},
    true,
    8, 4, 1, 2,
    {3, 22}, {8, 22}, {3, 23}, {8, 23}, {38, 23}, {45, 23},
    49, 30,
    HELP_TEXT,
    {35, 3},
    DigitStyle::Packed,
    {LIMET_MODE_EDITOR, LIMET_MODE_AUTO, LIMET_MODE_STEP, LIMET_MODE_COMPILE},
    {KEYS_LIMET_12, KEYS_LIMET_13, KEYS_LIMET_14, KEYS_LIMET_15, KEYS_LIMET_16},
};

}  // namespace telun

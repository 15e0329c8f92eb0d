#include "panel/panel.h"

namespace telun {
namespace {

constexpr auto HELP_1 = cp866(u8"  СИСТЕМА КОМАНД:");
constexpr auto HELP_2 = cp866(u8"000 A1 ==> A3     ");
constexpr auto HELP_3 = cp866(u8"001 A1+A2==>A3    ");
constexpr auto HELP_4 = cp866(u8"010 A1/A2==>A3    ");
constexpr auto HELP_6 = cp866(u8"100 при A1=A2 к A3");
constexpr auto HELP_7 = cp866(u8"101 A1*A2==>A3    ");
constexpr auto HELP_8 = cp866(u8"110 при A1>A2 к A3");
constexpr auto HELP_9 = cp866(u8"111 СТОП, ВЫВОД   ");
constexpr auto HELP_11 = cp866(u8"   КЛАВИАТУРА");
constexpr auto MODE_LABEL = cp866(u8"РЕЖИМ: ");

}  // namespace

Panel::Panel(Machine& machine, Frames& frames, const PanelLayout& layout)
    : m_(machine), fr_(frames), con_(frames.console()), lay_(layout) {
  m_.set_view(this);
}

Panel::~Panel() { m_.set_view(nullptr); }

void Panel::draw_box(const BoxLayout& box) {
  if (box.title.empty()) {
    fr_.BOX12(box.x1, box.y1, box.x2, box.kind, 1, 1, box.y2);
  } else {
    fr_.BOX12(box.x1, box.y1, box.x2, box.kind, box.y1, box.title_column, box.y2);
    con_.write(box.title);
    con_.end_line();
  }
}

void Panel::INISCREEN() {
  con_.clear();
  con_.go_to(1, 1);
  con_.write(lay_.notice1);
  fr_.INVERSON();
  con_.write(lay_.title);
  fr_.INVERSOFF();
  con_.go_to(62, 1);
  con_.write(lay_.notice2);
  con_.end_line();
  con_.go_to(1, 2);
  con_.write(lay_.heading);
  con_.end_line();

  draw_box(lay_.memory);
  draw_box(lay_.alu);
  con_.go_to(lay_.ck_label.column, lay_.ck_label.row);
  con_.write("CK");
  if (lay_.screen_over_program) {
    draw_box(lay_.help);
    draw_box(lay_.mode);
    draw_box(lay_.program);
    draw_box(lay_.screen);
  } else {
    draw_box(lay_.screen);
    draw_box(lay_.help);
    draw_box(lay_.info);
    draw_box(lay_.mode);
  }

  INIHELP();
  for (int k = 1; k <= 16; ++k) {
    con_.go_to(lay_.help_text.column, lay_.help_text.row + k - 1);
    con_.write(HELP[k]);
    con_.end_line();
  }

  for (int c = 0; c < m_.N(); ++c) {
    m_.CELL = c;
    std::string& adr = ADRSTR[c];
    adr.clear();
    for (int i = m_.AW(); i >= 1; --i) adr.push_back(static_cast<char>('0' + m_.PC[i]));
    con_.go_to(lay_.address_column, lay_.row_of_cell(c));
    con_.write(adr);
    m_.INCPC();
    VIZUALMEM();
  }

  con_.go_to(lay_.rk_label.column, lay_.rk_label.row);
  con_.write("PK");
  con_.go_to(lay_.sm_label.column, lay_.sm_label.row);
  con_.write("CM");
  VIZUALRK();
  VIZUALSM();
  VIZUALPC();
}

void Panel::INIHELP() {
  HELP[1] = HELP_1.str();
  HELP[2] = HELP_2.str();
  HELP[3] = HELP_3.str();
  HELP[4] = HELP_4.str();
  HELP[5] = "011 ";
  HELP[5].push_back(static_cast<char>(fr_.VBAR[1]));
  HELP[5] += "A1-A2";
  HELP[5].push_back(static_cast<char>(fr_.VBAR[1]));
  HELP[5] += "==>A3  ";
  HELP[6] = HELP_6.str();
  HELP[7] = HELP_7.str();
  HELP[8] = HELP_8.str();
  HELP[9] = HELP_9.str();
  HELP[10].clear();
  HELP[11] = HELP_11.str();
  for (int k = 12; k <= 16; ++k) HELP[k] = std::string(lay_.key_help[k - 12]);
}

void Panel::ANARR() {
  if (I == 1) return;
  if (lay_.digits == DigitStyle::Spaced)
    row_ += (I - 1) % 3 == 0 ? " : " : " ";
  else if ((I - 1) % 4 == 0)
    row_ += " : ";
}

void Panel::digit_row(const Digits& digits) {
  // The row is formed first and written in one piece.
  row_.clear();
  for (I = m_.W(); I >= 1; --I) {
    row_.push_back(static_cast<char>('0' + digits[I]));
    ANARR();
  }
  con_.write(row_);
}

void Panel::VIZUALMEM() {
  const bool marked = m_.CELL == m_.HILITE;
  if (marked) fr_.INVERSON();
  con_.go_to(lay_.memory_column, lay_.row_of_cell(m_.CELL));
  digit_row(m_.MEM[m_.CELL]);
  if (marked) fr_.INVERSOFF();
}

void Panel::VIZUALALLMEM() {
  for (m_.CELL = 0; m_.CELL < m_.N(); ++m_.CELL) VIZUALMEM();
  m_.CELL = m_.N() - 1;
}

void Panel::VIZUALRK() {
  con_.go_to(lay_.rk_digits.column, lay_.rk_digits.row);
  digit_row(m_.RK);
}

void Panel::VIZUALSM() {
  con_.go_to(lay_.sm_digits.column, lay_.sm_digits.row);
  digit_row(m_.SM);
}

void Panel::VIZUALPC() {
  con_.go_to(lay_.pc_digits.column, lay_.pc_digits.row);
  for (int i = m_.AW(); i >= 1; --i) {
    con_.write_char(static_cast<std::uint8_t>('0' + m_.PC[i]));
    if (lay_.digits == DigitStyle::Spaced && i > 1) con_.write_char(' ');
  }
}

void Panel::show_output(int j, std::string_view line) {
  con_.go_to(lay_.output_column, 20 + j);
  con_.write(line);
  con_.end_line();
}

void Panel::CLRDISP() {
  for (int j = 1; j <= 3; ++j) {
    con_.go_to(lay_.output_column, 20 + j);
    con_.write(std::string(static_cast<std::size_t>(lay_.output_width), ' '));
  }
}

void Panel::REGIND() {
  fr_.INVERSON();
  con_.go_to(lay_.indicator.column, lay_.indicator.row);
  con_.write(MODE_LABEL);
  con_.write(lay_.REGNAME[m_.REGIM - 1]);
  fr_.INVERSOFF();
}

}  // namespace telun

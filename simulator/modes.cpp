// The mode keys, the pause between steps and the mode-selection menu.
// The same keys serve the editor and the pauses of a run:
//   A a F1: AUTO   E e F2: editor   S s F3: STEP   T t F4: TAKT   R r F5: menu
#include "simulator/simulator.h"
#include "simulator/texts.h"

namespace telun {
namespace {

// The mode a letter selects, 0 for none (only Latin letters are mode keys).
int letter_mode(std::uint8_t key) {
  switch (key) {
    case 'A': case 'a': return 2;
    case 'E': case 'e': return 1;
    case 'S': case 's': return 3;
    case 'T': case 't': return 4;
    default: return 0;
  }
}

// The mode a function key selects (its second code), 0 for none.
int function_mode(std::uint8_t code) {
  switch (code) {
    case KEY_F1: return 2;
    case KEY_F2: return 1;
    case KEY_F3: return 3;
    case KEY_F4: return 4;
    default: return 0;
  }
}

}  // namespace

void Simulator::WAIT() {
  KEY = con_.read_key();
  FUNKEY();
  if (con_.key_waiting()) KEY = con_.read_key();
}

void Simulator::FUNKEY() {
  LETTERS();
  if (KEY == frames_.KEYS[0]) {
    KEY = con_.read_key();
    EXTKODFUNKEY();
  }
}

void Simulator::mode_changed(int old_regim) {
  if (REGIM == old_regim) return;
  panel_.REGIND();
  // A switch between two run modes restarts the window with the run layout.
  if (old_regim != 1 && REGIM != 1) INIINFWIN();
}

void Simulator::LETTERS() {
  const int old = REGIM;
  if (const int mode = letter_mode(KEY)) REGIM = mode;
  mode_changed(old);
  if (KEY == 'R' || KEY == 'r') SELECTREGIM();
}

void Simulator::EXTKODFUNKEY() {
  const int old = REGIM;
  if (const int mode = function_mode(KEY)) REGIM = mode;
  mode_changed(old);
  if (KEY == KEY_F5) SELECTREGIM();
}

void Simulator::SELECTREGIM() {
  // The keys that keep the menu open: the arrows up and down, the mode
  // letters, and the codes 43, 58, 60, 62, 63 (so also F2, F4 and F5).
  auto in_keyset = [this](std::uint8_t k) {
    return k == frames_.KEYS[1] || k == frames_.KEYS[2] || letter_mode(k) != 0 || k == 43 || k == 58 ||
           k == 60 || k == 62 || k == 63;
  };
  CLRINFWIN();
  const int entry = REGIM;
  KEY = 'A';
  while (in_keyset(KEY)) {
    REGINDICATION();
    KEY = con_.read_key();
    const int before = REGIM;
    if (const int mode = letter_mode(KEY)) REGIM = mode;
    if (KEY == frames_.KEYS[0]) {
      KEY = con_.read_key();
      if (KEY == frames_.KEYS[1])
        REGIM = REGIM == 1 ? 4 : REGIM - 1;
      else if (KEY == frames_.KEYS[2])
        REGIM = REGIM == 4 ? 1 : REGIM + 1;
      else if (const int mode = function_mode(KEY))
        REGIM = mode;
    }
    if (REGIM != before) panel_.REGIND();
    if (con_.key_waiting()) KEY = con_.read_key();  // only decides whether the menu stays open
  }
  if (entry != 1 && REGIM != 1) INIINFWIN();
  if (entry == 1 && REGIM == 1) ANACELL(0);
}

void Simulator::REGINDICATION() {
  const int col = cfg_.menu_text_column;
  write_at(col, 10, simtext::MENU_TITLE);
  for (int i = 1; i <= 4; ++i) {
    con_.go_to(col, 10 + i);
    if (i == REGIM) frames_.INVERSON();
    con_.write(cfg_.panel.REGNAME[i - 1]);
    frames_.INVERSOFF();
  }
  frames_.BOX12(cfg_.menu_left, 9, cfg_.menu_right, 1, 1, 1, 15);
}

}  // namespace telun

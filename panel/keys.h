#pragma once
// Turns the bytes a terminal sends for its keys into the kit's key codes.
// Pure: no terminal, no clock. The terminal backend feeds it what it reads
// and tells it when the escape delay has passed with nothing more to read.
//
// What it decodes:
//   printable ASCII                     itself
//   UTF-8 letters code page 866 has     their cp866 byte (others dropped)
//   CR, LF, keypad Enter (ESC O M)      13
//   DEL (127), BS (8)                   8
//   Tab                                 9
//   Escape, nothing after it            27 (see expire)
//   Escape and a key that begins no     27, then that key (Alt-x gives 27 'x';
//   sequence                            ESC ESC gives 27 and a new Escape)
//   arrows: ESC [ A..D, ESC O A..D      0 72 / 0 80 / 0 77 / 0 75
//   F1..F4: ESC O P..S, ESC [ 1;2P ..   0 59 .. 0 62
//   F1..F10: ESC [ 11~ .. 15~, 17~ .. 21~ (VT, xterm)   0 59 .. 0 68
//   F1..F5: ESC [ [ A .. E (Linux console)              0 59 .. 0 63
//   Home ESC [ H, ESC O H, ESC [ 1~, ESC [ 7~           0 71
//   End  ESC [ F, ESC O F, ESC [ 4~, ESC [ 8~           0 79
//   PgUp ESC [ 5~  PgDn ESC [ 6~  Ins ESC [ 2~  Del ESC [ 3~   0 73/81/82/83
//   keypad in application mode (ESC O p..y, ESC O j..o)  its character
//   Ctrl-C (3)                          no code: interrupted() turns true
// Modifier parameters (ESC [ 1;5A, ESC [ 5;3~) are ignored: Ctrl-Up is Up.
// Every other escape sequence is dropped whole: CSI with any parameters or
// intermediates (ESC [ ? 2004 h, mouse reports, paste brackets), SS3,
// OSC/DCS/APC/PM/SOS strings up to BEL or ESC \, and ESC with an
// intermediate byte. Other control bytes are dropped.
// A sequence the terminal's description gives (describe) wins over the
// built-in reading of the same bytes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace telun {

// How long a lone Escape waits for the rest of a sequence before it counts
// as the Escape key. Terminals send a whole sequence in one write, so this
// only has to cover a slow line, not a person's typing.
inline constexpr int ESCAPE_DELAY_MS = 40;

// One key of the kit: a plain code, or KEY_PREFIX followed by code.
struct KitKey {
  bool extended = false;
  std::uint8_t code = 0;
  bool operator==(const KitKey&) const = default;
};

class KeyDecoder {
 public:
  // Adds a key sequence from the terminal's description (e.g. kf1 = ESC O P).
  // Sequences that do not start with ESC, or are a lone ESC, are ignored:
  // single bytes are decoded by the fixed table above.
  void describe(std::string_view sequence, KitKey key);

  // Decodes bytes and appends the codes of each completed key to out (both
  // codes of a two-code key together). Bytes of an unfinished sequence or
  // UTF-8 character are kept for the next call. After Ctrl-C the rest of
  // bytes is ignored and interrupted() is true.
  void feed(std::string_view bytes, std::deque<std::uint8_t>& out);

  // Nothing more arrived within ESCAPE_DELAY_MS: a lone Escape becomes 27,
  // any other unfinished sequence or character is dropped.
  void expire(std::deque<std::uint8_t>& out);

  // Bytes of an unfinished key are held (the backend then waits at most the
  // escape delay before calling expire).
  bool pending() const { return state_ != State::Ground; }

  // Ctrl-C was read.
  bool interrupted() const { return interrupted_; }

 private:
  enum class State {
    Ground,      // between keys
    Escape,      // ESC read
    Csi,         // ESC [ and parameter / intermediate bytes
    LinuxF,      // ESC [ [ (Linux console F1..F5)
    Ss3,         // ESC O and parameter bytes
    String,      // OSC, DCS, APC, PM, SOS: up to BEL or ST
    StringEsc,   // ESC inside such a string
    Intermediate, // ESC and intermediate bytes (ESC ( B ...)
    Mouse,       // the three raw bytes after ESC [ M
    Utf8,        // a UTF-8 lead byte and some continuation bytes
  };

  void step(std::uint8_t byte, std::deque<std::uint8_t>& out);
  void ground(std::uint8_t byte, std::deque<std::uint8_t>& out);
  void after_escape(std::uint8_t byte, std::deque<std::uint8_t>& out);
  void csi_byte(std::uint8_t byte, std::deque<std::uint8_t>& out);
  void finish_csi(std::uint8_t final_byte, std::deque<std::uint8_t>& out);
  void finish_ss3(std::uint8_t final_byte, std::deque<std::uint8_t>& out);
  // Emits the described key for the collected sequence; false when none.
  bool emit_described(std::deque<std::uint8_t>& out);
  void reset();

  State state_ = State::Ground;
  std::string sequence_;       // bytes of the escape sequence so far (capped)
  int first_param_ = -1;       // first numeric parameter of a CSI, -1 none
  int param_index_ = 0;        // which parameter of a CSI the digits belong to
  bool private_ = false;       // a private marker (< = > ?) or sub-parameter (:) seen
  bool intermediates_ = false; // an intermediate byte (0x20..0x2F) seen
  int mouse_left_ = 0;         // raw bytes of a mouse report still to skip
  char32_t utf8_value_ = 0;    // code point being assembled
  int utf8_left_ = 0;          // continuation bytes still expected
  char32_t utf8_min_ = 0;      // smallest code point of that length
  bool interrupted_ = false;   // Ctrl-C read
  std::vector<std::pair<std::string, KitKey>> described_;  // from the terminal's description
};

}  // namespace telun

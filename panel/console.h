#pragma once
// The text console the programs draw on: 80 columns by 25 rows, absolute
// 1-based positions (column first), single cp866 bytes, and a keyboard
// whose keys without a character arrive as the prefix 0 and a second code.

#include <cstdint>
#include <string_view>

namespace telun {

inline constexpr int SCREEN_COLUMNS = 80;
inline constexpr int SCREEN_ROWS = 25;

// Key codes of the kit: a key without a character arrives as KEY_PREFIX
// followed by one of the second codes below.
inline constexpr std::uint8_t KEY_PREFIX = 0;
inline constexpr std::uint8_t KEY_UP = 72, KEY_DOWN = 80, KEY_RIGHT = 77, KEY_LEFT = 75;
inline constexpr std::uint8_t KEY_F1 = 59, KEY_F2 = 60, KEY_F3 = 61, KEY_F4 = 62, KEY_F5 = 63;
inline constexpr std::uint8_t KEY_F6 = 64, KEY_F7 = 65, KEY_F8 = 66, KEY_F9 = 67, KEY_F10 = 68;
inline constexpr std::uint8_t KEY_HOME = 71, KEY_END = 79, KEY_PGUP = 73, KEY_PGDN = 81;
inline constexpr std::uint8_t KEY_INSERT = 82, KEY_DELETE = 83;
inline constexpr std::uint8_t KEY_ENTER = 13, KEY_BACKSPACE = 8, KEY_TAB = 9, KEY_ESCAPE = 27;
inline constexpr std::uint8_t BELL = 7;

class Console {
 public:
  virtual ~Console() = default;
  // Fills the screen with blanks in the current colours; output position (1, 1).
  virtual void clear() = 0;
  // Moves the output position.
  virtual void go_to(int column, int row) = 0;
  // Writes one cp866 byte and advances one column; 7 sounds the bell and moves nothing.
  virtual void write_char(std::uint8_t ch) = 0;
  virtual void write(std::string_view text) = 0;
  // Decimal digits, a minus sign when negative; no field width.
  virtual void write_int(int value) = 0;
  // Output position to column 1 of the next row.
  virtual void end_line() = 0;
  // Only the low three bits count.
  virtual void set_background(int colour) = 0;
  // 0..15.
  virtual void set_text_colour(int colour) = 0;
  // True when read_key would return at once.
  virtual bool key_waiting() = 0;
  // Waits for one key code.
  virtual std::uint8_t read_key() = 0;
};

}  // namespace telun

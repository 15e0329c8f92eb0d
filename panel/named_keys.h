#pragma once
// The named keys of the kit: every key that arrives as something other than
// its own character, with the kit's codes for it and the names the two
// backends know it by: the terminfo capability the terminal's description
// gives its sequence under, and the browser's KeyboardEvent.key. Both
// backends translate through this one table; characters (printable ASCII,
// Cyrillic and the rest of code page 866) go through cp866_from_unicode.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "machine/cp866.h"
#include "panel/console.h"

namespace telun {

struct NamedKey {
  bool extended;                // arrives as KEY_PREFIX, then code
  std::uint8_t code;            // the code, or the second code of an extended key
  std::string_view capability;  // terminfo capability name; empty when terminfo has none
  std::string_view dom;         // KeyboardEvent.key in a browser
};

inline constexpr std::array<NamedKey, 24> NAMED_KEYS = {{
    {true, KEY_F1, "kf1", "F1"},
    {true, KEY_F2, "kf2", "F2"},
    {true, KEY_F3, "kf3", "F3"},
    {true, KEY_F4, "kf4", "F4"},
    {true, KEY_F5, "kf5", "F5"},
    {true, KEY_F6, "kf6", "F6"},
    {true, KEY_F7, "kf7", "F7"},
    {true, KEY_F8, "kf8", "F8"},
    {true, KEY_F9, "kf9", "F9"},
    {true, KEY_F10, "kf10", "F10"},
    {true, KEY_UP, "kcuu1", "ArrowUp"},
    {true, KEY_DOWN, "kcud1", "ArrowDown"},
    {true, KEY_RIGHT, "kcuf1", "ArrowRight"},
    {true, KEY_LEFT, "kcub1", "ArrowLeft"},
    {true, KEY_HOME, "khome", "Home"},
    {true, KEY_END, "kend", "End"},
    {true, KEY_PGUP, "kpp", "PageUp"},
    {true, KEY_PGDN, "knp", "PageDown"},
    {true, KEY_INSERT, "kich1", "Insert"},
    {true, KEY_DELETE, "kdch1", "Delete"},
    {false, KEY_ENTER, "kent", "Enter"},          // kent: the keypad's Enter
    {false, KEY_BACKSPACE, "kbs", "Backspace"},
    {false, KEY_TAB, "", "Tab"},                  // a terminal sends the byte 9
    {false, KEY_ESCAPE, "", "Escape"},            // a terminal sends a lone ESC
}};

// The row whose browser name is dom, or nullptr.
constexpr const NamedKey* named_key_by_dom(std::string_view dom) {
  for (const NamedKey& k : NAMED_KEYS)
    if (k.dom == dom) return &k;
  return nullptr;
}

// The kit's codes for one key: none, one, or the prefix and a second code.
struct KitCodes {
  std::array<std::uint8_t, 2> code{};
  int count = 0;
  bool operator==(const KitCodes&) const = default;
};

// The codes of a browser key given by its KeyboardEvent.key (UTF-8): a
// named key of the table, or a single character that code page 866 has.
// Anything else (Shift, "Dead", "Unidentified", a character cp866 lacks)
// has no codes.
constexpr KitCodes kit_codes_of_dom_key(std::string_view key) {
  KitCodes out;
  if (const NamedKey* k = named_key_by_dom(key)) {
    if (k->extended) out.code[out.count++] = KEY_PREFIX;
    out.code[out.count++] = k->code;
    return out;
  }
  if (key.empty()) return out;
  std::size_t i = 0;
  const char32_t cp = decode_utf8(key.data(), key.size(), i);
  if (i != key.size()) return out;  // a name, not one character
  const int b = cp866_from_unicode(cp);
  if (b > 0) out.code[out.count++] = static_cast<std::uint8_t>(b);
  return out;
}

}  // namespace telun

// The browser's keys as kit codes, through the named-key table both
// backends share.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "panel/named_keys.h"

namespace telun {
namespace {

KitCodes plain(std::uint8_t c) { return KitCodes{{c, 0}, 1}; }
KitCodes extended(std::uint8_t c) { return KitCodes{{KEY_PREFIX, c}, 2}; }
KitCodes none() { return KitCodes{}; }

TEST(BrowserKeys, KeyNamesGiveThePcCodes) {
  struct Case {
    std::string_view key;  // KeyboardEvent.key
    KitCodes codes;
  } cases[] = {
      {"F1", extended(59)},        {"F5", extended(63)},        {"F10", extended(68)},
      {"ArrowUp", extended(72)},   {"ArrowDown", extended(80)}, {"ArrowRight", extended(77)},
      {"ArrowLeft", extended(75)}, {"Home", extended(71)},      {"End", extended(79)},
      {"PageUp", extended(73)},    {"PageDown", extended(81)},  {"Insert", extended(82)},
      {"Delete", extended(83)},    {"Enter", plain(13)},        {"Backspace", plain(8)},
      {"Tab", plain(9)},           {"Escape", plain(27)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key));
    EXPECT_EQ(kit_codes_of_dom_key(c.key), c.codes);
  }
}

TEST(BrowserKeys, FunctionKeysFollowOneAnother) {
  for (int n = 1; n <= 10; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(kit_codes_of_dom_key("F" + std::to_string(n)), extended(static_cast<std::uint8_t>(58 + n)));
  }
  EXPECT_EQ(kit_codes_of_dom_key("F11"), none());
  EXPECT_EQ(kit_codes_of_dom_key("F12"), none());
}

TEST(BrowserKeys, CharactersGiveTheirCodePage866Byte) {
  struct Case {
    const char* label;
    std::string_view key;
    KitCodes codes;
  } cases[] = {
      {"Latin capital", "Q", plain('Q')},
      {"Latin small", "a", plain('a')},
      {"digit", "1", plain('1')},
      {"space", " ", plain(32)},
      {"semicolon", ";", plain(';')},
      {"Cyrillic capital De", "\u0414", plain(132)},
      {"Cyrillic small de", "\u0434", plain(164)},
      {"Cyrillic small ya", "\u044F", plain(239)},
      {"Cyrillic capital Yo", "\u0401", plain(240)},
      {"Cyrillic small yo", "\u0451", plain(241)},
      {"Ukrainian Ye", "\u0404", plain(242)},
      {"no-break space", "\u00A0", plain(255)},
      {"euro sign: not in cp866", "\u20AC", none()},
      {"Latin e acute: not in cp866", "\u00E9", none()},
      {"emoji: four bytes", "\U0001F600", none()},
      {"two characters", "ab", none()},
      {"empty", "", none()},
      {"modifier alone", "Shift", none()},
      {"dead key", "Dead", none()},
      {"unknown key", "Unidentified", none()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(kit_codes_of_dom_key(c.key), c.codes);
  }
}

TEST(BrowserKeys, TableNamesEachKeyOnce) {
  std::set<std::string_view> dom, capability;
  std::set<std::pair<bool, int>> key;
  for (const NamedKey& k : NAMED_KEYS) {
    SCOPED_TRACE(std::string(k.dom));
    EXPECT_TRUE(dom.insert(k.dom).second);
    if (!k.capability.empty()) {
      EXPECT_TRUE(capability.insert(k.capability).second);
    }
    EXPECT_TRUE(key.insert({k.extended, k.code}).second);
    EXPECT_EQ(named_key_by_dom(k.dom), &k);
  }
  EXPECT_EQ(named_key_by_dom("Shift"), nullptr);
}

}  // namespace
}  // namespace telun

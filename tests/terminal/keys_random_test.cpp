// Random input into the key decoder: whatever arrives, only valid key codes
// come out, and the decoder is ready for the next key afterwards.

#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <string>

#include "machine/cp866.h"
#include "panel/console.h"
#include "panel/keys.h"

namespace telun {
namespace {

bool valid_second_code(std::uint8_t c) {
  return (c >= KEY_F1 && c <= KEY_F10) || c == KEY_HOME || c == KEY_UP || c == KEY_PGUP || c == KEY_LEFT ||
         c == KEY_RIGHT || c == KEY_END || c == KEY_DOWN || c == KEY_PGDN || c == KEY_INSERT || c == KEY_DELETE;
}

bool valid_plain_code(std::uint8_t c) {
  if (c >= 32 && c < 127) return true;
  if (c == KEY_ENTER || c == KEY_BACKSPACE || c == KEY_TAB || c == KEY_ESCAPE) return true;
  return c >= 128;  // a cp866 letter or sign
}

// Every code is a plain key, or the prefix followed by a known second code.
void expect_valid(const std::deque<std::uint8_t>& out) {
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (out[i] == KEY_PREFIX) {
      ASSERT_LT(i + 1, out.size()) << "a prefix without its second code";
      ASSERT_TRUE(valid_second_code(out[i + 1])) << int(out[i + 1]);
      ++i;
    } else {
      ASSERT_TRUE(valid_plain_code(out[i])) << int(out[i]);
    }
  }
}

TEST(KeyDecoderRandom, RandomBytesGiveOnlyValidCodes) {
  for (unsigned seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u}) {
    SCOPED_TRACE(seed);
    std::mt19937 rng(seed);
    // Bytes weighted towards the ones that start sequences.
    std::discrete_distribution<int> kind({4, 2, 2, 2, 1});
    KeyDecoder d;
    std::deque<std::uint8_t> out;
    for (int chunk = 0; chunk < 400; ++chunk) {
      std::string bytes;
      const int n = 1 + static_cast<int>(rng() % 64);
      for (int i = 0; i < n; ++i) {
        std::uint8_t b = 0;
        switch (kind(rng)) {
          case 0: b = static_cast<std::uint8_t>(rng() % 256); break;
          case 1: b = 0x1B; break;
          case 2: b = "[O;~0123456789ABCDHFPQRS"[rng() % 24]; break;
          case 3: b = static_cast<std::uint8_t>(0x80 + rng() % 0x80); break;
          default: b = "\x07\x18\x1A\x5C]P"[rng() % 6]; break;
        }
        if (b == 3) b = 4;  // Ctrl-C would end the session
        bytes.push_back(static_cast<char>(b));
      }
      d.feed(bytes, out);
      if (rng() % 3 == 0) d.expire(out);
      expect_valid(out);
      if (testing::Test::HasFatalFailure()) return;
    }
    // After the delay the decoder is between keys again.
    d.expire(out);
    out.clear();
    d.feed("Z", out);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out.back(), 'Z');
    EXPECT_FALSE(d.interrupted());
  }
}

// UTF-8 text of random code points: letters code page 866 has come out as
// their bytes, everything else (and every broken sequence) is dropped.
TEST(KeyDecoderRandom, Utf8TextKeepsExactlyTheCp866Letters) {
  std::mt19937 rng(42);
  auto r = [&rng](std::uint32_t n) { return static_cast<char32_t>(rng() % n); };
  std::string text, expected;
  auto put = [&text](char32_t c) {
    if (c < 0x80) {
      text.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      text.push_back(static_cast<char>(0xC0 | (c >> 6)));
      text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      text.push_back(static_cast<char>(0xE0 | (c >> 12)));
      text.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      text.push_back(static_cast<char>(0xF0 | (c >> 18)));
      text.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      text.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  };
  for (int i = 0; i < 20000; ++i) {
    char32_t c;
    switch (rng() % 4) {
      case 0: c = 0x20 + r(0x5F); break;              // printable ASCII
      case 1: c = 0x410 + r(0x50); break;             // Cyrillic
      case 2: c = 0x2500 + r(0xA0); break;            // box drawing and blocks
      default: c = 0xA0 + r(0x1FF00); break;          // anything
    }
    if (c >= 0xD800 && c < 0xE000) continue;               // no surrogates in UTF-8
    put(c);
    const int b = cp866_from_unicode(c);
    if (b >= 0) expected.push_back(static_cast<char>(b));
    if (rng() % 50 == 0) text.push_back(static_cast<char>(0x80 + rng() % 0x40));  // a stray continuation byte
  }
  KeyDecoder d;
  std::deque<std::uint8_t> out;
  for (std::size_t at = 0; at < text.size(); at += 7) d.feed(std::string_view(text).substr(at, 7), out);
  d.expire(out);
  EXPECT_EQ(std::string(out.begin(), out.end()), expected);
}

}  // namespace
}  // namespace telun

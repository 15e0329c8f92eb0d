// The key decoder: terminal bytes in, kit key codes out.

#include "panel/keys.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "panel/console.h"
#include "machine/cp866.h"

namespace telun {
namespace {

// Codes as a vector of ints, so that a failure prints numbers.
std::vector<int> codes(const std::deque<std::uint8_t>& q) { return {q.begin(), q.end()}; }

// Feeds each piece in turn, then lets the escape delay pass.
std::vector<int> decode(const std::vector<std::string>& pieces, KeyDecoder& d) {
  std::deque<std::uint8_t> out;
  for (const std::string& p : pieces) d.feed(p, out);
  d.expire(out);
  return codes(out);
}

std::vector<int> decode(const std::vector<std::string>& pieces) {
  KeyDecoder d;
  return decode(pieces, d);
}

std::vector<int> ext(int second) { return {0, second}; }

struct Case {
  const char* label;
  std::string bytes;
  std::vector<int> expected;
};

void check_table(const std::vector<Case>& table) {
  for (const Case& c : table) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(decode({c.bytes}), c.expected);
  }
}

TEST(KeyDecoder, FunctionKeysInEveryCommonForm) {
  check_table({
      {"xterm F1 SS3", "\x1bOP", ext(59)},
      {"xterm F2 SS3", "\x1bOQ", ext(60)},
      {"xterm F3 SS3", "\x1bOR", ext(61)},
      {"xterm F4 SS3", "\x1bOS", ext(62)},
      {"xterm F5", "\x1b[15~", ext(63)},
      {"xterm F6", "\x1b[17~", ext(64)},
      {"xterm F7", "\x1b[18~", ext(65)},
      {"xterm F8", "\x1b[19~", ext(66)},
      {"xterm F9", "\x1b[20~", ext(67)},
      {"xterm F10", "\x1b[21~", ext(68)},
      {"VT F1", "\x1b[11~", ext(59)},
      {"VT F2", "\x1b[12~", ext(60)},
      {"VT F3", "\x1b[13~", ext(61)},
      {"VT F4", "\x1b[14~", ext(62)},
      {"Linux console F1", "\x1b[[A", ext(59)},
      {"Linux console F2", "\x1b[[B", ext(60)},
      {"Linux console F3", "\x1b[[C", ext(61)},
      {"Linux console F4", "\x1b[[D", ext(62)},
      {"Linux console F5", "\x1b[[E", ext(63)},
      {"shifted F1, CSI form", "\x1b[1;2P", ext(59)},
      {"ctrl F5", "\x1b[15;5~", ext(63)},
      {"F11 is not a kit key", "\x1b[23~", {}},
      {"F12 is not a kit key", "\x1b[24~", {}},
  });
}

TEST(KeyDecoder, CursorAndEditingKeys) {
  check_table({
      {"up", "\x1b[A", ext(72)},
      {"down", "\x1b[B", ext(80)},
      {"right", "\x1b[C", ext(77)},
      {"left", "\x1b[D", ext(75)},
      {"up, application mode", "\x1bOA", ext(72)},
      {"down, application mode", "\x1bOB", ext(80)},
      {"right, application mode", "\x1bOC", ext(77)},
      {"left, application mode", "\x1bOD", ext(75)},
      {"ctrl up", "\x1b[1;5A", ext(72)},
      {"shift left", "\x1b[1;2D", ext(75)},
      {"home CSI H", "\x1b[H", ext(71)},
      {"home SS3 H", "\x1bOH", ext(71)},
      {"home 1~", "\x1b[1~", ext(71)},
      {"home rxvt 7~", "\x1b[7~", ext(71)},
      {"end CSI F", "\x1b[F", ext(79)},
      {"end SS3 F", "\x1bOF", ext(79)},
      {"end 4~", "\x1b[4~", ext(79)},
      {"end rxvt 8~", "\x1b[8~", ext(79)},
      {"page up", "\x1b[5~", ext(73)},
      {"page down", "\x1b[6~", ext(81)},
      {"insert", "\x1b[2~", ext(82)},
      {"delete", "\x1b[3~", ext(83)},
      {"alt page down", "\x1b[6;3~", ext(81)},
  });
}

TEST(KeyDecoder, PlainKeys) {
  check_table({
      {"letters and digits", "aZ09", {'a', 'Z', '0', '9'}},
      {"space and punctuation", " ~[", {' ', '~', '['}},
      {"CR", "\r", {13}},
      {"LF", "\n", {13}},
      {"keypad Enter", "\x1bOM", {13}},
      {"DEL is backspace", "\x7f", {8}},
      {"BS is backspace", "\x08", {8}},
      {"tab", "\t", {9}},
      {"keypad digits, application mode", "\x1bOp\x1bOy\x1bOk", {'0', '9', '+'}},
      {"other control bytes dropped", std::string("\x01\x1a\x1c", 3) + std::string(1, '\0'), {}},
  });
}

TEST(KeyDecoder, Utf8LettersBecomeCp866) {
  check_table({
      {"capital A", "А", {128}},
      {"small ya", "я", {239}},
      {"capital Yo", "Ё", {240}},
      {"small yo", "ё", {241}},
      {"box drawing", "║", {186}},
      {"a word", "Мир", {cp866_from_unicode(U'М'), cp866_from_unicode(U'и'), cp866_from_unicode(U'р')}},
      {"euro sign: not in cp866", "€", {}},
      {"emoji: not in cp866", "a\xF0\x9F\x98\x80" "b", {'a', 'b'}},
      {"overlong encoding of A", "\xC1\x81", {}},
      {"stray continuation byte", "\x80x", {'x'}},
      {"lead byte broken by ASCII", "\xD0x", {'x'}},
      {"surrogate", "\xED\xA0\x80", {}},
  });
}

TEST(KeyDecoder, EscapeAloneAndEscapeBeforeAKey) {
  // A lone Escape becomes 27 only when the delay passes (expire); Escape
  // followed at once by a key that begins no sequence gives 27 and that key.
  check_table({
      {"lone escape", "\x1b", {27}},
      {"escape then x (alt-x)", "\x1bx", {27, 'x'}},
      {"escape then Cyrillic", "\x1b" "я", {27, 239}},
      {"escape then enter", "\x1b\r", {27, 13}},
      {"two escapes", "\x1b\x1b", {27, 27}},
      {"escape escape arrow", "\x1b\x1b[A", {27, 0, 72}},
  });

  KeyDecoder d;
  std::deque<std::uint8_t> out;
  d.feed("\x1b", out);
  EXPECT_TRUE(out.empty()) << "a lone Escape waits for the delay";
  EXPECT_TRUE(d.pending());
  d.expire(out);
  EXPECT_EQ(codes(out), std::vector<int>{27});
  EXPECT_FALSE(d.pending());
}

TEST(KeyDecoder, UnknownSequencesAreDroppedWhole) {
  check_table({
      {"bracketed paste on", "\x1b[?2004h" "a", {'a'}},
      {"paste brackets", "\x1b[200~" "b" "\x1b[201~", {'b'}},
      {"SGR mouse report", "\x1b[<0;12;5M" "c", {'c'}},
      {"X10 mouse report", "\x1b[M !!" "d", {'d'}},
      {"OSC ended by BEL", "\x1b]0;title\x07" "e", {'e'}},
      {"OSC ended by ST", "\x1b]11;rgb:0/0/0\x1b\\" "f", {'f'}},
      {"DCS", "\x1bP1$r0m\x1b\\" "g", {'g'}},
      {"CSI with intermediate", "\x1b[1 q" "h", {'h'}},
      {"unknown CSI final", "\x1b[5Z" "i", {'i'}},
      {"unknown tilde number", "\x1b[99~" "j", {'j'}},
      {"huge parameter", "\x1b[99999999999999999999~" "k", {'k'}},
      {"charset designation", "\x1b(B" "l", {'l'}},
      {"unknown SS3", "\x1bOz" "m", {'m'}},
      {"kitty key report", "\x1b[97;5u" "n", {'n'}},
      {"unfinished CSI at the delay", "\x1b[1;5", {}},
      {"CSI broken by a control byte", "\x1b[1\r", {13}},
      {"ESC inside an OSC starts anew", "\x1b]0;x\x1b[A", {0, 72}},
  });
}

TEST(KeyDecoder, SequencesSplitAcrossReads) {
  struct Split {
    const char* label;
    std::vector<std::string> pieces;
    std::vector<int> expected;
  };
  const std::vector<Split> table = {
      {"ESC | [A", {"\x1b", "[A"}, ext(72)},
      {"ESC [ | 15~", {"\x1b[", "15~"}, ext(63)},
      {"ESC [1 | 5 | ~", {"\x1b[1", "5", "~"}, ext(63)},
      {"ESC O | P", {"\x1bO", "P"}, ext(59)},
      {"ESC [ [ | A", {"\x1b[[", "A"}, ext(59)},
      {"UTF-8 halves", {"\xD0", "\xAF"}, {cp866_from_unicode(U'Я')}},
      {"OSC in pieces", {"\x1b]0;ti", "tle\x1b", "\\z"}, {'z'}},
      {"key, then half a sequence", {"a\x1b[", "B"}, {'a', 0, 80}},
  };
  for (const Split& s : table) {
    SCOPED_TRACE(s.label);
    EXPECT_EQ(decode(s.pieces), s.expected);
  }
}

TEST(KeyDecoder, BothCodesOfAKeyArriveTogether) {
  KeyDecoder d;
  std::deque<std::uint8_t> out;
  d.feed("\x1b[", out);
  EXPECT_TRUE(out.empty());
  d.feed("B", out);
  EXPECT_EQ(codes(out), ext(80));
}

TEST(KeyDecoder, CtrlCInterrupts) {
  struct Interrupt {
    const char* label;
    std::string bytes;
    std::vector<int> before;  // codes decoded before Ctrl-C
  };
  const std::vector<Interrupt> table = {
      {"alone", "\x03", {}},
      {"after keys, rest ignored", "ab\x03" "cd", {'a', 'b'}},
      {"inside a CSI", "\x1b[1\x03" "A", {}},
      {"inside an OSC", "\x1b]0;\x03", {}},
  };
  for (const Interrupt& t : table) {
    SCOPED_TRACE(t.label);
    KeyDecoder d;
    std::deque<std::uint8_t> out;
    d.feed(t.bytes, out);
    EXPECT_TRUE(d.interrupted());
    EXPECT_EQ(codes(out), t.before);
  }
  KeyDecoder calm;
  std::deque<std::uint8_t> out;
  calm.feed("abc\x1b[A", out);
  EXPECT_FALSE(calm.interrupted());
}

TEST(KeyDecoder, DescribedSequencesWinOverTheBuiltInReading) {
  KeyDecoder d;
  d.describe("\x1b[M", KitKey{true, KEY_F1});   // cons25's F1, a mouse report otherwise
  d.describe("\x1b[25~", KitKey{true, KEY_F10});  // a terminal's own F10
  d.describe("\x1b" "1", KitKey{true, KEY_F2}); // ESC and a digit
  d.describe("x", KitKey{true, KEY_F3});         // single bytes keep the fixed table
  d.describe("\x1b", KitKey{true, KEY_F4});      // so does a lone Escape
  EXPECT_EQ(decode({"\x1b[M" "a"}, d), (std::vector<int>{0, 59, 'a'}));
  EXPECT_EQ(decode({"\x1b[25~"}, d), ext(68));
  EXPECT_EQ(decode({"\x1b" "1"}, d), ext(60));
  EXPECT_EQ(decode({"x"}, d), std::vector<int>{'x'});
  EXPECT_EQ(decode({"\x1b"}, d), std::vector<int>{27});
  EXPECT_EQ(decode({"\x1b[A"}, d), ext(72)) << "undescribed sequences read as before";
}

}  // namespace
}  // namespace telun

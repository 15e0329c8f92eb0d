#include "panel/keys.h"

#include "panel/console.h"
#include "machine/cp866.h"

namespace telun {

namespace {

constexpr std::uint8_t ESC = 27;
constexpr std::uint8_t CTRL_C = 3;
constexpr std::size_t SEQUENCE_CAP = 32;  // longer sequences are never described keys
constexpr int PARAM_CAP = 10000;          // parameters are saturated here

constexpr KitKey ext(std::uint8_t code) { return KitKey{true, code}; }
constexpr KitKey plain(std::uint8_t code) { return KitKey{false, code}; }

void emit(KitKey key, std::deque<std::uint8_t>& out) {
  if (key.extended) out.push_back(KEY_PREFIX);
  out.push_back(key.code);
}

// The key of ESC [ n ~ (VT220 and xterm editing and function keys), code 0 for none.
std::uint8_t tilde_key(int n) {
  switch (n) {
    case 1: case 7: return KEY_HOME;
    case 2: return KEY_INSERT;
    case 3: return KEY_DELETE;
    case 4: case 8: return KEY_END;
    case 5: return KEY_PGUP;
    case 6: return KEY_PGDN;
    case 11: case 12: case 13: case 14: case 15:
      return static_cast<std::uint8_t>(KEY_F1 + (n - 11));
    case 17: case 18: case 19: case 20: case 21:
      return static_cast<std::uint8_t>(KEY_F6 + (n - 17));
    default: return 0;
  }
}

// The second code of a final byte shared by CSI and SS3 (arrows, Home, End,
// F1..F4), 0 for none.
std::uint8_t cursor_key(std::uint8_t final_byte) {
  switch (final_byte) {
    case 'A': return KEY_UP;
    case 'B': return KEY_DOWN;
    case 'C': return KEY_RIGHT;
    case 'D': return KEY_LEFT;
    case 'H': return KEY_HOME;
    case 'F': return KEY_END;
    case 'P': return KEY_F1;
    case 'Q': return KEY_F2;
    case 'R': return KEY_F3;
    case 'S': return KEY_F4;
    default: return 0;
  }
}

bool is_string_introducer(std::uint8_t b) {
  return b == ']' || b == 'P' || b == 'X' || b == '^' || b == '_';
}

}  // namespace

void KeyDecoder::describe(std::string_view sequence, KitKey key) {
  if (sequence.size() < 2 || sequence.size() > SEQUENCE_CAP || sequence[0] != '\x1b') return;
  for (auto& [bytes, k] : described_)
    if (bytes == sequence) {
      k = key;
      return;
    }
  described_.emplace_back(std::string(sequence), key);
}

void KeyDecoder::feed(std::string_view bytes, std::deque<std::uint8_t>& out) {
  for (char c : bytes) {
    if (interrupted_) return;
    step(static_cast<std::uint8_t>(c), out);
  }
}

void KeyDecoder::expire(std::deque<std::uint8_t>& out) {
  if (state_ == State::Escape) out.push_back(KEY_ESCAPE);
  reset();
}

void KeyDecoder::reset() {
  state_ = State::Ground;
  sequence_.clear();
  first_param_ = -1;
  param_index_ = 0;
  private_ = false;
  intermediates_ = false;
  mouse_left_ = 0;
  utf8_left_ = 0;
}

bool KeyDecoder::emit_described(std::deque<std::uint8_t>& out) {
  for (const auto& [bytes, key] : described_)
    if (bytes == sequence_) {
      emit(key, out);
      return true;
    }
  return false;
}

void KeyDecoder::step(std::uint8_t byte, std::deque<std::uint8_t>& out) {
  if (state_ != State::Ground && state_ != State::Utf8 && state_ != State::Mouse &&
      sequence_.size() < SEQUENCE_CAP)
    sequence_.push_back(static_cast<char>(byte));

  switch (state_) {
    case State::Ground:
      ground(byte, out);
      return;

    case State::Utf8:
      if ((byte & 0xC0) != 0x80) {  // not a continuation: the character is broken
        reset();
        ground(byte, out);
        return;
      }
      utf8_value_ = (utf8_value_ << 6) | (byte & 0x3Fu);
      if (--utf8_left_ == 0) {
        const char32_t cp = utf8_value_;
        reset();
        if (cp >= utf8_min_ && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF)) {
          const int b = cp866_from_unicode(cp);
          if (b >= 0x80) out.push_back(static_cast<std::uint8_t>(b));
        }
      }
      return;

    case State::Escape:
      after_escape(byte, out);
      return;

    case State::Csi:
      csi_byte(byte, out);
      return;

    case State::LinuxF:
      if (!emit_described(out) && byte >= 'A' && byte <= 'E')
        emit(ext(static_cast<std::uint8_t>(KEY_F1 + (byte - 'A'))), out);
      reset();
      return;

    case State::Ss3:
      if (byte >= 0x30 && byte <= 0x3F) return;  // modifier parameters of old forms
      if (byte >= 0x40 && byte <= 0x7E) {
        finish_ss3(byte, out);
        return;
      }
      reset();
      ground(byte, out);
      return;

    case State::String:
      if (byte == BELL || byte == 0x18 || byte == 0x1A) {
        reset();
      } else if (byte == ESC) {
        state_ = State::StringEsc;
      } else if (byte == CTRL_C) {
        reset();
        ground(byte, out);
      }
      return;

    case State::StringEsc:
      reset();
      if (byte != '\\') {  // the string ended without ST: this ESC begins something new
        state_ = State::Escape;
        sequence_.push_back(static_cast<char>(ESC));
        step(byte, out);
      }
      return;

    case State::Intermediate:
      if (byte >= 0x20 && byte <= 0x2F) return;
      if (byte >= 0x30 && byte <= 0x7E) {
        reset();
        return;
      }
      reset();
      ground(byte, out);
      return;

    case State::Mouse:
      if (--mouse_left_ == 0) reset();
      return;
  }
}

void KeyDecoder::ground(std::uint8_t byte, std::deque<std::uint8_t>& out) {
  if (byte == CTRL_C) {
    interrupted_ = true;
  } else if (byte == ESC) {
    state_ = State::Escape;
    sequence_.assign(1, static_cast<char>(ESC));
  } else if (byte == '\r' || byte == '\n') {
    out.push_back(KEY_ENTER);
  } else if (byte == 127 || byte == 8) {
    out.push_back(KEY_BACKSPACE);
  } else if (byte == '\t') {
    out.push_back(KEY_TAB);
  } else if (byte >= 0x20 && byte < 0x7F) {
    out.push_back(byte);
  } else if (byte >= 0xC2 && byte <= 0xF4) {
    state_ = State::Utf8;
    if (byte < 0xE0) {
      utf8_left_ = 1;
      utf8_value_ = byte & 0x1Fu;
      utf8_min_ = 0x80;
    } else if (byte < 0xF0) {
      utf8_left_ = 2;
      utf8_value_ = byte & 0x0Fu;
      utf8_min_ = 0x800;
    } else {
      utf8_left_ = 3;
      utf8_value_ = byte & 0x07u;
      utf8_min_ = 0x10000;
    }
  }
  // Any other control byte, a stray continuation byte or an invalid lead
  // byte is dropped.
}

void KeyDecoder::after_escape(std::uint8_t byte, std::deque<std::uint8_t>& out) {
  if (byte == '[') {
    state_ = State::Csi;
  } else if (byte == 'O') {
    state_ = State::Ss3;
  } else if (is_string_introducer(byte)) {
    state_ = State::String;
  } else if (byte >= 0x20 && byte <= 0x2F) {
    state_ = State::Intermediate;
  } else if (emit_described(out)) {
    reset();
  } else {
    // Escape, then a key that begins no sequence: both keys count.
    reset();
    out.push_back(KEY_ESCAPE);
    ground(byte, out);
  }
}

void KeyDecoder::csi_byte(std::uint8_t byte, std::deque<std::uint8_t>& out) {
  if (byte == '[' && sequence_.size() == 3) {  // ESC [ [
    state_ = State::LinuxF;
  } else if (byte >= '0' && byte <= '9') {
    if (intermediates_) private_ = true;  // digits after an intermediate: malformed
    if (param_index_ == 0) {
      const int digit = byte - '0';
      first_param_ = first_param_ < 0 ? digit : first_param_ * 10 + digit;
      if (first_param_ > PARAM_CAP) first_param_ = PARAM_CAP;
    }
  } else if (byte == ';') {
    ++param_index_;
  } else if (byte >= 0x3A && byte <= 0x3F) {  // : < = > ?
    private_ = true;
  } else if (byte >= 0x20 && byte <= 0x2F) {
    intermediates_ = true;
  } else if (byte >= 0x40 && byte <= 0x7E) {
    finish_csi(byte, out);
  } else {  // a control byte or a non-ASCII byte inside the sequence
    reset();
    ground(byte, out);
  }
}

void KeyDecoder::finish_csi(std::uint8_t final_byte, std::deque<std::uint8_t>& out) {
  const bool bare = first_param_ < 0 && param_index_ == 0 && !private_ && !intermediates_;
  if (emit_described(out)) {
    reset();
    return;
  }
  if (final_byte == 'M' && bare) {  // X10 mouse report: three raw bytes follow
    reset();
    state_ = State::Mouse;
    mouse_left_ = 3;
    return;
  }
  std::uint8_t code = 0;
  if (!private_ && !intermediates_)
    code = final_byte == '~' ? tilde_key(first_param_) : cursor_key(final_byte);
  if (code != 0) emit(ext(code), out);
  reset();
}

void KeyDecoder::finish_ss3(std::uint8_t final_byte, std::deque<std::uint8_t>& out) {
  if (emit_described(out)) {
    reset();
    return;
  }
  reset();
  if (const std::uint8_t code = cursor_key(final_byte); code != 0) {
    emit(ext(code), out);
    return;
  }
  // The keypad in application mode.
  static constexpr std::string_view keypad_finals = "pqrstuvwxyjklmnoXMI";
  static constexpr std::string_view keypad_chars = "0123456789*+,-./=\r\t";
  const std::size_t at = keypad_finals.find(static_cast<char>(final_byte));
  if (at == std::string_view::npos) return;
  const char c = keypad_chars[at];
  out.push_back(c == '\r' ? KEY_ENTER : c == '\t' ? KEY_TAB : static_cast<std::uint8_t>(c));
}

}  // namespace telun

#pragma once
// Golden screens: a screen kept in tests/golden as 25 rows of UTF-8 text
// followed by 25 rows of its inverse-video mask. TELUN_WRITE_GOLDEN=1 in the
// environment writes the file from the screen instead of comparing (then
// read it through before you commit it).

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/panel/dump.h"

namespace telun {

inline std::string golden_text(const ScreenConsole& con) {
  std::string s = screen_dump(con);
  for (int r = 1; r <= SCREEN_ROWS; ++r) s += inverse_mask(con, r) + "\n";
  return s;
}

inline void expect_golden(const ScreenConsole& con, const std::string& name) {
  const std::string path = std::string(TELUN_GOLDEN_DIR) + "/" + name + ".screen";
  const std::string actual = golden_text(con);
  if (const char* w = std::getenv("TELUN_WRITE_GOLDEN"); w && std::string(w) == "1") {
    std::ofstream(path) << actual;
    return;
  }
  std::ifstream in(path);
  ASSERT_TRUE(in.good()) << "no golden screen " << path;
  std::stringstream expected;
  expected << in.rdbuf();
  std::istringstream e(expected.str()), a(actual);
  std::string el, al;
  for (int line = 1; line <= 2 * SCREEN_ROWS; ++line) {
    std::getline(e, el);
    std::getline(a, al);
    EXPECT_EQ(al, el) << name << (line <= SCREEN_ROWS ? " row " : " inverse row ")
                      << (line - 1) % SCREEN_ROWS + 1;
  }
}

}  // namespace telun

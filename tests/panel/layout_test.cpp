// Every layout table: everything inside 80x25, nothing overlapping that
// should not.
#include <gtest/gtest.h>

#include <vector>

#include "panel/layout.h"

namespace telun {
namespace {

struct Named {
  const char* name;
  const PanelLayout& layout;
  int N, row_width;  // cells, characters of a digit row
};
const Named LAYOUTS[] = {{"telun", TELUN_PANEL, 8, 29}, {"telunm", TELUNM_PANEL, 16, 24}, {"limet", LIMET_PANEL, 16, 24}};

bool inside(const BoxLayout& outer, int column, int row, int length = 1) {
  return column > outer.x1 && column + length - 1 < outer.x2 && row > outer.y1 && row < outer.y2;
}

bool overlap(const BoxLayout& a, const BoxLayout& b) {
  return a.x1 <= b.x2 && b.x1 <= a.x2 && a.y1 <= b.y2 && b.y1 <= a.y2;
}

TEST(Layout, EverythingFitsTheScreenAndItsBox) {
  for (const auto& n : LAYOUTS) {
    SCOPED_TRACE(n.name);
    const PanelLayout& l = n.layout;
    std::vector<const BoxLayout*> boxes = {&l.memory, &l.alu, &l.screen, &l.help, &l.mode};
    if (l.info.present()) boxes.push_back(&l.info);
    if (l.program.present()) boxes.push_back(&l.program);
    for (const BoxLayout* b : boxes) {
      EXPECT_TRUE(b->x1 >= 1 && b->x2 <= 79 && b->y1 >= 1 && b->y2 <= 24 && b->x2 > b->x1 && b->y2 > b->y1);
      if (!b->title.empty()) {
        EXPECT_TRUE(b->title_column > b->x1 && b->title_column + static_cast<int>(b->title.size()) - 1 < b->x2);
      }
    }
    for (int c = 0; c < n.N; ++c) {
      EXPECT_TRUE(inside(l.memory, l.memory_column, l.row_of_cell(c), n.row_width)) << c;
      EXPECT_LT(l.address_column + 3, l.memory.x1 + 1);
    }
    EXPECT_TRUE(inside(l.alu, l.rk_digits.column, l.rk_digits.row, n.row_width));
    EXPECT_TRUE(inside(l.alu, l.sm_digits.column, l.sm_digits.row, n.row_width));
    EXPECT_TRUE(inside(l.alu, l.pc_digits.column, l.pc_digits.row, n.N == 8 ? 5 : 4));
    for (int j = 1; j <= 3; ++j) EXPECT_TRUE(inside(l.screen, l.output_column, 20 + j, l.output_width));
    EXPECT_TRUE(inside(l.mode, l.indicator.column, l.indicator.row, 7 + static_cast<int>(l.REGNAME[0].size())));
    for (const auto& name : l.REGNAME) EXPECT_EQ(name.size(), l.REGNAME[0].size());
    EXPECT_TRUE(inside(l.help, l.help_text.column, l.help_text.row + 15, 18));
    EXPECT_LE(static_cast<int>(l.notice1.size() + l.title.size()), 61);
    // Boxes do not overlap, except the mode box inside the information
    // window and limet's machine screen over the program window's edge.
    for (std::size_t i = 0; i < boxes.size(); ++i)
      for (std::size_t k = i + 1; k < boxes.size(); ++k) {
        const bool intended = (boxes[i] == &l.mode && boxes[k] == &l.info) ||
                              (boxes[i] == &l.screen && boxes[k] == &l.program);
        EXPECT_EQ(overlap(*boxes[i], *boxes[k]), intended) << i << " " << k;
      }
    if (l.info.present()) {
      EXPECT_TRUE(l.mode.x1 > l.info.x1 && l.mode.x2 < l.info.x2);
    }
    if (l.program.present()) {
      EXPECT_EQ(l.screen.y1, l.program.y2);
    }
  }
}

}  // namespace
}  // namespace telun

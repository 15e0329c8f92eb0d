#pragma once
// The machine's view that records the order in which memory cells are
// written and passes every repaint on to the panel.

#include <string_view>
#include <vector>

#include "machine/machine.h"
#include "panel/panel.h"

namespace telun {

class RecordingView : public MachineView {
 public:
  RecordingView(Machine& m, Panel& p) : m_(m), p_(p) {}
  void VIZUALMEM() override {
    writes.push_back(m_.CELL);
    p_.VIZUALMEM();
  }
  void VIZUALRK() override { p_.VIZUALRK(); }
  void VIZUALSM() override { p_.VIZUALSM(); }
  void VIZUALPC() override { p_.VIZUALPC(); }
  void show_output(int j, std::string_view line) override { p_.show_output(j, line); }
  std::vector<int> writes;  // the cells in the order they were written

 private:
  Machine& m_;
  Panel& p_;
};

}  // namespace telun

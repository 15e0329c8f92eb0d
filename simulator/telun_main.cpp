#include "panel/terminal.h"
#include "simulator/simulator.h"

int main() {
  return telun::run_in_terminal([](telun::Console& console) { telun::Simulator(console, telun::TELUN).run(); });
}

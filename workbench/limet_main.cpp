#include "panel/terminal.h"
#include "workbench/workbench.h"

int main() {
  return telun::run_in_terminal([](telun::Console& console) { telun::Workbench(console).run(); });
}

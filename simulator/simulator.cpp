// Start-up and the main loop: editing, a run from cell 0 in the chosen
// mode, the stop report, and the end of the program.
#include "simulator/simulator.h"

#include "simulator/texts.h"

namespace telun {

Simulator::Simulator(Console& console, const SimulatorConfig& config)
    : con_(console),
      cfg_(config),
      frames_(console),
      machine_(config.machine),
      panel_(machine_, frames_, config.panel),
      REGIM(machine_.REGIM) {
  machine_.set_hooks(this);
}

Simulator::~Simulator() { machine_.set_hooks(nullptr); }

void Simulator::startup() {
  // The console kind, the frame tables and KEYS are set up by frames_, the
  // mode names are the panel layout's.
  machine_.CLRALL();
  machine_.HILITE = -1;
  CURCELL = 0;
  CURDIG = machine_.W();
  frames_.INVERSOFF();
  panel_.INISCREEN();
  KEY = 'W';
}

void Simulator::run() {
  startup();
  for (;;) {
    REGIM = 1;
    panel_.REGIND();
    ANACELL(0);
    EDITOR();
    prepare_run();
    run_loop();
    if (con_.key_waiting()) {
      // In AUTO mode the key that stopped the run; it has no other effect.
      KEY = con_.read_key();
      while (con_.key_waiting()) machine_.OPSIGN = con_.read_key();
    }
    // Back in the editor by a mode key during the run: no report. A "Q"
    // typed ahead and discarded here does not end the program; only the
    // answer to a report does.
    if (REGIM == 1) continue;
    stop_report();
    if (KEY == 'Q') break;
  }
  con_.go_to(1, 1);
}

void Simulator::prepare_run() {
  panel_.CLRDISP();
  machine_.PCSTR = std::string(cfg_.run_pcstr);
  if (REGIM == 2) INIINFWIN();
  machine_.reset_pc();
  panel_.VIZUALPC();
  machine_.STOPFLAG = false;
  machine_.ERRMSG.clear();
}

void Simulator::run_loop() {
  do {
    machine_.KOMANDA();
    // The instruction's own steps may have moved CELL; HILITE still names it.
    machine_.CELL = machine_.HILITE;
    if (REGIM > 2 && !machine_.STOPFLAG) {
      if (REGIM == 3) ANAKOP(0);
      WAIT();
    }
    machine_.HILITE = -1;
    panel_.VIZUALMEM();
  } while (!machine_.STOPFLAG && !con_.key_waiting() && REGIM != 1);
}

void Simulator::stop_report() {
  INIINFWIN();
  const int col = cfg_.report_column;
  if (!machine_.ERRMSG.empty()) {
    write_at(col, 11, machine_.ERRMSG);
    write_at(col, 14, simtext::RUN_ERROR);
    con_.write_char(BELL);
    con_.end_line();
  } else {
    write_at(col, 14, machine_.STOPFLAG ? simtext::STOP_INSTRUCTION.view() : simtext::STOP_BY_KEY.view());
  }
  if (REGIM == 2) {
    write_at(cfg_.auto_address_column, 8, panel_.ADRSTR[machine_.CELL]);
    con_.end_line();
  }
  KEY = con_.read_key();
  while (con_.key_waiting()) machine_.OPSIGN = con_.read_key();
}

}  // namespace telun

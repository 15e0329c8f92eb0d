#pragma once
// The one-pass LIMET compiler: it reads the working copy of the page through
// the shared text position and writes instructions and constants straight
// into the machine's memory, marking each cell on the panel as it goes.

#include <cstdint>
#include <string>

#include "compiler/keywords.h"
#include "compiler/source.h"
#include "machine/machine.h"
#include "panel/frames.h"
#include "panel/panel.h"

namespace telun {

class Compiler {
 public:
  Compiler(Machine& machine, Panel& panel, Frames& frames, Source& source);

  // Compiles WPROG; on failure COMPERR, COMPMSG and the marked position say why.
  void ANALIZ();
  // The comment filter for the character in CH (the driver calls it for
  // every place of the page in row order, REMFLAG false at the start).
  void REM();

  bool COMPERR = false;  // an error has been found
  std::string COMPMSG;   // its message, cp866, at most 30 characters
  std::uint8_t CH = ' '; // the character last examined, or handed to REM
  bool REMFLAG = false;  // the filter is inside a comment

 private:
  Machine& m_;
  Panel& panel_;
  Frames& fr_;
  Source& src_;
};

}  // namespace telun

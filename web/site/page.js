// The program page of the browser edition: draws the kit's 80x25 screen
// from the module's cells and hands the keys to the module. The program to
// run is named after the "?" of the address: run.html?telun, ?telunm,
// ?limet (or ?bench, the speed check).
'use strict';

(function () {
  const COLUMNS = 80;
  const ROWS = 25;
  const CELL_BYTES = 3;  // cp866 byte, text colour, background colour
  const ROW_BYTES = COLUMNS * CELL_BYTES;
  const PROGRAMS = ['telun', 'telunm', 'limet', 'bench'];
  const ADVANCE = 1233 / 2048;  // width of a character of the screen font, in em

  const program = location.search.replace(/^\?/, '').split('&')[0];
  const screen = document.getElementById('screen');
  const note = document.getElementById('note');

  const rows = [];
  for (let r = 0; r < ROWS; ++r) {
    const row = document.createElement('span');
    row.className = 'row';
    screen.appendChild(row);
    rows.push(row);
  }

  // The largest whole pixel size at which the screen fits the window.
  function fit() {
    const bar = 2.2 * 14;  // room for the line below the screen
    const size = Math.floor(Math.min(window.innerWidth * 0.98 / (COLUMNS * ADVANCE),
                                     (window.innerHeight - bar) / ROWS));
    screen.style.fontSize = Math.max(8, size) + 'px';
  }
  window.addEventListener('resize', fit);
  fit();

  let glyphs = null;           // the kit's code page 866 table, as 256 strings
  const shown = new Uint8Array(COLUMNS * ROWS * CELL_BYTES);  // the cells now in the page
  let shownOnce = false;
  let shownCursorRow = -1, shownCursorColumn = -1;
  let running = false;         // keys go to the program
  let memory = null;           // the module's memory, for writing key names into it
  let keyWaiter = null;        // resolves the sleep of a blocking key read
  let yieldWaiter = null;      // resolves the sleep of a yield
  const channel = new MessageChannel();
  channel.port1.onmessage = () => { const w = yieldWaiter; yieldWaiter = null; if (w) w(); };
  const encoder = new TextEncoder();

  const escapes = { '&': '&amp;', '<': '&lt;', '>': '&gt;' };
  function html(text) { return text.replace(/[&<>]/g, (c) => escapes[c]); }

  // One row as runs of equal colours; the cursor cell is a run of its own.
  function rowHtml(cells, base, cursorColumn) {
    let out = '';
    let c = 0;
    while (c < COLUMNS) {
      const fg = cells[base + c * CELL_BYTES + 1], bg = cells[base + c * CELL_BYTES + 2];
      let text = '';
      let end = c;
      do {
        text += glyphs[cells[base + end * CELL_BYTES]];
        ++end;
      } while (end < COLUMNS && end !== cursorColumn && c !== cursorColumn &&
               cells[base + end * CELL_BYTES + 1] === fg && cells[base + end * CELL_BYTES + 2] === bg);
      out += '<span class="f' + fg + ' b' + bg + (c === cursorColumn ? ' cursor' : '') + '">' +
             html(text) + '</span>';
      c = end;
    }
    return out;
  }

  function sameRow(cells, base) {
    for (let i = base; i < base + ROW_BYTES; ++i) if (cells[i] !== shown[i]) return false;
    return true;
  }

  const kit = {
    shows: 0,           // screens sent by the module
    rowsTouched: 0,     // rows rewritten in the page
    bells: 0,
    firstShowMs: null,  // time from the start of the page load to the first screen
    ended: false,
    bench: null,        // {instructions, ms} of the speed check

    setTable(table) {
      glyphs = Array.from(table, (cp) => String.fromCodePoint(cp));
    },

    show(cells, column, row) {
      memory = cells.buffer;
      const inside = column >= 1 && column <= COLUMNS && row >= 1 && row <= ROWS;
      const cursorRow = inside ? row - 1 : -1, cursorColumn = inside ? column - 1 : -1;
      for (let r = 0; r < ROWS; ++r) {
        const base = r * ROW_BYTES;
        const hasCursor = r === cursorRow, hadCursor = r === shownCursorRow;
        if (shownOnce && hasCursor === hadCursor && (!hasCursor || cursorColumn === shownCursorColumn) &&
            sameRow(cells, base)) continue;
        rows[r].innerHTML = rowHtml(cells, base, hasCursor ? cursorColumn : -1);
        ++kit.rowsTouched;
      }
      shown.set(cells);
      shownOnce = true;
      shownCursorRow = cursorRow;
      shownCursorColumn = cursorColumn;
      if (kit.shows++ === 0) kit.firstShowMs = performance.now();
    },

    bell() {
      ++kit.bells;
      screen.classList.add('bell');
      setTimeout(() => screen.classList.remove('bell'), 120);
    },

    ended() {
      running = false;
      kit.ended = true;
      note.textContent = program === 'bench' ? note.textContent : 'Программа завершена.';
    },

    waiting: false,     // the program sits in a blocking key read

    wake() { const w = keyWaiter; keyWaiter = null; kit.waiting = false; if (w) w(); },
    keyPromise() { return new Promise((resolve) => { keyWaiter = resolve; kit.waiting = true; }); },
    yieldPromise() { return new Promise((resolve) => { yieldWaiter = resolve; channel.port2.postMessage(0); }); },

    benchDone(instructions, ms) {
      kit.bench = { instructions: instructions, ms: ms };
      note.textContent = 'Скорость: ' + Math.round(instructions * 1000 / ms).toLocaleString('ru') +
                         ' команд в секунду';
    },
  };

  // Keys: the module translates (panel/named_keys.h); the keys it takes are
  // kept from the browser, so F1, F5, Backspace or Tab do not act on the page.
  // Combinations with Ctrl, Alt or Meta stay the browser's (AltGr excepted:
  // it types characters).
  window.addEventListener('keydown', (e) => {
    if (!running || e.isComposing) return;
    if ((e.ctrlKey || e.altKey || e.metaKey) && !e.getModifierState('AltGraph')) return;
    const buffer = Module._telun_key_buffer();
    const name = encoder.encode(e.key);
    if (name.length > Module._telun_key_buffer_size()) return;
    new Uint8Array(memory || Module.HEAPU8.buffer, buffer, name.length).set(name);
    if (Module._telun_key_down(name.length)) e.preventDefault();
  });

  if (!PROGRAMS.includes(program)) {
    location.replace('index.html');
    return;
  }
  document.title = program === 'bench' ? 'ТЕЛУН: скорость' : program;
  screen.focus();

  window.Module = {
    arguments: [program],
    telun: kit,
    onRuntimeInitialized() { running = true; },
    print(text) { console.log(text); },
    printErr(text) { console.error(text); },
    onAbort(what) { running = false; note.textContent = 'Сбой программы: ' + what; },
  };
})();

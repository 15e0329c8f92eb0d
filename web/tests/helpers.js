// Shared pieces of the browser tests: the built folder, the local server,
// Chromium through playwright-core, and the screen as the page shows it.
'use strict';
const { spawn, execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { chromium } = require('playwright-core');

const ROOT = path.resolve(__dirname, '..', '..');
const SITE = process.env.TELUN_SITE || path.join(ROOT, 'build-web', 'site');
const GOLDEN = path.join(ROOT, 'tests', 'golden');
const SCREENSHOTS = path.join(ROOT, 'build-web', 'screenshots');
const CHROMIUM_ARGS = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

// Tests of behaviour that waits on a program still being written can be
// run as "todo" (reported, not failing) by naming the program in
// TELUN_WEB_WAITING, e.g. TELUN_WEB_WAITING=limet.
function waiting(program) {
  const list = (process.env.TELUN_WEB_WAITING || '').split(',');
  return list.includes(program) ? program + ' not finished yet' : false;
}

// Starts the one-shot server on the built folder; stop() ends it by its pid.
async function startServer() {
  const child = spawn(process.execPath, [path.join(__dirname, 'serve.js'), SITE],
                      { stdio: ['ignore', 'pipe', 'inherit'] });
  const port = await new Promise((resolve, reject) => {
    child.once('error', reject);
    child.once('exit', (code) => reject(new Error('server ended with ' + code)));
    child.stdout.once('data', (d) => resolve(Number(String(d).trim())));
  });
  return {
    url: 'http://127.0.0.1:' + port + '/',
    stop() { child.removeAllListeners('exit'); process.kill(child.pid); },
  };
}

// Chromium in a fresh profile folder; close() also removes the folder.
// Every request that leaves the machine is recorded in offsite.
async function startBrowser() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'telun-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.TELUN_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: CHROMIUM_ARGS,
    viewport: { width: 1000, height: 560 },
  });
  const offsite = [];
  context.on('request', (r) => {
    const u = new URL(r.url());
    if (!['127.0.0.1', ''].includes(u.hostname) && !['file:', 'data:'].includes(u.protocol)) offsite.push(r.url());
  });
  return {
    context,
    offsite,
    async page() { return context.pages()[0] || context.newPage(); },
    async close() { await context.close(); fs.rmSync(profile, { recursive: true, force: true }); },
  };
}

// Opens a program page and waits until the program waits for a key.
async function openProgram(page, base, name) {
  await page.goto(base + 'run.html?' + name);
  await waitForKeyRead(page);
}

// Waits until the program sits in a blocking key read with the screen shown.
async function waitForKeyRead(page, timeout = 10000) {
  await page.waitForFunction(() => window.Module && Module.telun && Module.telun.waiting, null, { timeout });
}

// The screen as the page shows it: for each row the text of the 80 cells,
// and a mask with '#' where a cell is black on light grey (from the colours
// the browser computed), '.' elsewhere; the cursor's cell, 1-based.
async function readScreen(page) {
  return page.evaluate(() => {
    const text = [], inverse = [];
    let cursor = null;
    document.querySelectorAll('#screen .row').forEach((row, r) => {
      let t = '', m = '';
      for (const span of row.children) {
        const s = getComputedStyle(span);
        const inv = s.color === 'rgb(0, 0, 0)' && s.backgroundColor === 'rgb(170, 170, 170)';
        const chars = Array.from(span.textContent);
        if (span.classList.contains('cursor')) cursor = { column: Array.from(t).length + 1, row: r + 1 };
        t += span.textContent;
        m += (inv ? '#' : '.').repeat(chars.length);
      }
      text.push(t);
      inverse.push(m);
    });
    return { text, inverse, cursor };
  });
}

// A golden screen of the native tests: 25 rows of text, 25 rows of mask.
function readGolden(name) {
  const file = path.join(GOLDEN, name + '.screen');
  const lines = fs.readFileSync(file, 'utf8').split('\n');
  return { text: lines.slice(0, 25), inverse: lines.slice(25, 50), file };
}

// Text of the screen at (column, row), length characters, 1-based.
function textAt(screen, column, row, length) {
  return Array.from(screen.text[row - 1]).slice(column - 1, column - 1 + length).join('');
}

// Presses keys one after another as a pupil would; each string is a
// Playwright key name ("F1", "Enter") or a run of characters to type.
async function keys(page, ...items) {
  for (const item of items) {
    if (/^(F\d+|Enter|Escape|Backspace|Tab|Arrow\w+|Home|End|PageUp|PageDown|Insert|Delete)$/.test(item)) {
      await page.keyboard.press(item);
    } else {
      for (const ch of item) await page.keyboard.press(ch === ' ' ? 'Space' : ch);
    }
  }
}

// A character no key name of Playwright's gives (a Cyrillic letter), sent
// through the DevTools protocol as a real key event of a Russian keyboard.
async function typeThroughDevTools(page, ch, code, keyCode) {
  const cdp = await page.context().newCDPSession(page);
  const event = { key: ch, text: ch, unmodifiedText: ch, code, windowsVirtualKeyCode: keyCode };
  await cdp.send('Input.dispatchKeyEvent', { type: 'keyDown', ...event });
  await cdp.send('Input.dispatchKeyEvent', { type: 'keyUp', key: ch, code, windowsVirtualKeyCode: keyCode });
  await cdp.detach();
}

// Waits until the screen satisfies check (given the screen), then returns it.
async function waitForScreen(page, check, timeout = 10000) {
  const end = Date.now() + timeout;
  let screen;
  for (;;) {
    screen = await readScreen(page);
    if (check(screen)) return screen;
    if (Date.now() > end) return screen;
    await page.waitForTimeout(50);
  }
}

function screenshotPath(name) {
  fs.mkdirSync(SCREENSHOTS, { recursive: true });
  return path.join(SCREENSHOTS, name + '.png');
}

module.exports = {
  waiting, ROOT, SITE, startServer, startBrowser, openProgram, waitForKeyRead, readScreen, readGolden,
  textAt, keys, typeThroughDevTools, waitForScreen, screenshotPath, execFileSync,
};

// The answer keys of a touch screen, in Chromium's emulation of phones and tablets: their rows and
// sizes, the system keyboard kept closed and switched to, a key of each kind tapped, a page held
// still. How many keys go in a row is keysPerRow's, tested without a browser.
import assert from 'node:assert/strict';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { KnownDevices } from 'puppeteer-core';
import { ANSWER_KEYS } from '../answer_keys.js';
import {
  accessibilityViolations, launchBrowser, puppeteerPage, startServer, stopClock, testOutputDir,
  untilInPage,
} from './page.js';
import { echoedTyping, replay } from './replay.js';

let browser;
let site;
before(async () => { [site, browser] = await Promise.all([startServer(), launchBrowser()]); });
after(async () => { await browser?.close(); site?.server.close(); });

// Opens the page on `device` (a desktop when none) up to the start menu, and checks that it has
// not moved what it showed while it loaded (a layout shift of 0.1 is poor).
async function openPage(device) {
  const page = await browser.newPage();
  if (device) await page.emulate(KnownDevices[device]);
  await page.goto(site.url);
  // The menu as drawn, not only in the terminal's buffer: the shifts are those of drawn frames.
  const menuSeenAt = await untilInPage(page, () => document.querySelector('.terminal-rows')
    ?.textContent.includes('Select option number:') && document.timeline.currentTime);
  assert.ok(menuSeenAt, `${device ?? 'desktop'}: the start menu drawn`);
  // The browser reports a frame's layout shifts once it has laid the frame out, which it does
  // within the task that draws it; once a later frame has begun, the start menu's frame is done.
  const { shift } = await untilInPage(page, (menuSeenAt) => {
    const shifts = new PerformanceObserver(() => {});
    shifts.observe({ type: 'layout-shift', buffered: true });
    return { later: document.timeline.currentTime > menuSeenAt,
      shift: shifts.takeRecords().reduce((sum, { value }) => sum + value, 0) };
  }, { done: ({ later }) => later, args: [menuSeenAt] });
  assert.ok(shift < 0.01, `${device ?? 'desktop'}: layout shift ${shift}`);
  return page;
}

// What a player sees, in words: the keys shown, in how many rows (the switch key beside the
// terminal is in none), any below 44 px; the input mode that keeps the system keyboard closed;
// the focus; all 80 columns and the row answered in sight; the status. The page refits after a
// change of size when the browser reports the new size (a ResizeObserver), so it is read again
// until it shows `wanted` (the fields it names), or for 5 s; resolves with the last reading.
function keysAndTerminal(page, wanted = {}) {
  return untilInPage(page, ({ terminal }) => {
    const shown = (selector) => [...document.querySelectorAll(selector)]
      .map((key) => key.getBoundingClientRect()).filter((key) => key.width > 0);
    const keys = shown('#answer-keys button, #system-keyboard');
    const keyRows = new Set(shown('#answer-keys button').map((key) => key.top)).size;
    const small = keys.some((key) => key.width < 44 || key.height < 44);
    const focusKept = document.activeElement === terminal.textarea && scrollY === 0;
    const statusLine = document.createRange();
    statusLine.selectNodeContents(document.getElementById('status'));
    const buffer = terminal.buffer.active;
    const cursorRow = buffer.baseY + buffer.cursorY + 1;
    const [screen, answerRow] = shown(`.terminal-viewport, .terminal-rows > :nth-child(${cursorRow})`);
    const inSight = terminal.cols === 80 && screen.left >= 0 && screen.right <= innerWidth
      && buffer.viewportY === buffer.baseY && answerRow.top >= Math.max(0, screen.top - 0.5)
      && answerRow.bottom <= Math.min(window.visualViewport.height, screen.bottom + 0.5);
    const { rows } = terminal;
    const keysShown = keys.length === 1 && keyRows <= 1 ? 'the switch key alone'
      : `${keys.length} keys in ${keyRows} rows`;
    return {
      seen: `${keysShown}, ${small ? 'some' : 'none'} below 44 px; `
        + `inputmode ${terminal.textarea.getAttribute('inputmode')}; `
        + `focus ${focusKept ? 'kept' : 'moved'}; question ${inSight ? 'in sight' : 'hidden'}; `
        + `status in ${statusLine.getClientRects().length} line`,
      status: statusLine.toString(),
      rows,
      shown: `${innerWidth}×${innerHeight}: font ${terminal.options.fontSize} px, ${rows} rows`,
    };
  }, { done: showsWanted, args: [wanted], timeoutMs: 5000, withGame: true });
}
// Run in the page, beside the reading it judges.
const showsWanted = (reading, game, wanted) =>
  Object.entries(wanted).every(([field, value]) => reading[field] === value);

// The keys' rows on each device, upright and on its side: one on a phone on its side, two on the
// smallest; the switch key stands beside the terminal where its side leaves room.
const keyRows = { 'iPhone SE': 3, 'iPhone SE landscape': 2, 'iPhone 13': 3,
  'iPhone 13 landscape': 1, 'iPad Mini': 2, 'iPad Mini landscape': 1 };
const answering = 'focus kept; question in sight; status in 1 line';

// With the system keyboard switched on, the keyboard is emulated as a viewport 45% shorter. A
// desktop with a mouse shows no keys and leaves the input mode alone.
test('chromium: phones and tablets answer with 44 px keys in a few rows, the system keyboard '
  + 'closed until switched to, the question in sight either way; a desktop shows no keys; no page '
  + 'shifts while it loads', async (t) => {
  const desktop = await openPage();
  const onDesktop = `0 keys in 0 rows, none below 44 px; inputmode null; ${answering}`;
  assert.equal((await keysAndTerminal(desktop, { seen: onDesktop })).seen, onDesktop, 'desktop');
  await desktop.close();
  for (const [device, rows] of Object.entries(keyRows)) {
    const page = await openPage(device);
    const { viewport } = KnownDevices[device];
    const keysSeen = `${ANSWER_KEYS.length + 1} keys in ${rows} rows, none below 44 px; `
      + `inputmode none; ${answering}`;
    const withKeys = await keysAndTerminal(page, { seen: keysSeen });
    assert.equal(withKeys.seen, keysSeen, device);
    assert.match(withKeys.status, /^Tap the keys/, device);
    if (device === 'iPhone 13 landscape') assert.ok(withKeys.rows >= 15, withKeys.shown);
    await page.tap('#system-keyboard');
    await page.setViewport({ ...viewport, height: Math.round(viewport.height * 0.55) });
    const keyboardSeen = `the switch key alone, none below 44 px; inputmode text; ${answering}`;
    const withKeyboard = await keysAndTerminal(page, { seen: keyboardSeen });
    t.diagnostic(`${device}: answer keys ${withKeys.shown}; system keyboard ${withKeyboard.shown}`);
    assert.equal(withKeyboard.seen, keyboardSeen, device);
    assert.match(withKeyboard.status, /⌨ for the keys/, device);
    await page.tap('#system-keyboard');
    await page.setViewport(viewport);
    assert.deepEqual(await keysAndTerminal(page, withKeys), withKeys, `${device}: the keys again`);
    await page.close();
  }
});

// A key of each kind, on a phone on its side: a digit typed and erased with Backspace at the start
// menu, digits through the pauses to the dashboard, letters to the bank's loan, then the minus of
// -1, which leaves it; each line ends with Enter. The taps reach the game as typed keys do, so the
// screens must be the console's, the screen readers' log included.
test('chromium: taps on digits, letters, the minus, Backspace and Enter answer as the console\'s '
  + 'keys do and leave the focus in the terminal; axe-core finds no violation among the keys',
  async () => {
    const lines = ['1', '0', '0', '0', '1', '0', 'B', 'L', '-1', 'E'];
    const session = echoedTyping(lines.map((line) => `${line}\n`), 1700000000);
    const page = await openPage('iPhone 13 landscape');
    await stopClock(page, session.clock);
    const dashboard = session.typed.findIndex(({ at }) => session.screen.endsWith('(E)xit: ', at));
    const atQuestion = (index) => index === dashboard
      && page.screenshot({ path: path.join(testOutputDir, 'phone-keys.png') });
    const named = { '-': 'Minus', '\x7f': 'Backspace' };
    const tap = (name) => page.tap(`#answer-keys ::-p-aria(${name})`);
    const tapping = {
      ...puppeteerPage(page),
      async type(text) { for (const character of text) await tap(named[character] ?? character); },
      press: tap,
    };
    // Up to the dashboard that -1 brings back; the last line only ends the native game's screen.
    await replay(tapping, session, { lines: session.typed.length - 1, typo: '9', atQuestion });
    assert.match((await keysAndTerminal(page)).seen, /focus kept/, 'the taps left the focus');
    assert.deepEqual(await accessibilityViolations(page), [],
      'axe-core on the page with its answer keys');
    await page.close();
  });

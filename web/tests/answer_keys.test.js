// The answer keys of a touch screen, in Chromium's emulation of phones and tablets: their rows
// and sizes, the system keyboard kept closed and switched to, a whole game played by taps alone;
// and the page holding still while it loads.
import assert from 'node:assert/strict';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { KnownDevices } from 'puppeteer-core';
import { ANSWER_KEYS } from '../answer_keys.js';
import { evaluateWithGame, launchBrowser, puppeteerPage, startServer, webDir } from './page.js';
import { echoedSession, echoedTyping, replay, waitForGameEnd } from './replay.js';

let browser;
let site;
before(async () => {
  site = await startServer();
  browser = await launchBrowser();
});
after(async () => {
  await browser?.close();
  site?.server.close();
});

// Opens the page on `device` (a desktop when none), noting every layout shift from the start,
// and waits for the start menu.
async function openPage(device) {
  const page = await browser.newPage();
  if (device) await page.emulate(KnownDevices[device]);
  await page.evaluateOnNewDocument(() => {
    window.layoutShift = 0;
    new PerformanceObserver((entries) => {
      for (const shift of entries.getEntries()) window.layoutShift += shift.value;
    }).observe({ type: 'layout-shift', buffered: true });
  });
  await page.goto(site.url);
  await page.waitForFunction(() =>
    document.querySelector('.xterm-rows')?.textContent.includes('Select option number:'));
  return page;
}

// What a player sees of the keys and the terminal, in words: the keys shown, in how many rows
// (the switch key beside the terminal is in none) and whether any is below 44 px; the input
// mode that keeps the system keyboard closed; the focus; all 80 columns and the row being
// answered in sight; the status line's words in one line. With the font size and the rows.
function keysAndTerminal(page) {
  return evaluateWithGame(page, ({ terminal }) => {
    const shown = (selector) => [...document.querySelectorAll(selector)]
      .map((key) => key.getBoundingClientRect()).filter((key) => key.width > 0);
    const keys = shown('#answer-keys button, #system-keyboard');
    const keyRows = new Set(shown('#answer-keys button').map((key) => key.top)).size;
    const small = keys.some((key) => key.width < 44 || key.height < 44);
    const focusKept = document.activeElement === terminal.textarea && scrollY === 0;
    const statusLine = document.createRange();
    statusLine.selectNodeContents(document.getElementById('status'));
    const screen = document.querySelector('.xterm-screen').getBoundingClientRect();
    const buffer = terminal.buffer.active;
    const answerRow = document.querySelector('.xterm-rows').children[buffer.cursorY]
      .getBoundingClientRect();
    const inSight = terminal.cols === 80 && screen.left >= 0 && screen.right <= innerWidth
      && buffer.viewportY === buffer.baseY && answerRow.top >= 0
      && answerRow.bottom <= window.visualViewport.height;
    return {
      seen: `${keys.length} keys in ${keyRows} rows, ${small ? 'some' : 'none'} below 44 px; `
        + `inputmode ${terminal.textarea.getAttribute('inputmode')}; `
        + `focus ${focusKept ? 'kept' : 'moved'}; `
        + `question ${inSight ? 'in sight' : 'hidden'}; status in `
        + `${statusLine.getClientRects().length} line`,
      rows: terminal.rows,
      shown: `font ${terminal.options.fontSize} px, ${terminal.rows} rows`,
    };
  });
}

const repaint = (page) => page.evaluate(() => new Promise(requestAnimationFrame));

// The keys' rows on each device, upright and on its side: one on a phone on its side, two on the
// smallest; the switch key stands beside the terminal where its side leaves room.
const keyRows = {
  'iPhone SE': 3, 'iPhone SE landscape': 2, 'iPhone 13': 3, 'iPhone 13 landscape': 1,
  'iPad Mini': 2, 'iPad Mini landscape': 1,
};
const allKeys = ANSWER_KEYS.length + 1;

// With the system keyboard switched on, the keyboard is emulated as a viewport 45% shorter.
test('chromium: phones and tablets answer with 44 px keys in a few rows, the system keyboard '
  + 'closed until switched to, the question in sight either way', async (t) => {
  for (const [device, rows] of Object.entries(keyRows)) {
    const page = await openPage(device);
    const { viewport } = KnownDevices[device];
    const keyboardHeight = Math.round(viewport.height * 0.55);
    const withKeys = await keysAndTerminal(page);
    t.diagnostic(`${device} ${viewport.width}×${viewport.height}, answer keys: ${withKeys.shown}`);
    assert.equal(withKeys.seen, `${allKeys} keys in ${rows} rows, none below 44 px; `
      + 'inputmode none; focus kept; question in sight; status in 1 line', device);
    if (device === 'iPhone 13 landscape') assert.ok(withKeys.rows >= 15, withKeys.shown);

    await page.tap('#system-keyboard');
    await page.setViewport({ ...viewport, height: keyboardHeight });
    await repaint(page);
    const withKeyboard = await keysAndTerminal(page);
    t.diagnostic(`${device} ${viewport.width}×${keyboardHeight}, system keyboard: `
      + withKeyboard.shown);
    assert.equal(withKeyboard.seen.replace(/^1 keys in [01] rows/, 'the switch key alone'),
      'the switch key alone, none below 44 px; inputmode text; focus kept; question in sight; '
      + 'status in 1 line', device);
    assert.match(await page.$eval('#status', (line) => line.textContent), /⌨ for the keys/);

    await page.tap('#system-keyboard');
    await page.setViewport(viewport);
    await repaint(page);
    assert.deepEqual(await keysAndTerminal(page), withKeys, `${device}: the keys again`);
    assert.match(await page.$eval('#status', (line) => line.textContent), /^Tap the keys/);
    await page.close();
  }
});

// A page whose typing taps the answer keys, as replay types: only what the keys hold can be typed.
async function tappingPage(page) {
  const keys = new Map();
  for (const key of await page.$$('#answer-keys button')) {
    const name = (button) => button.getAttribute('aria-label') ?? button.textContent;
    keys.set(await key.evaluate(name), key);
  }
  const named = { '-': 'Minus', '\x7f': 'Backspace', '\r': 'Enter' };
  const tap = (name) => {
    assert.ok(keys.has(name), `no answer key ${name}`);
    return keys.get(name).tap();
  };
  return {
    ...puppeteerPage(page),
    async type(text) {
      for (const character of text) await tap(named[character] ?? character);
    },
    // Enter and Backspace are keys; the replay's last Ctrl-D comes after the game has ended.
    async press(key) {
      if (key === 'Control+D') return assert.match(await waitForGameEnd(page), /ended/);
      return tap(key);
    },
  };
}

// The whole game of the session, each answer a key has: a letter in upper case (the game takes
// either), anything else the keys lack a 0 (the game refuses it or pauses alike).
test('chromium: a whole game played by taps alone, on a phone on its side, shows what the '
  + 'console shows; axe-core finds no violation among the keys', async () => {
  const original = echoedSession('shell-full-game');
  const onKeys = (character) => ANSWER_KEYS.some(({ data }) => data === character);
  const tappable = original.typed.map(({ line }) => line.replace(/[^\n]/g, (character) =>
    (onKeys(character.toUpperCase()) ? character.toUpperCase() : '0')));
  const session = echoedTyping(tappable, original.clock);
  assert.match(session.screen, /Your journey is over/);
  const page = await openPage('iPhone 13 landscape');
  await page.evaluate((milliseconds) => { Date.now = () => milliseconds; }, session.clock * 1000);
  const dashboard = session.typed.findIndex(({ at }) => session.screen.endsWith('(E)xit: ', at));
  const atQuestion = async (index) => {
    if (index !== dashboard) return;
    assert.match((await keysAndTerminal(page)).seen, /focus kept/, 'the taps left the focus');
    await page.screenshot({ path: path.join(webDir, 'phone-keys.png') });
  };
  await replay(await tappingPage(page), session, { atQuestion });
  await page.addScriptTag({ path: new URL('../node_modules/axe-core/axe.min.js', import.meta.url)
    .pathname });
  const violations = await page.evaluate(async () => (await window.axe.run()).violations);
  assert.deepEqual(violations.map(({ id, nodes }) => `${id}: ${nodes.map(({ target }) => target)}`),
    [], 'axe-core on the page with its answer keys');
  await page.close();
});

// A desktop with a mouse shows no keys; no page, on a desktop or a phone, moves what it has
// shown while it loads (a layout shift of 0.1 is poor).
test('chromium: a desktop shows no answer keys; the page holds still while it loads', async () => {
  for (const device of [undefined, 'iPhone 13', 'iPhone SE landscape']) {
    const page = await openPage(device);
    await repaint(page);
    const shift = await page.evaluate(() => window.layoutShift);
    assert.ok(shift < 0.01, `${device ?? 'desktop'}: layout shift ${shift}`);
    if (!device) {
      assert.deepEqual(await page.evaluate(() => [document.getElementById('answer-keys').hidden,
        document.querySelector('.xterm-helper-textarea').getAttribute('inputmode')]), [true, null]);
    }
    await page.close();
  }
});

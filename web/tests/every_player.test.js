// What the page does for players beyond a desktop's keyboard, in Chromium: phones and tablets
// in either orientation with the on-screen keyboard open or closed, a whole game on a phone,
// and what axe-core checks for assistive technology (offline play: offline.test.js).
import assert from 'node:assert/strict';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { KnownDevices } from 'puppeteer-core';
import { KEPT_LINES, spokenLines } from '../game_log.js';
import { evaluateWithGame, launchBrowser, puppeteerPage, startServer, webDir } from './page.js';
import { echoedSession, replay } from './replay.js';

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

// Opens the page at `url` (on a phone when `device` is named) and waits for the start menu.
async function openPage(url, device) {
  const page = await browser.newPage();
  if (device) await page.emulate(KnownDevices[device]);
  await page.goto(url);
  await page.waitForFunction(() =>
    document.querySelector('.xterm-rows')?.textContent.includes('Select option number:'));
  return page;
}

// Whether all 80 columns are on screen, nothing lies off to the side and the row being answered
// is in the part of the screen in sight; with the font size and the rows that gives.
function terminalInSight(page) {
  return evaluateWithGame(page, ({ terminal }) => {
    const buffer = terminal.buffer.active;
    const screen = document.querySelector('.xterm-screen').getBoundingClientRect();
    const answerRow = document.querySelector('.xterm-rows').children[buffer.cursorY]
      .getBoundingClientRect();
    return {
      columnsFit: terminal.cols === 80 && screen.left >= 0 && screen.right <= innerWidth
        && document.documentElement.scrollWidth <= innerWidth,
      answerRowInSight: buffer.viewportY === buffer.baseY && answerRow.top >= 0
        && answerRow.bottom <= window.visualViewport.height,
      shown: `font ${terminal.options.fontSize} px, ${terminal.rows} rows`,
    };
  });
}

// The keyboard is emulated as a viewport 45% shorter, opened and closed on the loaded page.
test('chromium: phones and tablets show all 80 columns and the question, keyboard open or closed; '
  + 'the status line names no key they lack', async (t) => {
  for (const name of ['iPhone SE', 'iPhone 13', 'iPad Mini']) {
    const page = await openPage(site.url, name);
    assert.match(await page.$eval('#status', (line) => line.textContent), /^Tap the keys/);
    for (const { viewport } of [KnownDevices[name], KnownDevices[`${name} landscape`]]) {
      for (const height of [viewport.height, Math.round(viewport.height * 0.55)]) {
        await page.setViewport({ ...viewport, height });
        await page.evaluate(() => new Promise(requestAnimationFrame));
        const sight = await terminalInSight(page);
        const where = `${name} ${viewport.width}×${height}`;
        t.diagnostic(`${where}: ${sight.shown}`);
        assert.ok(sight.columnsFit && sight.answerRowInSight, `${where}: ${JSON.stringify(sight)}`);
      }
    }
    await page.close();
  }
});

// The replay checks the screen readers' log before every typed line, in every engine; here a
// whole game outgrows it on a phone, whose first dashboard is saved upright and on its side.
test('chromium: on a phone a whole game plays as on the console; the screen readers\' log keeps '
  + 'the recent lines', async () => {
  const session = echoedSession('shell-full-game');
  assert.ok(spokenLines(session.screen).length > 2 * KEPT_LINES, 'the game outgrows the log');
  const page = await openPage(site.url, 'iPhone 13');
  await page.evaluate((milliseconds) => { Date.now = () => milliseconds; }, session.clock * 1000);
  const dashboard = session.typed.findIndex(({ at }) => session.screen.endsWith('(E)xit: ', at));
  const atQuestion = async (index) => {
    if (index !== dashboard) return;
    await page.screenshot({ path: path.join(webDir, 'phone-portrait.png') });
    await page.setViewport(KnownDevices['iPhone 13 landscape'].viewport);
    await page.evaluate(() => new Promise(requestAnimationFrame));
    await page.screenshot({ path: path.join(webDir, 'phone-landscape.png') });
    await page.setViewport(KnownDevices['iPhone 13'].viewport);
  };
  await replay(puppeteerPage(page), session, { atQuestion });
  await page.close();
});

// Once a whole duel has ended, the page shows all it has (terminal, status, Play again) to
// axe-core.
test('chromium: after a game axe-core finds no accessibility violation', async () => {
  const session = echoedSession('combat-simulator-win');
  const page = await openPage(site.url);
  await page.evaluate((milliseconds) => { Date.now = () => milliseconds; }, session.clock * 1000);
  await replay(puppeteerPage(page), session);
  await page.addScriptTag({ path: new URL('../node_modules/axe-core/axe.min.js', import.meta.url)
    .pathname });
  const violations = await page.evaluate(async () => (await window.axe.run()).violations);
  assert.deepEqual(violations.map(({ id, nodes }) => `${id}: ${nodes.map(({ target }) => target)}`),
    []);
  await page.close();
});

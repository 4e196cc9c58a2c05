// Whole scripted sessions typed key by key into the page in headless Chromium. The terminal must
// show what the native game shows on a real terminal for the same keys and clock
// (tests/support/echoed_session.cpp), and every question must be on screen before its answer.
// The sessions replayed here run on one clock reading (the tool refuses others), which the
// page's frozen clock gives.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import path from 'node:path';
import { after, before, test } from 'node:test';
import {
  launchBrowser, linesOf, openGame, screenLines, startServer, waitForScreen, webDir,
} from './page.js';

const echoedSessionTool =
  process.env.ECHOED_SESSION ?? 'build/debug/tests/nebulance_echoed_session';
const sessions = ['shell-full-game', 'combat-simulator-win', 'story-rumour-let-things-be',
  'travel-old-acquaintance', 'combat-end-of-input-in-duel', 'shell-enter-alone-at-pause'];
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

// The native screen: the clock reading on the first line, then the screen with each typed line
// between the marks \x1e and \x1f; returns the clock, the screen and where each line was typed.
function echoedSession(name) {
  const output = execFileSync(echoedSessionTool, [name], { encoding: 'utf8' });
  const clockEnd = output.indexOf('\n');
  const session = { clock: Number(output.slice(0, clockEnd)), screen: '', typed: [] };
  for (const [index, piece] of output.slice(clockEnd + 1).split(/[\x1e\x1f]/).entries()) {
    if (index % 2 === 1) session.typed.push({ line: piece, at: session.screen.length });
    session.screen += piece;
  }
  return session;
}

async function pressControlD(page) {
  await page.keyboard.down('Control');
  await page.keyboard.press('KeyD');
  await page.keyboard.up('Control');
}

async function waitForGameEnd(page) {
  await page.waitForFunction(() => !document.getElementById('play-again').hidden);
  return page.$eval('#status', (status) => status.textContent);
}

// Saves what the page shows under the built folder, for the README.
async function screenshot(page, name) {
  await (await page.$('main')).screenshot({ path: path.join(webDir, `${name}.png`) });
}

// Types each line once its question is on screen (`typo` first, then Backspace), then Ctrl-D;
// the screen before line `dashboardAt` is saved.
async function replay(page, session, { typo = '', dashboardAt = -1 } = {}) {
  for (const [index, typed] of session.typed.entries()) {
    const question = linesOf(session.screen.slice(0, typed.at));
    const shown = await waitForScreen(page, question);
    assert.deepEqual(shown, question, `question before line ${index + 1}`);
    if (index === dashboardAt) await screenshot(page, 'dashboard');
    await page.keyboard.type(typo);
    for (let i = 0; i < typo.length; i++) await page.keyboard.press('Backspace');
    await page.keyboard.type(typed.line.replace(/\n$/, ''));
    if (typed.line.endsWith('\n')) await page.keyboard.press('Enter');
    else await pressControlD(page);
  }
  await pressControlD(page);
  await waitForGameEnd(page);
  assert.deepEqual(await screenLines(page), linesOf(session.screen));
}

for (const name of sessions) {
  test(`${name}: the page shows the native screen, echo included`, async () => {
    const session = echoedSession(name);
    const page = await openGame(browser, site.url, session.clock);
    const atDashboard = ({ at }) => session.screen.endsWith('(E)xit: ', at);
    const dashboardAt = session.typed.findIndex(atDashboard);
    await replay(page, session, name === 'shell-full-game' ? { dashboardAt } : {});
    await page.close();
  });
}

test('Backspace over a typo gives the same game as the line typed cleanly', async () => {
  const session = echoedSession('combat-simulator-win');
  const page = await openGame(browser, site.url, session.clock);
  await replay(page, session, { typo: 'q9' });
  await page.close();
});

test('Ctrl-D on an empty line ends the game at once; Play again starts afresh', async () => {
  const session = echoedSession('combat-simulator-win');
  const startMenu = linesOf(session.screen.slice(0, session.typed[0].at));
  const page = await openGame(browser, site.url, session.clock);
  assert.deepEqual(await waitForScreen(page, startMenu), startMenu);
  await screenshot(page, 'start-menu');
  await pressControlD(page);
  assert.equal(await waitForGameEnd(page), 'The game has ended.');
  assert.deepEqual(await screenLines(page), startMenu);
  await page.click('#play-again');
  assert.deepEqual(await waitForScreen(page, startMenu), startMenu);
  await page.close();
});

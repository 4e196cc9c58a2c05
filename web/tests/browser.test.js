// Whole scripted sessions typed key by key into the page in Chromium, Firefox and WebKit. The
// terminal must show what the native game shows on a real terminal for the same keys and clock
// (tests/support/echoed_session.cpp), and every question must be on screen before its answer.
// The sessions replayed here run on one clock reading (the tool refuses others), which the
// page's stopped clock gives. One routine drives every engine through launchEngine's page.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';
import { launchEngine, linesOf, screenLines, startServer, waitForScreen, webDir } from './page.js';

const echoedSessionTool =
  process.env.ECHOED_SESSION ?? 'build/debug/tests/nebulance_echoed_session';
// Chromium replays every session; the other engines the whole 31-jump game and a duel.
const everyEngine = ['shell-full-game', 'combat-simulator-win'];
const sessionsByEngine = {
  chromium: [...everyEngine, 'story-rumour-let-things-be', 'travel-old-acquaintance',
    'combat-end-of-input-in-duel', 'shell-enter-alone-at-pause'],
  firefox: everyEngine,
  webkit: everyEngine,
};
let site;
before(async () => { site = await startServer(); });
after(() => site?.server.close());

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

// Resolves with the status line once the page offers Play again, or after 10 s.
function waitForGameEnd(page) {
  return page.evaluate(async () => {
    const deadline = performance.now() + 10000;
    while (document.getElementById('play-again').hidden && performance.now() < deadline) {
      await new Promise((resolve) => setTimeout(resolve, 5));
    }
    return document.getElementById('status').textContent;
  });
}

// Types each line once its question is on screen (`typo` first, then Backspace), then Ctrl-D;
// the screen before line `shotAt` is saved under the built folder as `shot`.png.
async function replay(page, session, { typo = '', shotAt = -1, shot } = {}) {
  for (const [index, typed] of session.typed.entries()) {
    const question = linesOf(session.screen.slice(0, typed.at));
    const shown = await waitForScreen(page, question);
    assert.deepEqual(shown, question, `question before line ${index + 1}`);
    if (index === shotAt) await page.screenshot(path.join(webDir, `${shot}.png`));
    await page.type(typo);
    for (let i = 0; i < typo.length; i++) await page.press('Backspace');
    await page.type(typed.line.replace(/\n$/, ''));
    await page.press(typed.line.endsWith('\n') ? 'Enter' : 'Control+D');
  }
  await page.press('Control+D');
  await waitForGameEnd(page);
  assert.deepEqual(await screenLines(page), linesOf(session.screen));
}

for (const [engineName, sessions] of Object.entries(sessionsByEngine)) {
  describe(engineName, () => {
    let engine;
    before(async () => { engine = await launchEngine(engineName); });
    after(() => engine?.close());

    for (const name of sessions) {
      test(`${engineName}: ${name}: the page shows the native screen, echo included`, async () => {
        const session = echoedSession(name);
        const page = await engine.open(site.url, session.clock);
        const shotAt = name === 'shell-full-game'
          ? session.typed.findIndex(({ at }) => session.screen.endsWith('(E)xit: ', at)) : -1;
        await replay(page, session, { shotAt, shot: `${engineName}-dashboard` });
        await page.close();
      });
    }

    test(`${engineName}: Backspace over a typo gives the same game as the line typed cleanly`, async () => {
      const session = echoedSession('combat-simulator-win');
      const page = await engine.open(site.url, session.clock);
      await replay(page, session, { typo: 'q9' });
      await page.close();
    });

    test(`${engineName}: Ctrl-D on an empty line ends the game at once; Play again starts afresh`, async () => {
      const session = echoedSession('combat-simulator-win');
      const startMenu = linesOf(session.screen.slice(0, session.typed[0].at));
      const page = await engine.open(site.url, session.clock);
      assert.deepEqual(await waitForScreen(page, startMenu), startMenu);
      await page.screenshot(path.join(webDir, `${engineName}-start-menu.png`));
      await page.press('Control+D');
      assert.equal(await waitForGameEnd(page), 'The game has ended.');
      assert.deepEqual(await screenLines(page), startMenu);
      await page.click('#play-again');
      assert.deepEqual(await waitForScreen(page, startMenu), startMenu);
      await page.close();
    });
  });
}

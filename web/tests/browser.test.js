// Whole scripted sessions typed key by key into the page in Chromium, Firefox and WebKit. The
// terminal must show what the native game shows on a real terminal for the same keys and clock
// (tests/support/echoed_session.cpp), and every question must be on screen before its answer.
// The sessions replayed here run on one clock reading (the tool refuses others), which the
// page's stopped clock gives. One routine drives every engine through launchEngine's page.
import assert from 'node:assert/strict';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';
import { launchEngine, linesOf, screenLines, startServer, testOutputDir,
  waitForScreen } from './page.js';
import { echoedSession, replay, waitForGameEnd } from './replay.js';
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
        const shot = path.join(testOutputDir, `${engineName}-dashboard.png`);
        await replay(page, session, { atQuestion: (index) => index === shotAt && page.screenshot(shot) });
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
      await page.screenshot(path.join(testOutputDir, `${engineName}-start-menu.png`));
      await page.press('Control+D');
      assert.equal(await waitForGameEnd(page), 'The game has ended.');
      assert.deepEqual(await screenLines(page), startMenu);
      await page.click('#play-again');
      assert.deepEqual(await waitForScreen(page, startMenu), startMenu);
      await page.close();
    });
  });
}

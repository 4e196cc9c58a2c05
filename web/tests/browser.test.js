// Scripted sessions typed key by key into the page in Chromium, Firefox and WebKit. The
// terminal must show what the native game shows on a real terminal for the same keys and clock
// (tests/support/echoed_session.cpp), and every question must be on screen before its answer.
// The sessions replayed here run on one clock reading (the tool refuses others), which the
// page's stopped clock gives. One routine drives every engine through launchEngine's page.
import assert from 'node:assert/strict';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';
import {
  launchEngine, screenLines, startServer, statusLine, testOutputDir, untilStartMenu,
} from './page.js';
import { echoedSession, replay, waitForGameEnd } from './replay.js';

// Every engine replays the whole 31-jump game. The page hands the game bytes alone, so the other
// sessions, which show that the game compiled to WebAssembly plays its duels, stories and end of
// input as the native game does, need one engine only.
const sessionsByEngine = {
  chromium: ['shell-full-game', 'combat-simulator-win', 'story-rumour-let-things-be',
    'travel-old-acquaintance', 'combat-end-of-input-in-duel', 'shell-enter-alone-at-pause'],
  firefox: ['shell-full-game'],
  webkit: ['shell-full-game'],
};
const PLAYING = 'Type your answer and press Enter; Ctrl-D on an empty line ends the game.';
let site;
before(async () => { site = await startServer(); });
after(() => site?.server.close());

for (const [engineName, sessions] of Object.entries(sessionsByEngine)) {
  describe(engineName, () => {
    let engine;
    before(async () => { engine = await launchEngine(engineName); });
    after(() => engine?.close());

    // The status line says how to answer at every question and that the game has ended at its
    // end; the whole game also has a typo erased before its first answer.
    for (const name of sessions) {
      const wholeGame = name === 'shell-full-game';
      test(`${engineName}: ${name}: the page shows the native screen, echo included`
        + (wholeGame ? '; Backspace erases a typo' : ''), async () => {
        const session = echoedSession(name);
        const page = await engine.open(site.url, session.clock);
        const shotAt = wholeGame
          ? session.typed.findIndex(({ at }) => session.screen.endsWith('(E)xit: ', at)) : -1;
        const shot = path.join(testOutputDir, `${engineName}-dashboard.png`);
        const ending = await replay(page, session, {
          typo: wholeGame ? 'q9' : '',
          async atQuestion(index) {
            assert.equal(await statusLine(page), PLAYING, `status before line ${index + 1}`);
            if (index === shotAt) await page.screenshot(shot);
          },
        });
        assert.equal(ending, 'The game has ended.');
        await page.close();
      });
    }

    test(`${engineName}: Ctrl-D on an empty line ends the game at once; Play again starts afresh`,
      async () => {
        const session = echoedSession('combat-simulator-win');
        const page = await engine.open(site.url, session.clock);
        const startMenu = await untilStartMenu(page);
        await page.screenshot(path.join(testOutputDir, `${engineName}-start-menu.png`));
        await page.press('Control+D');
        assert.equal(await waitForGameEnd(page), 'The game has ended.');
        assert.deepEqual(await screenLines(page), startMenu);
        await page.click('#play-again');
        await replay(page, session, { lines: 1 });
        await page.close();
      });
  });
}

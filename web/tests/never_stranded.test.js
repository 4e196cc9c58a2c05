// What the page does when something goes wrong, in Chromium, Firefox and WebKit: a part of the
// site that does not arrive or throws, a flood of pasted text, a fault inside the game, a double
// tap on Play again. Each ends in plain words and a way on, and the game then answers as the native game does (the shared replay).
import assert from 'node:assert/strict';
import { cpSync, mkdtempSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';
import {
  accessibilityViolations, launchBrowser, launchEngine, linesOf, screenLines,
  startServer, stopClock, untilInPage, webDir,
} from './page.js';
import { echoedSession, echoedTyping, faultAtStartMenu, replay } from './replay.js';

// A copy of the site in which each file named in `changes` (wherever it lies) is missing
// (null) or holds other text.
function siteChanged(changes) {
  const copy = mkdtempSync(path.join(tmpdir(), 'nebulance-broken-site-'));
  cpSync(webDir, copy, { recursive: true });
  for (const file of readdirSync(copy, { recursive: true })) {
    const change = changes[path.basename(file)];
    if (change === null) rmSync(path.join(copy, file));
    else if (change !== undefined) writeFileSync(path.join(copy, file), change);
  }
  return copy;
}
const siteWithout = (missing) => siteChanged({ [missing]: null });

// The status line and whether Try again is offered, once the page has given up loading.
function loadFailure(page) {
  return untilInPage(page, () => ({
    status: document.getElementById('status').textContent,
    tryAgain: !document.getElementById('try-again').hidden,
  }), { done: ({ tryAgain }) => tryAgain });
}

for (const engineName of ['chromium', 'firefox', 'webkit']) {
  describe(engineName, () => {
    let engine;
    before(async () => { engine = await launchEngine(engineName); });
    after(() => engine?.close());

    test(`${engineName}: a game's code that does not arrive is said in plain words with Try again; `
      + 'the retry plays', async (t) => {
      const broken = siteWithout('nebulance.wasm');
      t.after(() => rmSync(broken, { recursive: true }));
      let deployed = broken;
      const host = await startServer(() => deployed);
      t.after(() => host.server.close());
      const session = echoedSession('combat-simulator-win');
      const page = await engine.open(host.url, session.clock);
      assert.deepEqual(await loadFailure(page), {
        status: 'Could not load the game\'s code (nebulance.wasm). The network may be down or '
          + 'too slow: check the connection and try again.',
        tryAgain: true,
      });
      deployed = webDir;
      await page.clickAndLoad('#try-again');
      await stopClock(page, session.clock);
      await replay(page, session, { lines: 1 });
      await page.close();
    });

    // The game answers every letter at the start menu with a screen: the first paste would bring
    // about 138 MB of output uncut.
    test(`${engineName}: after a paste of a 200,000-character line and one of 500 lines the game `
      + 'carries on as the native game does with the lines cut as a terminal cuts them', async (t) => {
      const lines = Array.from({ length: 500 }, (_, i) => (i % 2 ? '2\n' : 'x\n')).join('');
      const session = echoedTyping([`${'x'.repeat(200000)}\n`, lines, '3\n', '1\n'], 1700000000);
      const site = await startServer();
      t.after(() => site.server.close());
      const page = await engine.open(site.url, session.clock);
      await replay(page, session, { patience: 60000 });
      await page.close();
    });

    // The page then shows all it has (terminal, status line, Play again) to axe-core.
    test(`${engineName}: a fault inside the game ends that game with a message and Play again, `
      + 'which plays a fresh one; axe-core finds no accessibility violation', async (t) => {
      const session = echoedSession('combat-simulator-win');
      const site = await startServer();
      t.after(() => site.server.close());
      const page = await engine.open(site.url, session.clock);
      await faultAtStartMenu(page);
      assert.deepEqual(await screenLines(page),
        linesOf(`${session.screen.slice(0, session.typed[0].at)}2\n`));
      assert.deepEqual(await accessibilityViolations(page), []);
      // Two taps in a row start one game.
      await page.evaluate(() => {
        const playAgain = document.getElementById('play-again');
        playAgain.click();
        playAgain.click();
      });
      await replay(page, session, { lines: 1 });
      await page.close();
    });

    // One of the page's modules (the screen readers' log), then the game's loader: each arrives
    // but throws as it runs.
    test(`${engineName}: a page whose code throws as it starts says so, with Try again`, async (t) => {
      const throws = 'throw new Error(\'broken on its way\');';
      for (const [file, text, words] of [
        ['game_log.js', throws, 'The page could not start in this browser. Try again; if it '
          + 'fails again, this browser may be too old for the game.'],
        ['nebulance.js', `export default () => { ${throws} };`, 'Could not start the game\'s '
          + 'code (nebulance.wasm) in this browser. Try again; if it fails again, this browser '
          + 'may be too old for the game.'],
      ]) {
        const broken = siteChanged({ [file]: text });
        t.after(() => rmSync(broken, { recursive: true }));
        const host = await startServer(() => broken);
        t.after(() => host.server.close());
        const page = await engine.open(host.url, 0);
        assert.deepEqual(await loadFailure(page), { status: words, tryAgain: true }, file);
        await page.close();
      }
    });
  });
}

describe('chromium: every part of the site', () => {
  let browser;
  before(async () => { browser = await launchBrowser(); });
  after(() => browser?.close());

  // Opens the site without the file `missing` (or whole) in a new page; the test `t` closes
  // both, pass or fail.
  async function openBroken(t, missing, prepare = () => {}) {
    const broken = missing ? siteWithout(missing) : webDir;
    if (missing) t.after(() => rmSync(broken, { recursive: true }));
    const host = await startServer(() => broken);
    t.after(() => host.server.close());
    const page = await browser.newPage();
    t.after(() => page.close());
    await prepare(page);
    await page.goto(host.url);
    return page;
  }

  test('chromium: a part that does not arrive is named; with JavaScript off the page says what '
    + 'it needs', async (t) => {
    const parts = {
      'nebulance.js': 'the game (nebulance.js)',
      'text_terminal.js': 'the page\'s code',
      'game_code.js': 'the page\'s code',
    };
    for (const [file, part] of Object.entries(parts)) {
      const page = await openBroken(t, file);
      const { status, tryAgain } = await loadFailure(page);
      assert.ok(tryAgain, file);
      assert.match(status, new RegExp(`^Could not load ${part.replace(/[().]/g, '\\$&')}\\. `));
    }
    const page = await openBroken(t, null, (opening) => opening.setJavaScriptEnabled(false));
    assert.equal(await page.$eval('main', (main) => main.innerText.includes('Loading the game…')),
      false, 'with JavaScript off nothing says it is loading');
    assert.match(await page.$eval('main', (main) => main.innerText),
      /The game runs in the browser with JavaScript: turn it on for this page\./);
  });

  test('chromium: a browser without WebAssembly is told so', async (t) => {
    const page = await openBroken(t, null, (opening) => opening.evaluateOnNewDocument(() => {
      delete globalThis.WebAssembly;
    }));
    const status = await untilInPage(page, () => document.getElementById('status').textContent,
      { done: (words) => words.startsWith('This browser cannot run the game') });
    assert.match(status, /^This browser cannot run the game/);
    assert.equal(await page.$eval('#try-again', (button) => button.hidden), true);
  });
});

// The page's lifecycle where it can go wrong: a double tap on Play again, a rejection that is not
// the game's, a page whose code throws while it starts, a frame with no room, and a fresh copy of
// the game after a fault, made from the code already compiled. Each check plays on to the start
// menu and one answer, the smallest proof that the page plays.
import assert from 'node:assert/strict';
import { cpSync, mkdtempSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';
import {
  evaluateWithGame, launchBrowser, launchEngine, linesOf, puppeteerPage, startServer, stopClock,
  waitForScreen, webDir,
} from './page.js';
import { echoedSession, waitForGameEnd } from './replay.js';

const session = echoedSession('combat-simulator-win');
// The start menu, and the screen after its first answer.
const screenBefore = (k) => linesOf(session.screen.slice(0, session.typed[k].at));
const firstAnswer = session.typed[0].line.replace(/\n$/, '');

// Waits until the page is in `state` (<body data-game>); resolves with the state it ended in.
function waitForState(page, state) {
  return page.evaluate(async (wanted) => {
    const deadline = performance.now() + 10000;
    while (document.body.dataset.game !== wanted && performance.now() < deadline) {
      await new Promise((resolve) => { setTimeout(resolve, 5); });
    }
    return document.body.dataset.game;
  }, state);
}

// The start menu is up and takes an answer: the screen that follows is the native game's.
async function answersStartMenu(page) {
  assert.deepEqual(await waitForScreen(page, screenBefore(0), 10000, { question: true }),
    screenBefore(0));
  await page.type(firstAnswer);
  await page.press('Enter');
  assert.deepEqual(await waitForScreen(page, screenBefore(1), 10000, { question: true }),
    screenBefore(1));
}

// Ends the game at the start menu with a fault inside it.
async function faultTheGame(page) {
  assert.deepEqual(await waitForScreen(page, screenBefore(0), 10000, { question: true }),
    screenBefore(0));
  await evaluateWithGame(page, ({ game }) => {
    game.showOutput = () => { throw new Error('a fault inside the game'); };
  });
  await page.type(firstAnswer);
  await page.press('Enter');
  assert.equal(await waitForGameEnd(page),
    'The game stopped because of a fault inside it. Play again starts a new game.');
}

// A copy of the site in which `file` (wherever it lies) holds `text`.
function siteWith(file, text) {
  const copy = mkdtempSync(path.join(tmpdir(), 'nebulance-changed-site-'));
  cpSync(webDir, copy, { recursive: true });
  for (const name of readdirSync(copy, { recursive: true })) {
    if (path.basename(name) === file) writeFileSync(path.join(copy, name), text);
  }
  return copy;
}

describe('chromium', () => {
  let browser;
  before(async () => { browser = await launchBrowser(); });
  after(() => browser?.close());

  // A page of its own, closed with the test; what the page throws or logs as an error is kept.
  async function openPage(t, url, prepare = () => {}) {
    const raw = await browser.newPage();
    t.after(() => raw.close());
    const errors = [];
    raw.on('pageerror', (error) => errors.push(error.message));
    await prepare(raw);
    await raw.goto(url);
    const page = puppeteerPage(raw);
    await stopClock(page, session.clock);
    return { raw, page, errors };
  }

  test('chromium: Play again tapped twice after a fault starts one game', async (t) => {
    const site = await startServer();
    t.after(() => site.server.close());
    const { page } = await openPage(t, site.url);
    await faultTheGame(page);
    await page.evaluate(() => {
      const playAgain = document.getElementById('play-again');
      playAgain.click();
      playAgain.click();
    });
    await answersStartMenu(page);
  });

  test('chromium: a rejection that the page did not make leaves the game playing', async (t) => {
    const site = await startServer();
    t.after(() => site.server.close());
    const { page } = await openPage(t, site.url);
    assert.deepEqual(await waitForScreen(page, screenBefore(0), 10000, { question: true }),
      screenBefore(0));
    // A script of the page's own rejects a promise; the wait ends once the browser has reported
    // it to every listener, the page's first.
    await page.evaluate(() => new Promise((reported) => {
      addEventListener('unhandledrejection', () => setTimeout(reported));
      const script = document.createElement('script');
      script.textContent = 'Promise.reject(new Error("a script of its own"));';
      document.head.append(script);
    }));
    assert.equal(await page.evaluate(() => document.getElementById('status').textContent),
      'Type your answer and press Enter; Ctrl-D on an empty line ends the game.');
    await answersStartMenu(page);
  });

  // The blocked server stands for a network gone after the page loaded; the service worker,
  // bypassed, would serve the code from its cache anyway.
  test('chromium: after a fault, Play again makes a fresh copy from the code already compiled, '
    + 'without the network', async (t) => {
    let networkUp = true;
    const wasmRequests = [];
    const site = await startServer(undefined, {
      blocked: (pathname) => {
        if (!networkUp && pathname.endsWith('.wasm')) wasmRequests.push(pathname);
        return !networkUp;
      },
    });
    t.after(() => site.server.close());
    const { page } = await openPage(t, site.url, (raw) => raw.setBypassServiceWorker(true));
    await faultTheGame(page);
    networkUp = false;
    await page.click('#play-again');
    await answersStartMenu(page);
    assert.deepEqual(wasmRequests, [], 'the game\'s code is not fetched again');
  });

  test('chromium: a frame with no room starts without an error, and plays once given room',
    async (t) => {
      const host = mkdtempSync(path.join(tmpdir(), 'nebulance-frame-'));
      t.after(() => rmSync(host, { recursive: true }));
      writeFileSync(path.join(host, 'index.html'), '<!doctype html><title>A frame</title>'
        + '<iframe src="/game/" width="0" height="0" style="border: 0"></iframe>');
      const site = await startServer(() => ({ '/': host, '/game/': webDir }));
      t.after(() => site.server.close());
      const { raw, page: top, errors } = await openPage(t, site.url);
      const page = await top.enterFrame('iframe');
      assert.equal(await waitForState(page, 'playing'), 'playing');
      assert.deepEqual(errors, []);
      await raw.evaluate(() => {
        Object.assign(document.querySelector('iframe'), { width: 900, height: 700 });
      });
      await stopClock(page, session.clock);
      await page.click('#terminal');
      await answersStartMenu(page);
      assert.deepEqual(errors, []);
    });
});

// A page whose code arrives but throws while it runs: one of its modules (the screen readers'
// log), or the game's loader. Each says so with Try again (which reloads the page, as after a
// part that does not arrive).
const broken = [
  ['game_log.js', 'throw new Error(\'broken on its way\');',
    'The page could not start in this browser. Try again; if it fails again, this browser may '
    + 'be too old for the game.'],
  ['nebulance.js', 'export default () => { throw new Error(\'broken on its way\'); };',
    'Could not start the game\'s code (nebulance.wasm) in this browser. Try again; if it fails '
    + 'again, this browser may be too old for the game.'],
];
for (const engineName of ['chromium', 'firefox', 'webkit']) {
  describe(engineName, () => {
    let engine;
    before(async () => { engine = await launchEngine(engineName); });
    after(() => engine?.close());

    for (const [file, text, words] of broken) {
      test(`${engineName}: a page whose ${file} throws as it starts says so, with Try again`,
        async (t) => {
          const copy = siteWith(file, text);
          t.after(() => rmSync(copy, { recursive: true }));
          const site = await startServer(() => copy);
          t.after(() => site.server.close());
          const page = await engine.open(site.url, session.clock);
          t.after(() => page.close());
          assert.deepEqual(await page.evaluate(async () => {
            const tryAgain = document.getElementById('try-again');
            const deadline = performance.now() + 10000;
            while (tryAgain.hidden && performance.now() < deadline) {
              await new Promise((resolve) => { setTimeout(resolve, 5); });
            }
            return [document.getElementById('status').textContent, !tryAgain.hidden];
          }), [words, true]);
        });
    }
  });
}

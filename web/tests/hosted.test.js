// The site as players get it, in Chromium, Firefox and WebKit: served from a host's root, under
// a path of its own, inside a game portal's iframe on another origin; a browser that refuses the
// service worker; index.html opened from a file. In each setting the game answers as the native
// game does (the shared replay: the start menu, an answer, the screen it brings), with the status
// line saying only the usual words, to the end of the game. The site is WEB_DIR, so an unzipped
// release can be tested as it will be published.
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { after, before, describe, test } from 'node:test';
import {
  launchBrowser, launchEngine, puppeteerPage, startServer, statusLine, stopClock, untilInPage,
  untilStartMenu, webDir,
} from './page.js';
import { echoedSession, replay, waitForGameEnd } from './replay.js';

const PLAYING = 'Type your answer and press Enter; Ctrl-D on an empty line ends the game.';
const ENDED = 'The game has ended.';

// Answers the session's first question in `page`, then ends the game with Ctrl-D, and checks the
// status line on the way.
async function playsWithUsualWords(page, session) {
  await replay(page, session, {
    lines: 1,
    atQuestion: async () => assert.equal(await statusLine(page), PLAYING, 'at the start menu'),
  });
  assert.equal(await statusLine(page), PLAYING, 'after an answer');
  await page.press('Control+D');
  assert.equal(await waitForGameEnd(page), ENDED);
}

// A portal's page on another origin (localhost, where the game is on 127.0.0.1) that embeds the
// game as portals embed HTML games.
const portal = mkdtempSync(path.join(tmpdir(), 'nebulance-portal-'));
const portalPage = (gameUrl) => `<!doctype html>
<html lang="en"><head><meta charset="utf-8"><title>A game portal</title></head>
<body><h1>Games</h1>
<iframe src="${gameUrl}" width="900" height="700" allow="autoplay; fullscreen; gamepad"
  allowfullscreen></iframe></body></html>
`;

// Each setting on servers of its own, so that one setting's service worker never serves another.
const settings = {
  'served from the host\'s root': async () => {
    const host = await startServer(() => webDir);
    return { url: host.url, servers: [host.server] };
  },
  'served under /games/nebulance/': async () => {
    const host = await startServer(() => ({ '/games/nebulance/': webDir }));
    return { url: `${host.url}games/nebulance/`, servers: [host.server] };
  },
  'inside a portal\'s iframe on another origin': async () => {
    const host = await startServer(() => ({ '/html/1234/': webDir }));
    const folder = mkdtempSync(path.join(portal, 'page-'));
    writeFileSync(path.join(folder, 'index.html'), portalPage(`${host.url}html/1234/index.html`));
    const site = await startServer(() => folder);
    return {
      url: site.url.replace('127.0.0.1', 'localhost'),
      frame: 'iframe',
      servers: [host.server, site.server],
    };
  },
};

after(() => rmSync(portal, { recursive: true }));

for (const engineName of ['chromium', 'firefox', 'webkit']) {
  describe(engineName, () => {
    let engine;
    before(async () => { engine = await launchEngine(engineName); });
    after(() => engine?.close());

    for (const [setting, serve] of Object.entries(settings)) {
      test(`${engineName}: ${setting}, the page answers as the native game does`, async (t) => {
        const session = echoedSession('combat-simulator-win');
        const { url, frame, servers } = await serve();
        t.after(() => { for (const server of servers) server.close(); });
        const page = await engine.open(url, session.clock, { frame });
        await untilStartMenu(page);
        // A player clicks into an embedded game before typing; the click gives the frame the focus.
        await page.click('#terminal .terminal-viewport');
        await playsWithUsualWords(page, session);
        await page.close();
      });
    }

    // Double-clicked in a file manager; the browser may refuse the modules, or only the wasm.
    // The page's words are read once its code has run to its end, or failed to load: the import
    // settles then, so no failure can come after the reading.
    test(`${engineName}: index.html opened from a file says that the game must be served, and how`,
      async () => {
        const page = await engine.open(pathToFileURL(path.resolve(webDir, 'index.html')).href, 0);
        const shown = await untilInPage(page, async () => {
          if (document.readyState !== 'complete') return null;
          await import(document.getElementById('page-code').src).catch(() => {});
          return {
            status: document.getElementById('status').textContent,
            tryAgain: !document.getElementById('try-again').hidden,
            terminal: document.querySelector('.terminal') !== null,
          };
        });
        assert.deepEqual(shown, {
          status: 'The game must be served by a web server: a browser does not run it from a file. '
            + 'In this folder, run python3 -m http.server (or any static web server), then open '
            + 'http://localhost:8000/ in the browser.',
          tryAgain: false,
          terminal: false,
        });
        await page.close();
      });
  });
}

// A frame barred from storage or sandboxed refuses the worker: register() rejects, or reading
// navigator.serviceWorker throws (SecurityError). The game plays on, and nothing says so.
describe('chromium: a browser that refuses the service worker', () => {
  let browser;
  let host;
  before(async () => { [browser, host] = await Promise.all([launchBrowser(), startServer()]); });
  after(async () => { await browser?.close(); host?.server.close(); });

  const refusals = {
    'register() rejects': () => {
      ServiceWorkerContainer.prototype.register = () =>
        Promise.reject(new DOMException('refused', 'SecurityError'));
    },
    'reading navigator.serviceWorker throws': () => {
      Object.defineProperty(Navigator.prototype, 'serviceWorker', {
        get() { throw new DOMException('refused', 'SecurityError'); },
      });
    },
  };
  for (const [refusal, refuse] of Object.entries(refusals)) {
    test(`chromium: ${refusal}, and the game plays with the usual words`, async (t) => {
      const session = echoedSession('combat-simulator-win');
      const page = await browser.newPage();
      t.after(() => page.close());
      const errors = [];
      page.on('pageerror', (error) => errors.push(error.message));
      await page.evaluateOnNewDocument(refuse);
      await page.goto(host.url);
      await stopClock(page, session.clock);
      await playsWithUsualWords(puppeteerPage(page), session);
      assert.deepEqual(errors, []);
      assert.equal(await page.evaluate(() => {
        try {
          return navigator.serviceWorker.controller;
        } catch {
          return null;
        }
      }), null, 'no worker serves the page');
    });
  }
});

// The page's lifecycle in Chromium where it touches the world around the game: a rejection that
// is not the game's, a network gone when a fault calls for a fresh copy of the game, a frame with
// no room, text handed over whole by the browser. Each plays on to the start menu and an answer,
// the least that shows a page plays.
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import {
  launchBrowser, linesOf, puppeteerPage, startServer, statusLine, stopClock,
  untilInPage, untilStartMenu, waitForScreen, webDir,
} from './page.js';
import { echoedSession, echoedTyping, faultAtStartMenu, replay } from './replay.js';

const session = echoedSession('combat-simulator-win');

let browser;
before(async () => { browser = await launchBrowser(); });
after(() => browser?.close());

// A page of the site served by `site` (or from webDir), closed with the test `t`; what the page
// throws is kept in `errors`.
async function openPage(t, { sites, blocked, prepare = () => {} } = {}) {
  const host = await startServer(sites, { blocked });
  t.after(() => host.server.close());
  const raw = await browser.newPage();
  t.after(() => raw.close());
  const errors = [];
  raw.on('pageerror', (error) => errors.push(error.message));
  await prepare(raw);
  await raw.goto(host.url);
  const page = puppeteerPage(raw);
  await stopClock(page, session.clock);
  return { raw, page, errors };
}

test('chromium: a rejection that the page did not make leaves the game playing', async (t) => {
  const { page } = await openPage(t);
  await untilStartMenu(page);
  // A script of the page's own rejects a promise; the wait ends once the browser has reported
  // it to every listener, the page's first.
  await page.evaluate(() => new Promise((reported) => {
    addEventListener('unhandledrejection', () => setTimeout(reported));
    const script = document.createElement('script');
    script.textContent = 'Promise.reject(new Error("a script of its own"));';
    document.head.append(script);
  }));
  assert.equal(await statusLine(page),
    'Type your answer and press Enter; Ctrl-D on an empty line ends the game.');
  await replay(page, session, { lines: 1 });
});

// The service worker, bypassed, would serve the code from its cache anyway.
test('chromium: after a fault, Play again makes a fresh copy of the game from the code already '
  + 'compiled, without the network', async (t) => {
  let networkUp = true;
  const { raw, page } = await openPage(t, {
    blocked: () => !networkUp, prepare: (opened) => opened.setBypassServiceWorker(true),
  });
  await faultAtStartMenu(page);
  networkUp = false;
  const fetched = [];
  raw.on('request', (request) => fetched.push(request.url()));
  await page.click('#play-again');
  await replay(page, session, { lines: 1 });
  assert.deepEqual(fetched, []);
});

test('chromium: a frame with no room starts without an error, and plays once given room',
  async (t) => {
    const host = mkdtempSync(path.join(tmpdir(), 'nebulance-frame-'));
    t.after(() => rmSync(host, { recursive: true }));
    writeFileSync(path.join(host, 'index.html'), '<!doctype html><title>A frame</title>'
      + '<iframe src="/game/" width="0" height="0" style="border: 0"></iframe>');
    const { raw, page: top, errors } = await openPage(t,
      { sites: () => ({ '/': host, '/game/': webDir }) });
    const page = await top.enterFrame('iframe');
    assert.equal(await untilInPage(page, () => document.body.dataset.game,
      { done: (state) => state === 'playing' }), 'playing');
    await raw.evaluate(() => {
      Object.assign(document.querySelector('iframe'), { width: 900, height: 700 });
    });
    await stopClock(page, session.clock);
    await page.click('#terminal');
    await replay(page, session, { lines: 1 });
    assert.deepEqual(errors, []);
  });

// A paste from the clipboard, or a word an input method composes, reaches the terminal's text
// area whole, as the browser inserts it; its lines answer one after the other, as typed ones do.
test('chromium: text that the browser hands over whole answers line by line', async (t) => {
  const { raw, page } = await openPage(t);
  await untilStartMenu(page);
  await raw.keyboard.sendCharacter('3\n2\n');
  const screen = linesOf(echoedTyping(['3\n2\n'], session.clock).screen);
  assert.deepEqual(await waitForScreen(page, screen, 10000, { question: true }), screen);
});

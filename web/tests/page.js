// The page in a browser, for the browser tests and the page budget (web/bench/): a static server
// on 127.0.0.1 over the built folder, a browser with a fresh profile in each of the three
// engines, the terminal's text, axe-core's findings.
import assert from 'node:assert/strict';
import { mkdirSync, readFileSync } from 'node:fs';
import { readFile } from 'node:fs/promises';
import { createServer } from 'node:http';
import path from 'node:path';
import puppeteer from 'puppeteer-core';
import { until } from './until.js';
import { launchWebKit } from './webdriver.js';

export const webDir = process.env.WEB_DIR ?? 'build/web';

// What the tests write (screenshots) goes beside the site, never into it: the site's folder is
// published as it stands.
export const testOutputDir = process.env.WEB_TEST_OUTPUT ?? 'build/web-test';
mkdirSync(testOutputDir, { recursive: true });

// Serves folders like any static host, on a free port of 127.0.0.1; resolves with the server and
// the site's address. `sites()` names the folder for each URL prefix, the longest prefix that
// fits winning ({ '/': webDir, '/beta/': folder }), or one folder for the whole server; a test
// can change it between visits to deploy another build. A request whose path `blocked(path)`
// accepts is cut off as a network failure would be; while the promise it may return is pending,
// the request waits. Each file goes with its type: a service worker must be served as a script,
// the game's code as wasm, and the manifest as a manifest.
export const contentTypes = {
  '.html': 'text/html', '.css': 'text/css', '.js': 'text/javascript', '.mjs': 'text/javascript',
  '.wasm': 'application/wasm', '.webmanifest': 'application/manifest+json', '.png': 'image/png',
  '.json': 'application/json', '.svg': 'image/svg+xml',
};
export async function startServer(sites = () => webDir, { blocked = () => false } = {}) {
  const server = createServer(async (request, response) => {
    const { pathname } = new URL(request.url, 'http://localhost');
    if (await blocked(pathname)) return request.socket.destroy();
    const file = fileFor(pathname, sites());
    const body = file && await readFile(file).catch(() => null);
    const type = contentTypes[path.extname(file ?? '')] ?? 'application/octet-stream';
    response.writeHead(body ? 200 : 404, { 'Content-Type': type }).end(body);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { server, url: `http://127.0.0.1:${server.address().port}/` };
}

function fileFor(pathname, sites) {
  const folders = typeof sites === 'string' ? { '/': sites } : sites;
  const prefix = Object.keys(folders).filter((start) => pathname.startsWith(start))
    .sort((a, b) => b.length - a.length)[0];
  return prefix && path.join(folders[prefix], pathname.slice(prefix.length)
    .replace(/(^|\/)$/, '$1index.html'));
}

// Chromium, or Firefox (Debian's ESR) over WebDriver BiDi, through puppeteer, which gives each
// launch a fresh profile of its own and removes it on close.
export const chromium = {
  executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
};
const puppeteerBrowsers = {
  chromium,
  firefox: { browser: 'firefox', executablePath: process.env.FIREFOX ?? '/usr/bin/firefox-esr' },
};
export function launchBrowser(name = 'chromium') {
  return puppeteer.launch({
    headless: true, defaultViewport: { width: 900, height: 860 }, ...puppeteerBrowsers[name],
  });
}

// How each engine starts, and opens a page; in WebKit each page is a WebDriver session.
const engines = {
  chromium: async () => puppeteerEngine(await launchBrowser('chromium')),
  firefox: async () => puppeteerEngine(await launchBrowser('firefox')),
  webkit: async () => {
    const driver = await launchWebKit();
    return { newPage: () => driver.session(), close: driver.close };
  },
};

// A browser of the engine `name` ('chromium', 'firefox' or 'webkit'). Its `open(url,
// clockSeconds)` resolves with a page that every engine drives alike: evaluate(fn, ...args) as
// puppeteer's, type(text), press(key) ('Enter', 'Backspace', 'Control+D'), paste(text) as the
// terminal takes a paste, click(selector), clickAndLoad(selector) for a click that loads the
// page anew, screenshot(file) of the visible page, goto(url) and close(). The calendar clock is
// stopped once the page has loaded, since the game first reads it after the first answer. With
// `{ frame: selector }`, the game is the page inside that iframe of the page at `url`, as a game
// portal embeds it: evaluate and click then act in the frame, the keys go to the page, which
// hands them to the element with the focus.
export async function launchEngine(name) {
  const { newPage, close } = await engines[name]();
  async function open(url, clockSeconds, { frame } = {}) {
    const top = await newPage();
    await top.goto(url);
    const page = frame ? await top.enterFrame(frame) : top;
    await stopClock(page, clockSeconds);
    return {
      ...page,
      paste: (text) => paste(page, text),
      clickAndLoad: (selector) => clickAndLoad(page, selector),
    };
  }
  return { open, close };
}

// Clicks `selector` and resolves once the page it loads has loaded: a driver may answer the
// click before the old page is gone.
async function clickAndLoad(page, selector) {
  const loadedAt = () => page.evaluate(() => document.readyState === 'complete'
    && performance.timeOrigin).catch(() => false);
  const before = await loadedAt();
  await page.click(selector);
  const isNew = (at) => at !== false && at !== before;
  if (!isNew(await until(loadedAt, { done: isNew }))) {
    throw new Error(`${selector} loaded no new page`);
  }
}

// The status line's words.
export const statusLine = (page) =>
  page.evaluate(() => document.getElementById('status').textContent);

// Stops the page's calendar clock at `seconds`.
export function stopClock(page, seconds) {
  return page.evaluate((milliseconds) => { Date.now = () => milliseconds; }, seconds * 1000);
}

// Pastes `text` into the terminal, as the browser's paste command hands it over.
function paste(page, text) {
  return evaluateWithGame(page, ({ terminal }, text) => terminal.paste(text), text);
}

function puppeteerEngine(browser) {
  return { newPage: async () => puppeteerPage(await browser.newPage()), close: () => browser.close() };
}

// A puppeteer page driven as launchEngine's pages are.
export function puppeteerPage(page) {
  return {
    async enterFrame(selector) {
      const frame = await (await page.waitForSelector(selector)).contentFrame();
      return {
        ...puppeteerPage(page),
        evaluate: (fn, ...args) => frame.evaluate(fn, ...args),
        click: (inFrame) => frame.click(inFrame),
      };
    },
    goto: (url) => page.goto(url),
    evaluate: (fn, ...args) => page.evaluate(fn, ...args),
    type: (text) => page.keyboard.type(text),
    async press(key) {
      const [modifier, main] = key.includes('+') ? key.split('+') : [null, key];
      if (!modifier) return page.keyboard.press(main);
      await page.keyboard.down(modifier);
      await page.keyboard.press(`Key${main}`);
      await page.keyboard.up(modifier);
    },
    click: (selector) => page.click(selector),
    screenshot: (file) => page.screenshot({ path: file }),
    close: () => page.close(),
  };
}

// The terminal's lines up to the cursor, wrapped rows joined, trailing blanks trimmed; `page` is
// a puppeteer page or a page of launchEngine.
export function screenLines(page) {
  return waitForScreen(page, null);
}

export function linesOf(text) {
  return text.split('\n').map((line) => line.trimEnd());
}

// What axe-core finds wrong for assistive technology on the page as it stands, one line a rule
// with the elements that break it; `page` is a puppeteer page or a page of launchEngine.
const axeSource = readFileSync(new URL(import.meta.resolve('axe-core/axe.min.js')), 'utf8');
export function accessibilityViolations(page) {
  return page.evaluate(async (source) => {
    (0, eval)(source);
    const { violations } = await window.axe.run();
    return violations.map(({ id, nodes }) => `${id}: ${nodes.map(({ target }) => target)}`);
  }, axeSource);
}

// Runs `fn(game, ...args)` in the page and resolves with its result; `game` is the page's own
// module, terminal_game.js, found through the module script that loaded it, since each build's
// files lie in a folder of their own. `page` is a puppeteer page or a page of launchEngine.
export function evaluateWithGame(page, fn, ...args) {
  const withGame = new Function('...args', `
    const script = document.querySelector('script[src$="terminal_game.js"]');
    return import(script.src).then((game) => (${fn})(game, ...args));`);
  return page.evaluate(withGame, ...args);
}

// The terminal's lines up to the cursor, wrapped rows joined, trailing blanks trimmed. It runs
// in the page (inPage), where the terminal is.
function terminalLines(terminal) {
  const buffer = terminal.buffer.active;
  const lines = [];
  for (let row = 0; row <= buffer.baseY + buffer.cursorY; row++) {
    const line = buffer.getLine(row);
    if (line.isWrapped && row > 0) lines[lines.length - 1] += line.translateToString();
    else lines.push(line.translateToString());
  }
  return lines.map((line) => line.trimEnd());
}

// `fn` as a page runs it, with until and terminalLines in its scope: a page has none of the
// test's functions, so their source goes along.
function inPage(fn) {
  return new Function('...args', `const until = ${until};
    const terminalLines = ${terminalLines};
    return (${fn})(...args);`);
}

// Polls `read(...args)` in the page as `until` polls, in one round trip however long the wait,
// and resolves with the last value read; `done(value, ...args)` says when it holds (by default, a
// truthy value). With `withGame`, the page's own module comes first in `args`, as in
// evaluateWithGame. Both functions run in the page: they see only their arguments.
export function untilInPage(page, read,
  { done = (value) => value, args = [], timeoutMs = 10000, withGame = false } = {}) {
  const poll = inPage(`(...args) => until(() => (${read})(...args),
    { done: (value) => (${done})(value, ...args), timeoutMs: ${timeoutMs} })`);
  return withGame ? evaluateWithGame(page, poll, ...args) : page.evaluate(poll, ...args);
}

// Waits until the terminal shows exactly `expected` (lines); resolves with what it shows at the
// end. Once the scrollback is full, its oldest lines are gone (and its first may be the tail of a
// wrapped one): the rest must then be the end of `expected`, and it counts as showing `expected`.
// A terminal that is still taking output is on its way: the wait ends once `timeoutMs` pass with
// nothing new written, so that the answers to a long paste, on a machine busy with other work,
// have the time they need. With `question`, the screen is a question and the wait also lasts
// until the game waits for its answer; a screen that matched while the game was still reading
// gets a last line saying so.
export function waitForScreen(page, expected, timeoutMs = 10000, { question = false } = {}) {
  return evaluateWithGame(page, inPage(async (game, expected, timeoutMs, question) => {
    // The page may have loaded before its code has made the terminal (the load does not wait
    // for a module's awaits).
    const terminal = await until(() => game.terminal, { timeoutMs });
    if (!terminal) return ['(no terminal)'];
    let lastWrite = performance.now();
    const writing = terminal.onWriteParsed(() => { lastWrite = performance.now(); });
    const read = () => {
      const lines = terminalLines(terminal);
      const full = terminal.buffer.active.length >= terminal.rows + terminal.options.scrollback;
      const shown = lines.slice(full ? 1 : 0);
      const wanted = full ? expected?.slice(-shown.length) : expected;
      const same = shown.length === wanted?.length && shown.every((line, i) => line === wanted[i]);
      return { shown, same, asked: same && (!question || game.waitingForPlayer()) };
    };
    const { shown, same, asked } = await until(read, {
      done: (reading) => reading.asked || !expected || performance.now() - lastWrite > timeoutMs,
      timeoutMs: Infinity,
    });
    writing.dispose();
    if (asked) return expected;
    return same ? [...shown, '(the game was still reading what came before)'] : shown;
  }), expected, timeoutMs, question);
}

// Waits until the game asks the start menu's question, read from the terminal's buffer (a tab in
// the background draws nothing), and resolves with the terminal's lines; fails, showing them,
// when the menu does not come.
export async function untilStartMenu(page) {
  const shown = await untilInPage(page, ({ terminal, waitingForPlayer }) =>
    (terminal && waitingForPlayer() ? terminalLines(terminal) : ['(no question asked)']),
  { done: (lines) => lines.at(-1).endsWith('Select option number:'), withGame: true });
  assert.match(shown.at(-1), /Select option number:$/, `no start menu:\n${shown.join('\n')}`);
  return shown;
}

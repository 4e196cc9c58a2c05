// The page in a browser, for the browser tests and the page budget (web/bench/): a static server
// on 127.0.0.1 over the built folder, a browser with a fresh profile in each of the three
// engines, the terminal's text.
import { readFile } from 'node:fs/promises';
import { createServer } from 'node:http';
import path from 'node:path';
import puppeteer from 'puppeteer-core';
import { launchWebKit } from './webdriver.js';

export const webDir = process.env.WEB_DIR ?? 'build/web';

// Serves the folder `site()` names (webDir unless a test deploys another build) like any static
// host, on a free port of 127.0.0.1; resolves with the server and the page's address. Each file
// goes with its type: a service worker must be served as a script, the game's code as wasm, and
// the manifest as a manifest.
export const contentTypes = {
  '.html': 'text/html', '.css': 'text/css', '.js': 'text/javascript', '.mjs': 'text/javascript',
  '.wasm': 'application/wasm', '.webmanifest': 'application/manifest+json', '.png': 'image/png',
  '.json': 'application/json', '.svg': 'image/svg+xml',
};
export async function startServer(site = () => webDir) {
  const server = createServer(async (request, response) => {
    const { pathname } = new URL(request.url, 'http://localhost');
    const file = path.join(site(), pathname.replace(/\/$/, '/index.html'));
    const body = await readFile(file).catch(() => null);
    const type = contentTypes[path.extname(file)] ?? 'application/octet-stream';
    response.writeHead(body ? 200 : 404, { 'Content-Type': type }).end(body);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { server, url: `http://127.0.0.1:${server.address().port}/` };
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
// puppeteer's, type(text), press(key) ('Enter', 'Backspace', 'Control+D'), click(selector),
// screenshot(file) of the visible page, goto(url) and close(). The calendar clock is stopped once
// the page has loaded, since the game first reads it after the first answer.
export async function launchEngine(name) {
  const { newPage, close } = await engines[name]();
  async function open(url, clockSeconds) {
    const page = await newPage();
    await page.goto(url);
    await page.evaluate((milliseconds) => { Date.now = () => milliseconds; }, clockSeconds * 1000);
    return page;
  }
  return { open, close };
}

function puppeteerEngine(browser) {
  return { newPage: async () => puppeteerPage(await browser.newPage()), close: () => browser.close() };
}

// A puppeteer page driven as launchEngine's pages are.
export function puppeteerPage(page) {
  return {
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

// Waits until the terminal shows exactly `expected` (lines); resolves with what it shows at the
// end. The page itself watches, so that a WebDriver page costs one round trip per wait.
export function waitForScreen(page, expected, timeoutMs = 10000) {
  return page.evaluate(async (expected, timeoutMs) => {
    const { terminal } = await import(new URL('terminal_game.js', location.href).href);
    const deadline = performance.now() + timeoutMs;
    for (;;) {
      const buffer = terminal.buffer.active;
      const lines = [];
      for (let row = 0; row <= buffer.baseY + buffer.cursorY; row++) {
        const line = buffer.getLine(row);
        if (line.isWrapped) lines[lines.length - 1] += line.translateToString();
        else lines.push(line.translateToString());
      }
      const shown = lines.map((line) => line.trimEnd());
      const same = shown.length === expected?.length && shown.every((line, i) => line === expected[i]);
      if (!expected || same || performance.now() > deadline) return shown;
      await new Promise((resolve) => setTimeout(resolve, 5));
    }
  }, expected, timeoutMs);
}

// The page in headless Chromium, for the browser test and the page budget (web/bench/): a static
// server on 127.0.0.1 over the built folder, a browser with a fresh profile, the terminal's text.
import { readFile } from 'node:fs/promises';
import { createServer } from 'node:http';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

export const webDir = process.env.WEB_DIR ?? 'build/web';

// Serves the folder `site()` names (webDir unless a test deploys another build) like any static
// host, on a free port of 127.0.0.1; resolves with the server and the page's address. Scripts
// and service workers need a script's type, the game's code the wasm type.
const contentTypes = { '.html': 'text/html', '.css': 'text/css', '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json', '.png': 'image/png' };
export async function startServer(site = () => webDir) {
  const server = createServer(async (request, response) => {
    const { pathname } = new URL(request.url, 'http://localhost');
    const file = path.join(site(), pathname.replace(/\/$/, '/index.html'));
    const body = await readFile(file).catch(() => null);
    const type = contentTypes[path.extname(file)] ?? 'text/javascript';
    response.writeHead(body ? 200 : 404, { 'Content-Type': type }).end(body);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { server, url: `http://127.0.0.1:${server.address().port}/` };
}

// Puppeteer gives each launch a fresh profile of its own and removes it on close.
export function launchBrowser() {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    defaultViewport: { width: 900, height: 860 },
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
}

// Opens the page with the calendar clock stopped at `clockSeconds`.
export async function openGame(browser, url, clockSeconds) {
  const page = await browser.newPage();
  await page.evaluateOnNewDocument((milliseconds) => {
    Date.now = () => milliseconds;
  }, clockSeconds * 1000);
  await page.goto(url);
  return page;
}

// The terminal's lines up to the cursor, wrapped rows joined, trailing blanks trimmed.
export function screenLines(page) {
  return page.evaluate(async () => {
    const { terminal } = await import(new URL('terminal_game.js', location.href).href);
    const buffer = terminal.buffer.active;
    const lines = [];
    for (let row = 0; row <= buffer.baseY + buffer.cursorY; row++) {
      const line = buffer.getLine(row);
      if (line.isWrapped) lines[lines.length - 1] += line.translateToString();
      else lines.push(line.translateToString());
    }
    return lines.map((line) => line.trimEnd());
  });
}

export function linesOf(text) {
  return text.split('\n').map((line) => line.trimEnd());
}

// Waits until the terminal shows exactly `expected` (lines); returns what it shows at the end.
export async function waitForScreen(page, expected, timeoutMs = 10000) {
  const deadline = Date.now() + timeoutMs;
  for (;;) {
    const shown = await screenLines(page);
    const same = shown.length === expected.length && shown.every((line, i) => line === expected[i]);
    if (same || Date.now() > deadline) return shown;
    await new Promise((resolve) => setTimeout(resolve, 5));
  }
}

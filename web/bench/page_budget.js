// The page's budget (run by `make web-bench`, not a test): the bytes it loads, uncompressed and
// gzip -9, and the median over 5 cold loads of the time from navigation start until the start
// menu's prompt is in the terminal's rows on screen, after one load to warm the browser up.
import { readFileSync } from 'node:fs';
import path from 'node:path';
import { gzipSync } from 'node:zlib';
import { launchBrowser, startServer, webDir } from '../tests/page.js';

const loads = 5;
const site = await startServer();
const browser = await launchBrowser();

// One load in a fresh browser context (empty cache); returns the paths fetched and the time.
async function load() {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  const fetched = [];
  page.on('response', (response) => fetched.push(new URL(response.url()).pathname));
  await page.evaluateOnNewDocument(() => {
    new MutationObserver((changes, observer) => {
      if (!document.querySelector('.xterm-rows')?.textContent.includes('Select option number:')) return;
      window.startMenuShownAt = performance.now();
      observer.disconnect();
    }).observe(document, { subtree: true, childList: true, characterData: true });
  });
  await page.goto(site.url);
  const milliseconds = await (await page.waitForFunction(() => window.startMenuShownAt)).jsonValue();
  await context.close();
  return { fetched, milliseconds };
}

// The first load after launch shares the machine with the browser's own start-up work.
await load();
const results = [];
for (let i = 0; i < loads; i++) results.push(await load());
await browser.close();
site.server.close();

let total = 0;
let totalGzip = 0;
for (const file of results[0].fetched) {
  const bytes = readFileSync(path.join(webDir, file === '/' ? 'index.html' : file));
  const gzipped = gzipSync(bytes, { level: 9 }).length;
  total += bytes.length;
  totalGzip += gzipped;
  console.log(`${file.padEnd(24)} ${String(bytes.length).padStart(8)} B ${String(gzipped).padStart(7)} B gzip -9`);
}
console.log(`${'page total'.padEnd(24)} ${String(total).padStart(8)} B ${String(totalGzip).padStart(7)} B gzip -9`
  + ' (budget 400 KB gzip)');
const times = results.map((result) => result.milliseconds).sort((a, b) => a - b);
console.log(`start menu prompt on screen after navigation start: median ${times[2].toFixed(0)} ms `
  + `over ${loads} cold loads (${times.map((time) => time.toFixed(0)).join(', ')} ms; budget 500 ms)`);

// The page's budget (run by `make web-bench`, not a test): in each engine, for a first and a
// returning visit, when the last file the start needs arrived and when the start menu's prompt
// appeared in the terminal's rows on screen, both from navigation start, and how many times the
// one the other is; then the bytes of the page's files, uncompressed and gzip -9. A first visit
// is in a fresh profile (empty caches); a returning visit opens the page again in the profile of
// a first visit, after its service worker (if any) is ready. Each figure is the median of 5,
// after one first and returning visit to warm up.
//
// The time from the last file's arrival to the prompt is the page's own: its code, the
// terminal's and the game's, and the drawing of the screen. On a first visit in Chromium the
// prompt should come at most 1.3 times as late as the last file.
//
// The server (gzip_server.js) serves the files gzip, as static hosts do, and lets browsers keep
// each 10 minutes, so that a returning visit can be served from the caches; the requests reaching
// the server show what was not.
import { readFileSync } from 'node:fs';
import path from 'node:path';
import { gzipSync } from 'node:zlib';
import { launchBrowser, webDir } from '../tests/page.js';
import { launchWebKit } from '../tests/webdriver.js';
import { startGzipServer } from './gzip_server.js';
import {
  lastStartArrival, neededForStart, promptShownAt, resourceTimes, watchForPrompt,
} from './start_files.js';

const visits = 5;
const site = await startGzipServer();
const { served } = site;

// Resolves once a service worker registered by the page is active, so that it serves the next
// visit.
function serviceWorkerReady() {
  return navigator.serviceWorker?.getRegistration().then((registered) =>
    registered && navigator.serviceWorker.ready.then(() => undefined));
}

// Chromium and Firefox: a MutationObserver put in each document before the page's scripts notes
// when the prompt first reaches the rows; a new browser context is a fresh profile.
function puppeteerProfiles(launch) {
  return async () => {
    const browser = await launch();
    return {
      close: () => browser.close(),
      async profile() {
        const context = await browser.createBrowserContext();
        const page = await context.newPage();
        await page.evaluateOnNewDocument(watchForPrompt);
        return {
          close: () => context.close(),
          async visit() {
            await page.goto('about:blank');
            await page.goto(site.url);
            const shownAt = await promptShownAt(page);
            const entries = await page.evaluate(resourceTimes);
            await page.evaluate(serviceWorkerReady);
            return { shownAt, entries };
          },
        };
      },
    };
  };
}

// WebKit: WebDriver cannot add a script before the page's own, so navigation returns at once
// (page load strategy none) and the rows are read in a loop of round trips of a few ms each, the
// first that finds the prompt giving performance.now() in the page. The time may be late by one
// round trip. Each profile is a new session, which starts MiniBrowser afresh.
async function webKitProfiles() {
  const driver = await launchWebKit();
  return {
    close: driver.close,
    async profile() {
      const page = await driver.session({ pageLoadStrategy: 'none' });
      const poll = async (probe) => {
        for (const deadline = Date.now() + 30000; Date.now() < deadline;) {
          const found = await page.evaluate(probe).catch(() => null);
          if (found) return found;
        }
        throw new Error(`webkit: no ${probe} within 30 s`);
      };
      return {
        close: page.close,
        async visit() {
          await page.goto('about:blank');
          await poll(() => location.href === 'about:blank');
          await page.goto(site.url);
          const shownAt = await poll(() =>
            document.querySelector('.terminal-rows')?.textContent.includes('Select option number:')
            && performance.now());
          const entries = await page.evaluate(resourceTimes);
          await page.evaluate(serviceWorkerReady);
          return { shownAt, entries };
        },
      };
    },
  };
}

const median = (times) => [...times].sort((a, b) => a - b)[Math.floor(times.length / 2)];
const listed = (values, digits = 0) => `(${values.map((value) => value.toFixed(digits)).join(', ')})`;
function mostCommon(names) {
  const counts = new Map();
  for (const name of names) counts.set(name, (counts.get(name) ?? 0) + 1);
  return [...counts].sort((a, b) => b[1] - a[1])[0][0];
}

// The paths that the first visit in Chromium fetched: the page's bytes.
let firstVisitPaths;
const engines = {
  chromium: puppeteerProfiles(() => launchBrowser('chromium')),
  firefox: puppeteerProfiles(() => launchBrowser('firefox')),
  webkit: webKitProfiles,
};
for (const [name, launch] of Object.entries(engines)) {
  const browser = await launch();
  const results = { first: [], returning: [] };
  for (let i = 0; i <= visits; i++) {
    const profile = await browser.profile();
    for (const visit of ['first', 'returning']) {
      const before = served.length;
      const { shownAt, entries } = await profile.visit();
      firstVisitPaths ??= [...new Set(served)];
      if (i === 0) continue;
      const last = lastStartArrival(entries);
      results[visit].push({ shownAt, arrival: last.time, file: last.file, requests: served.length - before });
    }
    await profile.close();
  }
  await browser.close();
  for (const visit of ['first', 'returning']) {
    const of = (key) => results[visit].map((result) => result[key]);
    const ratios = results[visit].map(({ shownAt, arrival }) => shownAt / arrival);
    console.log(`${`${name}, ${visit} visit:`.padEnd(26)} last file ${median(of('arrival')).toFixed(0).padStart(4)} ms `
      + `${listed(of('arrival'))}, mostly ${mostCommon(of('file'))}`);
    console.log(`${' '.repeat(27)}prompt ${median(of('shownAt')).toFixed(0).padStart(4)} ms `
      + `${listed(of('shownAt'))}, prompt / last file ${median(ratios).toFixed(2)} ${listed(ratios, 2)}, `
      + `${median(of('requests'))} requests`);
  }
}
console.log('(medians of 5 visits, from navigation start: the last file the start needs (the page, its '
  + 'scripts, style sheet and wasm, from Resource Timing) and the start menu\'s prompt on screen; in '
  + 'Chromium and Firefox a MutationObserver set before the page\'s code notes the prompt, in WebKit '
  + 'the first WebDriver poll that finds it reads performance.now(), up to one round trip late. '
  + 'Goals: the prompt within 500 ms, at most 1.3 times the last file\'s time in Chromium on a first '
  + 'visit; a returning visit no slower than a first)');
site.server.close();

let total = 0;
let totalGzip = 0;
let startGzip = 0;
// The build's files lie in a folder named after their content, so the paths are long.
const width = Math.max(...firstVisitPaths.map((file) => file.length)) + 2;
for (const file of firstVisitPaths) {
  const bytes = readFileSync(path.join(webDir, file));
  const gzipped = gzipSync(bytes, { level: 9 }).length;
  total += bytes.length;
  totalGzip += gzipped;
  if (neededForStart(file)) startGzip += gzipped;
  console.log(`${file.padEnd(width)} ${String(bytes.length).padStart(8)} B ${String(gzipped).padStart(7)} B gzip -9`);
}
console.log(`${'page total'.padEnd(width)} ${String(total).padStart(8)} B ${String(totalGzip).padStart(7)} B gzip -9`
  + ` (goal at most 180 KB gzip; the start's files ${startGzip} B)`);

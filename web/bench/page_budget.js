// The page's budget (run by `make web-bench`, not a test): the bytes it loads, uncompressed and
// gzip -9, and in each engine the time from navigation start until the start menu's prompt is in
// the terminal's rows on screen. A first visit is in a fresh profile (empty caches); a returning
// visit opens the page again in the profile of a first visit, after its service worker (if any)
// is ready. Each figure is the median of 5, after one first and returning visit to warm up.
//
// The server tells browsers they may keep each file 10 minutes, as static hosts commonly do
// (GitHub Pages sends max-age=600), so that a returning visit can be served from the caches; the
// requests reaching the server show what was not.
import { readFileSync } from 'node:fs';
import path from 'node:path';
import { gzipSync } from 'node:zlib';
import { launchBrowser, startServer, webDir } from '../tests/page.js';
import { launchWebKit } from '../tests/webdriver.js';

const visits = 5;
const site = await startServer();
const served = [];
site.server.prependListener('request', (request, response) => {
  served.push(new URL(request.url, site.url).pathname.replace(/\/$/, '/index.html'));
  response.setHeader('Cache-Control', 'max-age=600');
});

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
        await page.evaluateOnNewDocument(() => {
          new MutationObserver((changes, observer) => {
            if (!document.querySelector('.xterm-rows')?.textContent.includes('Select option number:')) return;
            window.startMenuShownAt = performance.now();
            observer.disconnect();
          }).observe(document, { subtree: true, childList: true, characterData: true });
        });
        return {
          close: () => context.close(),
          async visit() {
            await page.goto('about:blank');
            await page.goto(site.url);
            const shownAt = await (await page.waitForFunction(() => window.startMenuShownAt)).jsonValue();
            await page.evaluate(serviceWorkerReady);
            return shownAt;
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
            document.querySelector('.xterm-rows')?.textContent.includes('Select option number:')
            && performance.now());
          await page.evaluate(serviceWorkerReady);
          return shownAt;
        },
      };
    },
  };
}

const median = (times) => [...times].sort((a, b) => a - b)[Math.floor(times.length / 2)];
const listed = (times) => `(${times.map((time) => time.toFixed(0)).join(', ')} ms)`;

// The paths that the first visit in Chromium fetched: the page's bytes.
let firstVisitPaths;
const engines = {
  chromium: puppeteerProfiles(() => launchBrowser('chromium')),
  firefox: puppeteerProfiles(() => launchBrowser('firefox')),
  webkit: webKitProfiles,
};
for (const [name, launch] of Object.entries(engines)) {
  const browser = await launch();
  const times = { first: [], returning: [] };
  const requests = { first: 0, returning: 0 };
  for (let i = 0; i <= visits; i++) {
    const profile = await browser.profile();
    for (const visit of ['first', 'returning']) {
      const before = served.length;
      const time = await profile.visit();
      firstVisitPaths ??= [...new Set(served)];
      if (i === 0) continue;
      times[visit].push(time);
      requests[visit] += served.length - before;
    }
    await profile.close();
  }
  await browser.close();
  for (const visit of ['first', 'returning']) {
    console.log(`${`${name}, ${visit} visit:`.padEnd(26)} median `
      + `${median(times[visit]).toFixed(0).padStart(4)} ms ${listed(times[visit])}, `
      + `${requests[visit] / visits} requests each`);
  }
}
console.log('(time from navigation start to the start menu prompt on screen; budget 500 ms in '
  + 'each engine, a returning visit no slower than a first)');
site.server.close();

let total = 0;
let totalGzip = 0;
// The build's files lie in a folder named after their content, so the paths are long.
const width = Math.max(...firstVisitPaths.map((file) => file.length)) + 2;
for (const file of firstVisitPaths) {
  const bytes = readFileSync(path.join(webDir, file));
  const gzipped = gzipSync(bytes, { level: 9 }).length;
  total += bytes.length;
  totalGzip += gzipped;
  console.log(`${file.padEnd(width)} ${String(bytes.length).padStart(8)} B ${String(gzipped).padStart(7)} B gzip -9`);
}
console.log(`${'page total'.padEnd(width)} ${String(total).padStart(8)} B ${String(totalGzip).padStart(7)} B gzip -9`
  + ' (budget 250 KB gzip)');

// Offline play and new builds, in Chromium: a copy under its own path plays offline, two copies on
// one origin keep each other's, no page runs two builds' files, a half-way deploy is never kept.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import {
  appendFileSync, cpSync, mkdtempSync, readFileSync, readdirSync, rmSync, statSync, writeFileSync,
} from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { after, afterEach, before, test } from 'node:test';
import {
  launchBrowser, puppeteerPage, screenLines, startServer, stopClock, untilStartMenu, webDir,
} from './page.js';
import { echoedSession, replay } from './replay.js';

let browser;
const scratch = mkdtempSync(path.join(tmpdir(), 'nebulance-offline-'));
const openInTest = []; // pages, browser contexts and servers, closed as each test ends
before(async () => { browser = await launchBrowser(); });
afterEach(async () => { for (const open of openInTest.splice(0).reverse()) await open.close(); });
after(async () => { await browser?.close(); rmSync(scratch, { recursive: true }); });

// Builds of our own, finished as `make web` finishes a site, with a label marked in their scripts
// and their wasm (the start menu asks "Build A"): each page tells which build each part came from.
const BUILD_FOLDER = readdirSync(webDir).find((name) => /^b-[0-9a-f]{16}$/.test(name));
const WASM_MARK = 'What do you wish to do?';
const source = (file) => new URL(`../${file}`, import.meta.url).pathname;
function labelledBuild(label) {
  const site = path.join(scratch, `build-${label}`);
  cpSync(path.join(webDir, BUILD_FOLDER), site, { recursive: true });
  cpSync(source('index.html'), `${site}/index.html`);
  cpSync(source('manifest.webmanifest'), `${site}/manifest.webmanifest`);
  for (const script of ['terminal_game.js', 'nebulance.js']) {
    appendFileSync(`${site}/${script}`, `\n(window.builtAs ??= {})['${script}'] = '${label}';\n`);
  }
  const wasm = `${site}/nebulance.wasm`;
  writeFileSync(wasm, readFileSync(wasm, 'latin1')
    .replace(WASM_MARK, `Build ${label}`.padEnd(WASM_MARK.length)), 'latin1');
  const files = readdirSync(site, { recursive: true });
  execFileSync('node', [source('tools/finish_site.js'), site, `--version=test-${label}`,
    ...files.filter((file) => statSync(`${site}/${file}`).isFile())]);
  return site;
}
const builds = { A: labelledBuild('A'), B: labelledBuild('B') };

// A deploy copies a build over the served folder (a new one by default), as `cp -r` or rsync
// does: the older build's folder stays beside the new one. `only` picks the files copied so far.
function deploy(build, served = mkdtempSync(path.join(scratch, 'served-')), only = () => true) {
  cpSync(build, served, { recursive: true, filter: (file) => statSync(file).isDirectory()
    || only(path.relative(build, file)) });
  return served;
}

// Serves `sites` (a folder, or one per path) until the test ends. `host.offline` cuts every
// request off as a lost network would; `host.hold(path)` holds one back by answering a promise.
async function serve(sites) {
  const host = { offline: false, hold: null };
  const blocked = (pathname) => host.offline || host.hold?.(pathname);
  openInTest.push(Object.assign(host, await startServer(() => sites, { blocked })).server);
  return host;
}

// Opens `url` up to the start menu in a new tab (of `context`, a new visitor's, closed with it);
// a later visit reloads it.
async function openPage(url, context = browser) {
  const page = await context.newPage();
  openInTest.push(context === browser ? page : context);
  await page.goto(url);
  return untilStartMenu(page).then(() => page);
}
const visitAgain = (page) => page.reload().then(() => untilStartMenu(page)).then(() => page);
// Waits for the page's worker to take it over. A tab in the background runs no animation frames,
// so this waits for the event rather than polling at each frame.
const untilControlled = (page) => page.evaluate(() => navigator.serviceWorker.controller !== null
  || new Promise((resolve) => {
    navigator.serviceWorker.addEventListener('controllerchange', () => resolve(true), { once: true });
  }));

// Revisits `page` while `watcher`, another tab of its site, waits for the new worker the visit
// finds: 'activated' once its build is kept and serves the site, 'redundant' if its install failed.
async function newWorkerOnVisit(page, watcher) {
  await watcher.evaluate(async () => {
    const registration = await navigator.serviceWorker.getRegistration();
    window.nextWorker = new Promise((end) => registration.addEventListener('updatefound', () => {
      const worker = registration.installing;
      worker.addEventListener('statechange', () => {
        if (['activated', 'redundant'].includes(worker.state)) end(worker.state);
      });
    }, { once: true }));
  });
  await visitAgain(page);
  return watcher.evaluate(() => window.nextWorker);
}

// Checks that the page's two scripts and its wasm all came from the build `label`.
async function assertBuild(page, label, message) {
  const wasm = (await screenLines(page)).join('\n').match(/Build (\w)/)?.[1];
  assert.deepEqual({ ...await page.evaluate(() => window.builtAs), 'nebulance.wasm': wasm },
    { 'terminal_game.js': label, 'nebulance.js': label, 'nebulance.wasm': label }, message);
}

const cacheNames = (page) => page.evaluate(() => caches.keys());
// The cache of `build` served at `scope`.
const cacheOf = (build, scope) => `nebulance ${scope} ${
  readFileSync(path.join(build, 'sw.js'), 'utf8').match(/const BUILD = '(\w+)'/)[1]}`;

test('chromium: a copy under /games/nebulance/ installs, and after one visit plays offline',
  async () => {
    const host = await serve({ '/games/nebulance/': webDir });
    const session = echoedSession('combat-simulator-win');
    const page = await openPage(`${host.url}games/nebulance/`);
    await untilControlled(page);
    const cdp = await page.createCDPSession();
    assert.deepEqual(await cdp.send('Page.getInstallabilityErrors'), { installabilityErrors: [] });
    host.offline = true;
    await visitAgain(page);
    await stopClock(page, session.clock);
    await replay(puppeteerPage(page), session, { lines: 1 });
  });

test('chromium: two copies of the site on one origin, under /a/ and /b/, each play offline '
  + 'after a visit to the other', async () => {
  const host = await serve({ '/a/': builds.A, '/b/': builds.B });
  for (const copy of ['a', 'b']) await untilControlled(await openPage(`${host.url}${copy}/`));
  host.offline = true;
  for (const [copy, label] of [['b', 'B'], ['a', 'A']]) {
    const page = await openPage(`${host.url}${copy}/`);
    await assertBuild(page, label, `/${copy}/ offline`);
    assert.deepEqual((await cacheNames(page)).sort(),
      [cacheOf(builds.A, `${host.url}a/`), cacheOf(builds.B, `${host.url}b/`)]);
  }
});

// A player with two tabs open, and a new visitor whose page is still loading (its wasm held at
// the server) when the new build lands on the server.
test('chromium: a new build of new wasm and scripts lands while two tabs play and a page loads; '
  + 'every page runs one build whole, and the next visit runs the new one', async () => {
  const served = deploy(builds.A);
  const host = await serve(served);
  const tabs = [await openPage(host.url), await openPage(host.url)];
  await untilControlled(tabs[0]);
  const wasmAsked = new Promise((asked) => {
    host.hold = (pathname) => pathname.endsWith('nebulance.wasm') && new Promise((release) => {
      host.hold = null;
      asked(release);
    });
  });
  const loading = openPage(host.url, await browser.createBrowserContext());
  const releaseWasm = await wasmAsked;
  deploy(builds.B, served);
  releaseWasm();
  await assertBuild(await loading, 'A', 'the page loading');

  assert.equal(await newWorkerOnVisit(tabs[0], tabs[1]), 'activated');
  await assertBuild(tabs[0], 'A', 'the tab visited as the build came');
  await assertBuild(tabs[1], 'A', 'the tab left open');
  for (const tab of tabs) await assertBuild(await visitAgain(tab), 'B', 'a later visit');
});

// Copied file by file, a deploy may be caught with the new worker but not all of its build's
// files (a 404), or with a file cut short.
test('chromium: a deploy caught half-way fails the new worker\'s install and none of it is kept; '
  + 'a visit once it is complete gets the new build', async () => {
  const served = deploy(builds.A);
  const host = await serve(served);
  const [page, watcher] = [await openPage(host.url), await openPage(host.url)];
  await untilControlled(page);
  const oldCache = cacheOf(builds.A, host.url);
  assert.deepEqual(await cacheNames(page), [oldCache]);
  const newFolder = readdirSync(builds.B).find((name) => name.startsWith('b-'));
  const halfWays = {
    'its worker, not its build': () => deploy(builds.B, served, (file) => !file.startsWith('b-')),
    'the wasm cut short': () => {
      const wasm = path.join(deploy(builds.B, served), newFolder, 'nebulance.wasm');
      const whole = readFileSync(wasm);
      writeFileSync(wasm, whole.subarray(0, whole.length >> 1));
    },
  };
  for (const [halfWay, deployHalf] of Object.entries(halfWays)) {
    deployHalf();
    assert.equal(await newWorkerOnVisit(page, watcher), 'redundant', halfWay);
    assert.deepEqual(await cacheNames(page), [oldCache], halfWay);
    await assertBuild(page, 'A', halfWay);
  }
  deploy(builds.B, served);
  assert.equal(await newWorkerOnVisit(page, watcher), 'activated');
  await assertBuild(await visitAgain(page), 'B');
  assert.deepEqual(await cacheNames(page), [cacheOf(builds.B, host.url)]);
});

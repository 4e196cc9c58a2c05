// Offline play and new builds, in Chromium: a copy of the site under a path of its own installs
// and plays offline, two copies on one origin keep each other's offline play, no page ever runs
// files of two builds while a new build arrives, and a deploy caught half-way is never kept.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import {
  appendFileSync, cpSync, mkdtempSync, readFileSync, readdirSync, rmSync, statSync, writeFileSync,
} from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { launchBrowser, puppeteerPage, screenLines, startServer, webDir } from './page.js';
import { echoedSession, replay } from './replay.js';

let browser;
const madeFolders = [];
before(async () => { browser = await launchBrowser(); });
after(async () => {
  await browser?.close();
  for (const folder of madeFolders) rmSync(folder, { recursive: true });
});

function madeFolder(name) {
  const folder = mkdtempSync(path.join(tmpdir(), `nebulance-${name}-`));
  madeFolders.push(folder);
  return folder;
}

// Builds of our own, labelled: the built site's files with a mark of the label in its two
// scripts and in its wasm (the start menu's question becomes "Build A"), finished as `make web`
// finishes a site. Each page tells which build its scripts and its wasm came from.
const BUILD_FOLDER = readdirSync(webDir).find((name) => /^b-[0-9a-f]{16}$/.test(name));
const WASM_MARK = 'What do you wish to do?';
function labelledBuild(label) {
  const site = madeFolder(`build-${label}`);
  cpSync(path.join(webDir, BUILD_FOLDER), site, { recursive: true });
  for (const entry of ['index.html', 'manifest.webmanifest']) {
    cpSync(new URL(`../${entry}`, import.meta.url), path.join(site, entry));
  }
  for (const script of ['terminal_game.js', 'nebulance.js']) {
    appendFileSync(path.join(site, script),
      `\nglobalThis.builtAs = { ...globalThis.builtAs, '${script}': '${label}' };\n`);
  }
  const wasm = path.join(site, 'nebulance.wasm');
  writeFileSync(wasm, readFileSync(wasm, 'latin1')
    .replace(WASM_MARK, `Build ${label}`.padEnd(WASM_MARK.length)), 'latin1');
  const files = readdirSync(site, { recursive: true })
    .filter((file) => statSync(path.join(site, file)).isFile());
  execFileSync('node', [new URL('../tools/finish_site.js', import.meta.url).pathname, site,
    ...files]);
  return site;
}
const wholeBuild = (label) =>
  ({ 'terminal_game.js': label, 'nebulance.js': label, 'nebulance.wasm': label });
const builds = { A: labelledBuild('A'), B: labelledBuild('B') };

// A deploy copies a build over the served folder, as `cp -r` or rsync does: the older build's
// folder stays beside the new one. `only` picks the files copied so far.
function deploy(build, served, only = () => true) {
  cpSync(build, served, { recursive: true, filter: (file) => statSync(file).isDirectory()
    || only(path.relative(build, file)) });
}

// Waits for the start menu in the terminal (read from its buffer: a tab in the background
// draws nothing).
async function untilStartMenu(page) {
  for (const deadline = Date.now() + 10000; Date.now() < deadline;) {
    if ((await screenLines(page)).some((line) => line.includes('Select option number:'))) return;
    await new Promise((resolve) => setTimeout(resolve, 20));
  }
  throw new Error(`no start menu at ${page.url()}`);
}

// Opens `url` in a new tab and waits for the start menu.
async function openPage(url) {
  const page = await browser.newPage();
  await page.goto(url);
  await untilStartMenu(page);
  return page;
}

// A later visit: the page reloaded, up to the start menu.
async function visitAgain(page) {
  await page.reload();
  await untilStartMenu(page);
}

// Which build the page's two scripts and its wasm came from.
async function builtAs(page) {
  return {
    ...await page.evaluate(() => globalThis.builtAs),
    'nebulance.wasm': (await screenLines(page)).join('\n').match(/Build (\w)/)?.[1],
  };
}

function untilControlled(page) {
  return page.waitForFunction(() => navigator.serviceWorker.controller !== null);
}

// Has the page watch for the next new worker of its site; then page.evaluate(() => nextWorker)
// resolves with that worker's end: 'activated' once its build is kept and serves the site,
// 'redundant' if its install failed.
function watchForNextWorker(page) {
  return page.evaluate(async () => {
    const registration = await navigator.serviceWorker.getRegistration();
    window.nextWorker = new Promise((resolve) => {
      registration.addEventListener('updatefound', () => {
        const worker = registration.installing;
        worker.addEventListener('statechange', () => {
          if (['activated', 'redundant'].includes(worker.state)) resolve(worker.state);
        });
      }, { once: true });
    });
  });
}

// The server's hook (startServer's `blocked`) that, once armed, holds the next request for a
// path ending in `ending` until release(); `asked` resolves when that request has come.
function requestHold(ending) {
  let release;
  let arrived;
  const hold = {
    armed: false,
    asked: new Promise((resolve) => { arrived = resolve; }),
    release: () => release(),
    blocked: (pathname) => hold.armed && pathname.endsWith(ending) && new Promise((resolve) => {
      hold.armed = false;
      release = () => resolve(false);
      arrived();
    }),
  };
  return hold;
}

const cacheNames = (page) => page.evaluate(() => caches.keys());
// The cache of `build` served at `scope`.
const cacheOf = (build, scope) => `nebulance ${scope} ${
  readFileSync(path.join(build, 'sw.js'), 'utf8').match(/const BUILD = '(\w+)'/)[1]}`;

test('chromium: a copy under /games/nebulance/ installs, and after one visit plays offline',
  async () => {
    let offline = false;
    const host = await startServer(() => ({ '/games/nebulance/': webDir }),
      { blocked: () => offline });
    const session = echoedSession('combat-simulator-win');
    const page = await openPage(`${host.url}games/nebulance/`);
    await untilControlled(page);
    const devTools = await page.createCDPSession();
    assert.deepEqual((await devTools.send('Page.getInstallabilityErrors')).installabilityErrors,
      []);
    offline = true;
    await visitAgain(page);
    await page.evaluate((milliseconds) => { Date.now = () => milliseconds; }, session.clock * 1000);
    await replay(puppeteerPage(page), session);
    await page.close();
    host.server.close();
  });

test('chromium: two copies of the site on one origin, under /a/ and /b/, each play offline '
  + 'after a visit to the other', async () => {
  let offline = false;
  const host = await startServer(() => ({ '/a/': builds.A, '/b/': builds.B }),
    { blocked: () => offline });
  for (const copy of ['a', 'b']) {
    const page = await openPage(`${host.url}${copy}/`);
    await untilControlled(page);
    await page.close();
  }
  offline = true;
  for (const [copy, label] of [['b', 'B'], ['a', 'A']]) {
    const page = await openPage(`${host.url}${copy}/`);
    assert.deepEqual(await builtAs(page), wholeBuild(label), `/${copy}/ offline`);
    assert.deepEqual((await cacheNames(page)).sort(),
      [cacheOf(builds.A, `${host.url}a/`), cacheOf(builds.B, `${host.url}b/`)]);
    await page.close();
  }
  host.server.close();
});

// A player with two tabs open, and a new visitor whose page is still loading (its wasm held at
// the server) when the new build lands on the server.
test('chromium: a new build of new wasm and scripts lands while two tabs play and a page loads; '
  + 'every page runs one build whole, and the next visit runs the new one', async () => {
  const served = madeFolder('served');
  deploy(builds.A, served);
  const wasmHold = requestHold('nebulance.wasm');
  const host = await startServer(() => served, { blocked: wasmHold.blocked });
  const tabs = [await openPage(host.url), await openPage(host.url)];
  await untilControlled(tabs[0]);
  wasmHold.armed = true;
  const newVisitor = await browser.createBrowserContext();
  const loading = newVisitor.newPage().then(async (page) => {
    await page.goto(host.url);
    await untilStartMenu(page);
    return page;
  });
  await wasmHold.asked;
  deploy(builds.B, served);
  wasmHold.release();
  assert.deepEqual(await builtAs(await loading), wholeBuild('A'), 'the page loading');

  await watchForNextWorker(tabs[1]);
  await visitAgain(tabs[0]);
  assert.equal(await tabs[1].evaluate(() => nextWorker), 'activated');
  assert.deepEqual(await builtAs(tabs[0]), wholeBuild('A'), 'the tab visited as the build came');
  assert.deepEqual(await builtAs(tabs[1]), wholeBuild('A'), 'the tab left open');
  for (const tab of tabs) {
    await visitAgain(tab);
    assert.deepEqual(await builtAs(tab), wholeBuild('B'), 'a later visit');
  }
  await newVisitor.close();
  for (const tab of tabs) await tab.close();
  host.server.close();
});

// Copied file by file, a deploy may be caught with the new worker but not all of its build's
// files (a 404), or with a file cut short.
test('chromium: a deploy caught half-way fails the new worker\'s install and none of it is kept; '
  + 'a visit once it is complete gets the new build', async () => {
  const served = madeFolder('served');
  deploy(builds.A, served);
  const host = await startServer(() => served);
  const [page, watcher] = [await openPage(host.url), await openPage(host.url)];
  await untilControlled(page);
  const oldCache = cacheOf(builds.A, host.url);
  assert.deepEqual(await cacheNames(page), [oldCache]);
  const wasm = `${readdirSync(builds.B).find((name) => name.startsWith('b-'))}/nebulance.wasm`;
  const halfWays = {
    'the new worker before its build': () =>
      deploy(builds.B, served, (file) => !file.startsWith('b-')),
    'the wasm cut short': () => {
      deploy(builds.B, served, (file) => file !== wasm);
      const bytes = readFileSync(path.join(builds.B, wasm));
      writeFileSync(path.join(served, wasm), bytes.subarray(0, bytes.length / 2));
    },
  };
  for (const [halfWay, deployHalf] of Object.entries(halfWays)) {
    deployHalf();
    await watchForNextWorker(watcher);
    await visitAgain(page);
    assert.equal(await watcher.evaluate(() => nextWorker), 'redundant', halfWay);
    assert.deepEqual(await cacheNames(page), [oldCache], halfWay);
    assert.deepEqual(await builtAs(page), wholeBuild('A'), halfWay);
  }
  deploy(builds.B, served);
  await watchForNextWorker(watcher);
  await visitAgain(page);
  assert.equal(await watcher.evaluate(() => nextWorker), 'activated');
  await visitAgain(page);
  assert.deepEqual(await builtAs(page), wholeBuild('B'));
  assert.deepEqual(await cacheNames(page), [cacheOf(builds.B, host.url)]);
  await page.close();
  await watcher.close();
  host.server.close();
});

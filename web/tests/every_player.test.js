// What the page does for players beyond a desktop's keyboard, in Chromium: phones and tablets
// in either orientation with the on-screen keyboard open or closed, the screen readers' copy of
// the text, installing the page and playing it offline, a new build reaching a returning
// player, and what axe-core checks for assistive technology.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { KnownDevices } from 'puppeteer-core';
import { KEPT_LINES, spokenLines } from '../game_log.js';
import { launchBrowser, openGame, puppeteerPage, startServer, webDir } from './page.js';
import { echoedSession, replay } from './replay.js';

let browser;
let site;

before(async () => {
  site = await startServer();
  browser = await launchBrowser();
});
after(async () => {
  await browser?.close();
  site?.server.close();
});

function waitForStartMenu(page) {
  return page.waitForFunction(() =>
    document.querySelector('.xterm-rows')?.textContent.includes('Select option number:'));
}

// What a player sees of the terminal: its columns, whether any part of the page lies off to
// the side, and where the row being answered is in the part of the screen in sight.
async function terminalInSight(page) {
  return page.evaluate(async () => {
    const { terminal } = await import(new URL('terminal_game.js', location.href).href);
    const buffer = terminal.buffer.active;
    const screen = document.querySelector('.xterm-screen').getBoundingClientRect();
    const answerRow = document.querySelector('.xterm-rows').children[buffer.cursorY]
      .getBoundingClientRect();
    const inSight = window.visualViewport.height;
    return {
      fontSize: terminal.options.fontSize,
      rows: terminal.rows,
      columnsFit: terminal.cols === 80 && screen.left >= 0 && screen.right <= innerWidth
        && document.documentElement.scrollWidth <= innerWidth,
      answerRowInSight: buffer.viewportY === buffer.baseY && answerRow.top >= 0
        && answerRow.bottom <= inSight,
    };
  });
}

// The keyboard is emulated as a viewport 45% shorter, opened and closed on the loaded page.
test('chromium: phones and tablets show all 80 columns and the question, keyboard open or closed; '
  + 'the status line names no key they lack',
  async (t) => {
    const page = await browser.newPage();
    for (const name of ['iPhone SE', 'iPhone 13', 'iPad Mini']) {
      await page.emulate(KnownDevices[name]);
      await page.goto(site.url);
      await waitForStartMenu(page);
      const status = await page.$eval('#status', (line) => line.textContent);
      assert.match(status, /^Tap the terminal/, `${name}: no keys a touch screen lacks`);
      for (const orientation of ['', ' landscape']) {
        const { viewport } = KnownDevices[name + orientation];
        for (const keyboard of ['closed', 'open']) {
          const height = keyboard === 'open' ? Math.round(viewport.height * 0.55) : viewport.height;
          await page.setViewport({ ...viewport, height });
          const shown = `${name}${orientation} ${viewport.width}×${height}, keyboard ${keyboard}`;
          await page.waitForFunction(() => new Promise(requestAnimationFrame).then(() => true));
          const sight = await terminalInSight(page);
          t.diagnostic(`${shown}: font ${sight.fontSize} px, ${sight.rows} rows`);
          assert.ok(sight.columnsFit, `${shown}: the 80 columns fit`);
          assert.ok(sight.answerRowInSight, `${shown}: the answer row is in sight`);
        }
      }
    }
    await page.close();
  });

// What the game printed before each typed line, as a screen reader's log receives it: one group
// of lines per piece of output (the game writes once before each wait).
function spokenSteps(session) {
  let printed = 0;
  return session.typed.map((typed) => {
    const lines = spokenLines(session.screen.slice(printed, typed.at));
    printed = typed.at + typed.line.length;
    return lines;
  });
}

// Played on a phone, whose first dashboard is saved upright and on its side for the README.
test('chromium: the screen readers\' log gets each step\'s whole output and keeps the recent lines',
  async () => {
    const session = echoedSession('shell-full-game');
    const page = await browser.newPage();
    await page.emulate(KnownDevices['iPhone 13']);
    await page.goto(site.url);
    await page.evaluate((milliseconds) => { Date.now = () => milliseconds; }, session.clock * 1000);
    const steps = spokenSteps(session);
    const dashboard = session.typed.findIndex(({ at }) => session.screen.endsWith('(E)xit: ', at));
    const atQuestion = async (index) => {
      const heard = steps.slice(0, index + 1).filter((lines) => lines.length > 0);
      const logged = await page.$$eval('#game-log > div', (groups) =>
        groups.map((group) => [...group.children].map((line) => line.textContent)));
      assert.deepEqual(logged, heard.slice(heard.length - logged.length), `before line ${index + 1}`);
      assert.ok(logged.flat().length <= KEPT_LINES, `at most ${KEPT_LINES} lines kept`);
      if (index !== dashboard) return;
      await page.screenshot({ path: path.join(webDir, 'phone-portrait.png') });
      await page.setViewport(KnownDevices['iPhone 13 landscape'].viewport);
      await page.waitForFunction(() => new Promise(requestAnimationFrame).then(() => true));
      await page.screenshot({ path: path.join(webDir, 'phone-landscape.png') });
      await page.setViewport(KnownDevices['iPhone 13'].viewport);
    };
    await replay(puppeteerPage(page), session, { atQuestion });
    assert.ok(steps.flat().length > 2 * KEPT_LINES, 'the game outgrows the log');
    await page.close();
  });

test('chromium: after one visit the game loads and plays with the network off', async () => {
  const session = echoedSession('combat-simulator-win');
  const page = await openGame(browser, site.url, session.clock);
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
  await page.setOfflineMode(true);
  await page.reload();
  await replay(puppeteerPage(page), session);
  await page.close();
});

test('chromium: the page can be installed to a home screen', async () => {
  const page = await browser.newPage();
  await page.goto(site.url);
  await page.evaluate(() => navigator.serviceWorker.ready);
  const session = await page.createCDPSession();
  const { installabilityErrors } = await session.send('Page.getInstallabilityErrors');
  assert.deepEqual(installabilityErrors, []);
  await page.close();
});

test('chromium: axe-core finds no accessibility violation, during a game or after it', async () => {
  const axe = readFileSync(new URL('../node_modules/axe-core/axe.min.js', import.meta.url), 'utf8');
  const page = await browser.newPage();
  await page.goto(site.url);
  await waitForStartMenu(page);
  const violations = async () => {
    await page.addScriptTag({ content: axe });
    const found = await page.evaluate(async () => (await window.axe.run()).violations);
    return found.map((violation) => `${violation.id}: ${violation.nodes.map((node) => node.target)}`);
  };
  assert.deepEqual(await violations(), []);
  await page.keyboard.down('Control');
  await page.keyboard.press('KeyD');
  await page.keyboard.up('Control');
  await page.waitForSelector('#play-again:not([hidden])');
  assert.deepEqual(await violations(), []);
  await page.close();
});

// A returning visit is served by the cached build; meanwhile the new build's worker fills a
// cache of its own, and the visit after that gets the new build whole.
test('chromium: a new build reaches a returning player whole, once it is in place', async () => {
  const newBuild = mkdtempSync(path.join(tmpdir(), 'nebulance-new-build-'));
  cpSync(webDir, newBuild, { recursive: true });
  const index = path.join(newBuild, 'index.html');
  writeFileSync(index, readFileSync(index, 'utf8').replace('</h1>', ' (new build)</h1>'));
  const worker = readFileSync(path.join(webDir, 'sw.js'), 'utf8');
  const files = JSON.parse(worker.match(/const FILES = (.*);/)[1])
    .filter((file) => file !== './' && !file.startsWith('icon-'));
  const tool = new URL('../tools/finish_site.js', import.meta.url).pathname;
  execFileSync('node', [tool, newBuild, ...files]);
  let deployed = webDir;
  const host = await startServer(() => deployed);
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  const visit = async () => {
    await page.goto(host.url);
    await waitForStartMenu(page);
    return page.$eval('h1', (heading) => heading.textContent);
  };
  const caches = () => page.evaluate(() => caches.keys());

  assert.equal(await visit(), 'Nebulance: ORVANE CONCORDAT');
  await page.evaluate(() => navigator.serviceWorker.ready);
  const [oldCache] = await caches();
  deployed = newBuild;
  assert.equal(await visit(), 'Nebulance: ORVANE CONCORDAT');
  await page.waitForFunction((old) => caches.keys().then((names) =>
    names.length === 1 && names[0] !== old), {}, oldCache);
  assert.equal(await visit(), 'Nebulance: ORVANE CONCORDAT (new build)');
  await context.close();
  host.server.close();
  rmSync(newBuild, { recursive: true });
});

// The built site as it is published: the page's files and nothing else, each the file of this
// build; the version CMakeLists.txt names, on the page; a site finished from a page or a worker
// that lacks a marker fails to build.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import {
  cpSync, mkdtempSync, readFileSync, readdirSync, rmSync, statSync, writeFileSync,
} from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { after, test } from 'node:test';
import { siteFaults } from '../tools/check_site.js';
import { launchBrowser, startServer, webDir } from './page.js';

const scratch = mkdtempSync(path.join(tmpdir(), 'nebulance-site-'));
after(() => rmSync(scratch, { recursive: true }));
const source = (file) => new URL(`../${file}`, import.meta.url).pathname;

const version = readFileSync(new URL('../../CMakeLists.txt', import.meta.url), 'utf8')
  .match(/^project\(nebulance VERSION ([0-9.]+)[ )]/m)[1];

test('the site holds exactly sw.js and the files its worker caches, each of this build; the '
  + 'check names a file too many, one missing and one changed', () => {
  assert.deepEqual(siteFaults(webDir), []);
  const copy = path.join(scratch, 'checked');
  cpSync(webDir, copy, { recursive: true });
  const folder = readdirSync(copy).find((name) => name.startsWith('b-'));
  writeFileSync(path.join(copy, 'phone-keys.png'), 'a screenshot');
  writeFileSync(path.join(copy, folder, 'notes.txt'), 'left behind');
  rmSync(path.join(copy, 'icon-512.png'));
  writeFileSync(path.join(copy, 'manifest.webmanifest'), '{}');
  assert.deepEqual(siteFaults(copy), [
    `${folder}/notes.txt is not a file of the page`,
    'manifest.webmanifest is not the file of this build',
    'phone-keys.png is not a file of the page',
    'icon-512.png is missing',
  ]);
  rmSync(path.join(copy, 'sw.js'));
  assert.match(siteFaults(copy).join('\n'), /^sw\.js cannot be read/);
});

// Finishes a copy of the built files with `page` as its index.html and `version`; resolves with
// finish_site.js's exit status and what it wrote to stderr.
function finish(page, finishedVersion = version) {
  const site = mkdtempSync(path.join(scratch, 'unfinished-'));
  const folder = readdirSync(webDir).find((name) => name.startsWith('b-'));
  cpSync(path.join(webDir, folder), site, { recursive: true });
  writeFileSync(path.join(site, 'index.html'), page);
  cpSync(source('manifest.webmanifest'), path.join(site, 'manifest.webmanifest'));
  const files = readdirSync(site, { recursive: true })
    .filter((file) => statSync(path.join(site, file)).isFile());
  try {
    execFileSync('node', [source('tools/finish_site.js'), site, `--version=${finishedVersion}`,
      ...files], { stdio: 'pipe' });
    return { status: 0, site };
  } catch ({ status, stderr }) {
    return { status, error: String(stderr) };
  }
}

test('finishing the site fails when the page lacks its version marker or has it twice, or the '
  + 'version is not a plain one', () => {
  const page = readFileSync(source('index.html'), 'utf8');
  const finished = finish(page);
  assert.equal(finished.status, 0);
  assert.deepEqual(siteFaults(finished.site), []);
  const withoutMarker = finish(page.replace('@VERSION@', ''));
  assert.notEqual(withoutMarker.status, 0);
  assert.match(withoutMarker.error, /index\.html holds 0 copies of the marker "@VERSION@"/);
  const twice = finish(page.replace('</title>', '@VERSION@</title>'));
  assert.match(twice.error, /index\.html holds 2 copies of the marker "@VERSION@"/);
  assert.match(finish(page, '1.0<b>').error, /--version=<version> of letters/);
});

test(`chromium: the page's heading shows the version CMakeLists.txt names (${version})`,
  async (t) => {
    const [browser, host] = await Promise.all([launchBrowser(), startServer()]);
    t.after(async () => { await browser.close(); host.server.close(); });
    const page = await browser.newPage();
    await page.goto(host.url);
    assert.equal(await page.$eval('h1', (heading) => heading.innerText),
      `Nebulance: ORVANE CONCORDAT ${version}`);
  });

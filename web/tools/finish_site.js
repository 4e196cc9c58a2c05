// Finishes the built site (run by `make web`): moves every file the page loads into a folder
// named after their content and points index.html there, draws the home-screen icons, then
// writes the service worker with every file it caches and its SHA-256. A page started from one
// index.html thus only ever names the files of one build, and a new build never changes a file
// an older page may still fetch.
// It also writes the game's version into index.html. Every marker it fills must be there once,
// or the build fails: a page or worker edited out of step with this tool would otherwise ship
// unfilled.
// Usage: node web/tools/finish_site.js <site folder> --version=<version> <file>...  (the site's
// files as copied there, relative to it; index.html and manifest.webmanifest stay where they are)
import { createHash } from 'node:crypto';
import {
  existsSync, mkdirSync, readFileSync, readdirSync, renameSync, rmSync, writeFileSync,
} from 'node:fs';
import path from 'node:path';
import { deflateSync } from 'node:zlib';

const [site, ...rest] = process.argv.slice(2);
const version = rest.find((argument) => argument.startsWith('--version='))?.slice(10);
const files = rest.filter((argument) => !argument.startsWith('--version='));
// The version goes into the page as it is, so it may hold no markup.
if (!/^[0-9A-Za-z.+~-]+$/.test(version ?? '')) {
  console.error(`finish_site.js: --version=<version> of letters, digits and .+~- is needed, not `
    + `${JSON.stringify(version ?? null)} (the Makefile passes $(VERSION))`);
  process.exit(1);
}

// `text` (of `file`) with its one `marker` replaced by `value`; a marker missing or found twice
// stops the build.
function fill(text, file, marker, value) {
  const count = text.split(marker).length - 1;
  if (count !== 1) {
    throw new Error(`${file} holds ${count} copies of the marker ${JSON.stringify(marker)}, not one`);
  }
  return text.replace(marker, () => value);
}

// The icon is the dashboard's star chart, "[o]" between two stars, in the terminal's light grey
// on black. Glyphs of 5 × 7 cells ('#' lit).
const GLYPHS = {
  '[': ['###  ', '#    ', '#    ', '#    ', '#    ', '#    ', '###  '],
  o: ['     ', '     ', ' ### ', '#   #', '#   #', '#   #', ' ### '],
  ']': ['  ###', '    #', '    #', '    #', '    #', '    #', '  ###'],
  '*': ['     ', '# # #', ' ### ', '#####', ' ### ', '# # #', '     '],
};
const INK = [0xdd, 0xdd, 0xdd];
const SPACE = [0x00, 0x00, 0x00];

// The glyphs laid out as [column, row, glyph] on a square grid of cells: "[o]" in the middle,
// a star above it on the left and one below it on the right.
const LAYOUT = [[2, 0, '*'], [3, 7, '['], [8, 7, 'o'], [13, 7, ']'], [14, 14, '*']];
const GRID = 21;

function drawIcon(size) {
  const cell = Math.floor(size / GRID);
  const margin = Math.floor((size - cell * GRID) / 2);
  const lit = new Set();
  for (const [column, row, glyph] of LAYOUT) {
    GLYPHS[glyph].forEach((line, y) => [...line].forEach((mark, x) => {
      if (mark === '#') lit.add(`${column + x},${row + y}`);
    }));
  }
  const rows = [];
  for (let y = 0; y < size; y++) {
    const row = Buffer.alloc(1 + size * 3);  // filter byte 0, then RGB
    for (let x = 0; x < size; x++) {
      const key = `${Math.floor((x - margin) / cell)},${Math.floor((y - margin) / cell)}`;
      row.set(lit.has(key) && x >= margin && y >= margin ? INK : SPACE, 1 + x * 3);
    }
    rows.push(row);
  }
  return png(size, Buffer.concat(rows));
}

const CRC_TABLE = Array.from({ length: 256 }, (_, n) => {
  let c = n;
  for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
  return c >>> 0;
});
function crc32(bytes) {
  let c = 0xffffffff;
  for (const byte of bytes) c = CRC_TABLE[(c ^ byte) & 0xff] ^ (c >>> 8);
  return (c ^ 0xffffffff) >>> 0;
}

function chunk(type, data) {
  const length = Buffer.alloc(4);
  length.writeUInt32BE(data.length);
  const body = Buffer.concat([Buffer.from(type, 'ascii'), data]);
  const crc = Buffer.alloc(4);
  crc.writeUInt32BE(crc32(body));
  return Buffer.concat([length, body, crc]);
}

// An 8-bit RGB PNG of `size` × `size` from its filtered rows.
function png(size, rows) {
  const header = Buffer.alloc(13);
  header.writeUInt32BE(size, 0);
  header.writeUInt32BE(size, 4);
  header.set([8, 2, 0, 0, 0], 8);
  return Buffer.concat([Buffer.from('\x89PNG\r\n\x1a\n', 'latin1'), chunk('IHDR', header),
    chunk('IDAT', deflateSync(rows, { level: 9 })), chunk('IEND', Buffer.alloc(0))]);
}

const sha256 = (bytes) => createHash('sha256').update(bytes).digest('hex');

// The entry points keep their names: a visitor, a home screen and the browser's update check
// ask for them by name.
const ENTRY_POINTS = ['index.html', 'manifest.webmanifest'];
const buildFiles = files.filter((file) => !ENTRY_POINTS.includes(file)).sort();

// The folder's name: 16 hex digits of the SHA-256 of the build's files and their names.
function buildFolderName() {
  const hash = createHash('sha256');
  for (const file of buildFiles) {
    hash.update(`${file}\0`).update(readFileSync(path.join(site, file)));
  }
  return `b-${hash.digest('hex').slice(0, 16)}`;
}

// Moves the build's files into `folder`, and drops older builds' folders and the folders the
// copy left empty.
function moveIntoFolder(folder) {
  for (const old of readdirSync(site).filter((name) => /^b-[0-9a-f]{16}$/.test(name))) {
    if (old !== folder) rmSync(path.join(site, old), { recursive: true });
  }
  for (const file of buildFiles) {
    mkdirSync(path.dirname(path.join(site, folder, file)), { recursive: true });
    renameSync(path.join(site, file), path.join(site, folder, file));
    const left = path.dirname(path.join(site, file));
    if (left !== path.resolve(site) && existsSync(left) && readdirSync(left).length === 0) {
      rmSync(left, { recursive: true });
    }
  }
}

// Points every src and href attribute of index.html that names a build file (plain or ./name) into
// `folder`; every other reference (the manifest, the icons, other pages) stays as it is. The
// heading shows the game's version.
function finishIndex(folder) {
  const index = path.join(site, 'index.html');
  const reference = /(?<=\s)(src|href)(\s*=\s*)(["']?)(?:\.\/)?([^"'\s>]+)\3/g;
  const html = readFileSync(index, 'utf8').replace(reference, (whole, name, equals, quote, file) =>
    (buildFiles.includes(file) ? `${name}${equals}${quote}${folder}/${file}${quote}` : whole));
  writeFileSync(index, fill(html, 'index.html', '@VERSION@', version));
}

const folder = buildFolderName();
moveIntoFolder(folder);
finishIndex(folder);
const icons = ['icon-192.png', 'icon-512.png'];
for (const icon of icons) {
  writeFileSync(path.join(site, icon), drawIcon(Number(icon.match(/\d+/)[0])));
}

// The folder's address stands for the page, as a visitor types it (or names index.html). The
// build's name, in the cache's name, covers every cached byte, the entry points' included.
const cached = {};
for (const file of [...ENTRY_POINTS, ...icons, ...buildFiles.map((file) => `${folder}/${file}`)]) {
  cached[file] = sha256(readFileSync(path.join(site, file)));
}
cached['./'] = cached['index.html'];
const build = sha256(JSON.stringify(cached)).slice(0, 16);
let worker = readFileSync(new URL('../service_worker.js', import.meta.url), 'utf8');
worker = fill(worker, 'service_worker.js', "const BUILD = 'unbuilt';", `const BUILD = '${build}';`);
worker = fill(worker, 'service_worker.js', 'const FILES = {};',
  `const FILES = ${JSON.stringify(cached, null, 2)};`);
writeFileSync(path.join(site, 'sw.js'), worker);
console.log(`build ${build} in ${site}/${folder}: ${Object.keys(cached).length} files cached`);

// Finishes the built site (run by `make web`): draws the home-screen icons, then writes the
// service worker with the site's files and a build name made from their content, so that every
// new build is a new cache and an unchanged build keeps its cache.
// Usage: node web/tools/finish_site.js <site folder> <file>...  (files relative to the folder)
import { createHash } from 'node:crypto';
import { readFileSync, writeFileSync } from 'node:fs';
import path from 'node:path';
import { deflateSync } from 'node:zlib';

const [site, ...files] = process.argv.slice(2);

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

const icons = ['icon-192.png', 'icon-512.png'];
for (const icon of icons) {
  writeFileSync(path.join(site, icon), drawIcon(Number(icon.match(/\d+/)[0])));
}

// The folder's address stands for the page, as a visitor types it.
const cached = ['./', ...files, ...icons].sort();
const hash = createHash('sha256');
for (const file of cached.filter((name) => name !== './')) {
  hash.update(`${file}\0`).update(readFileSync(path.join(site, file)));
}
const build = hash.digest('hex').slice(0, 16);
const worker = readFileSync(new URL('../service_worker.js', import.meta.url), 'utf8')
  .replace("const BUILD = 'unbuilt';", `const BUILD = '${build}';`)
  .replace('const FILES = [];', `const FILES = ${JSON.stringify(cached)};`);
writeFileSync(path.join(site, 'sw.js'), worker);
console.log(`service worker for build ${build}: ${cached.length} files cached`);

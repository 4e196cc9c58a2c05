// Lighthouse's audits of the page (run by `make web-bench`, not a test): its default mobile
// audit (a mid-range phone: 4× slower CPU, slow 4G) and its desktop audit, in Chromium, with
// the site served compressed as static hosts serve it (gzip to a browser that accepts it). For
// each: the four category scores, cumulative layout shift, total blocking time and largest
// contentful paint, the median of three runs (the machine is shared, so one run can be noisy).
import { readFile } from 'node:fs/promises';
import { createServer } from 'node:http';
import path from 'node:path';
import { gzipSync } from 'node:zlib';
import * as chromeLauncher from 'chrome-launcher';
import lighthouse from 'lighthouse';
import desktopConfig from 'lighthouse/core/config/desktop-config.js';
import { chromium, contentTypes, webDir } from '../tests/page.js';

const runs = 3;

// Everything but the icons compresses; a host compresses once and keeps the result.
const compressed = new Map();
async function gzipped(file) {
  if (!compressed.has(file)) compressed.set(file, gzipSync(await readFile(file)));
  return compressed.get(file);
}

const server = createServer(async (request, response) => {
  const { pathname } = new URL(request.url, 'http://localhost');
  const file = path.join(webDir, pathname.replace(/\/$/, '/index.html'));
  const type = contentTypes[path.extname(file)] ?? 'application/octet-stream';
  const body = await readFile(file).catch(() => null);
  if (!body) return response.writeHead(404).end();
  const headers = { 'Content-Type': type, 'Cache-Control': 'max-age=600', Vary: 'Accept-Encoding' };
  if (type === 'image/png' || !/\bgzip\b/.test(request.headers['accept-encoding'] ?? '')) {
    return response.writeHead(200, headers).end(body);
  }
  response.writeHead(200, { ...headers, 'Content-Encoding': 'gzip' }).end(await gzipped(file));
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const url = `http://127.0.0.1:${server.address().port}/`;

// One audit in a fresh Chromium (a fresh profile: a first visit).
async function audit(config) {
  const browser = await chromeLauncher.launch({
    chromePath: chromium.executablePath, chromeFlags: ['--headless=new', ...chromium.args],
  });
  try {
    const { lhr } = await lighthouse(url, { port: browser.port, logLevel: 'error' }, config);
    const score = (category) => Math.round(lhr.categories[category].score * 100);
    const metric = (id) => lhr.audits[id].numericValue;
    // The audits that cost accessibility, best practices or SEO points.
    const shortOf = ['accessibility', 'best-practices', 'seo']
      .flatMap((category) => lhr.categories[category].auditRefs)
      .filter(({ id, weight }) => weight > 0 && lhr.audits[id].score < 1).map(({ id }) => id);
    return {
      shortOf,
      performance: score('performance'), accessibility: score('accessibility'),
      'best-practices': score('best-practices'), seo: score('seo'),
      cls: metric('cumulative-layout-shift'), tbt: metric('total-blocking-time'),
      lcp: metric('largest-contentful-paint'),
    };
  } finally {
    await browser.kill();
  }
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

for (const [formFactor, config] of [['mobile', undefined], ['desktop', desktopConfig]]) {
  const results = [];
  for (let run = 0; run < runs; run++) results.push(await audit(config));
  const of = (key) => results.map((result) => result[key]);
  // The median, then each run's figure.
  const figures = (key, digits, scale = 1) => `${(median(of(key)) / scale).toFixed(digits)} `
    + `(${of(key).map((value) => (value / scale).toFixed(digits)).join(', ')})`;
  const scores = ['performance', 'accessibility', 'best-practices', 'seo']
    .map((category) => `${category} ${median(of(category))}`).join(', ');
  console.log(`lighthouse ${formFactor}: ${scores}; performance runs `
    + of('performance').join(', '));
  console.log(`${' '.repeat(12)}CLS ${figures('cls', 3)}, TBT ${figures('tbt', 0)} ms, `
    + `LCP ${figures('lcp', 2, 1000)} s`);
  const shortOf = [...new Set(of('shortOf').flat())];
  if (shortOf.length > 0) console.log(`${' '.repeat(12)}points lost to: ${shortOf.join(', ')}`);
}
console.log('(budgets: mobile CLS at most 0.01, TBT at most 100 ms, performance at least 95; '
  + 'every other score 100)');
server.close();

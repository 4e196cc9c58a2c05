// Lighthouse's audits of the page (run by `make web-bench`, not a test): its default mobile
// audit (a mid-range phone: 4× slower CPU, slow 4G) and its desktop audit, in Chromium, with
// the site served compressed as static hosts serve it (gzip to a browser that accepts it). For
// each: the four category scores, cumulative layout shift, total blocking time and largest
// contentful paint, the median of three runs (the machine is shared, so one run can be noisy);
// then the main thread's time in each script (bootup-time), and the long tasks each script
// caused in the run of the median total blocking time.
import * as chromeLauncher from 'chrome-launcher';
import lighthouse from 'lighthouse';
import desktopConfig from 'lighthouse/core/config/desktop-config.js';
import { chromium } from '../tests/page.js';
import { startGzipServer } from './gzip_server.js';

const runs = 3;
const { server, url } = await startGzipServer();

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
      bootup: lhr.audits['bootup-time'].details?.items ?? [],
      longTasks: lhr.audits['long-tasks'].details?.items ?? [],
    };
  } finally {
    await browser.kill();
  }
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const scriptName = (address) => (/^https?:/.test(address)
  ? new URL(address).pathname.split('/').at(-1) || 'index.html' : address);

// Each script's main-thread time (median of the runs: all of it, and the part that ran its
// code), then the long tasks that the run of the median total blocking time lays to each script,
// with when they started.
function printScripts(results) {
  const names = [...new Set(results.flatMap(({ bootup }) => bootup.map((item) => scriptName(item.url))))];
  for (const name of names) {
    const time = (key) => median(results.map(({ bootup }) =>
      bootup.find((item) => scriptName(item.url) === name)?.[key] ?? 0)).toFixed(0);
    if (time('total') === '0') continue;
    console.log(`${' '.repeat(12)}${name}: ${time('total')} ms of main thread, ${time('scripting')} ms `
      + `running its code, ${time('scriptParseCompile')} ms compiling it`);
  }
  const { longTasks, tbt } = results.find(({ tbt }) => tbt === median(results.map((result) => result.tbt)));
  const byScript = new Map();
  for (const task of longTasks) {
    byScript.set(scriptName(task.url), [...byScript.get(scriptName(task.url)) ?? [], task]);
  }
  if (byScript.size === 0) console.log(`${' '.repeat(12)}no long tasks`);
  for (const [name, tasks] of byScript) {
    console.log(`${' '.repeat(12)}long tasks of ${name} (run of TBT ${tbt.toFixed(0)} ms): `
      + tasks.map(({ duration, startTime }) => `${duration.toFixed(0)} ms at ${(startTime / 1000).toFixed(2)} s`)
        .join(', '));
  }
}

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
  printScripts(results);
}
console.log('(budgets: mobile CLS at most 0.01, TBT at most 100 ms, performance at least 95; '
  + 'every other score 100)');
server.close();

// Compares the start of several builds of the site in Chromium (a tool, not a test): first visits
// taken in turn, one of each build a round, so that a machine whose load drifts slows them
// alike; prints each build's median arrival of the last file the start needs, time to the start
// menu's prompt, and the time between, and the CPU time that the page's main thread and its
// renderer process had used by the time the prompt was seen (Chromium's own count: on a machine
// shared with other work, it varies less than the clock).
// Usage: node web/bench/compare_starts.js [--throttle=4] [--rounds=9] name=folder...
import { launchBrowser } from '../tests/page.js';
import { startGzipServer } from './gzip_server.js';
import {
  lastStartArrival, promptShownAt, resourceTimes, watchForPrompt,
} from './start_files.js';

const option = (name, fallback) =>
  process.argv.find((argument) => argument.startsWith(`--${name}=`))?.split('=')[1] ?? fallback;
const throttle = Number(option('throttle', 1));
const rounds = Number(option('rounds', 9));
const builds = await Promise.all(process.argv.slice(2).filter((argument) => !argument.startsWith('--'))
  .map(async (argument) => {
    const [name, folder] = argument.split('=');
    return {
      name, site: await startGzipServer(folder), arrivals: [], prompts: [], after: [], thread: [], process: [],
    };
  }));

const browser = await launchBrowser('chromium');
async function firstVisit(url) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  if (throttle > 1) await page.emulateCPUThrottling(throttle);
  await page.evaluateOnNewDocument(watchForPrompt);
  const session = await page.createCDPSession();
  await session.send('Performance.enable');
  await page.goto(url);
  const shownAt = await promptShownAt(page);
  // The CPU time of the page's main thread and of its whole renderer process, in ms, up to now.
  const { metrics } = await session.send('Performance.getMetrics');
  const seconds = (name) => metrics.find((metric) => metric.name === name)?.value ?? NaN;
  const entries = await page.evaluate(resourceTimes);
  await context.close();
  return {
    shownAt, arrival: lastStartArrival(entries).time,
    thread: seconds('ThreadTime') * 1000, process: seconds('ProcessTime') * 1000,
  };
}

for (let round = 0; round <= rounds; round++) {
  for (const build of round % 2 ? builds : [...builds].reverse()) {
    const { shownAt, arrival, thread, process } = await firstVisit(build.site.url);
    if (round === 0) continue;
    build.thread.push(thread);
    build.process.push(process);
    build.arrivals.push(arrival);
    build.prompts.push(shownAt);
    build.after.push(shownAt - arrival);
  }
}
await browser.close();
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
console.log(`Chromium first visits, CPU ${throttle}× slower, median of ${rounds}:`);
for (const build of builds) {
  build.site.server.close();
  console.log(`${build.name.padEnd(24)} arrival ${median(build.arrivals).toFixed(0).padStart(5)} ms, `
    + `prompt ${median(build.prompts).toFixed(0).padStart(5)} ms, prompt − arrival `
    + `${median(build.after).toFixed(0).padStart(5)} ms (${build.after.map((t) => t.toFixed(0)).join(' ')}), `
    + `ratio ${median(build.prompts.map((p, i) => p / build.arrivals[i])).toFixed(2)}, CPU of the `
    + `main thread ${median(build.thread).toFixed(0)} ms, of the renderer ${median(build.process).toFixed(0)} ms`);
}

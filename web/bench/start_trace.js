// Where the page's start goes, from Chromium's own trace of first visits (a tool, not a test):
// between the arrival of the last file the start needs and the start menu's prompt, what the
// page's main thread did (each task by what ran it, each piece of work by kind, and the time it
// sat idle), and every long task (50 ms or more) with the functions that filled it, and the page's
// code that called them.
// Marks that the page sets with performance.mark() are listed with their times, so that a copy
// of the page marked at each step shows the steps.
// Usage: node web/bench/start_trace.js [--throttle=4] [--runs=5] [--save=folder] [--profile=off]
//   [--clock=thread]
// With --throttle, the CPU runs that many times slower, as Lighthouse's mobile audit has it;
// --save keeps each run's trace, which Chromium's performance panel opens, and the page's own
// figures beside it.
import { mkdirSync, writeFileSync } from 'node:fs';
import path from 'node:path';
import { launchBrowser } from '../tests/page.js';
import { startGzipServer } from './gzip_server.js';
import {
  lastStartArrival, promptShownAt, resourceTimes, watchForPrompt,
} from './start_files.js';

const option = (name, fallback) =>
  process.argv.find((argument) => argument.startsWith(`--${name}=`))?.split('=')[1] ?? fallback;
const throttle = Number(option('throttle', 1));
const runs = Number(option('runs', 5));
const saveTo = option('save', null);
// The sampling profiler makes V8 collect every script's source positions as it compiles it,
// which slows the compile of every script; --profile=off leaves it out.
const profiled = option('profile', 'on') !== 'off';
// On a machine shared with other work, a task's length says as much about the others as about
// the page; --clock=thread counts the CPU time the page's main thread had instead.
const threadClock = option('clock', 'wall') === 'thread';

const categories = ['devtools.timeline', 'disabled-by-default-devtools.timeline', 'v8.execute',
  'blink.user_timing', 'loading', 'v8', 'v8.wasm', 'disabled-by-default-v8.compile',
  ...(profiled ? ['disabled-by-default-v8.cpu_profiler'] : [])];

function functionName({ functionName, url }) {
  const file = path.basename(new URL(url || 'about:blank').pathname) || '(native)';
  return `${file}:${functionName || '(anonymous)'}`;
}

// One first visit, traced: resolves with the trace's events and the page's own figures.
async function tracedVisit(browser, site) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  if (throttle > 1) await page.emulateCPUThrottling(throttle);
  await page.evaluateOnNewDocument(watchForPrompt);
  await page.tracing.start({ categories });
  await page.goto(site.url);
  await promptShownAt(page);
  const trace = JSON.parse(Buffer.from(await page.tracing.stop()).toString());
  const figures = await page.evaluate(() => ({
    shownAt: window.startMenuShownAt,
    marks: performance.getEntriesByType('mark').map(({ name, startTime }) => ({ name, startTime })),
  }));
  const entries = await page.evaluate(resourceTimes);
  await context.close();
  return { events: trace.traceEvents, entries, ...figures };
}

// Milliseconds of each event of the page's main thread between `from` and `to` (trace µs), with
// the time its children took taken out.
function selfTimes(events, from, to) {
  const spans = events.filter((event) => event.ph === 'X' && event.dur > 0
    && event.ts < to && event.ts + event.dur > from).sort((a, b) => a.ts - b.ts || b.dur - a.dur);
  const open = [];
  for (const span of spans) {
    while (open.length && open.at(-1).ts + open.at(-1).dur <= span.ts) open.pop();
    span.parent = open.at(-1) ?? null;
    span.clipped = Math.min(span.ts + span.dur, to) - Math.max(span.ts, from);
    if (threadClock) span.clipped *= (span.tdur ?? span.dur) / span.dur;
    span.self = span.clipped;
    open.push(span);
  }
  for (const span of spans) if (span.parent) span.parent.self -= span.clipped;
  return spans;
}

const basename = (url) => (url ? path.basename(new URL(url).pathname) : '');

// What a piece of main-thread work was: the script it ran in, or the kind of engine work.
function kindOf(span) {
  const data = span.args?.data ?? {};
  for (let up = span; up; up = up.parent) {
    const upData = up.args?.data ?? {};
    if (['FunctionCall', 'EvaluateScript', 'v8.evaluateModule', 'v8.compileModule', 'v8.compile',
      'v8.produceModuleCache', 'v8.run'].includes(up.name) && (upData.url || up.args?.fileName)) {
      if (up === span || !['Layout', 'UpdateLayoutTree', 'Paint', 'PrePaint', 'MajorGC', 'MinorGC']
        .includes(span.name)) {
        return `script ${basename(upData.url || up.args.fileName)}`;
      }
    }
  }
  if (span.name.startsWith('v8.wasm') || span.name.includes('Wasm')) return 'wasm';
  if (/GC/.test(span.name)) return 'garbage collection';
  if (['Layout', 'UpdateLayoutTree', 'RecalculateStyles', 'HitTest'].includes(span.name)) {
    return 'style and layout';
  }
  if (['Paint', 'PrePaint', 'Layerize', 'Commit', 'UpdateLayer', 'CompositeLayers',
    'RasterTask', 'Decode Image'].includes(span.name)) return 'paint';
  if (span.name === 'ParseHTML' || span.name === 'ParseAuthorStyleSheet') return 'parse HTML/CSS';
  if (data.url) return `other (${span.name})`;
  return `engine (${span.name})`;
}

// What started a task: a timer, an animation frame, a script's evaluation, a promise's
// continuation (a load or an await), the ResizeObserver, or the engine's own work.
function triggerOf(task, spans) {
  const inside = spans.filter((span) => span.ts >= task.ts && span.ts < task.ts + task.dur
    && span !== task);
  const named = (name) => inside.find((span) => span.name === name);
  const call = named('FunctionCall');
  const where = call ? ` ${basename(call.args.data.url)}:${call.args.data.functionName || '?'}` : '';
  if (named('TimerFire')) return `timer (setTimeout)${where}`;
  if (named('FireAnimationFrame')) return `animation frame${where}`;
  if (inside.some((span) => /ResizeObserver/.test(span.name))) return `ResizeObserver${where}`;
  const evaluation = named('v8.evaluateModule') ?? named('EvaluateScript');
  if (evaluation) return `evaluate ${basename(evaluation.args?.data?.url ?? '') || 'script'}`;
  if (named('RunMicrotasks') || call) return `promise/callback${where}`;
  if (inside.some((span) => span.name.startsWith('v8.wasm'))) return 'wasm';
  const biggest = inside.sort((a, b) => b.dur - a.dur)[0];
  return `engine (${biggest?.name ?? task.name})`;
}

// The main thread's profile samples in [from, to), as [time (µs), stack of call frames].
function profileSamples(events, pid) {
  const samples = [];
  const profiles = new Map();
  for (const event of events) {
    if (event.pid !== pid) continue;
    if (event.name === 'Profile') profiles.set(event.id, { time: event.args.data.startTime, nodes: new Map() });
    if (event.name !== 'ProfileChunk') continue;
    const profile = profiles.get(event.id);
    if (!profile) continue;
    const { cpuProfile = {}, timeDeltas = [] } = event.args.data;
    for (const node of cpuProfile.nodes ?? []) profile.nodes.set(node.id, node);
    (cpuProfile.samples ?? []).forEach((id, i) => {
      profile.time += timeDeltas[i];
      const stack = [];
      for (let node = profile.nodes.get(id); node; node = profile.nodes.get(node.parent)) {
        stack.push(node.callFrame);
      }
      samples.push([profile.time, stack]);
    });
  }
  return samples.sort((a, b) => a[0] - b[0]);
}

const pageFiles =
  /(terminal_game|answer_keys|terminal_fit|game_log|line_discipline|game_console|text_terminal|nebulance)\.js$/;

// A long task's profile: the functions it spent most time in (self) and the page's code below
// them on the stack.
function describeLongTask(task, samples) {
  const inTask = samples.filter(([time]) => time >= task.ts && time < task.ts + task.dur);
  const tally = (key) => {
    const counts = new Map();
    inTask.forEach(([, stack], i) => {
      const next = inTask[i + 1]?.[0] ?? task.ts + task.dur;
      const name = key(stack);
      counts.set(name, (counts.get(name) ?? 0) + (next - inTask[i][0]) / 1000);
    });
    return [...counts].sort((a, b) => b[1] - a[1]);
  };
  const leaf = (stack) => {
    const frame = stack.find((candidate) => candidate.url || candidate.functionName
      && !['(program)', '(idle)', '(root)', '(garbage collector)'].includes(candidate.functionName));
    return frame ? functionName(frame) : stack[0]?.functionName ?? '?';
  };
  // The outermost function under the page's code: what the page's code asked for.
  const entry = (stack) => {
    const pageAt = stack.findIndex((frame) => pageFiles.test(frame.url));
    if (pageAt < 0) return `(no page code) ${leaf(stack)}`;
    const called = stack[pageAt - 1];
    return `${functionName(stack[pageAt])} → ${called ? functionName(called) : '(self)'}`;
  };
  return { leaves: tally(leaf), entries: tally(entry) };
}

function analyse({ events, shownAt, entries, marks }) {
  const arrival = lastStartArrival(entries);
  const promptEvent = events.find((event) => event.name === 'prompt shown');
  const { pid, tid } = promptEvent;
  const origin = promptEvent.ts - shownAt * 1000;
  const at = (ms) => origin + ms * 1000;
  const thread = events.filter((event) => event.pid === pid && event.tid === tid);
  const [from, to] = [at(arrival.time), at(shownAt)];
  const spans = selfTimes(thread, from, to);
  const tasks = spans.filter((span) => span.name === 'RunTask' && !span.parent);
  const byKind = new Map();
  const byTrigger = new Map();
  const add = (map, key, ms) => map.set(key, (map.get(key) ?? 0) + ms);
  for (const span of spans) {
    if (span.name === 'RunTask' && !span.parent) continue;
    add(byKind, kindOf(span), span.self / 1000);
  }
  for (const task of tasks) add(byTrigger, triggerOf(task, spans), task.clipped / 1000);
  const samples = profileSamples(events, pid);
  const busy = tasks.reduce((sum, task) => sum + task.clipped, 0) / 1000;
  // Long tasks over the whole start, from navigation on.
  const allTasks = selfTimes(thread, at(0), to).filter((span) => span.name === 'RunTask' && !span.parent);
  const total = allTasks.reduce((sum, task) => sum + task.clipped, 0) / 1000;
  const longTasks = allTasks.filter((task) => task.dur >= 50000).map((task) => ({
    start: (task.ts - origin) / 1000, duration: task.dur / 1000,
    trigger: triggerOf(task, selfTimes(thread, task.ts, task.ts + task.dur)),
    ...describeLongTask(task, samples),
  }));
  const window = describeLongTask({ ts: from, dur: to - from }, samples);
  return {
    byEntry: new Map(window.entries), byLeaf: new Map(window.leaves),
    arrival, shownAt, busy, total, idle: shownAt - arrival.time - busy, byKind, byTrigger, longTasks,
    marks: marks.filter(({ name }) => name !== 'prompt shown'),
  };
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const ms = (value) => `${value.toFixed(0).padStart(5)} ms`;

const site = await startGzipServer();
const browser = await launchBrowser('chromium');
const results = [];
for (let run = 0; run <= runs; run++) {
  const visit = await tracedVisit(browser, site);
  if (saveTo) {
    mkdirSync(saveTo, { recursive: true });
    writeFileSync(path.join(saveTo, `start-${throttle}x-${run}.json`), JSON.stringify(visit.events));
    const { shownAt, entries, marks } = visit;
    writeFileSync(path.join(saveTo, `start-${throttle}x-${run}-page.json`),
      JSON.stringify({ shownAt, entries, marks }));
  }
  if (run > 0) results.push(analyse(visit));  // the first run warms the browser up
}
await browser.close();
site.server.close();

console.log(`Chromium, first visits, CPU ${throttle}× slower; median of ${runs} (each run's figure)`
  + `${threadClock ? '; the main thread\'s work in its CPU time' : ''}`);
const line = (label, values) => console.log(`${label.padEnd(58)} ${ms(median(values))}  `
  + `(${values.map((value) => value.toFixed(0)).join(', ')})`);
line('last file the start needs has arrived', results.map((result) => result.arrival.time));
console.log(`  (${results[0].arrival.file})`);
line('prompt on screen', results.map((result) => result.shownAt));
const ratios = results.map((result) => result.shownAt / result.arrival.time);
console.log(`${'prompt / arrival'.padEnd(58)} ${median(ratios).toFixed(2).padStart(8)}  `
  + `(${ratios.map((ratio) => ratio.toFixed(2)).join(', ')})`);
line('main thread busy from navigation start to the prompt', results.map((result) => result.total));
line('between them: main thread busy', results.map((result) => result.busy));
line('between them: main thread idle', results.map((result) => result.idle));
const table = (title, key) => {
  console.log(title);
  const names = [...new Set(results.flatMap((result) => [...result[key].keys()]))];
  const rows = names.map((name) => [name, results.map((result) => result[key].get(name) ?? 0)])
    .sort((a, b) => median(b[1]) - median(a[1]));
  for (const [name, values] of rows) if (median(values) >= 2) line(`  ${name}`, values);
};
table('busy time by what started each task:', 'byTrigger');
table('busy time by kind of work (self time):', 'byKind');
table('CPU profile: the page\'s function and the function of another file it called:', 'byEntry');
table('CPU profile: self time by function:', 'byLeaf');
const markNames = [...new Set(results.flatMap((result) => result.marks.map(({ name }) => name)))];
if (markNames.length > 0) console.log('the page\'s own marks, from navigation start:');
for (const name of markNames) {
  line(`  ${name}`, results.map((result) => result.marks.find((mark) => mark.name === name)?.startTime ?? NaN));
}
console.log('long tasks (50 ms or more) from navigation start to the prompt:');
results.forEach((result, run) => {
  for (const task of result.longTasks) {
    console.log(`  run ${run + 1}: at ${task.start.toFixed(0)} ms, ${task.duration.toFixed(0)} ms, `
      + `started by ${task.trigger}`);
    for (const [name, time] of task.entries.slice(0, 4)) console.log(`      ${ms(time)} under ${name}`);
    for (const [name, time] of task.leaves.slice(0, 6)) console.log(`      ${ms(time)} self in ${name}`);
  }
});

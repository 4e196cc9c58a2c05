// WebKit through its W3C WebDriver server (Debian's webkit2gtk-driver), which starts MiniBrowser
// (libwebkit2gtk-4.1-0) for each session. The protocol is JSON over HTTP, so Node's fetch is the
// whole client. MiniBrowser opens a real window: run under an X server (xvfb-run -a).
import { spawn } from 'node:child_process';
import { access, writeFile } from 'node:fs/promises';
import { createServer } from 'node:net';
import { until } from './until.js';

const driverBinary = process.env.WEBKIT_DRIVER ?? '/usr/bin/WebKitWebDriver';
const miniBrowser =
  process.env.MINIBROWSER ?? '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
// The keys the page's line discipline needs, as WebDriver names them.
const keyCodes = { Enter: '\uE007', Backspace: '\uE003', Control: '\uE009' };
const elementKey = 'element-6066-11e4-a52e-4f735466cecf';

// Starts the driver on a free port; resolves with { session(options), close() }. A missing
// binary or display fails here, so that a machine without WebKit cannot pass the tests.
export async function launchWebKit() {
  for (const binary of [driverBinary, miniBrowser]) {
    await access(binary).catch(() => {
      throw new Error(`${binary} is missing: install webkit2gtk-driver and libwebkit2gtk-4.1-0`);
    });
  }
  if (!process.env.DISPLAY) throw new Error('WebKit needs an X server: run under xvfb-run -a');
  const port = await freePort();
  // The driver keeps one session at a time; a new one replaces one that a failed test left open.
  const driver = spawn(driverBinary, [`--port=${port}`, '--replace-on-new-session'],
    { stdio: 'ignore' });
  process.on('exit', () => driver.kill());
  const base = `http://127.0.0.1:${port}`;
  if (!await until(() => fetch(`${base}/status`).then((r) => r.ok, () => false))) {
    throw new Error(`${driverBinary} did not answer on port ${port}`);
  }
  return {
    session: (options) => startSession(base, options),
    close: () => driver.kill(),
  };
}

// A browser session: one MiniBrowser window. `pageLoadStrategy: 'none'` makes navigation return
// at once instead of after the load event.
async function startSession(base, { pageLoadStrategy = 'normal' } = {}) {
  const capabilities = {
    pageLoadStrategy,
    // A script that waits in the page (for a screen that a long paste brings) may take minutes
    // on a busy machine; the page's own wait decides when it has waited too long.
    timeouts: { script: 600000 },
    'webkitgtk:browserOptions': { binary: miniBrowser, args: ['--automation'] },
  };
  const created = await command(base, 'POST', '/session',
    { capabilities: { alwaysMatch: capabilities } });
  const call = (method, path, body) =>
    command(base, method, `/session/${created.sessionId}${path}`, body);
  await call('POST', '/window/rect', { width: 900, height: 860 });
  const keys = (actions) => call('POST', '/actions', {
    actions: [{ type: 'key', id: 'keyboard', actions }],
  });
  return {
    goto: (url) => call('POST', '/url', { url }),
    // From here on, scripts and clicks act in the iframe `selector`; keys go where the focus is.
    async enterFrame(selector) {
      const element = await call('POST', '/element', { using: 'css selector', value: selector });
      await call('POST', '/frame', { id: element });
      return this;
    },
    // Runs `fn(...args)` in the page and resolves with its (awaited) result, as puppeteer does.
    async evaluate(fn, ...args) {
      const script = `const done = arguments[arguments.length - 1];
        Promise.resolve().then(() => (${fn})(...Array.from(arguments).slice(0, -1)))
          .then((value) => done({ value }),
            (error) => done({ error: \`\${error}\\n\${error?.stack ?? ''}\` }));`;
      const result = await call('POST', '/execute/async', { script, args });
      if (result.error) throw new Error(result.error);
      return result.value;
    },
    type: (text) => keys([...text].flatMap((key) => [
      { type: 'keyDown', value: key }, { type: 'keyUp', value: key }])),
    press: (key) => {
      const [modifier, main] = key.includes('+') ? key.split('+') : [null, key];
      const value = keyCodes[main] ?? main.toLowerCase();
      const down = [{ type: 'keyDown', value }, { type: 'keyUp', value }];
      if (!modifier) return keys(down);
      const held = keyCodes[modifier];
      return keys([{ type: 'keyDown', value: held }, ...down, { type: 'keyUp', value: held }]);
    },
    async click(selector) {
      const element = await call('POST', '/element', { using: 'css selector', value: selector });
      return call('POST', `/element/${element[elementKey]}/click`, {});
    },
    // The visible page: WebKitGTK crops element screenshots at the wrong place.
    screenshot: async (file) =>
      writeFile(file, Buffer.from(await call('GET', '/screenshot'), 'base64')),
    close: () => call('DELETE', ''),
  };
}

function freePort() {
  return new Promise((resolve) => {
    const probe = createServer().listen(0, '127.0.0.1', () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    });
  });
}

async function command(base, method, path, body) {
  const response = await fetch(base + path, {
    method,
    headers: { 'Content-Type': 'application/json' },
    body: body && JSON.stringify(body),
    signal: AbortSignal.timeout(660000),
  });
  const { value } = await response.json();
  if (!response.ok) throw new Error(`WebDriver ${method} ${path}: ${value.error}: ${value.message}`);
  return value;
}

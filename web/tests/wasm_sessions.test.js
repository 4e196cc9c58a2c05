// Every scripted session played by the browser's game under node, built with Emscripten's
// assertions (nebulance_web_check in cmake/Web.cmake): there Asyncify traps when the game waits
// with a function on the stack that its list leaves uninstrumented, which the shipped game would
// survive only by luck. The output must be the native game's, byte for byte: for a session on
// one clock reading as tests/support/echoed_session.cpp shows it, each typed line marked where
// the game reads it; for a session that reseeds on other readings, its kept transcript.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readdirSync, readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import { before, test } from 'node:test';

const checkGame = path.resolve(process.env.WEB_CHECK ?? 'build/web-cmake/nebulance_web_check.js');
const echoedSessionTool =
  process.env.ECHOED_SESSION ?? 'build/debug/tests/nebulance_echoed_session';
const sessionsDir = 'tests/data/sessions';

const encoder = new TextEncoder();
let loadNebulance;
let compiled;
before(async () => {
  loadNebulance = createRequire(import.meta.url)(checkGame);
  compiled = await WebAssembly.compile(readFileSync(checkGame.replace(/\.js$/, '.wasm')));
});

// Plays `keys` in a fresh instance of the compiled game, made as the page makes it, with the clock
// reading `readings` one after another and then keeping the last. Returns what the game showed,
// each line marked as the native tool marks it when the game first reads from it.
async function playInWasm(keys, readings) {
  const lines = keys.match(/[^\n]*\n|[^\n]+$/g) ?? [];
  const decoder = new TextDecoder();
  let shown = '';
  let rest = null;
  let clockReads = 0;
  let abort;
  const aborted = new Promise((resolve, reject) => {
    abort = (what) => reject(new Error(`the game aborted: ${what}`));
  });
  const game = await loadNebulance({
    instantiateWasm(imports, receiveInstance) {
      assert.equal(typeof imports.env.calendarSeconds, 'function', 'the clock is an import');
      imports.env.calendarSeconds = () => readings[Math.min(clockReads++, readings.length - 1)];
      WebAssembly.instantiate(compiled, imports).then((instance) => receiveInstance(instance, compiled));
      return {};
    },
    async nextTypedChunk(capacity) {
      if (rest === null) {
        const line = lines.shift();
        if (line === undefined) return new Uint8Array(0);
        shown += `\x1e${line}\x1f`;
        rest = encoder.encode(line);
      }
      const chunk = rest.subarray(0, capacity);
      rest = rest.length > capacity ? rest.subarray(capacity) : null;
      return chunk;
    },
    showOutput(bytes) { shown += decoder.decode(bytes, { stream: true }); },
    onAbort: (what) => abort(what),
  });
  await Promise.race([game.ccall('playGame', null, [], [], { async: true }), aborted]);
  return shown + decoder.decode();
}

function scriptedSession(name) {
  const text = readFileSync(path.join(sessionsDir, `${name}.session`), 'utf8');
  const field = (key) => text.match(new RegExp(`^${key}: (.*)$`, 'm'))[1];
  return {
    readings: field('clock').split(' ').map(Number),
    input: field('input').replaceAll('\\n', '\n'),
    transcript: text.slice(text.indexOf('--- output\n') + '--- output\n'.length),
  };
}

// The native tool's screen: its first line, the clock reading, is left out.
function nativeEchoed(args, input) {
  const output = execFileSync(echoedSessionTool, args, { input, encoding: 'utf8', maxBuffer: 1 << 30 });
  return output.slice(output.indexOf('\n') + 1);
}

const names = readdirSync(sessionsDir).filter((file) => file.endsWith('.session'))
  .map((file) => file.replace(/\.session$/, '')).sort();

for (const name of names) {
  test(`${name}: the wasm game with Asyncify's checks prints what the native game prints`, async () => {
    const session = scriptedSession(name);
    const shown = await playInWasm(session.input, session.readings);
    if (session.readings.every((reading) => reading === session.readings[0])) {
      assert.equal(shown, nativeEchoed([name]));
    } else {
      assert.equal(shown.replace(/\x1e[^\x1f]*\x1f/g, ''), session.transcript);
    }
  });
}

// A line longer than the game's read buffer reaches it in pieces, one wait each, as the page hands
// it over.
test('a line of 5,000 characters: the wasm game prints what the native game prints', async () => {
  const keys = `${'x'.repeat(5000)}\n3\n1\n`;
  const shown = await playInWasm(keys, [1700000000]);
  assert.equal(shown, nativeEchoed(['--clock', '1700000000'], keys));
});

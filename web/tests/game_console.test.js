// The game's console without a browser, on a fake terminal whose writes the test lets through.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { GameConsole } from '../game_console.js';

const bytes = (text) => new TextEncoder().encode(text);
const text = (chunk) => new TextDecoder().decode(chunk);

// A terminal that takes a write only when the test says so, and a log that notes its calls.
function fakes() {
  const pending = [];
  const terminal = {
    written: [],
    write(data, taken) {
      this.written.push(typeof data === 'string' ? data : text(data));
      pending.push(taken);
    },
    takeAll: () => { while (pending.length > 0) pending.shift()?.(); },
  };
  const log = { calls: [], add(chunk) { this.calls.push(`add ${text(chunk)}`); },
    announce() { this.calls.push('announce'); } };
  return { terminal, log, console: new GameConsole(terminal, log) };
}

test('chunks are read in the order handed over, a long one in pieces, then the end of input '
  + 'at every read after it', async () => {
  const { console } = fakes();
  console.handOver(bytes('12\n'));
  console.handOver(bytes('abcdef'));
  console.handOver(null);
  console.handOver(bytes('after the end\n'));
  assert.equal(text(await console.nextTypedChunk(16)), '12\n');
  assert.equal(text(await console.nextTypedChunk(4)), 'abcd');
  assert.equal(text(await console.nextTypedChunk(4)), 'ef');
  assert.equal((await console.nextTypedChunk(4)).length, 0);
  assert.equal((await console.nextTypedChunk(4)).length, 0, 'the end stays the end');
});

test('a read waits for the player, and the game waits for the player only then', async () => {
  const { console } = fakes();
  assert.equal(console.waitingForPlayer(), false);
  const read = console.nextTypedChunk(16);
  await Promise.resolve();
  assert.equal(console.waitingForPlayer(), true);
  console.handOver(bytes('3\n'));
  assert.equal(text(await read), '3\n');
  assert.equal(console.waitingForPlayer(), false);
});

test('the game reads nothing more until the terminal has taken its output, and each read '
  + 'announces the screen to the log first', async () => {
  const { terminal, log, console } = fakes();
  console.showOutput(bytes('Select option number: '));
  console.handOver(bytes('1\n'));
  let read = null;
  console.nextTypedChunk(16).then((chunk) => { read = text(chunk); });
  await new Promise((resolve) => { setTimeout(resolve); });
  assert.equal(read, null, 'the terminal has not yet taken the question');
  assert.equal(console.waitingForPlayer(), false);
  terminal.takeAll();
  await new Promise((resolve) => { setTimeout(resolve); });
  assert.equal(read, '1\n');
  assert.deepEqual(terminal.written, ['Select option number: ']);
  assert.deepEqual(log.calls, ['add Select option number: ', 'announce']);
  let drained = false;
  console.drained().then(() => { drained = true; });
  terminal.takeAll();
  await Promise.resolve();
  assert.equal(drained, true);
});

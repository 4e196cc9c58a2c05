// The terminal's line mode without a browser: what each key echoes and hands to the game.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { typeInto } from '../line_discipline.js';

// Types `keys` one chunk at a time and sums up the echo, the chunks handed over and the end.
function typeKeys(...keys) {
  let line = '';
  const result = { echo: '', handedOver: [], ended: false };
  for (const key of keys) {
    const typing = typeInto(line, key);
    line = typing.line;
    result.echo += typing.echo;
    result.handedOver.push(...typing.handedOver);
    result.ended ||= typing.ended;
  }
  return { line, ...result };
}

// Each case: the keys, then the line left being typed, the echo, the chunks handed over and the end.
function check(keys, line, echo, handedOver, ended = false) {
  assert.deepEqual(typeKeys(...keys), { line, echo, handedOver, ended }, JSON.stringify(keys));
}

test('typed characters are echoed and held until Enter hands the line over with its line end', () => {
  check(['4', '2'], '42', '42', []);
  check(['4', '2', '\r'], '', '42\r\n', ['42\n']);
  check(['\r'], '', '\r\n', ['\n']);
});

test('Backspace erases the last character on the screen and on the line, and nothing before it', () => {
  check(['x', '\x7f', '1', '\r'], '', 'x\b \b1\r\n', ['1\n']);
  check(['\x7f', '\b', 'a'], 'a', 'a', []);
  check(['é', '\x7f'], '', 'é\b \b', []);
});

test('a paste of several lines hands each over in turn and keeps the unfinished rest', () => {
  check(['1\rx\r2\n3'], '3', '1\r\nx\r\n2\r\n3', ['1\n', 'x\n', '2\n']);
});

test('Ctrl-D ends the input on an empty line and hands the typed characters over otherwise', () => {
  check(['\x04'], '', '', [], true);
  check(['1', '2', '\x04'], '', '12', ['12']);
  check(['1\r\x04\r9'], '', '1\r\n', ['1\n'], true);
});

test('cursor keys and other control characters type nothing; a tab is typed', () => {
  check(['\x1b[A', '\x1bOP', '\x03', '\t'], '\t', '\t', []);
});

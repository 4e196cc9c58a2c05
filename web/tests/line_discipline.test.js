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

test('typed characters are echoed and held until Enter hands the line over with its line end', () => {
  assert.deepEqual(typeKeys('4', '2'), { line: '42', echo: '42', handedOver: [], ended: false });
  assert.deepEqual(typeKeys('4', '2', '\r'), { line: '', echo: '42\r\n', handedOver: ['42\n'], ended: false });
  assert.deepEqual(typeKeys('\r'), { line: '', echo: '\r\n', handedOver: ['\n'], ended: false });
});

test('Backspace erases the last character on the screen and on the line, and nothing before it', () => {
  assert.deepEqual(typeKeys('x', '\x7f', '1', '\r'), { line: '', echo: 'x\b \b1\r\n', handedOver: ['1\n'], ended: false });
  assert.deepEqual(typeKeys('\x7f', '\b', 'a'), { line: 'a', echo: 'a', handedOver: [], ended: false });
  assert.deepEqual(typeKeys('é', '\x7f'), { line: '', echo: 'é\b \b', handedOver: [], ended: false });
});

test('a paste of several lines hands each over in turn and keeps the unfinished rest', () => {
  assert.deepEqual(typeKeys('1\rx\r2\n3'), { line: '3', echo: '1\r\nx\r\n2\r\n3', handedOver: ['1\n', 'x\n', '2\n'], ended: false });
});

test('Ctrl-D ends the input on an empty line and hands the typed characters over otherwise', () => {
  assert.deepEqual(typeKeys('\x04'), { line: '', echo: '', handedOver: [], ended: true });
  assert.deepEqual(typeKeys('1', '2', '\x04'), { line: '', echo: '12', handedOver: ['12'], ended: false });
  assert.deepEqual(typeKeys('1\r\x04\r9'), { line: '', echo: '1\r\n', handedOver: ['1\n'], ended: true });
});

test('cursor keys and other control characters type nothing; a tab is typed', () => {
  assert.deepEqual(typeKeys('\x1b[A', '\x1bOP', '\x03', '\t'), { line: '\t', echo: '\t', handedOver: [], ended: false });
});

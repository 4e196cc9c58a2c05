// The terminal's line mode without a browser: what each key echoes and hands to the game.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { LineModeAddon, typeInto } from '../line_discipline.js';

// Each case: the line already typed and the data that arrives (one key, or a paste), then the
// line left being typed, the echo, the chunks handed over and whether the input has ended.
function check([typed, data], line, echo, handedOver, ended = false) {
  assert.deepEqual(typeInto(typed, data), { line, echo, handedOver, ended }, JSON.stringify(data));
}

test('typed characters are echoed and held until Enter hands the line over with its line end', () => {
  check(['4', '2'], '42', '2', []);
  check(['42', '\r'], '', '\r\n', ['42\n']);
  check(['', '\r'], '', '\r\n', ['\n']);
});

test('Backspace erases the last character on the screen and on the line, and nothing before it', () => {
  check(['', 'x\x7f1\r'], '', 'x\b \b1\r\n', ['1\n']);
  check(['', '\x7f\ba'], 'a', 'a', []);
  check(['é', '\x7f'], '', '\b \b', []);
});

test('a paste of several lines hands each over in turn and keeps the unfinished rest', () => {
  check(['', '1\rx\r2\n3'], '3', '1\r\nx\r\n2\r\n3', ['1\n', 'x\n', '2\n']);
});

test('Ctrl-D ends the input on an empty line and hands the typed characters over otherwise', () => {
  check(['', '\x04'], '', '', [], true);
  check(['12', '\x04'], '', '', ['12']);
  check(['', '1\r\x04\r9'], '', '1\r\n', ['1\n'], true);
});

test('cursor and function keys and other control characters type nothing; a tab is typed', () => {
  for (const key of ['\x1b[A', '\x1bOP', '\x03']) check(['', key], '', '', []);
  check(['', '\t'], '\t', '\t', []);
});

test('a line holds 4,095 bytes: the rest of a long paste is dropped unechoed until Enter', () => {
  const typing = typeInto('', `${'x'.repeat(200000)}\r1\r`);
  assert.deepEqual(typing.handedOver, [`${'x'.repeat(4095)}\n`, '1\n']);
  assert.equal(typing.echo, `${'x'.repeat(4095)}\r\n1\r\n`);
  check(['x'.repeat(4094), 'éy'], `${'x'.repeat(4094)}y`, 'y', []);
  check(['x'.repeat(4093), 'éy'], `${'x'.repeat(4093)}é`, 'é', []);
  check(['x'.repeat(4095), '\x7fz'], `${'x'.repeat(4094)}z`, '\b \bz', []);
  check(['x'.repeat(4095), '\x04'], '', '', ['x'.repeat(4095)]);
});

test('the line-mode add-on echoes and hands over only while a game listens, and ends once', () => {
  const handedOver = [];
  const terminal = {
    echoed: '',
    onData(listener) {
      this.type = listener;
      return { dispose: () => { this.type = null; } };
    },
    write(data) { this.echoed += data; },
  };
  const lineMode = new LineModeAddon((chunk) => {
    handedOver.push(chunk && new TextDecoder().decode(chunk));
  });
  lineMode.activate(terminal);
  terminal.type('7\r');
  assert.deepEqual(handedOver, [], 'between games');
  lineMode.listen();
  terminal.type('4');
  terminal.type('2\rx\x04');
  terminal.type('\x04');
  terminal.type('9\r\x04');
  assert.deepEqual(handedOver, ['42\n', 'x', null]);
  assert.equal(terminal.echoed, '42\r\nx');
  lineMode.dispose();
  assert.equal(terminal.type, null);
});

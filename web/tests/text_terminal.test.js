// The page's terminal's lines without a browser: how the game's text and the echo land in rows.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { ScreenLines } from '../text_terminal.js';

// Each row as shown (trailing blanks trimmed), a wrapped row marked with a leading '+', and the
// cursor as [row, column].
function shown(text, size = {}) {
  const screen = new ScreenLines({ cols: 10, rows: 4, scrollback: 3, ...size });
  for (const piece of [text].flat()) screen.write(piece);
  const view = screen.view((baseY) => baseY);
  const rows = [];
  for (let row = 0; row < screen.lines.length; row++) {
    const line = view.getLine(row);
    rows.push(`${line.isWrapped ? '+' : ''}${line.translateToString(true)}`);
  }
  return { rows, cursor: [screen.cursor.row, screen.cursor.col] };
}

test('a line wraps past the last column, and a line that fills the row and ends makes no '
  + 'empty row', () => {
  assert.deepEqual(shown('0123456789abc\nx'), { rows: ['0123456789', '+abc', 'x'], cursor: [2, 1] });
  assert.deepEqual(shown('0123456789\nx'), { rows: ['0123456789', 'x'], cursor: [1, 1] });
  assert.deepEqual(shown('0123456789\r\n'), { rows: ['0123456789', ''], cursor: [1, 0] });
  assert.deepEqual(shown('abc\rX'), { rows: ['Xbc'], cursor: [0, 1] });
});

test('the echo\'s backspaces erase the last character, on the last column and across a wrap',
  () => {
    assert.deepEqual(shown('? ab\b \b'), { rows: ['? a'], cursor: [0, 3] });
    assert.deepEqual(shown(['0123456789', '\b \b']), { rows: ['012345678'], cursor: [0, 9] });
    const erased = shown(['012345678', '9a', '\b \b', '\b \b']);
    assert.deepEqual(erased, { rows: ['012345678', '+'], cursor: [0, 9] });
    assert.deepEqual(shown('\b\bab'), { rows: ['ab'], cursor: [0, 2] }, 'nothing before the line');
  });

test('a tab moves to the next multiple of eight, the gap blank; other controls print nothing',
  () => {
    assert.deepEqual(shown('\tx', { cols: 20 }), { rows: ['        x'], cursor: [0, 9] });
    assert.deepEqual(shown('ab\t\tc', { cols: 12 }), { rows: ['ab         c'], cursor: [0, 11] });
    assert.deepEqual(shown('a\x07\x1b[2Jb'), { rows: ['a[2Jb'], cursor: [0, 5] });
  });

test('a character takes one cell however many code units it has', () => {
  assert.deepEqual(shown('é😀é😀é😀é😀é😀x'), { rows: ['é😀é😀é😀é😀é😀', '+x'], cursor: [1, 1] });
  assert.deepEqual(shown('😀😀😀\b\b\b\b.'), { rows: ['.😀😀'], cursor: [0, 1] });
});

test('the scrollback lets its oldest lines go; what a view must draw again follows', () => {
  const screen = new ScreenLines({ cols: 10, rows: 2, scrollback: 3 });
  screen.write('1\n2\n3\n');
  assert.deepEqual(screen.takeChanges(), { dropped: 0, firstChanged: 0 });
  screen.write('4\n5\n6');
  assert.deepEqual(screen.lines.map(({ text }) => text), ['2', '3', '4', '5', '6']);
  assert.deepEqual(screen.takeChanges(), { dropped: 1, firstChanged: 2 },
    'the row the cursor left, and those after it');
  const view = screen.view((baseY) => baseY);
  assert.deepEqual([view.baseY, view.cursorY, view.length], [3, 1, 5]);
  assert.equal(view.getLine(4).translateToString(), '6         ');
  screen.write('\b');
  assert.deepEqual(screen.takeChanges(), { dropped: 0, firstChanged: 4 });
});

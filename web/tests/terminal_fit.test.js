// The terminal's fit without a browser: a cell drawn as a browser draws it, its width
// proportional to the font and its height rounded up to a device pixel.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { fitTerminal } from '../terminal_fit.js';

// DejaVu Sans Mono's advance is 0.602 of the font size; a device pixel is 1/dpr CSS pixels.
function browserCell(dpr, measured = []) {
  return (fontSize) => {
    measured.push(fontSize);
    return { width: (Math.round(0.602 * fontSize * dpr * 80) / dpr) / 80,
      height: Math.ceil(1.17 * fontSize * dpr) / dpr };
  };
}

test('80 columns fill a phone\'s width and the rows its height', () => {
  assert.deepEqual(fitTerminal(374, 760, browserCell(3)), { fontSize: 7.75, rows: 81 });
  assert.deepEqual(fitTerminal(304, 500, browserCell(2)), { fontSize: 6.25, rows: 66 });
});

test('a wide screen keeps the desktop size and shows as many rows as fit', () => {
  assert.deepEqual(fitTerminal(1900, 1000, browserCell(1)), { fontSize: 15, rows: 55 });
  assert.deepEqual(fitTerminal(760, 190, browserCell(2)), { fontSize: 15, rows: 10 });
});

test('when rounding makes the first guess too wide, the size steps down until it fits', () => {
  const measured = [];
  // A cell a tenth of a pixel wider than its share of the font, whatever the size.
  const roundedUp = (fontSize) => ({ ...browserCell(1, measured)(fontSize), width: 0.6 * fontSize + 0.1 });
  assert.equal(fitTerminal(390, 800, roundedUp).fontSize, 7.75);
  assert.deepEqual(measured, [15, 8, 7.75]);
});

test('a sliver of height still shows the question and the line above it', () => {
  assert.equal(fitTerminal(800, 10, browserCell(1)).rows, 2);
});

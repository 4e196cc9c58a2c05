// The terminal's fit without a browser, on cells drawn as xterm.js draws them: DejaVu Sans Mono's
// advance is 0.602 of its size, its ascent and descent 1.17.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { cellAsDrawn, fitTerminal } from '../terminal_fit.js';

const browserCell = (dpr) => (fontSize) => cellAsDrawn(0.602 * fontSize, 1.17 * fontSize, dpr);

test('80 columns fill a narrow width, up to the desktop size; the rows fill the height', () => {
  assert.deepEqual(fitTerminal(374, 760, browserCell(3)), { fontSize: 7.75, rows: 81 });
  assert.deepEqual(fitTerminal(304, 500, browserCell(2)), { fontSize: 6.25, rows: 66 });
  assert.deepEqual(fitTerminal(1900, 1000, browserCell(1)), { fontSize: 15, rows: 55 });
  assert.equal(fitTerminal(800, 10, browserCell(1)).rows, 2, 'the question and the line above');
});

test('when rounding makes the first guess too wide, the size steps down until it fits', () => {
  const measured = [];
  // A cell a tenth of a pixel wider than its share of the font, whatever the size.
  const roundedUp = (fontSize) => {
    measured.push(fontSize);
    return { width: 0.6 * fontSize + 0.1, height: fontSize };
  };
  assert.equal(fitTerminal(390, 800, roundedUp).fontSize, 7.75);
  assert.deepEqual([...new Set(measured)], [15, 8, 7.75]);
});

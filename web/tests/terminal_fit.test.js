// The terminal's fit without a browser, on cells drawn as the terminal draws them: DejaVu Sans Mono's
// advance is 0.602 of its size, its ascent and descent 1.17.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { FEWEST_ROWS, SMALLEST_FONT_SIZE, fitFontSize, rowsThatFit } from '../terminal_fit.js';
import { cellAsDrawn } from '../text_terminal.js';

const browserCell = (dpr) => (fontSize) => cellAsDrawn(0.602 * fontSize, 1.17 * fontSize, dpr);

function fit(width, height, measure) {
  const fontSize = fitFontSize(width, measure);
  return { fontSize, rows: rowsThatFit(height, measure(fontSize)) };
}

test('80 columns fill a narrow width, up to the desktop size; the rows fill the height', () => {
  assert.deepEqual(fit(374, 760, browserCell(3)), { fontSize: 7.75, rows: 81 });
  assert.deepEqual(fit(304, 500, browserCell(2)), { fontSize: 6.25, rows: 66 });
  assert.deepEqual(fit(1900, 1000, browserCell(1)), { fontSize: 15, rows: 55 });
  assert.equal(fit(800, 10, browserCell(1)).rows, 2, 'the question and the line above');
});

test('when rounding makes the first guess too wide, the size steps down until it fits', () => {
  const measured = [];
  // A cell a tenth of a pixel wider than its share of the font, whatever the size.
  const roundedUp = (fontSize) => {
    measured.push(fontSize);
    return { width: 0.6 * fontSize + 0.1, height: fontSize };
  };
  assert.equal(fit(390, 800, roundedUp).fontSize, 7.75);
  assert.deepEqual([...new Set(measured)], [15, 8, 7.75]);
});

test('a frame with no room, or not laid out yet, gets the smallest font and the fewest rows; '
  + 'a measure of nothing does not break the fit', () => {
  for (const [width, height] of [[0, 0], [1, 1], [-12, -4], [Number.NaN, Number.NaN]]) {
    assert.deepEqual(fit(width, height, browserCell(1)),
      { fontSize: SMALLEST_FONT_SIZE, rows: FEWEST_ROWS }, `${width} × ${height}`);
  }
  const nothing = () => ({ width: 0, height: 0 });
  assert.equal(fitFontSize(800, nothing), SMALLEST_FONT_SIZE);
  assert.equal(rowsThatFit(600, nothing()), FEWEST_ROWS);
  assert.equal(rowsThatFit(0, nothing()), FEWEST_ROWS);
});

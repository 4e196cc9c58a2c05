// How the terminal fits the space the page gives it. Every screen's art is drawn for 80
// columns, so all 80 always fit the width: the font grows until they fill it, up to the size a
// desktop shows, and the rows fill the height left. On a phone held upright that makes small
// letters; the page then suggests turning the phone, and pinch-zoom stays the player's.

export const COLUMNS = 80;
// The desktop's size; a larger font would only push the screens' art further apart.
export const LARGEST_FONT_SIZE = 15;
// A floor for the search, far below any screen 80 columns wide would need (320 px: about 6.4).
const SMALLEST_FONT_SIZE = 4;
// The question and the line above it stay visible however short the space.
const FEWEST_ROWS = 2;

const toQuarter = (size) => Math.floor(size * 4) / 4;

// One cell as xterm.js draws it at a font size, from a 'W' of the font measured at that size on a
// canvas (its advance and the font's ascent plus descent), as xterm.js measures it: the height
// is rounded up to whole device pixels, and the 80 columns together to whole CSS pixels. So the
// page knows the terminal's size without drawing it.
export function cellAsDrawn(glyphWidth, glyphHeight, devicePixelRatio) {
  return {
    width: Math.round(glyphWidth * COLUMNS) / COLUMNS,
    height: Math.ceil(glyphHeight * devicePixelRatio) / devicePixelRatio,
  };
}

// The font size at which all 80 columns fill `width` CSS pixels, up to the desktop's size.
// `measure(fontSize)` returns one cell's { width, height } as drawn: rounded to pixels, a cell is
// not exactly proportional to the font. The first guess scales the desktop size's cell; then the
// size steps down a quarter pixel at a time until the columns fit.
export function fitFontSize(width, measure) {
  const desktopCell = measure(LARGEST_FONT_SIZE);
  let fontSize = Math.min(LARGEST_FONT_SIZE,
    toQuarter((LARGEST_FONT_SIZE * width) / (COLUMNS * desktopCell.width)));
  while (measure(fontSize).width * COLUMNS > width && fontSize > SMALLEST_FONT_SIZE) {
    fontSize -= 0.25;
  }
  return fontSize;
}

// The rows of `cell` that fill `height` CSS pixels.
export function rowsThatFit(height, cell) {
  return Math.max(FEWEST_ROWS, Math.floor(height / cell.height));
}

// Chooses { fontSize, rows } for a terminal area of `width` × `height` CSS pixels.
export function fitTerminal(width, height, measure) {
  const fontSize = fitFontSize(width, measure);
  return { fontSize, rows: rowsThatFit(height, measure(fontSize)) };
}

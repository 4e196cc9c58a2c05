// How the terminal fits the space the page gives it. Every screen's art is drawn for 80
// columns, so all 80 always fit the width: the font grows until they fill it, up to the size a
// desktop shows, and the rows fill the height left. On a phone held upright that makes small
// letters; the page then suggests turning the phone, and pinch-zoom stays the player's.

export const COLUMNS = 80;
// The desktop's size; a larger font would only push the screens' art further apart.
export const LARGEST_FONT_SIZE = 15;
// Below this the letters of a phone held upright are hard to read without zooming in.
export const SMALL_FONT_SIZE = 10;
// A floor for the search, far below any screen 80 columns wide would need (320 px: about 6.4).
const SMALLEST_FONT_SIZE = 4;
// The question and the line above it stay visible however short the space.
const FEWEST_ROWS = 2;

const toQuarter = (size) => Math.floor(size * 4) / 4;

// Chooses { fontSize, rows } for a terminal area of `width` × `height` CSS pixels.
// `measure(fontSize)` draws the terminal at that size and returns one cell's { width, height }
// as drawn: a browser rounds them to device pixels, so a cell is not exactly proportional to
// the font. The first guess scales the desktop size's cell; then the size steps down a quarter
// pixel at a time until the drawn columns fit.
export function fitTerminal(width, height, measure) {
  const desktopCell = measure(LARGEST_FONT_SIZE);
  let fontSize = Math.min(LARGEST_FONT_SIZE,
    toQuarter((LARGEST_FONT_SIZE * width) / (COLUMNS * desktopCell.width)));
  let cell = fontSize === LARGEST_FONT_SIZE ? desktopCell : measure(fontSize);
  while (cell.width * COLUMNS > width && fontSize > SMALLEST_FONT_SIZE) {
    fontSize -= 0.25;
    cell = measure(fontSize);
  }
  return { fontSize, rows: Math.max(FEWEST_ROWS, Math.floor(height / cell.height)) };
}

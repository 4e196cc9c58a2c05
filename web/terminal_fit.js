//# allFunctionsCalledOnLoad
// How the terminal fits the space the page gives it. Every screen's art is drawn for 80
// columns, so all 80 always fit the width: the font grows until they fill it, up to the size a
// desktop shows, and the rows fill the height left. On a phone held upright that makes small
// letters; the page then suggests turning the phone, and pinch-zoom stays the player's.
import { measureCell } from './text_terminal.js';

export const COLUMNS = 80;
// The desktop's size; a larger font would only push the screens' art further apart.
export const LARGEST_FONT_SIZE = 15;
// The smallest font the fit gives, far below any screen 80 columns wide would need (320 px:
// about 6.4). A frame with no room at all (0 px wide, or not laid out yet) gets it too, and is
// fitted again once it has room.
export const SMALLEST_FONT_SIZE = 4;
// The question and the line above it stay visible however short the space.
export const FEWEST_ROWS = 2;

const toQuarter = (size) => Math.floor(size * 4) / 4;
const clamp = (value, smallest, largest) =>
  (Number.isFinite(value) ? Math.min(largest, Math.max(smallest, value)) : smallest);

// The font size at which all 80 columns fill `width` CSS pixels, between the smallest size and
// the desktop's. `measure(fontSize)` returns one cell's { width, height } as drawn (measureCell):
// a font hinted for the screen is not exactly proportional to its size. The first guess scales
// the desktop size's cell; then the size steps down a quarter pixel at a time until the columns
// fit.
export function fitFontSize(width, measure) {
  const desktopCell = measure(LARGEST_FONT_SIZE);
  let fontSize = clamp(toQuarter((LARGEST_FONT_SIZE * width) / (COLUMNS * desktopCell.width)),
    SMALLEST_FONT_SIZE, LARGEST_FONT_SIZE);
  while (fontSize > SMALLEST_FONT_SIZE && measure(fontSize).width * COLUMNS > width) {
    fontSize -= 0.25;
  }
  return fontSize;
}

// The rows of `cell` that fill `height` CSS pixels; the fewest when there is no room.
export function rowsThatFit(height, cell) {
  const rows = Math.floor(height / cell.height);
  return Number.isFinite(rows) ? Math.max(FEWEST_ROWS, rows) : FEWEST_ROWS;
}

// A terminal add-on that keeps the terminal filling `area`, less the padding the page's style
// sets there (--terminal-padding), whenever the area or the page around it changes size. The
// answer row is the terminal's last, so it stays in sight. The font follows the width alone, so
// `beforeRows(areaWidth, roomBeside)` runs first, with the width left on each side of the
// terminal, and may change the space below the terminal (the answer keys' rows); the rows then
// fill the height left. It fits the terminal as soon as it is loaded, before it is opened, so
// that the terminal's first picture is its last.
export class TerminalFitAddon {
  constructor(area, beforeRows = () => {}) {
    this.area = area;
    this.beforeRows = beforeRows;
  }

  activate(terminal) {
    this.terminal = terminal;
    this.fit();
    // An observer reports each element's size once as it starts: the terminal was fitted to
    // that size a moment ago, and a second fit would only measure the font again.
    this.observer = new ResizeObserver(() => {
      if (this.fittedTo !== this.areaSize()) this.fit();
    });
    this.observer.observe(this.area);
    this.observer.observe(this.area.parentElement);
  }

  areaSize() {
    return `${this.area.clientWidth}×${this.area.clientHeight}`;
  }

  fit() {
    const { area, terminal } = this;
    this.fittedTo = this.areaSize();
    const padding = 2 * parseFloat(getComputedStyle(area).getPropertyValue('--terminal-padding'));
    const measure = (fontSize) => measureCell(terminal.options.fontFamily, fontSize);
    const fontSize = fitFontSize(area.clientWidth - padding, measure);
    const cell = measure(fontSize);
    this.beforeRows(area.clientWidth, (area.clientWidth - cell.width * COLUMNS - padding) / 2);
    const rows = rowsThatFit(area.clientHeight - padding, cell);
    if (terminal.options.fontSize !== fontSize) terminal.options.fontSize = fontSize;
    if (rows !== terminal.rows) terminal.resize(COLUMNS, rows);
    terminal.scrollToBottom();
  }

  dispose() {
    this.observer?.disconnect();
  }
}

// The page is the part of the screen the player sees, less an on-screen keyboard: the page's
// style reads --visible-height and --visible-top. While the player has pinched to zoom, it is
// left as it is.
export function keepPageInView() {
  const fitPageToView = () => {
    const visible = window.visualViewport ?? { height: innerHeight, offsetTop: 0, scale: 1 };
    if (visible.scale > 1.01) return;
    document.documentElement.style.setProperty('--visible-height', `${visible.height}px`);
    document.documentElement.style.setProperty('--visible-top', `${visible.offsetTop}px`);
  };
  fitPageToView();
  addEventListener('resize', fitPageToView);
  window.visualViewport?.addEventListener('resize', fitPageToView);
  window.visualViewport?.addEventListener('scroll', fitPageToView);
}

//# allFunctionsCalledOnLoad
// The page's terminal: the game's text in rows of 80 columns, drawn as lines of text, with the
// keyboard, the clipboard and a screen's own keyboard reaching the game as typed data. The game
// prints plain text, line ends, a tab and, through the line discipline's echo, backspaces, so
// this terminal knows those and nothing more: no colours, no escape sequences, no cursor moves
// of any other kind. What it offers is the little of a terminal emulator's interface the page
// and its tests use (write with a callback, onData, input, paste, buffer.active, resize, reset,
// focus), under the same names.

const TAB_STOP = 8;

// The lines a terminal holds: what is on its screen and the scrollback above it, with the cursor.
// A printed character past the last column goes to the start of a new row, which then continues
// the line above (`wrapped`); as on a terminal, the cursor waits on the last column until that
// character comes, so that a line of exactly 80 columns and its line end make no empty row.
export class ScreenLines {
  constructor({ cols = 80, rows = 24, scrollback = 1000 } = {}) {
    this.cols = cols;
    this.rows = rows;
    this.scrollback = scrollback;
    this.clear();
  }

  clear() {
    this.lines = [{ text: '', cells: 0, wrapped: false }];
    this.cursor = { row: 0, col: 0 };
    this.wrapPending = false;
    // What a view must draw again: the rows from `firstChanged` on, after dropping its first
    // `dropped` rows, which have left the scrollback.
    this.firstChanged = 0;
    this.dropped = 0;
  }

  // Takes text as a terminal whose line ends go back to the first column (a bare \n included).
  write(text) {
    this.changed(this.cursor.row);
    const controls = /[\x00-\x1f\x7f]/g;
    let from = 0;
    for (let match = controls.exec(text); match; match = controls.exec(text)) {
      this.print(text.slice(from, match.index));
      this.control(match[0]);
      from = controls.lastIndex;
    }
    this.print(text.slice(from));
    this.dropOldest();
  }

  control(character) {
    const { cursor } = this;
    if (character === '\n') {
      cursor.col = 0;
      this.nextRow(false);
    } else if (character === '\r') {
      cursor.col = 0;
      this.wrapPending = false;
    } else if (character === '\b') {
      this.backspace();
    } else if (character === '\t') {
      cursor.col = Math.min(this.cols - 1, (Math.floor(cursor.col / TAB_STOP) + 1) * TAB_STOP);
      this.wrapPending = false;
    }
  }

  // Back one column. A cursor waiting on the last column stays on it, so that the echo's
  // "\b \b" erases the character there; at the start of a row that continues the line above,
  // it goes back to that row's last column, so that a long answer is erased to its first
  // character.
  backspace() {
    const { cursor } = this;
    if (this.wrapPending) {
      this.wrapPending = false;
    } else if (cursor.col > 0) {
      cursor.col--;
    } else if (this.lines[cursor.row].wrapped) {
      cursor.row--;
      cursor.col = this.cols - 1;
      this.changed(cursor.row);
    }
  }

  // Prints a run of characters that holds no control character.
  print(text) {
    const characters = /[\ud800-\udfff]/.test(text) ? Array.from(text) : text;
    for (let from = 0; from < characters.length;) {
      if (this.wrapPending) {
        this.cursor.col = 0;
        this.nextRow(true);
      }
      const room = this.cols - this.cursor.col;
      const piece = characters.slice(from, from + room);
      this.put(typeof piece === 'string' ? piece : piece.join(''), piece.length);
      from += piece.length;
    }
  }

  // Puts `text` (`count` characters, all fitting the row) at the cursor, and moves past it.
  put(text, count) {
    const { cursor } = this;
    const line = this.lines[cursor.row];
    if (cursor.col === line.cells) {
      line.text += text;
      line.cells += count;
    } else {
      const cells = Array.from(line.text);
      while (cells.length < cursor.col) cells.push(' ');
      cells.splice(cursor.col, count, ...Array.from(text));
      line.text = cells.join('');
      line.cells = cells.length;
    }
    cursor.col += count;
    if (cursor.col === this.cols) {
      cursor.col = this.cols - 1;
      this.wrapPending = true;
    }
  }

  nextRow(wrapped) {
    this.wrapPending = false;
    this.cursor.row++;
    if (this.cursor.row === this.lines.length) {
      this.lines.push({ text: '', cells: 0, wrapped });
    } else {
      this.lines[this.cursor.row].wrapped ||= wrapped;
    }
    this.changed(this.cursor.row);
  }

  // A full scrollback lets its oldest lines go.
  dropOldest() {
    const extra = this.lines.length - (this.rows + this.scrollback);
    if (extra <= 0) return;
    this.lines.splice(0, extra);
    this.cursor.row -= extra;
    this.dropped += extra;
    this.firstChanged = Math.max(0, this.firstChanged - extra);
  }

  changed(row) {
    this.firstChanged = Math.min(this.firstChanged, row);
  }

  // The changes since the last call: { dropped, firstChanged }.
  takeChanges() {
    const changes = { dropped: this.dropped, firstChanged: this.firstChanged };
    this.dropped = 0;
    this.firstChanged = this.lines.length;
    return changes;
  }

  // The buffer as a terminal emulator's interface shows it: the screen is the last `rows`
  // lines (fewer lines are at its top), `baseY` lines of scrollback above it.
  view(viewportY) {
    const { lines, rows, cols, cursor } = this;
    const baseY = Math.max(0, lines.length - rows);
    return {
      baseY,
      viewportY: viewportY(baseY),
      cursorY: cursor.row - baseY,
      cursorX: cursor.col,
      length: Math.max(lines.length, rows),
      getLine(row) {
        const line = lines[row] ?? { text: '', cells: 0, wrapped: false };
        return {
          isWrapped: line.wrapped,
          translateToString: (trimRight = false) => (trimRight ? line.text.trimEnd()
            : line.text + ' '.repeat(Math.max(0, cols - line.cells))),
        };
      },
    };
  }
}

// Measures one cell of `fontFamily` at `fontSize` CSS pixels: a 'W' on a canvas gives its advance
// and the font's ascent plus descent; where a canvas lacks the font's height, a line of W's on the
// page gives both. The height is rounded up to whole device pixels, so that rows stay apart.
let ruler = null;
export function measureCell(fontFamily, fontSize) {
  ruler ??= (globalThis.OffscreenCanvas ? new OffscreenCanvas(1, 1)
    : document.createElement('canvas')).getContext('2d');
  const font = `${fontSize}px ${fontFamily}`;
  ruler.font = font;
  const glyph = ruler.measureText('W');
  if (glyph.fontBoundingBoxAscent !== undefined) {
    return cellAsDrawn(glyph.width, glyph.fontBoundingBoxAscent + glyph.fontBoundingBoxDescent,
      devicePixelRatio);
  }
  const line = Object.assign(document.createElement('span'), { textContent: 'W'.repeat(32) });
  line.style.cssText = `font: ${font}; white-space: pre; font-kerning: none; position: absolute;`
    + ' visibility: hidden;';
  document.body.append(line);
  const cell = cellAsDrawn(line.offsetWidth / 32, line.offsetHeight, devicePixelRatio);
  line.remove();
  return cell;
}

// One cell from a glyph's advance and the font's height, as the rows draw it.
export function cellAsDrawn(glyphWidth, glyphHeight, devicePixelRatio) {
  const height = Math.ceil(glyphHeight * devicePixelRatio) / devicePixelRatio;
  return { width: glyphWidth, height };
}

// Keys that type something a key's text does not: the line's Enter and Backspace, and the
// controls a console takes with Ctrl (end of input, backspace, line ends). Other keys with Ctrl
// stay the browser's (copy, paste, reload), and the characters arrive as the text typed, by way
// of the input element, so that dead keys, input methods and a phone's keyboard work.
const KEYS = { Enter: '\r', Backspace: '\x7f' };
const CTRL_KEYS = { d: '\x04', h: '\b', j: '\n', m: '\r' };
// Page Up and Page Down scroll back through the game and forward again, a screen at a time.
const PAGE_KEYS = { PageUp: -1, PageDown: 1 };

function typedByKey(event) {
  if (event.isComposing || event.altKey || event.metaKey) return null;
  if (event.ctrlKey) return event.shiftKey ? null : CTRL_KEYS[event.key.toLowerCase()] ?? null;
  return KEYS[event.key] ?? null;
}

// A list of listeners as the terminal emulator's events are: event(listener) adds one and
// returns { dispose }.
function emitter() {
  const listeners = new Set();
  const event = (listener) => {
    listeners.add(listener);
    return { dispose: () => listeners.delete(listener) };
  };
  event.fire = (value) => { for (const listener of listeners) listener(value); };
  return event;
}

const element = (tag, className, attributes = {}) =>
  Object.assign(document.createElement(tag), { className }, attributes);

// The terminal on the page. Its rows are only a picture, hidden from screen readers: the page
// keeps the game's text for them elsewhere. The answer is typed into a transparent text area on
// the cursor's row, which a screen reader names as the page labels it.
export class TextTerminal {
  #screen;
  #decoder = new TextDecoder();
  #fontSize;
  #scrollPending = false;
  #followOutput = true;

  constructor({ cols = 80, rows = 24, scrollback = 1000, fontFamily = 'monospace', fontSize = 15 }
    = {}) {
    this.#screen = new ScreenLines({ cols, rows, scrollback });
    this.#fontSize = fontSize;
    const terminal = this;
    this.options = {
      fontFamily,
      scrollback,
      get fontSize() { return terminal.#fontSize; },
      set fontSize(size) {
        terminal.#fontSize = size;
        terminal.#applyFont();
      },
    };
    this.onData = emitter();
    this.onWriteParsed = emitter();
    this.element = null;
    this.textarea = null;
  }

  get cols() { return this.#screen.cols; }

  get rows() { return this.#screen.rows; }

  get buffer() {
    const viewportY = (baseY) => (this.viewport
      ? Math.min(baseY, Math.round(this.viewport.scrollTop / this.cell.height)) : baseY);
    return { active: this.#screen.view(viewportY) };
  }

  loadAddon(addon) {
    addon.activate(this);
  }

  // Draws the terminal in `parent`, with everything written so far.
  open(parent) {
    this.element = element('div', 'terminal');
    this.viewport = element('div', 'terminal-viewport');
    this.rowsElement = element('div', 'terminal-rows');
    this.rowsElement.setAttribute('aria-hidden', 'true');
    this.textarea = element('textarea', 'terminal-input', {
      autocomplete: 'off', autocapitalize: 'off', spellcheck: false,
    });
    this.textarea.setAttribute('autocorrect', 'off');
    this.viewport.append(this.rowsElement, this.textarea);
    this.element.append(this.viewport);
    this.#listen();
    this.#applyFont();
    this.#applyGrid();
    parent.append(this.element);
    this.#render();
  }

  // Takes the game's output (text, or UTF-8 bytes, which may end inside a character) and draws
  // it; `done()` runs once it is drawn.
  write(data, done) {
    const text = typeof data === 'string' ? data : this.#decoder.decode(data, { stream: true });
    if (text) this.#screen.write(text);
    this.#render();
    this.onWriteParsed.fire();
    done?.();
  }

  // Data typed by the player (a tapped key, or typing from a test), as the keyboard sends it.
  input(data) {
    this.scrollToBottom();
    this.onData.fire(data);
  }

  // A paste: its line ends arrive as Enter does.
  paste(text) {
    this.input(text.replace(/\r?\n/g, '\r'));
  }

  resize(cols, rows) {
    Object.assign(this.#screen, { cols, rows });
    this.#applyGrid();
    this.scrollToBottom();
  }

  reset() {
    this.#screen.clear();
    this.#decoder = new TextDecoder();
    this.rowsElement?.replaceChildren();
    this.#render();
  }

  focus() {
    this.textarea?.focus({ preventScroll: true });
  }

  blur() {
    this.textarea?.blur();
  }

  scrollToBottom() {
    this.#followOutput = true;
    this.#scrollLater();
  }

  // The cell's size follows the font; the grid of cells, the columns and rows.
  #applyFont() {
    if (!this.element) return;
    this.cell = measureCell(this.options.fontFamily, this.#fontSize);
    const { style } = this.element;
    style.setProperty('--terminal-font', `${this.#fontSize}px ${this.options.fontFamily}`);
    style.setProperty('--cell-width', `${this.cell.width}px`);
    style.setProperty('--cell-height', `${this.cell.height}px`);
  }

  #applyGrid() {
    this.element?.style.setProperty('--cols', this.cols);
    this.element?.style.setProperty('--rows', this.rows);
  }

  #listen() {
    const { textarea, viewport } = this;
    textarea.addEventListener('keydown', (event) => {
      if (PAGE_KEYS[event.key] && !event.ctrlKey && !event.altKey && !event.metaKey) {
        event.preventDefault();
        viewport.scrollBy(0, PAGE_KEYS[event.key] * (this.rows - 1) * this.cell.height);
        return;
      }
      const data = typedByKey(event);
      if (data === null) return;
      event.preventDefault();
      this.input(data);
    });
    // Typed text, once an input method has composed it, and pasted text: the text area takes
    // a paste as typing, its line ends as Enter.
    const takeTyped = () => {
      if (textarea.value === '') return;
      const typed = textarea.value.replace(/\n/g, '\r');
      textarea.value = '';
      this.input(typed);
    };
    textarea.addEventListener('input', (event) => { if (!event.isComposing) takeTyped(); });
    textarea.addEventListener('compositionend', takeTyped);
    // A phone's keyboard may erase with no key to tell of, and an empty text area has nothing
    // to erase.
    textarea.addEventListener('beforeinput', (event) => {
      if (event.inputType !== 'deleteContentBackward' || event.isComposing) return;
      event.preventDefault();
      this.input('\x7f');
    });
    textarea.addEventListener('focus', () => this.element.classList.add('focus'));
    textarea.addEventListener('blur', () => this.element.classList.remove('focus'));
    // A click answers at the cursor, unless it selected text to copy.
    this.element.addEventListener('click', () => {
      if (getSelection().isCollapsed) this.focus();
    });
    // Scrolled back from the end, the view stays where the player left it; back at the end, it
    // follows the output again.
    viewport.addEventListener('scroll', () => {
      this.#followOutput = viewport.scrollTop + viewport.clientHeight
        >= viewport.scrollHeight - this.cell.height / 2;
    }, { passive: true });
  }

  // Draws what changed since the last drawing: each row of text is a line of the page.
  #render() {
    if (!this.element) return;
    const { rowsElement } = this;
    const screen = this.#screen;
    const { dropped, firstChanged } = screen.takeChanges();
    for (let i = 0; i < dropped && rowsElement.firstChild; i++) rowsElement.firstChild.remove();
    const shown = rowsElement.children;
    const added = document.createDocumentFragment();
    for (let row = firstChanged; row < screen.lines.length; row++) {
      const line = shown[row] ?? added.appendChild(element('div', ''));
      if (row === screen.cursor.row) drawCursorRow(line, screen.lines[row], screen.cursor.col);
      else line.textContent = screen.lines[row].text;
    }
    while (shown.length > screen.lines.length) rowsElement.lastChild.remove();
    rowsElement.append(added);
    this.textarea.style.setProperty('--cursor-row', screen.cursor.row);
    this.textarea.style.setProperty('--cursor-col', screen.cursor.col);
    if (this.#followOutput) this.#scrollLater();
  }

  // Scrolls to the end before the next frame is drawn, once however many writes come first.
  #scrollLater() {
    if (this.#scrollPending || !this.viewport) return;
    this.#scrollPending = true;
    requestAnimationFrame(() => {
      this.#scrollPending = false;
      if (this.#followOutput) this.viewport.scrollTop = this.viewport.scrollHeight;
    });
  }
}

// A row with the cursor: the text before it, the cursor's cell, the text after.
function drawCursorRow(row, { text }, col) {
  const cells = Array.from(text);
  while (cells.length <= col) cells.push(' ');
  row.replaceChildren(cells.slice(0, col).join(''),
    element('span', 'terminal-cursor', { textContent: cells[col] }),
    cells.slice(col + 1).join(''));
}

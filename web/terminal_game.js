// The browser's console: an xterm.js terminal in line mode in front of the game compiled to
// WebAssembly. Typed lines go to the game's input; the game's output goes to the terminal and
// to the screen readers' copy of the text.
import { Terminal } from './xterm/xterm.mjs';
import { showAnswerKeys } from './answer_keys.js';
import { GameLog } from './game_log.js';
import { typeInto } from './line_discipline.js';
import { COLUMNS, cellAsDrawn, fitFontSize, fitTerminal } from './terminal_fit.js';
import loadNebulance from './nebulance.js';

// Every screen fits 80 columns; the scrollback holds a whole 31-day game (about 3,000 lines).
// The rows and the font size follow the space the page has (fitTerminalToArea below). Screen readers
// read the game log, not the terminal, so the terminal's own reader mode stays off: with it,
// a page would hold the text twice.
export const terminal = new Terminal({
  cols: COLUMNS,
  rows: 24,
  scrollback: 10000,
  convertEol: true,
  cursorBlink: true,
  fontFamily: '"DejaVu Sans Mono", "Liberation Mono", Menlo, Consolas, monospace',
  fontSize: 15,
});

// The chunks handed over but not yet read by the game (null: end of input), and the game's
// read waiting for the next one.
const handedOver = [];
let waitingRead = null;

function handOver(chunk) {
  if (waitingRead) {
    waitingRead(chunk);
    waitingRead = null;
  } else {
    handedOver.push(chunk);
  }
}

// Resolves with the next chunk's bytes, at most `capacity` of them (the rest stays first in
// line); empty at end of input.
async function nextTypedChunk(capacity) {
  const chunk = handedOver.length > 0 ? handedOver.shift()
                                      : await new Promise((resolve) => { waitingRead = resolve; });
  if (chunk === null) return new Uint8Array(0);
  if (chunk.length > capacity) handedOver.unshift(chunk.subarray(capacity));
  return chunk.subarray(0, capacity);
}

// A terminal add-on that keeps the line being typed while a game listens.
class LineModeAddon {
  activate(term) {
    this.stop();
    const encoder = new TextEncoder();
    this.subscription = term.onData((data) => {
      if (!this.listening) return;
      const typing = typeInto(this.line, data);
      this.line = typing.line;
      term.write(typing.echo);
      for (const text of typing.handedOver) handOver(encoder.encode(text));
      if (typing.ended) {
        this.stop();
        handOver(null);
      }
    });
  }

  listen() {
    this.line = '';
    this.listening = true;
  }

  stop() {
    this.listening = false;
  }

  dispose() {
    this.subscription.dispose();
  }
}

const gameLog = new GameLog(document.getElementById('game-log'));
function showOutput(bytes) {
  terminal.write(bytes);
  gameLog.add(bytes);
}

// The terminal's own padding on each side, set in the page's style for the terminal to come.
const terminalPadding = (area) =>
  parseFloat(getComputedStyle(area).getPropertyValue('--terminal-padding'));

// One cell's size at `fontSize` as the terminal will draw it, measured as the terminal measures
// it, so that the fit never draws the terminal at a size it then leaves: a 'W' on a canvas, or,
// where a canvas lacks the font's height, a line of W's on the page.
const ruler = (globalThis.OffscreenCanvas ? new OffscreenCanvas(1, 1)
  : document.createElement('canvas')).getContext('2d');
function measureCell(fontSize) {
  const font = `${fontSize}px ${terminal.options.fontFamily}`;
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

// The page is the part of the screen the player sees, less an on-screen keyboard. While the
// player has pinched to zoom, it is left as it is.
function fitPageToView() {
  const visible = window.visualViewport ?? { height: innerHeight, offsetTop: 0, scale: 1 };
  if (visible.scale > 1.01) return;
  document.documentElement.style.setProperty('--visible-height', `${visible.height}px`);
  document.documentElement.style.setProperty('--visible-top', `${visible.offsetTop}px`);
}

// A touch screen: its keyboard has no Ctrl key, and it can be turned on its side.
const touchScreen = matchMedia('(pointer: coarse)').matches;

// The terminal fills its area. The answer row is the terminal's last, so it stays in sight.
// The font follows the width alone, so the answer keys' rows are settled first; the rows fill
// the height they leave.
function fitTerminalToArea(area) {
  const padding = 2 * terminalPadding(area);
  const width = area.clientWidth - padding;
  const fontSize = fitFontSize(width, measureCell);
  const terminalWidth = measureCell(fontSize).width * COLUMNS + padding;
  answerKeys?.arrange(area.clientWidth, (area.clientWidth - terminalWidth) / 2);
  const { rows } = fitTerminal(width, area.clientHeight - padding, measureCell);
  terminal.options.fontSize = fontSize;
  if (rows !== terminal.rows) terminal.resize(COLUMNS, rows);
  terminal.scrollToBottom();
}

// A few milliseconds of the page's work, then the page answers again: a phone's slow processor
// would otherwise be busy for a long stretch while the page starts.
const pause = () => new Promise((resolve) => { setTimeout(resolve); });

// The game's code is fetched and compiled while the terminal opens. The terminal is opened at the
// size it fits, so its first picture is its last.
const gameLoading = loadNebulance({ nextTypedChunk, showOutput });
const lineMode = new LineModeAddon();
terminal.loadAddon(lineMode);
const terminalArea = document.getElementById('terminal');
const status = document.getElementById('status');
const playAgain = document.getElementById('play-again');
// A touch screen answers with the answer keys, or with its own keyboard once switched to it.
const answerKeys = touchScreen ? showAnswerKeys(document.getElementById('answer-keys'),
  terminalArea, terminal, () => { if (playAgain.hidden) status.textContent = howToAnswer(); })
  : null;
await pause();
fitPageToView();
fitTerminalToArea(terminalArea);
await pause();
terminal.open(terminalArea);
terminal.textarea.setAttribute('aria-label', 'Your answer');
answerKeys?.keepKeyboardClosed(terminal.textarea);
addEventListener('resize', fitPageToView);
window.visualViewport?.addEventListener('resize', fitPageToView);
window.visualViewport?.addEventListener('scroll', fitPageToView);
// The page's size follows the screen's; the terminal area's also the keys and the status line.
const refit = new ResizeObserver(() => fitTerminalToArea(terminalArea));
refit.observe(document.querySelector('main'));
refit.observe(terminalArea);
const game = await gameLoading;
keepForOffline();

// A touch screen's player leaves a game through its own menus.
function howToAnswer() {
  if (!answerKeys) {
    return 'Type your answer and press Enter; Ctrl-D on an empty line ends the game.';
  }
  return answerKeys.systemKeyboard() ? 'Type your answer, then return; ⌨ for the keys.'
    : 'Tap the keys to answer; ⌨ opens the keyboard.';
}

// Once the site is cached, it loads and plays without a network. A new build's worker fills a
// cache of its own and takes over only when told to by a page that has everything it needs,
// so no page ever mixes two builds; the next visit gets the new one.
async function keepForOffline() {
  if (!('serviceWorker' in navigator)) return;
  const registration = await navigator.serviceWorker.register('sw.js').catch(() => null);
  if (!registration) return;
  const whenInstalled = (worker) => {
    if (worker?.state === 'installed') worker.postMessage('take-over');
  };
  const watch = (worker) => {
    whenInstalled(worker);
    worker?.addEventListener('statechange', () => whenInstalled(worker));
  };
  watch(registration.waiting ?? registration.installing);
  registration.addEventListener('updatefound', () => watch(registration.installing));
}

async function play() {
  handedOver.length = 0;
  status.textContent = howToAnswer();
  playAgain.hidden = true;
  lineMode.listen();
  terminal.focus();
  await game.ccall('playGame', null, [], [], { async: true });
  lineMode.stop();
  await new Promise((resolve) => terminal.write('', resolve));
  status.textContent = 'The game has ended.';
  playAgain.hidden = false;
  playAgain.focus();
}

playAgain.addEventListener('click', () => {
  terminal.reset();
  gameLog.clear();
  play();
});
play();

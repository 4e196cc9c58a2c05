// The browser's console: an xterm.js terminal in line mode in front of the game compiled to
// WebAssembly. Typed lines go to the game's input; the game's output goes to the terminal and
// to the screen readers' copy of the text.
import { showAnswerKeys } from './answer_keys.js';
import { GameLog } from './game_log.js';
import { typeInto } from './line_discipline.js';
import { COLUMNS, cellAsDrawn, fitFontSize, rowsThatFit } from './terminal_fit.js';

const status = document.getElementById('status');
const tryAgain = document.getElementById('try-again');
const playAgain = document.getElementById('play-again');

// Loads one part of the page. On a failure, says which part did not arrive and offers Try again
// (index.html reloads the page), then resolves with null. A page opened from a file loads
// nothing: index.html has told the player to serve it, and a failure must not take the words back.
async function loadPart(part, load) {
  if (location.protocol === 'file:') return null;
  try {
    return await load();
  } catch {
    status.textContent = `Could not load ${part}. The network may be down or too slow: check `
      + 'the connection and try again.';
    tryAgain.hidden = false;
    return null;
  }
}

// The terminal's style sheet has loaded (index.html marks a failed one).
function terminalStyleLoaded() {
  const sheet = document.getElementById('terminal-style');
  if (sheet.dataset.failed !== undefined) return Promise.reject(new Error('failed'));
  if (sheet.sheet) return Promise.resolve();
  return new Promise((resolve, reject) => {
    sheet.addEventListener('load', resolve);
    sheet.addEventListener('error', reject);
  });
}

// The terminal's code and style, and the game's loader, are fetched while the page opens.
const terminalLoading = loadPart('the terminal (xterm.mjs)', () => import('./xterm/xterm.mjs'));
const styleLoading = loadPart('the terminal\'s style (xterm.css)', terminalStyleLoaded);
const loaderLoading = loadPart('the game (nebulance.js)', () => import('./nebulance.js'));

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

// Settles once the terminal has taken all the game's output so far (its write callbacks run in
// order, so the last one stands for all). A paste answered screen after screen thus never
// piles up more output than one chunk's answer: xterm.js discards data past 50 MB unprocessed.
let outputTaken = Promise.resolve();

// Resolves with the next chunk's bytes, at most `capacity` of them (the rest stays first in
// line); empty at end of input. The game is handed nothing more until the terminal has shown
// what it printed before.
async function nextTypedChunk(capacity) {
  gameLog.announce();
  await outputTaken;
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
  outputTaken = new Promise((resolve) => terminal.write(bytes, resolve));
  gameLog.add(bytes);
}

// Ends the game being played, with how it ended ('ended' or 'crashed'); null between games.
let endGame = null;
// A fault inside the game (a trap, an exception that escapes it, an abort) ends that game; the
// page stays and offers Play again, on a fresh copy of the game. The game runs on from inside
// promises, so a fault that its caller cannot take lands as a rejection nobody handles (the
// page's own code leaves none).
const crashed = () => endGame?.('crashed');
addEventListener('unhandledrejection', crashed);

// A fresh copy of the game, compiled from the code the browser already has; null if it fails.
function loadGame(loader) {
  return loadPart('the game\'s code (nebulance.wasm)',
    () => loader.default({ nextTypedChunk, showOutput, onAbort: crashed }));
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
  const cell = measureCell(fontSize);
  answerKeys?.arrange(area.clientWidth, (area.clientWidth - cell.width * COLUMNS - padding) / 2);
  const rows = rowsThatFit(area.clientHeight - padding, cell);
  terminal.options.fontSize = fontSize;
  if (rows !== terminal.rows) terminal.resize(COLUMNS, rows);
  terminal.scrollToBottom();
}

// A few milliseconds of the page's work, then the page answers again: a phone's slow processor
// would otherwise be busy for a long stretch while the page starts.
const pause = () => new Promise((resolve) => { setTimeout(resolve); });

// Every screen fits 80 columns; the scrollback holds a whole 31-day game (about 3,000 lines).
// The rows and the font size follow the space the page has (fitTerminalToArea). Screen readers
// read the game log, not the terminal, so the terminal's own reader mode stays off: with it,
// a page would hold the text twice. The terminal is opened at the size it fits, so its first
// picture is its last.
async function openTerminal({ Terminal }) {
  terminal = new Terminal({
    cols: COLUMNS,
    rows: 24,
    scrollback: 10000,
    convertEol: true,
    cursorBlink: true,
    fontFamily: '"DejaVu Sans Mono", "Liberation Mono", Menlo, Consolas, monospace',
    fontSize: 15,
  });
  terminal.loadAddon(lineMode);
  const terminalArea = document.getElementById('terminal');
  // A touch screen answers with the answer keys, or with its own keyboard once switched to it.
  answerKeys = touchScreen ? showAnswerKeys(document.getElementById('answer-keys'),
    terminalArea, terminal, () => { if (endGame) status.textContent = howToAnswer(); })
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
}

// The terminal, and the game: a module of the page exports them once they are there, so that a
// test can read the screen.
export let terminal = null;
export let game = null;
// True while the game waits for the player's next line: it has read every line handed over, and
// the terminal has taken all it printed. A test answers only then: a screen seen halfway through
// a paste's answers can look like the one that follows them.
export const waitingForPlayer = () => waitingRead !== null;
const lineMode = new LineModeAddon();
let answerKeys = null;
let loader = null;

// A touch screen's player leaves a game through its own menus.
function howToAnswer() {
  if (!answerKeys) {
    return 'Type your answer and press Enter; Ctrl-D on an empty line ends the game.';
  }
  return answerKeys.systemKeyboard() ? 'Type your answer, then return; ⌨ for the keys.'
    : 'Tap the keys to answer; ⌨ opens the keyboard.';
}

// Once the site is cached, it loads and plays without a network (sw.js). Each build's files
// have names of their own, so a new build's worker takes over as soon as it has them all.
// Where the browser refuses a worker (a game portal's frame, a frame barred from storage), the
// game plays on without offline play: even reading navigator.serviceWorker may throw there.
function keepForOffline() {
  try {
    navigator.serviceWorker?.register('sw.js').catch(() => {});
  } catch {
    // Offline play is simply absent.
  }
}

// Plays one game to its end. Resolves with 'ended', or 'crashed' when a fault stopped it.
function playOneGame() {
  return new Promise((resolve) => {
    endGame = resolve;
    try {
      game.ccall('playGame', null, [], [], { async: true }).then(() => resolve('ended'), crashed);
    } catch {
      crashed();
    }
  });
}

const endings = {
  ended: 'The game has ended.',
  crashed: 'The game stopped because of a fault inside it. Play again starts a new game.',
};

async function play() {
  handedOver.length = 0;
  waitingRead = null;
  status.textContent = howToAnswer();
  playAgain.hidden = true;
  lineMode.listen();
  terminal.focus();
  const ending = await playOneGame();
  endGame = null;
  gameLog.announce();
  lineMode.stop();
  // A crashed copy of the game is left behind; the next game gets a fresh one.
  if (ending === 'crashed') game = null;
  await new Promise((resolve) => terminal.write('', resolve));
  status.textContent = endings[ending];
  playAgain.hidden = false;
  playAgain.focus();
}

playAgain.addEventListener('click', async () => {
  terminal.reset();
  gameLog.clear();
  game ??= await loadGame(loader);
  if (game) play();
});

// A browser without WebAssembly has been told so by index.html.
const [xterm, style] = await Promise.all([terminalLoading, styleLoading]);
if (xterm && style !== null) await openTerminal(xterm);
loader = await loaderLoading;
if (terminal && loader && typeof WebAssembly === 'object') game = await loadGame(loader);
if (game) {
  keepForOffline();
  play();
}

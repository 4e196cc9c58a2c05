// The browser's console: an xterm.js terminal in line mode in front of the game compiled to
// WebAssembly. Typed lines go to the game's input; the game's output goes to the terminal and
// to the screen readers' copy of the text.
import { Terminal } from './xterm/xterm.mjs';
import { GameLog } from './game_log.js';
import { typeInto } from './line_discipline.js';
import { COLUMNS, SMALL_FONT_SIZE, fitTerminal } from './terminal_fit.js';
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

// The terminal area's size, less the terminal's own padding.
function spaceForTerminal(area) {
  const style = getComputedStyle(terminal.element);
  const padding = (side) => parseFloat(style[`padding${side}`]);
  return {
    width: area.clientWidth - padding('Left') - padding('Right'),
    height: area.clientHeight - padding('Top') - padding('Bottom'),
  };
}

// Draws the terminal at `fontSize` and returns one cell's size as drawn.
function measureCell(fontSize) {
  terminal.options.fontSize = fontSize;
  const screen = terminal.element.querySelector('.xterm-screen').getBoundingClientRect();
  return { width: screen.width / terminal.cols, height: screen.height / terminal.rows };
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
// Small letters on a touch screen held upright bring the hint to turn it (a frame later: the
// hint changes the area being observed).
const hint = document.getElementById('hint');
function fitTerminalToArea(area) {
  const space = spaceForTerminal(area);
  const { fontSize, rows } = fitTerminal(space.width, space.height, measureCell);
  terminal.options.fontSize = fontSize;
  if (rows !== terminal.rows) terminal.resize(COLUMNS, rows);
  terminal.scrollToBottom();
  const small = touchScreen && fontSize < SMALL_FONT_SIZE && innerHeight > innerWidth;
  if (hint.hidden === small) requestAnimationFrame(() => { hint.hidden = !small; });
}

// The game's code is fetched and compiled while the terminal opens.
const gameLoading = loadNebulance({ nextTypedChunk, showOutput });
const lineMode = new LineModeAddon();
terminal.loadAddon(lineMode);
terminal.open(document.getElementById('terminal'));
terminal.textarea.setAttribute('aria-label', 'Your answer');
fitPageToView();
addEventListener('resize', fitPageToView);
window.visualViewport?.addEventListener('resize', fitPageToView);
window.visualViewport?.addEventListener('scroll', fitPageToView);
const terminalArea = document.getElementById('terminal');
new ResizeObserver(() => fitTerminalToArea(terminalArea)).observe(terminalArea);
const status = document.getElementById('status');
const playAgain = document.getElementById('play-again');
const game = await gameLoading;
keepForOffline();

// A touch screen's player leaves a game through its own menus.
const howToAnswer = touchScreen
  ? 'Tap the terminal for the keyboard, type your answer and send it with the return key.'
  : 'Type your answer and press Enter; Ctrl-D on an empty line ends the game.';

// Once the site is cached, it loads and plays without a network (sw.js). Each build's files
// have names of their own, so a new build's worker takes over as soon as it has them all.
function keepForOffline() {
  navigator.serviceWorker?.register('sw.js').catch(() => {});
}

async function play() {
  handedOver.length = 0;
  status.textContent = howToAnswer;
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

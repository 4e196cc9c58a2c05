// The browser's console: an xterm.js terminal in line mode in front of the game compiled to
// WebAssembly. Typed lines go to the game's input, the game's output goes to the terminal.
import { Terminal } from './xterm/xterm.mjs';
import { typeInto } from './line_discipline.js';
import loadNebulance from './nebulance.js';

// Every screen fits 80 columns; the scrollback holds a whole 31-day game (about 3,000 lines).
export const terminal = new Terminal({
  cols: 80,
  rows: 32,
  scrollback: 10000,
  convertEol: true,
  screenReaderMode: true,
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

// The game's code is fetched and compiled while the terminal opens.
const gameLoading = loadNebulance({ nextTypedChunk, showOutput: (bytes) => terminal.write(bytes) });
const lineMode = new LineModeAddon();
terminal.loadAddon(lineMode);
terminal.open(document.getElementById('terminal'));
const status = document.getElementById('status');
const playAgain = document.getElementById('play-again');
const game = await gameLoading;

async function play() {
  handedOver.length = 0;
  status.textContent = 'Type your answer and press Enter; Ctrl-D on an empty line ends the game.';
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
  play();
});
play();

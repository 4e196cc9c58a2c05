//# allFunctionsCalledOnLoad
// The browser's console: the page's text terminal in line mode in front of the game compiled to
// WebAssembly. This module starts the page and runs the games' lifecycle; the terminal, its line
// mode, its fit, the game's console and the screen readers' log each have a module of their own.
//
// Each of the page's scripts, the game's loader too, opens with Chromium's compile hint: nearly
// all their functions run while the page starts, so the browser compiles them as the file
// arrives, away from the page's thread, instead of one at a time as each is first called.
import { howToAnswer, showAnswerKeys } from './answer_keys.js';
import { compiledGame, gameLoader } from './game_code.js';
import { GameConsole } from './game_console.js';
import { GameLog } from './game_log.js';
import { LineModeAddon } from './line_discipline.js';
import { TerminalFitAddon, keepPageInView } from './terminal_fit.js';
import { TextTerminal } from './text_terminal.js';

const status = document.getElementById('status');
const tryAgain = document.getElementById('try-again');
const playAgain = document.getElementById('play-again');

// The terminal, and the copy of the game being played: exported so that a test can read the
// screen. A copy stopped by a fault is dropped, and the next game gets a fresh one.
export let terminal = null;
export let game = null;
// The console of the game being played, and how its copy tells a fault (its abort).
let gameConsole = null;
let gameFaulted = null;
const gameLog = new GameLog(document.getElementById('game-log'));
const lineMode = new LineModeAddon((chunk) => gameConsole?.handOver(chunk));
let answerKeys = null;

// True while the game waits for the player's next line: it has read every line handed over, and
// the terminal has taken all it printed. A test answers only then: a screen seen halfway through
// a paste's answers can look like the one that follows them.
export const waitingForPlayer = () => gameConsole?.waitingForPlayer() ?? false;

// Where the page is: 'loading' until its first game starts, 'playing' during a game, 'ended' or
// 'faulted' after one, 'starting again' from a tap on Play again until the next game starts, and
// 'failed' when the page could not start. index.html and the tests read it on <body data-game>.
let state = null;
function enter(next) {
  state = next;
  document.body.dataset.game = next;
}

// A part of the page that did not load or could not start in this browser.
class PartFailed extends Error {
  constructor(part, cause) {
    super(`${part}: ${cause?.message ?? cause}`, { cause });
    this.part = part;
  }
}

const loadPart = (part, load) => load().catch((cause) => { throw new PartFailed(part, cause); });

// Says why the page stopped, in plain words with Try again (index.html reloads the page), and
// leaves the cause in the browser's console for whoever looks. A part that did not arrive
// (fetch and import fail with a TypeError) is the network's doing; anything else is the page's.
function pageFailed(error) {
  console.error(error);
  enter('failed');
  if (error instanceof PartFailed && error.cause instanceof TypeError) {
    status.textContent = `Could not load ${error.part}. The network may be down or too slow: `
      + 'check the connection and try again.';
  } else if (error instanceof PartFailed) {
    status.textContent = `Could not start ${error.part} in this browser. Try again; if it fails `
      + 'again, this browser may be too old for the game.';
  } else {
    status.textContent = 'The page stopped because of a fault in its own code. Try again; if it '
      + 'fails again, try another browser.';
  }
  playAgain.hidden = true;
  tryAgain.hidden = false;
}

// A fresh copy of the game from the compiled code; its console is the current game's.
function newCopy(loader, compiled) {
  return new Promise((resolve, reject) => {
    loader.default({
      nextTypedChunk: (capacity) => gameConsole.nextTypedChunk(capacity),
      showOutput: (bytes) => gameConsole.showOutput(bytes),
      onAbort: (what) => gameFaulted?.(what),
      instantiateWasm(imports, receiveInstance) {
        WebAssembly.instantiate(compiled, imports)
          .then((instance) => receiveInstance(instance, compiled), reject);
        return {};
      },
    }).then(resolve, reject);
  });
}

// Lets the page draw and answer between two long pieces of the start (on a phone's slow
// processor, the terminal's opening and the game's first screen are each one), and then goes on
// before any other waiting work where the browser can say so.
const yieldToPage = () => globalThis.scheduler?.yield?.()
  ?? new Promise((resolve) => { setTimeout(resolve); });

// A touch screen: its keyboard has no Ctrl key, and it can be turned on its side.
const touchScreen = matchMedia('(pointer: coarse)').matches;

// Every screen fits 80 columns; the scrollback holds a whole 31-day game (about 3,000 lines).
// The rows and the font size follow the space the page has (TerminalFitAddon), from before the
// terminal opens, so its first picture is its last. Screen readers read the game log; the
// terminal's rows are hidden from them, so that a page does not hold the text twice. A touch
// screen answers with the answer keys, or with its own keyboard once switched to.
function openTerminal() {
  terminal = new TextTerminal({
    cols: 80,
    rows: 24,
    scrollback: 10000,
    fontFamily: '"DejaVu Sans Mono", "Liberation Mono", Menlo, Consolas, monospace',
    fontSize: 15,
  });
  terminal.loadAddon(lineMode);
  const area = document.getElementById('terminal');
  answerKeys = touchScreen ? showAnswerKeys(document.getElementById('answer-keys'), area,
    terminal, () => { if (state === 'playing') status.textContent = howToAnswer(answerKeys); })
    : null;
  keepPageInView();
  terminal.loadAddon(new TerminalFitAddon(area,
    (width, roomBeside) => answerKeys?.arrange(width, roomBeside)));
  terminal.open(area);
  terminal.textarea.setAttribute('aria-label', 'Your answer');
  answerKeys?.keepKeyboardClosed(terminal.textarea);
}

// Once the site is cached, it loads and plays without a network (sw.js). Each build's files
// have names of their own, so a new build's worker takes over as soon as it has them all.
// Where the browser refuses a worker (a game portal's frame, a frame barred from storage), the
// game plays on without offline play: even reading navigator.serviceWorker may throw there.
// The worker fetches and checks every file of the site, work that would compete with the start:
// it is registered once the first question is on screen (after the frame that draws it). A tab
// in the background draws no frames and has no start to protect: there it is registered at once.
let offlineKept = false;
function keepForOffline() {
  if (offlineKept) return;
  offlineKept = true;
  const register = () => {
    try {
      navigator.serviceWorker?.register('sw.js').catch(() => {});
    } catch {
      // Offline play is simply absent.
    }
  };
  if (document.visibilityState === 'hidden') register();
  else requestAnimationFrame(() => setTimeout(register));
}

// Plays one game on `copy` to its end. Resolves with 'ended', or 'faulted' when a fault inside
// the game stopped it: an exception or a trap out of the game's code (thrown by the call, or,
// once the game has waited for input, its rejection), or an abort, which the copy reports
// through onAbort. A rejection anywhere else on the page is not the game's.
function playOneGame(copy) {
  return new Promise((resolve) => {
    gameFaulted = (cause) => {
      console.error('a fault inside the game:', cause);
      resolve('faulted');
    };
    try {
      copy.ccall('playGame', null, [], [], { async: true }).then(() => resolve('ended'), gameFaulted);
    } catch (error) {
      gameFaulted(error);
    }
  }).finally(() => { gameFaulted = null; });
}

const endings = {
  ended: 'The game has ended.',
  faulted: 'The game stopped because of a fault inside it. Play again starts a new game.',
};

// The terminal takes the focus as the game first asks, once the question is on screen.
async function play() {
  let asked = false;
  gameConsole = new GameConsole(terminal, gameLog, () => {
    if (asked) return;
    asked = true;
    terminal.focus();
    keepForOffline();
  });
  enter('playing');
  status.textContent = howToAnswer(answerKeys);
  playAgain.hidden = true;
  lineMode.listen();
  const ending = await playOneGame(game);
  lineMode.stop();
  gameLog.announce();
  if (ending === 'faulted') game = null;
  await gameConsole.drained();
  enter(ending);
  status.textContent = endings[ending];
  playAgain.hidden = false;
  playAgain.focus();
}

// One start at a time: a second tap while the next game starts is not a second game.
let startAgain = null;
playAgain.addEventListener('click', () => {
  if (state !== 'ended' && state !== 'faulted') return;
  enter('starting again');
  playAgain.hidden = true;
  terminal.reset();
  gameLog.clear();
  startAgain().then(play).catch(pageFailed);
});

// The game's code and its loader arrive (game_code.js) while the terminal opens.
async function startPage() {
  // index.html has told a page opened from a file, or a browser without WebAssembly, why not;
  // game_code.js has loaded nothing there.
  if (!compiledGame) return;
  enter('loading');
  const gameLoaded = Promise.all([
    loadPart('the game (nebulance.js)', () => gameLoader),
    loadPart('the game\'s code (nebulance.wasm)', () => compiledGame),
  ]);
  openTerminal();
  await yieldToPage();
  const [loader, compiled] = await gameLoaded;
  startAgain = async () => {
    game ??= await loadPart('the game\'s code (nebulance.wasm)', () => newCopy(loader, compiled));
  };
  await startAgain();
  await play();
}

startPage().catch(pageFailed);

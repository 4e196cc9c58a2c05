// A scripted session as the native game shows it on a terminal, and its replay key by key in a
// page of any engine (page.js's launchEngine, or puppeteerPage around a puppeteer page).
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { KEPT_LINES, spokenLines } from '../game_log.js';
import { typeInto } from '../line_discipline.js';
import {
  evaluateWithGame, linesOf, untilInPage, untilStartMenu, waitForScreen,
} from './page.js';

const echoedSessionTool =
  process.env.ECHOED_SESSION ?? 'build/debug/tests/nebulance_echoed_session';

// The native screen: the clock reading on the first line, then the screen with each typed line
// between the marks \x1e and \x1f; returns the clock, the screen and where each line was typed.
export function echoedSession(name) {
  return echoedScreen(execFileSync(echoedSessionTool, [name], { encoding: 'utf8' }));
}

// The native screen when the player types each of `typings` in turn on a stopped clock: a
// typing is one line (with its line end), or a paste of any length and any number of lines.
// The terminal echoes a paste whole the moment it arrives, cut as its line discipline cuts it,
// and the game then answers its lines one by one. A paste's entry in `typed` holds the whole
// text to paste and the echo the screen shows.
export function echoedTyping(typings, clock) {
  const typed = typings.map((text) => ({ text, ...typeInto('', text) }));
  const keys = typed.flatMap(({ handedOver }) => handedOver).join('');
  const native = echoedScreen(execFileSync(echoedSessionTool, ['--clock', String(clock)],
    { input: keys, encoding: 'utf8', maxBuffer: 1 << 30 }));
  assert.equal(native.typed.length, typed.flatMap(({ handedOver }) => handedOver).length,
    'the game reads every line typed');
  const outputAfter = (k) => native.screen.slice(native.typed[k].at + native.typed[k].line.length,
    native.typed[k + 1]?.at ?? native.screen.length);
  const session = { clock, screen: native.screen.slice(0, native.typed[0]?.at), typed: [] };
  let read = 0;
  for (const { text, echo, handedOver } of typed) {
    const screenEcho = echo.replaceAll('\r\n', '\n');
    session.typed.push({ line: text, at: session.screen.length, echo: screenEcho,
      paste: handedOver.length > 1 || handedOver[0] !== text });
    session.screen += screenEcho;
    for (const end = read + handedOver.length; read < end; read++) session.screen += outputAfter(read);
  }
  return session;
}

function echoedScreen(output) {
  const clockEnd = output.indexOf('\n');
  const session = { clock: Number(output.slice(0, clockEnd)), screen: '', typed: [] };
  for (const [index, piece] of output.slice(clockEnd + 1).split(/[\x1e\x1f]/).entries()) {
    if (index % 2 === 1) session.typed.push({ line: piece, at: session.screen.length });
    session.screen += piece;
  }
  return session;
}

// Resolves with the status line once the page offers Play again; after 10 s without it, with
// the status line and a note that Play again is not offered.
export function waitForGameEnd(page) {
  return untilInPage(page, () => {
    const status = document.getElementById('status').textContent;
    return document.getElementById('play-again').hidden ? `${status} (no Play again)` : status;
  }, { done: (status) => !status.endsWith('(no Play again)') });
}

// Ends the game at the start menu with a fault inside it: the game's output throws, and the
// start menu is answered with 2. Resolves once the page has said so and offers Play again.
export async function faultAtStartMenu(page) {
  await untilStartMenu(page);
  await evaluateWithGame(page, ({ game }) => {
    game.showOutput = () => { throw new Error('a fault inside the game'); };
  });
  await page.type('2');
  await page.press('Enter');
  assert.equal(await waitForGameEnd(page),
    'The game stopped because of a fault inside it. Play again starts a new game.');
}

// The screen readers' log: one group of lines per piece of output.
function loggedGroups(page) {
  return page.evaluate(() => [...document.querySelectorAll('#game-log > div')]
    .map((group) => [...group.children].map((line) => line.textContent)));
}

// Types the first `lines` lines of the session (all by default), each once its question is on
// screen, or pastes it; `typo` is typed and erased with Backspace before the first. Once every line
// is typed, Ctrl-D, and the page must show the whole session; the replay then resolves with the
// status line (waitForGameEnd's). At each question the screen readers' log must hold the game's
// output of every step so far, one group per step (the game writes once before each wait), less the
// oldest groups past KEPT_LINES. A paste's lines are each read at a wait of their own, so the log's
// groups no longer follow the typed steps: from the first paste on, the log must hold the end of
// all it heard. `atQuestion(index)` runs while the question of line `index` is on screen and the
// game waits for its answer; the wait for each question lasts until the terminal has taken no
// output for `patience` ms. With `lines: 1`, the least that shows a page plays: the start menu, one
// answer and the screen it brings.
export async function replay(page, session,
  { lines = session.typed.length, typo = '', atQuestion = () => {}, patience = 10000 } = {}) {
  const heard = [];
  const everyLineHeard = [];
  let printed = 0;
  let pasted = false;
  let ending = null;
  for (const [index, typed] of [...session.typed.entries(), [session.typed.length, null]]) {
    const at = typed?.at ?? session.screen.length;
    if (index === session.typed.length) {
      await page.press('Control+D');
      ending = await waitForGameEnd(page);
    }
    const question = linesOf(session.screen.slice(0, at));
    const shown = await waitForScreen(page, question, patience, { question: typed !== null });
    assert.deepEqual(shown, question, typed ? `question before line ${index + 1}` : 'the end');
    const step = spokenLines(session.screen.slice(printed, at));
    if (step.length > 0) heard.push(step);
    everyLineHeard.push(...step);
    while (heard.flat().length > KEPT_LINES && heard.length > 1) heard.shift();
    const logged = await loggedGroups(page);
    const where = typed ? `before line ${index + 1}` : 'at the end';
    if (pasted) {
      assert.ok(logged.length > 0, `screen readers' log ${where}`);
      assert.deepEqual(logged.flat(), everyLineHeard.slice(-logged.flat().length),
        `screen readers' log ${where}`);
    } else {
      assert.deepEqual(logged, heard, `screen readers' log ${where}`);
    }
    if (index === lines || !typed) return ending;
    printed = at + (typed.echo ?? typed.line).length;
    await atQuestion(index);
    if (typed.paste) {
      pasted = true;
      await page.paste(typed.line);
      continue;
    }
    if (index === 0) {
      await page.type(typo);
      for (let i = 0; i < typo.length; i++) await page.press('Backspace');
    }
    await page.type(typed.line.replace(/\n$/, ''));
    await page.press(typed.line.endsWith('\n') ? 'Enter' : 'Control+D');
  }
}

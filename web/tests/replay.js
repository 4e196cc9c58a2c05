// A scripted session as the native game shows it on a terminal, and its replay key by key in a
// page of any engine (page.js's launchEngine, or puppeteerPage around a puppeteer page).
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { KEPT_LINES, spokenLines } from '../game_log.js';
import { linesOf, screenLines, waitForScreen } from './page.js';

const echoedSessionTool =
  process.env.ECHOED_SESSION ?? 'build/debug/tests/nebulance_echoed_session';

// The native screen: the clock reading on the first line, then the screen with each typed line
// between the marks \x1e and \x1f; returns the clock, the screen and where each line was typed.
// Given `typedLines`, the game is played with those on the session's clock.
export function echoedSession(name, typedLines) {
  const output = execFileSync(echoedSessionTool, [name, ...typedLines === undefined ? [] : [typedLines]],
    { encoding: 'utf8' });
  const clockEnd = output.indexOf('\n');
  const session = { clock: Number(output.slice(0, clockEnd)), screen: '', typed: [] };
  for (const [index, piece] of output.slice(clockEnd + 1).split(/[\x1e\x1f]/).entries()) {
    if (index % 2 === 1) session.typed.push({ line: piece, at: session.screen.length });
    session.screen += piece;
  }
  return session;
}

// Resolves with the status line once the page offers Play again, or after 10 s.
export function waitForGameEnd(page) {
  return page.evaluate(async () => {
    const deadline = performance.now() + 10000;
    while (document.getElementById('play-again').hidden && performance.now() < deadline) {
      await new Promise((resolve) => setTimeout(resolve, 5));
    }
    return document.getElementById('status').textContent;
  });
}

// The screen readers' log: one group of lines per piece of output.
function loggedGroups(page) {
  return page.evaluate(() => [...document.querySelectorAll('#game-log > div')]
    .map((group) => [...group.children].map((line) => line.textContent)));
}

// Types each line once its question is on screen (`typo` first, then Backspace), then Ctrl-D.
// By then the screen readers' log must hold the game's output of every step so far, one group
// per step (the game writes once before each wait), less the oldest groups past KEPT_LINES.
// `atQuestion(index)` runs while the question of line `index` is on screen.
export async function replay(page, session, { typo = '', atQuestion = () => {} } = {}) {
  const heard = [];
  let printed = 0;
  for (const [index, typed] of session.typed.entries()) {
    const question = linesOf(session.screen.slice(0, typed.at));
    const shown = await waitForScreen(page, question);
    assert.deepEqual(shown, question, `question before line ${index + 1}`);
    const step = spokenLines(session.screen.slice(printed, typed.at));
    if (step.length > 0) heard.push(step);
    while (heard.flat().length > KEPT_LINES && heard.length > 1) heard.shift();
    assert.deepEqual(await loggedGroups(page), heard, `screen readers' log before line ${index + 1}`);
    printed = typed.at + typed.line.length;
    await atQuestion(index);
    await page.type(typo);
    for (let i = 0; i < typo.length; i++) await page.press('Backspace');
    await page.type(typed.line.replace(/\n$/, ''));
    await page.press(typed.line.endsWith('\n') ? 'Enter' : 'Control+D');
  }
  await page.press('Control+D');
  await waitForGameEnd(page);
  assert.deepEqual(await screenLines(page), linesOf(session.screen));
}

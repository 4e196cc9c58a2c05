// What the screen readers' log keeps of the game's text, without a browser: the lines it speaks,
// the groups it announces, the lines it keeps.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { GameLog, KEPT_LINES, spokenLines } from '../game_log.js';

test('lines of art alone stay out of the log; every line with words or figures goes in, in order', () => {
  const banner = `

     *****NEBU**************************
    _____ _____ __  __ _____ __  __ ____
   / __ // _  // / / // _  //  |/ // __/
 /_____//_/\\_\\  |___//_/ /_//_/ |_//___/
   ==============| CONCORDAT |==========
   -Welcome to Nebulance: ORVANE CONCORDAT-
   ----------------------------------------
  |_|      | |
   | Total Credits:       2000 |
      |  done of ||   [ 7 ] Vibro-axes       ::   132      |_|     6    |    0  |
   Select option number: `;
  assert.deepEqual(spokenLines(banner), [
    '     *****NEBU**************************',
    '   ==============| CONCORDAT |==========',
    '   -Welcome to Nebulance: ORVANE CONCORDAT-',
    '   | Total Credits:       2000 |',
    '      |  done of ||   [ 7 ] Vibro-axes       ::   132      |_|     6    |    0  |',
    '   Select option number: ',
  ]);
});

// Just enough of the page's elements for the log: children, text, append and remove.
class Element {
  constructor(tag) {
    Object.assign(this, { tag, children: [], parent: null, textContent: '' });
  }

  append(...nodes) {
    for (const node of nodes) Object.assign(node, { parent: this });
    this.children.push(...nodes);
  }

  remove() {
    this.parent.children.splice(this.parent.children.indexOf(this), 1);
  }

  replaceChildren() {
    this.children = [];
  }

  get firstElementChild() {
    return this.children[0] ?? null;
  }

  querySelectorAll(tag) {
    return this.children.flatMap((child) =>
      [...child.tag === tag ? [child] : [], ...child.querySelectorAll(tag)]);
  }
}
globalThis.document = { createElement: (tag) => new Element(tag) };

const encoder = new TextEncoder();
const newLog = () => {
  const region = new Element('div');
  return { log: new GameLog(region), groups: () => region.children.map((group) =>
    group.children.map((line) => line.textContent)) };
};
const numbered = (from, count) => Array.from({ length: count }, (_, i) => `line ${from + i}`);

test('each announcement is one group of what the game printed since the last, read whole '
  + 'across pieces that cut a line or a character; nothing new, no group', () => {
  const { log, groups } = newLog();
  log.add(encoder.encode(' _____\n   Select option number: '));
  log.announce();
  log.announce();
  const bytes = encoder.encode('Credits: 2000\nPlanète Naboo: ');
  const cut = bytes.indexOf(0xc3) + 1;
  log.add(bytes.subarray(0, 5));
  log.add(bytes.subarray(5, cut));
  log.add(bytes.subarray(cut));
  log.announce();
  assert.deepEqual(groups(),
    [['   Select option number: '], ['Credits: 2000', 'Planète Naboo: ']]);
});

test(`the log keeps the last ${KEPT_LINES} lines: the oldest groups go whole, a flood keeps its `
  + 'own end alone; Play again clears it, and what was not yet announced', () => {
  const { log, groups } = newLog();
  for (const from of [0, 150, 300]) {
    log.add(encoder.encode(numbered(from, 150).join('\n')));
    log.announce();
  }
  assert.deepEqual(groups(), [numbered(150, 150), numbered(300, 150)]);
  log.add(encoder.encode(numbered(0, 1000).join('\n')));
  log.announce();
  assert.deepEqual(groups(), [numbered(1000 - KEPT_LINES, KEPT_LINES)]);
  log.add(encoder.encode('left from the last game\n'));
  log.clear();
  assert.deepEqual(groups(), []);
  log.add(encoder.encode('Select option number: '));
  log.announce();
  assert.deepEqual(groups(), [['Select option number: ']]);
});

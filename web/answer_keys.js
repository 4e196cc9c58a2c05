//# allFunctionsCalledOnLoad
// The keys a touch screen shows instead of its system keyboard, which would cover half the game:
// only the keys the game takes, as buttons a fingertip hits, in as few rows as the width allows.
// A tap reaches the terminal as typed input (terminal.input), so it goes through the same line
// discipline, echo included, as a key of a keyboard. One more key switches to the system
// keyboard and back; a hardware keyboard works either way.

// The smallest target a fingertip hits reliably, in CSS pixels (Apple's guideline, WCAG 2.5.5).
const KEY_SIZE = 44;
// Keys touch, each framed by its border: a phone on its side (844 px across) holds the nineteen
// answer keys in one row only without gaps.
const KEY_GAP = 0;

// Every answer the game takes: the digits, a minus sign (the bank's -1), the menu letters,
// Backspace and Enter, each with the bytes typing it gives the terminal.
export const ANSWER_KEYS = [
  ...[...'1234567890'].map((digit) => ({ text: digit, data: digit })),
  { text: '−', data: '-', label: 'Minus' },
  ...[...'SBTELP'].map((letter) => ({ text: letter, data: letter })),
  { text: '⌫', data: '\x7f', label: 'Backspace' },
  { text: '⏎', data: '\r', label: 'Enter' },
];

// How many of `count` keys go in one row of `width` CSS pixels: the fewest rows that hold them
// all, shared out evenly.
export function keysPerRow(width, count) {
  const fit = Math.max(1, Math.floor((width + KEY_GAP) / (KEY_SIZE + KEY_GAP)));
  return Math.ceil(count / Math.ceil(count / fit));
}

function keyButton({ text, label }) {
  const button = Object.assign(document.createElement('button'),
    { type: 'button', textContent: text });
  if (label) button.setAttribute('aria-label', label);
  // A tap leaves the focus in the terminal, so the page neither scrolls nor opens a keyboard.
  button.addEventListener('pointerdown', (event) => event.preventDefault());
  return button;
}

// Shows the keys in `panel` for `terminal`; `onSwitch()` runs when the player switches between
// them and the system keyboard. Returns { arrange(width, roomBeside), keepKeyboardClosed(input),
// systemKeyboard() }: arrange lays the keys out for a panel `width` px wide; the switch key stands
// beside the terminal (in `besideTerminal`) when its side leaves `roomBeside` px for it, so that a
// phone on its side keeps the answer keys to one row. keepKeyboardClosed takes the terminal's
// input once the terminal is open.
export function showAnswerKeys(panel, besideTerminal, terminal, onSwitch) {
  const keys = ANSWER_KEYS.map((key) => {
    const button = keyButton(key);
    button.addEventListener('click', () => terminal.input(key.data));
    return button;
  });
  const switchKey = keyButton({ text: '⌨', label: 'System keyboard' });
  switchKey.id = 'system-keyboard';
  let systemKeyboard = false;
  let input = null;
  const showKeys = () => {
    // With inputmode none the focused terminal keeps the system keyboard closed.
    input?.setAttribute('inputmode', systemKeyboard ? 'text' : 'none');
    switchKey.setAttribute('aria-pressed', String(systemKeyboard));
    for (const key of keys) key.hidden = systemKeyboard;
  };
  switchKey.addEventListener('click', () => {
    systemKeyboard = !systemKeyboard;
    showKeys();
    // A system keyboard follows the input mode when the focus arrives, not while it stays.
    terminal.blur();
    terminal.focus();
    onSwitch();
  });
  // The panel shows once arranged, in rows it keeps.
  panel.append(...keys, switchKey);
  showKeys();
  return {
    systemKeyboard: () => systemKeyboard,
    keepKeyboardClosed(terminalInput) {
      input = terminalInput;
      showKeys();
    },
    arrange(width, roomBeside) {
      const place = roomBeside >= KEY_SIZE + KEY_GAP ? besideTerminal : panel;
      if (switchKey.parentElement !== place) place.append(switchKey);
      const shown = [...panel.children].filter((key) => !key.hidden).length;
      panel.hidden = shown === 0;
      panel.style.setProperty('--keys-per-row', keysPerRow(width, shown));
    },
  };
}

// What the status line tells a player about answering: a touch screen's player (`keys`, or
// null without them) leaves a game through its own menus.
export function howToAnswer(keys) {
  if (!keys) return 'Type your answer and press Enter; Ctrl-D on an empty line ends the game.';
  return keys.systemKeyboard() ? 'Type your answer, then return; ⌨ for the keys.'
    : 'Tap the keys to answer; ⌨ opens the keyboard.';
}

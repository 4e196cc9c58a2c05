// The line mode of a console terminal, as the page's terminal keeps it for the game: typed
// characters are echoed and held on the line until Enter hands the line over with its line end;
// Backspace erases; Ctrl-D hands over what is typed without a line end, and on an empty line
// ends the input.

const ENTER = new Set(['\r', '\n']);
const BACKSPACE = new Set(['\x7f', '\b']);
const END_OF_INPUT = '\x04';

// Applies `data` (one key, or several lines pasted at once) to `line`, the line being typed.
// Returns { line, echo, handedOver, ended }: the line now being typed, what the terminal
// shows, the chunks handed to the game in order, and whether the input has ended (any data
// after that is dropped).
export function typeInto(line, data) {
  const typing = { line, echo: '', handedOver: [], ended: false };
  // Cursor and function keys arrive as escape sequences; a line-mode console ignores them.
  if (data.startsWith('\x1b')) return typing;
  for (const character of data) {
    if (typing.ended) break;
    typeCharacter(typing, character);
  }
  return typing;
}

function typeCharacter(typing, character) {
  if (ENTER.has(character)) {
    typing.handedOver.push(`${typing.line}\n`);
    typing.line = '';
    typing.echo += '\r\n';
  } else if (BACKSPACE.has(character)) {
    if (typing.line === '') return;
    typing.line = Array.from(typing.line).slice(0, -1).join('');
    typing.echo += '\b \b';
  } else if (character === END_OF_INPUT) {
    if (typing.line === '') typing.ended = true;
    else typing.handedOver.push(typing.line);
    typing.line = '';
  } else if (character >= ' ' || character === '\t') {
    typing.line += character;
    typing.echo += character;
  }
}

//# allFunctionsCalledOnLoad
// The line mode of a console terminal, as the page's terminal keeps it for the game: typed
// characters are echoed and held on the line until Enter hands the line over with its line end;
// Backspace erases; Ctrl-D hands over what is typed without a line end, and on an empty line
// ends the input.

const ENTER = new Set(['\r', '\n']);
const BACKSPACE = new Set(['\x7f', '\b']);
const END_OF_INPUT = '\x04';
// A Linux terminal's line holds 4,095 bytes and keeps the last place for the line end: the
// rest of a longer paste is dropped, unechoed, until Enter. Every answer the game takes is a
// few bytes, so nothing a player means to type is lost, and a flood cannot bury the game.
export const LONGEST_LINE = 4095;

// Applies `data` (one key, or several lines pasted at once) to `line`, the line being typed.
// Returns { line, echo, handedOver, ended }: the line now being typed, what the terminal
// shows, the chunks handed to the game in order, and whether the input has ended (any data
// after that is dropped).
export function typeInto(line, data) {
  const typing = { line, bytes: utf8Length(line), echo: '', handedOver: [], ended: false };
  // Cursor and function keys arrive as escape sequences; a line-mode console ignores them.
  if (data.startsWith('\x1b')) return result(typing);
  for (const character of data) {
    if (typing.ended) break;
    typeCharacter(typing, character);
  }
  return result(typing);
}

function result({ line, echo, handedOver, ended }) {
  return { line, echo, handedOver, ended };
}

function typeCharacter(typing, character) {
  if (ENTER.has(character)) {
    typing.handedOver.push(`${typing.line}\n`);
    clearLine(typing);
    typing.echo += '\r\n';
  } else if (BACKSPACE.has(character)) {
    if (typing.line === '') return;
    const characters = Array.from(typing.line);
    typing.bytes -= utf8Length(characters.pop());
    typing.line = characters.join('');
    typing.echo += '\b \b';
  } else if (character === END_OF_INPUT) {
    if (typing.line === '') typing.ended = true;
    else typing.handedOver.push(typing.line);
    clearLine(typing);
  } else if ((character >= ' ' || character === '\t')
    && typing.bytes + utf8Length(character) <= LONGEST_LINE) {
    typing.line += character;
    typing.bytes += utf8Length(character);
    typing.echo += character;
  }
}

function clearLine(typing) {
  typing.line = '';
  typing.bytes = 0;
}

// The bytes `text` takes as the game receives it.
function utf8Length(text) {
  let bytes = 0;
  for (const character of text) {
    const code = character.codePointAt(0);
    bytes += code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
  }
  return bytes;
}

// A terminal add-on that keeps the line being typed while a game listens, by the rules above:
// it echoes each key to the terminal and passes each chunk handed over to `handOver(bytes)` as
// the game reads it (UTF-8), then `handOver(null)` once the input has ended. Between games it
// takes nothing.
export class LineModeAddon {
  constructor(handOver) {
    this.handOver = handOver;
    this.listening = false;
    this.line = '';
    this.encoder = new TextEncoder();
  }

  activate(terminal) {
    this.subscription = terminal.onData((data) => {
      if (!this.listening) return;
      const typing = typeInto(this.line, data);
      this.line = typing.line;
      terminal.write(typing.echo);
      for (const text of typing.handedOver) this.handOver(this.encoder.encode(text));
      if (typing.ended) {
        this.stop();
        this.handOver(null);
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
    this.subscription?.dispose();
  }
}

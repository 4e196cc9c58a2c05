//# allFunctionsCalledOnLoad
// The game's console on the page, one for each game: the chunks the player has handed over that
// the game has not yet read, and the game's output on its way to the terminal and to the screen
// readers' log (anything with add(bytes) and announce()). `onQuestion()` runs each time the game
// has printed a question and the terminal has taken it, as the game turns to read the answer.
//
// The game is handed nothing more until the terminal has taken what it printed before (its
// write callbacks run in order, so the last one stands for all). A paste answered screen after
// screen thus never piles up more output than one chunk's answer, whatever terminal takes it.
export class GameConsole {
  #handedOver = [];
  #waitingRead = null;
  #outputTaken = Promise.resolve();

  constructor(terminal, log, onQuestion = () => {}) {
    this.terminal = terminal;
    this.log = log;
    this.onQuestion = onQuestion;
  }

  // Takes a chunk for the game (bytes), or null for the end of input.
  handOver(chunk) {
    if (this.#waitingRead) {
      this.#waitingRead(chunk);
      this.#waitingRead = null;
    } else {
      this.#handedOver.push(chunk);
    }
  }

  // Resolves with the next chunk's bytes, at most `capacity` of them (the rest stays first in
  // line); empty at the end of input, and at every read after it. Reading is where the game
  // waits, so the log announces what the game printed since its last question.
  async nextTypedChunk(capacity) {
    this.log.announce();
    await this.#outputTaken;
    this.onQuestion();
    const chunk = this.#handedOver.length > 0 ? this.#handedOver.shift()
      : await new Promise((resolve) => { this.#waitingRead = resolve; });
    if (chunk === null) {
      this.#handedOver.unshift(null);
      return new Uint8Array(0);
    }
    if (chunk.length > capacity) this.#handedOver.unshift(chunk.subarray(capacity));
    return chunk.subarray(0, capacity);
  }

  showOutput(bytes) {
    this.#outputTaken = new Promise((resolve) => { this.terminal.write(bytes, resolve); });
    this.log.add(bytes);
  }

  // True while the game waits for the player's next line: it has read every chunk handed over,
  // and the terminal has taken all it printed.
  waitingForPlayer() {
    return this.#waitingRead !== null;
  }

  // Resolves once the terminal has taken everything the game printed.
  drained() {
    return new Promise((resolve) => { this.terminal.write('', resolve); });
  }
}

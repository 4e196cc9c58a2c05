//# allFunctionsCalledOnLoad
// The game's text for screen readers. The terminal's rows are only its picture (the terminal
// hides them from assistive technology), so this is the one copy: a visually hidden role="log"
// region that is given the game's output as it arrives and announces it a step at a time, whole,
// question included, when the game waits; it can be read line by line afterwards. Only the
// recent lines are kept, so that a long game does not grow the page without bound.

// About fifteen screens: the last few days of a game.
export const KEPT_LINES = 400;

// The lines of `text` a listener needs: those with a letter or a digit, kept as printed. A line
// of art alone (the banner's drawn letters, frames, rules) would be read out as a run of
// "slash", "underscore" and "equals".
export function spokenLines(text) {
  return text.split('\n').filter((line) => /[\p{L}\p{N}]/u.test(line));
}

export class GameLog {
  constructor(region) {
    this.region = region;
    this.decoder = new TextDecoder();
    this.heard = '';
  }

  // Takes a piece of the game's output (bytes). The game hands its output over in pieces of at
  // most 64 KiB, which may cut a line in two; the log waits for the whole step.
  add(bytes) {
    this.heard += this.decoder.decode(bytes, { stream: true });
  }

  // Announces what the game printed since the last announcement as one group of lines: called
  // when the game waits for an answer, so that each screen is read whole, question included.
  announce() {
    // A flood of output (a long paste answered screen after screen) keeps only what the log
    // would keep anyway.
    const lines = spokenLines(this.heard).slice(-KEPT_LINES);
    this.heard = '';
    if (lines.length === 0) return;
    const piece = document.createElement('div');
    piece.append(...lines.map((line) => Object.assign(document.createElement('p'),
      { textContent: line })));
    this.region.append(piece);
    let kept = this.region.querySelectorAll('p').length;
    while (kept > KEPT_LINES && this.region.children.length > 1) {
      kept -= this.region.firstElementChild.children.length;
      this.region.firstElementChild.remove();
    }
  }

  clear() {
    this.region.replaceChildren();
    this.heard = '';
  }
}

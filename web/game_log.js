// The game's text for screen readers. The terminal's rows are only its picture (xterm hides
// them from assistive technology), so this is the one copy: a visually hidden role="log" region
// that is given each piece of output as it arrives, announces it whole, question included,
// and can be read line by line afterwards. Only the recent lines are kept, so that a long game
// does not grow the page without bound.

// About fifteen screens: the last few days of a game.
export const KEPT_LINES = 400;

// The lines of `text` a listener needs: blank lines are dropped, the others kept as printed.
export function spokenLines(text) {
  return text.split('\n').filter((line) => line.trim() !== '');
}

export class GameLog {
  constructor(region) {
    this.region = region;
    this.decoder = new TextDecoder();
  }

  // Adds one piece of the game's output (bytes) as one group of lines, one announcement.
  add(bytes) {
    const lines = spokenLines(this.decoder.decode(bytes, { stream: true }));
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
  }
}

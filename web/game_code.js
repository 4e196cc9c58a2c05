//# allFunctionsCalledOnLoad
// The game's code, fetched and compiled once, and Emscripten's loader for it: every copy of the
// game is made from them, so a fresh copy after a fault starts at once, network or not.
// index.html runs this module on its own as soon as it arrives, so both load while the rest of
// the page arrives and opens the terminal; terminal_game.js then finds them under way. A server
// that does not call the code application/wasm gets it compiled from its bytes. A page opened
// from a file, or a browser without WebAssembly, fetches nothing (index.html says why).
async function compileGame() {
  const url = new URL('nebulance.wasm', import.meta.url);
  try {
    return await WebAssembly.compileStreaming(fetch(url));
  } catch {
    const response = await fetch(url);
    if (!response.ok) throw new TypeError(`${url}: ${response.status}`);
    return WebAssembly.compile(await response.arrayBuffer());
  }
}

const playable = location.protocol !== 'file:' && typeof WebAssembly === 'object';
export const compiledGame = playable ? compileGame() : null;
export const gameLoader = playable ? import('./nebulance.js') : null;
// A failure is the page's to tell, once it waits for the part; until then it is no unhandled
// rejection.
compiledGame?.catch(() => {});
gameLoader?.catch(() => {});

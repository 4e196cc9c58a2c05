// What the benches read of a page's start in a browser: when the prompt appeared, when each file
// arrived, and which of those files the start needs.

// Put in each document before the page's own scripts (puppeteer's evaluateOnNewDocument): notes
// when the start menu's prompt first reaches the terminal's rows, as window.startMenuShownAt (ms
// from navigation start) and as the mark 'prompt shown' in a trace.
export function watchForPrompt() {
  new MutationObserver((changes, observer) => {
    if (!document.querySelector('.terminal-rows')?.textContent.includes('Select option number:')) return;
    window.startMenuShownAt = performance.now();
    performance.mark('prompt shown');
    observer.disconnect();
  }).observe(document, { subtree: true, childList: true, characterData: true });
}

// Resolves with when the prompt appeared in the puppeteer `page`, once it has (watchForPrompt).
export async function promptShownAt(page) {
  return (await page.waitForFunction(() => window.startMenuShownAt)).jsonValue();
}

// Run in the page: its Resource Timing, the navigation and every file it fetched, as { name,
// responseEnd }.
export function resourceTimes() {
  return [...performance.getEntriesByType('navigation'), ...performance.getEntriesByType('resource')]
    .map(({ name, responseEnd }) => ({ name, responseEnd }));
}

// The files the start needs: the page itself, its scripts, its style sheet and the game's wasm.
// The service worker's script and the files it fetches to keep for offline play, the icons and
// the manifest are fetched too, but the start menu waits for none of them.
export function neededForStart(pathname) {
  return /(\/|\.html|\.js|\.mjs|\.css|\.wasm)$/.test(pathname) && !/\/sw\.js$/.test(pathname);
}

// The last of `entries` (Resource Timing's navigation and resource entries, as { name,
// responseEnd }) that the start needs to arrive: { file, time } in ms from navigation start.
// The worker's own fetches do not show among the page's entries.
export function lastStartArrival(entries) {
  const needed = entries.filter(({ name }) => neededForStart(new URL(name).pathname));
  const last = needed.reduce((latest, entry) => (entry.responseEnd > latest.responseEnd ? entry : latest));
  return { file: new URL(last.name).pathname.split('/').at(-1) || 'index.html', time: last.responseEnd };
}

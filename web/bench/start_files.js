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

// Keeps the whole site in a cache named after its build, so that the game loads and plays
// without a network after one visit. `make web` fills in the build's name and files
// (web/tools/finish_site.js); a new build is a new cache, filled whole before its worker may
// take over, and the old one is dropped then.
const BUILD = 'unbuilt';
const FILES = [];
const CACHE = `nebulance-${BUILD}`;

// Every file fresh from the server (checked against any copy the browser holds), so that a
// new build's cache never holds an old file.
self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) =>
    cache.addAll(FILES.map((file) => new Request(file, { cache: 'no-cache' })))));
});

// The first worker takes over at once. A later one waits until a page that has loaded all it
// needs says so (terminal_game.js), so that no page is served from two builds.
self.addEventListener('message', (event) => {
  if (event.data === 'take-over') self.skipWaiting();
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names
      .filter((name) => name.startsWith('nebulance-') && name !== CACHE)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((cached) => cached ?? fetch(event.request)));
});

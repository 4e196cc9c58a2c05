// Keeps one build of the site in a cache, so that the game loads and plays without a network
// after one visit. `make web` fills in the build's name and its files with their SHA-256
// (web/tools/finish_site.js). Every file but the entry points lies in a folder named after the
// build's content, so a page only ever names files of its own build, and a new build never
// changes an old file: the new worker may take over open pages at once.
const BUILD = 'unbuilt';
const FILES = {};
// One origin can host several copies of the site (/a/, /b/): each scope has caches of its own.
const CACHE_PREFIX = `nebulance ${self.registration.scope} `;
const CACHE = CACHE_PREFIX + BUILD;

const hex = (digest) => [...new Uint8Array(digest)]
  .map((byte) => byte.toString(16).padStart(2, '0')).join('');

// A file fresh from the server (checked against any copy the browser holds), refused unless
// its bytes are this build's: a deploy copied file by file may be caught half-way.
async function fetchVerified(file, sha256) {
  const response = await fetch(new Request(file, { cache: 'no-cache' }));
  if (!response.ok) throw new Error(`${file}: ${response.status}`);
  const digest = hex(await crypto.subtle.digest('SHA-256', await response.clone().arrayBuffer()));
  if (digest !== sha256) throw new Error(`${file} is not the file of build ${BUILD}`);
  return [file, response];
}

// Every file is fetched and checked before any is kept, so a failed install leaves nothing; the
// browser tries again at a later visit, when it finds this worker still new.
async function install() {
  const verified = await Promise.all(Object.entries(FILES)
    .map(([file, sha256]) => fetchVerified(file, sha256)));
  const cache = await caches.open(CACHE);
  await Promise.all(verified.map(([file, response]) => cache.put(file, response)))
    .catch(async (error) => {
      await caches.delete(CACHE);
      throw error;
    });
  await self.skipWaiting();
}

self.addEventListener('install', (event) => event.waitUntil(install()));

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names
      .filter((name) => name.startsWith(CACHE_PREFIX) && name !== CACHE)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((cached) => cached ?? fetch(event.request)));
});

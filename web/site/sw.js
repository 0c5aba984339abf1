// The service worker: keeps the whole site in a cache so that, after the
// first visit, the game loads and plays without a network. Cache first, so
// a repeat visit loads at once; the cache's name carries a digest of the
// build (written in when the site is built), so a new build is a new worker
// that caches the new site whole and drops the old one: the page never mixes
// the script of one build with the WebAssembly of another. A URL's test
// switch is ignored for the lookup.
'use strict';

const CACHE = 'koikoi-site-@SITE_DIGEST@';
const SITE = [
  './', 'index.html', 'app.js', 'style.css', 'koikoi.js', 'koikoi.wasm', 'hanaX.png',
  'koikoi.html', 'koikoi-en.html', 'allocation.dat', 'favicon.ico', 'manifest.webmanifest', 'icon-192.png',
  'icon-512.png',
];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(SITE)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches.keys()
      .then((names) => Promise.all(names.filter((name) => name !== CACHE).map((name) => caches.delete(name))))
      .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(
    caches.match(request, { ignoreSearch: true })
      .then((cached) => cached || fetch(request))
      .catch(() => Response.error()));
});

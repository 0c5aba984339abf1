// The service worker: keeps the whole site in a cache so that, after the
// first visit, the game loads and plays without a network. Network first,
// so a new build is picked up whenever the server can be reached; the cache
// answers when it cannot (a URL's test switch is ignored for the lookup).
'use strict';

const CACHE = 'koikoi-site-1';
const SITE = [
  './', 'index.html', 'app.js', 'style.css', 'koikoi.js', 'koikoi.wasm', 'hanaX.png',
  'koikoi.html', 'allocation.dat', 'favicon.ico', 'manifest.webmanifest', 'icon-192.png',
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
    fetch(request)
      .then((response) => {
        if (response.ok) {
          const copy = response.clone();
          caches.open(CACHE).then((cache) => cache.put(request, copy));
        }
        return response;
      })
      .catch(() => caches.match(request, { ignoreSearch: true })
        .then((cached) => cached || Response.error())));
});

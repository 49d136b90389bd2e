// A service worker for servers that cannot be told to send the isolation headers (a plain
// static host): it hands the page every file of this site with them, so that the page may
// share memory with the worker that runs the script. page.js installs it only where the page
// came without them; web/serve.py sends them itself.
'use strict';

self.addEventListener('install', () => self.skipWaiting());
self.addEventListener('activate', (event) => event.waitUntil(self.clients.claim()));

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(fetch(request).then((response) => {
    const headers = new Headers(response.headers);
    headers.set('Cross-Origin-Opener-Policy', 'same-origin');
    headers.set('Cross-Origin-Embedder-Policy', 'require-corp');
    return new Response(response.body,
                        {status: response.status, statusText: response.statusText, headers});
  }));
});

// A small static file server for the site folder, on 127.0.0.1 and a free
// port chosen by the system. Only what a static host does: GET and HEAD of
// files under the root, the right content types, 404 for anything else.
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';

const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.json': 'application/json',
  '.webmanifest': 'application/manifest+json',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
  '.ico': 'image/x-icon',
  '.svg': 'image/svg+xml',
  '.dat': 'text/plain; charset=shift_jis',
  '.txt': 'text/plain; charset=utf-8',
};

// Serves `root` until close(); resolves to { url, port, requests, close }.
// `requests` lists every request as "STATUS /path", for the tests' checks.
export function serve(root) {
  const base = fs.realpathSync(root);
  const requests = [];
  const server = http.createServer((request, response) => {
    let status = 200;
    try {
      const url = new URL(request.url, 'http://127.0.0.1');
      let name = decodeURIComponent(url.pathname);
      if (name.endsWith('/')) name += 'index.html';
      const file = path.resolve(base, '.' + name);
      const inside = file === base || file.startsWith(base + path.sep);
      if (!inside || (request.method !== 'GET' && request.method !== 'HEAD')) {
        status = inside ? 405 : 404;
      } else if (!fs.existsSync(file) || !fs.statSync(file).isFile()) {
        status = 404;
      }
      if (status !== 200) {
        response.writeHead(status, { 'Content-Type': 'text/plain' });
        response.end(`${status}\n`);
      } else {
        const type = kTypes[path.extname(file).toLowerCase()] || 'application/octet-stream';
        const body = fs.readFileSync(file);
        response.writeHead(200, {
          'Content-Type': type,
          'Content-Length': body.length,
          'Cache-Control': 'no-cache',
        });
        response.end(request.method === 'HEAD' ? undefined : body);
      }
      requests.push(`${status} ${url.pathname}`);
    } catch (error) {
      requests.push(`400 ${request.url}`);
      response.writeHead(400);
      response.end();
    }
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      resolve({
        url: `http://127.0.0.1:${port}/`,
        port,
        requests,
        close: () =>
          new Promise((done) => {
            server.closeAllConnections?.();
            server.close(() => done());
          }),
      });
    });
  });
}

// `node server.mjs SITE`: serves a folder by hand and prints its address.
if (import.meta.url === `file://${process.argv[1]}`) {
  const root = process.argv[2] || '.';
  serve(root).then(({ url }) => console.log(`serving ${root} at ${url}`));
}

#!/usr/bin/env node
// Serves the built playground on 127.0.0.1 with the headers of cross-origin isolation,
// which give the page shared memory (the Stop button needs it). Any static server works
// too: the page then isolates itself with a service worker (coi-serviceworker).
// Usage: node web/serve.mjs [--port N] [--root DIR]; prints the address when listening.
import { createReadStream, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join, normalize, sep } from 'node:path';
import { dirname } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const option = (name, fallback) => {
  const at = process.argv.indexOf(name);
  return at >= 0 ? process.argv[at + 1] : fallback;
};
const root = normalize(option('--root', join(here, '..', 'build-web', 'site')));
const port = Number(option('--port', '8080'));
const isolate = !process.argv.includes('--no-isolation');
const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.md': 'text/plain; charset=utf-8',
  '.wasm': 'application/wasm',
  '.json': 'application/json',
};

export function startServer(listenPort = port, siteRoot = root, withIsolation = isolate) {
  const server = createServer((request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    let file = normalize(join(siteRoot, path.endsWith('/') ? `${path}index.html` : path));
    if (file !== siteRoot && !file.startsWith(siteRoot + sep)) file = '';
    let size = -1;
    try {
      const info = statSync(file);
      if (info.isFile()) size = info.size;
    } catch {
      // Not there: answered below.
    }
    const headers = { 'Cache-Control': 'no-cache' };
    if (withIsolation) {
      headers['Cross-Origin-Opener-Policy'] = 'same-origin';
      headers['Cross-Origin-Embedder-Policy'] = 'require-corp';
    }
    if (size < 0) {
      response.writeHead(404, { ...headers, 'Content-Type': 'text/plain' });
      response.end('not found\n');
      return;
    }
    response.writeHead(200, {
      ...headers,
      'Content-Type': types[extname(file)] || 'application/octet-stream',
      'Content-Length': size,
    });
    createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => {
    server.listen(listenPort, '127.0.0.1', () => resolve(server));
  });
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const server = await startServer();
  console.log(`playground on http://127.0.0.1:${server.address().port}/ (serving ${root})`);
}

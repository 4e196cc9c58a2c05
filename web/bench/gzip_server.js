// The server of the benches: the built site on a free port of 127.0.0.1, served as static hosts
// serve it, so that the times measured are the times a player meets. Everything but the icons
// goes gzip to a browser that accepts it (a host compresses once and keeps the result), and
// every file may be kept 10 minutes, as GitHub Pages allows (max-age=600), so that a returning
// visit can be served from the browser's caches. `served` lists the path of every request that
// reached the server, in order: what the caches did not serve.
import { readFile } from 'node:fs/promises';
import { createServer } from 'node:http';
import path from 'node:path';
import { gzipSync } from 'node:zlib';
import { contentTypes, webDir } from '../tests/page.js';

export async function startGzipServer(folder = webDir) {
  const compressed = new Map();
  const gzipped = async (file) => {
    if (!compressed.has(file)) compressed.set(file, gzipSync(await readFile(file)));
    return compressed.get(file);
  };
  const served = [];
  const server = createServer(async (request, response) => {
    const pathname = new URL(request.url, 'http://localhost').pathname.replace(/\/$/, '/index.html');
    served.push(pathname);
    const file = path.join(folder, pathname);
    const type = contentTypes[path.extname(file)] ?? 'application/octet-stream';
    const body = await readFile(file).catch(() => null);
    if (!body) return response.writeHead(404).end();
    const headers = { 'Content-Type': type, 'Cache-Control': 'max-age=600', Vary: 'Accept-Encoding' };
    if (type === 'image/png' || !/\bgzip\b/.test(request.headers['accept-encoding'] ?? '')) {
      return response.writeHead(200, headers).end(body);
    }
    response.writeHead(200, { ...headers, 'Content-Encoding': 'gzip' }).end(await gzipped(file));
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { server, served, url: `http://127.0.0.1:${server.address().port}/` };
}

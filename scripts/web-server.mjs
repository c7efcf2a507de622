// A static file server for the site in dist/web, on 127.0.0.1 only.
//
//   node scripts/web-server.mjs [FOLDER] [PORT]   (port 0: any free one)
//
// Prints the address once it listens. The tests import serve() instead.
import {createServer} from 'node:http';
import {readFile} from 'node:fs/promises';
import {extname, join, normalize, resolve} from 'node:path';
import {fileURLToPath} from 'node:url';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
  '.png': 'image/png',
  '.css': 'text/css; charset=utf-8',
};

// Resolves to the listening server; its address is server.address().
export function serve(folder, port = 0) {
  const root = resolve(folder);
  const server = createServer(async (request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    const file = normalize(join(root, path.endsWith('/') ? `${path}index.html` : path));
    if (!file.startsWith(root)) {
      response.writeHead(403).end();
      return;
    }
    try {
      const body = await readFile(file);
      response.writeHead(200, {'Content-Type': types[extname(file)] || 'application/octet-stream'});
      response.end(body);
    } catch {
      response.writeHead(404, {'Content-Type': 'text/plain'}).end('not found\n');
    }
  });
  return new Promise((done, fail) => {
    server.once('error', fail);
    server.listen(port, '127.0.0.1', () => done(server));
  });
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const folder = process.argv[2] || 'dist/web';
  const server = await serve(folder, Number(process.argv[3] || 8080));
  console.log(`Serving ${resolve(folder)} at http://127.0.0.1:${server.address().port}/`);
}

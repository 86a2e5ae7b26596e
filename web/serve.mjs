// A static file server for the playground, on 127.0.0.1 only: it serves the
// files of one folder and nothing else. Usage: node serve.mjs FOLDER [PORT]
// (PORT 0 takes a free one); prints the address to open.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize, resolve, sep } from 'node:path';

const TYPES = {
    '.html': 'text/html; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.mjs': 'text/javascript; charset=utf-8',
    '.css': 'text/css; charset=utf-8',
    '.json': 'application/json',
    '.png': 'image/png',
};

export function serve(folder, port = 0) {
    const root = resolve(folder);
    const server = createServer(async (request, response) => {
        const path = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
        const file = normalize(join(root, path.endsWith('/') ? path + 'index.html' : path));
        try {
            if (!file.startsWith(root + sep)) throw new Error('outside the folder');
            const body = await readFile(file);
            response.writeHead(200, {
                'Content-Type': TYPES[extname(file)] || 'application/octet-stream',
                'Cache-Control': 'no-store',
                // A cross-origin isolated page gets the browser's finer clock,
                // which the time of a call needs.
                'Cross-Origin-Opener-Policy': 'same-origin',
                'Cross-Origin-Embedder-Policy': 'require-corp',
            });
            response.end(body);
        } catch {
            response.writeHead(404, { 'Content-Type': 'text/plain' });
            response.end('not found\n');
        }
    });
    return new Promise((done) =>
        server.listen(port, '127.0.0.1', () => done({ server, url: `http://127.0.0.1:${server.address().port}/` })));
}

if (import.meta.url === `file://${process.argv[1]}`) {
    const [folder, port] = process.argv.slice(2);
    if (!folder) {
        console.error('usage: node serve.mjs FOLDER [PORT]');
        process.exit(2);
    }
    const { url } = await serve(folder, Number(port ?? 8025));
    console.log(`The playground is at ${url} (Ctrl-C stops the server)`);
}

// A localhost server for the picture test: serves the page and three.js from this folder,
// the export from the work folder, takes the page's pictures (POST /result/NAME.png) and log
// lines (POST /log), and ends when the page posts /done or after a time limit. Prints its
// port on the first line of stdout.
import { createServer } from 'node:http';
import { readFile, writeFile } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';

const [pageDir, workDir, seconds] = process.argv.slice(2);
const types = { '.html': 'text/html', '.js': 'text/javascript', '.mjs': 'text/javascript',
                '.glb': 'model/gltf-binary' };
let failed = false;

// A path below `root`, or null when the request tries to leave it.
function below(root, rest) {
  const path = normalize(join(root, decodeURIComponent(rest)));
  return path.startsWith(normalize(root) + '/') ? path : null;
}

async function body(request) {
  const chunks = [];
  for await (const chunk of request) chunks.push(chunk);
  return Buffer.concat(chunks);
}

const server = createServer(async (request, response) => {
  const url = new URL(request.url, 'http://localhost');
  const route = url.pathname.match(/^\/(page|work|result|log|done)(\/.*)?$/);
  try {
    if (request.method === 'POST' && route?.[1] === 'result') {
      const name = route[2].slice(1);
      if (!/^[a-z-]+\.png$/.test(name)) throw new Error(`bad picture name ${name}`);
      await writeFile(join(workDir, name), await body(request));
    } else if (request.method === 'POST' && route?.[1] === 'log') {
      console.error(`page: ${(await body(request)).toString()}`);
    } else if (request.method === 'POST' && route?.[1] === 'done') {
      failed = (await body(request)).toString() !== 'ok';
      setImmediate(() => process.exit(failed ? 1 : 0));
    } else if (request.method === 'GET' && (route?.[1] === 'page' || route?.[1] === 'work')) {
      const path = below(route[1] === 'page' ? pageDir : workDir, route[2] ?? '/');
      if (path === null) throw new Error(`outside the served folders: ${url.pathname}`);
      response.setHeader('Content-Type', types[extname(path)] ?? 'application/octet-stream');
      response.end(await readFile(path));
      return;
    } else {
      response.statusCode = 404;
    }
    response.end();
  } catch (error) {
    console.error(`serve: ${error.message}`);
    response.statusCode = 500;
    response.end();
  }
});

server.listen(0, '127.0.0.1', () => console.log(server.address().port));
setTimeout(() => {
  console.error('serve: the page did not finish in time');
  process.exit(1);
}, Number(seconds) * 1000);

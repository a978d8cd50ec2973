// Debian's Chromium driven by playwright-core, and a folder served on 127.0.0.1: what the page's
// tests and the web benchmark share.
import fs from "node:fs/promises";
import http from "node:http";
import { createRequire } from "node:module";
import path from "node:path";

export const chromiumPath = "/usr/bin/chromium";

// The headless browser as a player's would be, less what talks to the network; the autoplay
// policy stays the browser's own, so sound waits for a gesture as it does for a player.
export const chromiumArgs = [
  "--no-sandbox",
  "--disable-gpu",
  "--disable-quic",
  "--no-first-run",
  "--disable-background-networking",
  "--disable-component-update",
  "--disable-sync",
];

// A package from the folder ./check installs the drivers in (npm ci --prefix <folder>).
export function loadPackage(nodeFolder, name) {
  const require = createRequire(path.join(path.resolve(nodeFolder), "package.json"));
  return require(name);
}

export const loadPlaywright = (nodeFolder) => loadPackage(nodeFolder, "playwright-core");

const types = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript",
  ".mjs": "text/javascript",
  ".css": "text/css",
  ".wasm": "application/wasm",
  ".json": "application/json",
  ".webmanifest": "application/manifest+json",
  ".png": "image/png",
  ".data": "application/octet-stream",
};

// Serves folder at http://127.0.0.1:<port, a free one by default>/ until stop() is called, as a
// static server would. Tests may shape the answers: pages (path to text, served instead of any
// file), missing (paths answered 404), headHook (text put first in the head of every HTML page).
export async function serve(folder, { port = 0, pages = {}, missing = [], headHook = "" } = {}) {
  const server = http.createServer(async (request, response) => {
    const name = decodeURIComponent(new URL(request.url, "http://x").pathname);
    const file = name.endsWith("/") ? `${name}index.html` : name;
    if (missing.includes(file)) {
      response.writeHead(404, { "Content-Type": "text/plain" }).end("Not Found");
      return;
    }
    let body;
    const headers = {
      "Content-Type": types[path.extname(file)] || "application/octet-stream",
      "Cache-Control": "no-cache",
    };
    if (file in pages) {
      body = Buffer.from(pages[file]);
    } else {
      try {
        const where = path.join(folder, path.normalize(file));
        // Asked again, a file that has not changed since is answered 304, as by any static server.
        headers["Last-Modified"] = (await fs.stat(where)).mtime.toUTCString();
        if (request.headers["if-modified-since"] === headers["Last-Modified"]) {
          response.writeHead(304, headers).end();
          return;
        }
        body = await fs.readFile(where);
      } catch {
        response.writeHead(404, { "Content-Type": "text/plain" }).end("Not Found");
        return;
      }
    }
    if (headHook && file.endsWith(".html")) body = Buffer.from(String(body).replace("<head>", `<head>${headHook}`));
    response.writeHead(200, headers);
    response.end(body);
  });
  await new Promise((resolve, reject) => {
    server.on("error", reject);
    server.listen(port, "127.0.0.1", resolve);
  });
  const { port: portTaken } = server.address();
  return {
    url: `http://127.0.0.1:${portTaken}/`,
    port: portTaken,
    stop: () => {
      server.close();
      server.closeAllConnections(); // a browser keeps its connections open
    },
  };
}

// Debian's Chromium driven by playwright-core, and a folder served on 127.0.0.1 by Python's own
// server: what the page's test and the web benchmark share.
import { spawn } from "node:child_process";
import { createRequire } from "node:module";
import net from "node:net";
import path from "node:path";

export const chromiumPath = "/usr/bin/chromium";

// The headless browser as a player's would be, less what talks to the network; the autoplay
// policy stays the browser's own, so sound waits for a gesture as it does for a player.
export const chromiumArgs = ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                             "--disable-background-networking", "--disable-component-update", "--disable-sync"];

// playwright-core from the folder ./check installs it in (npm ci --prefix <folder>).
export function loadPlaywright(nodeFolder) {
  const require = createRequire(path.join(path.resolve(nodeFolder), "package.json"));
  return require("playwright-core");
}

function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.on("error", reject);
    server.listen(0, "127.0.0.1", () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

// Serves folder at http://127.0.0.1:<free port>/ until stop() is called.
export async function serve(folder) {
  const port = await freePort();
  const server = spawn("python3", ["-m", "http.server", "--bind", "127.0.0.1", String(port)],
                       { cwd: folder, stdio: ["ignore", "ignore", "ignore"] });
  const url = `http://127.0.0.1:${port}/`;
  process.on("exit", () => server.kill()); // even when a failure skips stop()
  for (let i = 0; i < 100; i++) {
    if (server.exitCode !== null) throw new Error(`python3 -m http.server stopped (${server.exitCode})`);
    try {
      await fetch(url);
      return { url, stop: () => server.kill() };
    } catch {
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
  }
  server.kill();
  throw new Error(`nothing answers at ${url}`);
}

// The site installable and played offline, in Debian's Chromium: after one visit its service worker
// starts the game with no network, the manifest parses and its icons exist, a new build replaces
// the old files, and where no service worker may run the page plays all the same.
// Usage: node tests/web/offline.test.mjs <site folder> <folder with the drivers installed>
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { after, before, test } from "node:test";
import { fileURLToPath, pathToFileURL } from "node:url";

import { chromiumArgs, chromiumPath, loadPlaywright, serve } from "./browser.mjs";
import { titleDone, until, watchGame } from "./game-view.mjs";

const site = path.resolve(process.argv[2] || "build/web/site");
const { chromium } = loadPlaywright(process.argv[3] || path.join(site, "..", "node"));
const web = path.join(path.dirname(fileURLToPath(import.meta.url)), "..", "..", "web");
const otherHost = "brannoc.test"; // plain http on a name other than localhost: not a secure origin

// A copy of the site that a test may build again.
const copy = fs.mkdtempSync(path.join(os.tmpdir(), "brannoc-site-"));
fs.cpSync(site, copy, { recursive: true });

let server;
let browser;
let context;
let page;

before(async () => {
  server = await serve(copy);
  browser = await chromium.launch({
    executablePath: chromiumPath,
    headless: true,
    args: [...chromiumArgs, `--host-resolver-rules=MAP ${otherHost} 127.0.0.1`],
  });
});

after(async () => {
  await browser?.close();
  server?.stop();
  fs.rmSync(copy, { recursive: true, force: true });
});

async function startGame(p) {
  await watchGame(p);
  await p.mouse.click(300, 300);
  await until("the title", p, titleDone, 720);
}

const cacheNames = (p) => p.evaluate(() => caches.keys());
const workerCache = () =>
  fs.readFileSync(path.join(copy, "service-worker.js"), "utf8").match(/"(brannoc-[0-9a-f]+)"/)[1];

test("after one visit, a reload with the network cut starts the game", async () => {
  context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
  page = await context.newPage();
  await page.goto(server.url, { waitUntil: "load" });
  await page.waitForFunction(() => navigator.serviceWorker.controller, null, { timeout: 20000 });
  assert.deepEqual(await cacheNames(page), [workerCache()]);
  await context.setOffline(true);
  await page.reload({ waitUntil: "load" });
  await startGame(page);
  await context.setOffline(false);
});

test("the manifest parses, names the game and its icons, and every icon exists at its size", async () => {
  const cdp = await context.newCDPSession(page);
  const { errors, data } = await cdp.send("Page.getAppManifest");
  assert.deepEqual(errors, []);
  const manifest = JSON.parse(data);
  assert.equal(manifest.name, "Brannoc");
  assert.equal(manifest.display, "fullscreen");
  const sizes = manifest.icons.map((icon) => icon.sizes);
  assert.ok(sizes.includes("192x192") && sizes.includes("512x512"), `icon sizes ${sizes}`);
  // The iPhone's home-screen icon is linked from the page, not named in the manifest.
  const touchIcon = await page.evaluate(() =>
    document.querySelector("link[rel=apple-touch-icon]").getAttribute("href"),
  );
  for (const [src, size] of [...manifest.icons.map((icon) => [icon.src, icon.sizes]), [touchIcon, "180x180"]]) {
    const png = fs.readFileSync(path.join(copy, src));
    assert.equal(png.toString("latin1", 1, 4), "PNG", `${src} is no PNG`);
    assert.equal(`${png.readUInt32BE(16)}x${png.readUInt32BE(20)}`, size, src);
  }
});

test("a new build is picked up on the next visit, whole, and the old files are dropped", async () => {
  const oldCache = workerCache();
  fs.appendFileSync(path.join(copy, "page.css"), "\n#help-text { letter-spacing: 1px; }\n");
  execFileSync("cmake", [
    `-DSITE=${copy}`,
    `-DTEMPLATE=${path.join(web, "service-worker.js.in")}`,
    "-P",
    path.join(web, "service-worker.cmake"),
  ]);
  assert.notEqual(workerCache(), oldCache, "the changed file did not change the cache's name");
  // The next visit still opens the old build, which the new one replaces before the game starts.
  await page.reload({ waitUntil: "load" });
  const newBuild = () => getComputedStyle(document.querySelector("#help-text")).letterSpacing === "1px";
  await page.waitForFunction(newBuild, null, { timeout: 20000 });
  assert.deepEqual(await cacheNames(page), [workerCache()]);
  await context.setOffline(true);
  await page.reload({ waitUntil: "load" });
  assert.equal(await page.evaluate(newBuild), true, "offline, the old build came back");
  await context.close();
});

test("on plain http from a host other than localhost, where no service worker runs, the page plays; opened as a file, it says why it cannot", async () => {
  const other = await browser.newContext({ viewport: { width: 1280, height: 800 } });
  const p = await other.newPage();
  const problems = [];
  p.on("pageerror", (error) => problems.push(error.message));
  await p.goto(server.url.replace("127.0.0.1", otherHost), { waitUntil: "load" });
  assert.equal(await p.evaluate(() => window.isSecureContext), false);
  await startGame(p);
  assert.deepEqual(problems, []);
  await p.goto(pathToFileURL(path.join(copy, "index.html")).href, { waitUntil: "load" });
  await p.locator("#notice-detail", { hasText: "opened as a file" }).waitFor({ timeout: 5000 });
  await other.close();
});

// The game's pace where the browser hands out 30 display frames a second (a phone saving power, a
// browser drawing without a GPU): the page is given only every other display frame, and the game
// still plays at its own speed, as on a 60 Hz screen, in Debian's Chromium.
// Usage: node tests/web/pace.test.mjs <site folder> <folder with the drivers installed>
import assert from "node:assert/strict";
import path from "node:path";
import { after, before, test } from "node:test";

import { chromiumArgs, chromiumPath, loadPlaywright, serve } from "./browser.mjs";
import { look, sleep, tapKey, titleDone, until, waitFrames, watchGame } from "./game-view.mjs";

const site = path.resolve(process.argv[2] || "build/web/site");
const { chromium } = loadPlaywright(process.argv[3] || path.join(site, "..", "node"));

// Runs in the page before its scripts: callbacks wait for every other display frame.
function halfTheDisplayFrames() {
  const displayFrame = window.requestAnimationFrame.bind(window);
  const waiting = new Map();
  let nextId = 1;
  let skip = false;
  const tick = (time) => {
    skip = !skip;
    if (!skip) {
      const due = [...waiting.values()];
      waiting.clear();
      for (const callback of due) callback(time);
    }
    displayFrame(tick);
  };
  displayFrame(tick);
  window.requestAnimationFrame = (callback) => {
    waiting.set(nextId, callback);
    return nextId++;
  };
  window.cancelAnimationFrame = (id) => waiting.delete(id);
}

let server;
let browser;

before(async () => {
  server = await serve(site);
  browser = await chromium.launch({ executablePath: chromiumPath, args: chromiumArgs, headless: true });
});

after(async () => {
  await browser?.close();
  server?.stop();
});

// Into play, a 100 ms tap of Down, then a mug poured on the middle bar: the bar the tap reached,
// and the mug's speed in pixels a second of wall-clock time, until it stops or leaves the view.
async function play(initScript) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
  if (initScript) await context.addInitScript(initScript);
  const page = await context.newPage();
  page.keyDown = (code) => page.keyboard.down(code);
  page.keyUp = (code) => page.keyboard.up(code);
  await page.goto(server.url, { waitUntil: "load" });
  await watchGame(page);
  await page.mouse.click(300, 300);
  await until("the title", page, titleDone, 720);
  await tapKey(page, "Enter");
  await until("the help page", page, (view) => view.helpPanel > 2000, 180);
  await tapKey(page, "Enter");
  await until("play", page, (view) => view.bar === 1 && view.helpPanel === 0, 180);
  await waitFrames(page, 18);
  await tapKey(page, "ArrowDown", 100);
  await sleep(1000);
  const bar = (await look(page)).bar;
  await tapKey(page, "Space");
  await until("a full mug on the middle bar", page, (view) => view.mugs[1] !== null, 240);
  // The mug's left edge, once it is clear of where the view begins, until it stops or is gone.
  const track = [];
  for (const start = Date.now(); Date.now() - start < 1200;) {
    const x = (await look(page)).mugs[1];
    if (x === null || (track.length && x < track.at(-1).x - 20)) break; // caught, or gone
    if (x > 205) track.push({ x, at: Date.now() });
    await sleep(30);
  }
  await context.close();
  const [first, last] = [track[0], track.at(-1)];
  assert.ok(
    first && last.at - first.at >= 300,
    `the mug was seen sliding for ${first ? last.at - first.at : 0} ms only`,
  );
  return { bar, speed: ((last.x - first.x) * 1000) / (last.at - first.at) };
}

test("with every other display frame, a full mug slides as fast as at 60 Hz and a 100 ms tap moves one bar", async (t) => {
  const full = await play(null);
  const half = await play(halfTheDisplayFrames);
  t.diagnostic(`mug speed ${full.speed.toFixed(0)} px/s at 60 Hz, ${half.speed.toFixed(0)} px/s at 30 Hz`);
  assert.equal(full.bar, 2);
  assert.equal(half.bar, 2, "a 100 ms tap at 30 Hz");
  assert.ok(
    half.speed >= full.speed * 0.9,
    `the mug slid at ${half.speed.toFixed(0)} px/s against ${full.speed.toFixed(0)}`,
  );
});

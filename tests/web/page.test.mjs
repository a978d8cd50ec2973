// The page in a real browser: Debian's Chromium, headless, on the built site served from 127.0.0.1.
// Usage: node tests/web/page.test.mjs <site folder> [<folder with playwright-core installed>]
// What the game shows is read from its own 800x600 frame (the run's brannoc.frame canvas).
import assert from "node:assert/strict";
import path from "node:path";
import { after, before, test } from "node:test";

import { chromiumArgs, chromiumPath, loadPlaywright, serve } from "./browser.mjs";

const site = path.resolve(process.argv[2] || "build/web/site");
const { chromium } = loadPlaywright(process.argv[3] || path.join(site, "..", "node"));

// Where the bartender stands at each bar and where its mugs slide (the game's bar layout).
const bars = [
  { baseX: 75, baseY: 110, mugY: 120 },
  { baseX: 40, baseY: 265, mugY: 275 },
  { baseX: 10, baseY: 430, mugY: 440 },
];
const sounds = { letter: 125, blast: 131 };

let server;
let browser;
let page;
const problems = []; // page errors and console errors, from every page but the broken site's

function watchProblems(p) {
  p.on("pageerror", (error) => problems.push(`page error: ${error.message}`));
  p.on("console", (message) => {
    if (message.type() === "error") problems.push(`console error: ${message.text()}`);
  });
}

before(async () => {
  server = await serve(site);
  browser = await chromium.launch({ executablePath: chromiumPath, args: chromiumArgs, headless: true });
});

after(async () => {
  await browser?.close();
  server?.stop();
});

async function openPage(contextOptions) {
  const context = await browser.newContext(contextOptions);
  const p = await context.newPage();
  watchProblems(p);
  await p.goto(server.url, { waitUntil: "load" });
  // Frame times, sounds and activation changes, as the game reports them to the page.
  await p.evaluate(() => {
    const seen = (window.seen = { frames: 0, sounds: [], activations: [] });
    Object.assign(window.brannocWatch, {
      frame: () => seen.frames++,
      sound: (id) => seen.sounds.push(id),
      activated: (on) => seen.activations.push(on),
    });
  });
  return p;
}

// What the game's frame shows, in counts of pixels of a kind in the places that tell.
function look(p) {
  return p.evaluate((bars) => {
    const frame = window.brannocWatch.run && window.brannocWatch.run.brannoc.frame;
    if (!frame) return null;
    const data = frame.getContext("2d").getImageData(0, 0, 800, 600).data;
    const count = (x0, y0, x1, y1, kind) => {
      let n = 0;
      for (let y = y0; y < y1; y++) {
        for (let x = x0; x < x1; x++) {
          const i = (y * 800 + x) * 4;
          if (kind(data[i], data[i + 1], data[i + 2])) n++;
        }
      }
      return n;
    };
    const lit = (r, g, b) => r + g + b > 60;
    const apron = (r, g, b) => r >= 200 && g >= 200 && b >= 200;
    const beer = (r, g, b) => Math.abs(r - 240) <= 8 && Math.abs(g - 168) <= 8 && Math.abs(b - 40) <= 8;
    const bartender = bars.map((bar) => count(bar.baseX + 35, bar.baseY + 12, bar.baseX + 100, bar.baseY + 138, apron));
    // The left edge of any full mug out on each bar, clear of the bartender's hands.
    const mugs = bars.map((bar) => {
      for (let x = 200; x < 700; x++) {
        if (count(x, bar.mugY, x + 1, bar.mugY + 52, beer) > 0) return x;
      }
      return null;
    });
    return {
      sign: count(60, 260, 740, 306, lit), // the lower half of the sign's letters
      cursorAtEnd: count(265, 376, 273, 389, lit), // the cursor's block after the typed line's last cell
      helpPanel: count(500, 460, 680, 520, (r, g, b) => b > 150 && r < 60 && g < 60), // the credits' blue
      belowTitle: count(300, 450, 700, 560, lit), // black on the title, but for a blast's grey flash
      bar: bartender.filter((n) => n > 300).length === 1 ? bartender.findIndex((n) => n > 300) + 1 : 0,
      mugs,
    };
  }, bars);
}

async function until(what, p, accept, timeoutMs) {
  const start = Date.now();
  let last;
  while (Date.now() - start < timeoutMs) {
    last = await look(p);
    if (last && accept(last)) return { seen: last, ms: Date.now() - start };
    await p.waitForTimeout(40);
  }
  assert.fail(`${what}: not seen within ${timeoutMs} ms (last seen ${JSON.stringify(last)})`);
}

async function tapKey(p, key, ms = 100) {
  await p.keyboard.down(key);
  await p.waitForTimeout(ms);
  await p.keyboard.up(key);
}

const titleDone = (seen) => seen.sign > 8000 && seen.cursorAtEnd > 90 && seen.belowTitle === 0 && seen.helpPanel === 0;
const seen = (p) => p.evaluate(() => window.seen);

async function framesOver(p, ms) {
  const before = (await seen(p)).frames;
  await p.waitForTimeout(ms);
  return (await seen(p)).frames - before;
}

function setVisible(p, visible) {
  return p.evaluate((visible) => {
    Object.defineProperty(document, "visibilityState", { configurable: true, get: () => (visible ? "visible" : "hidden") });
    Object.defineProperty(document, "hidden", { configurable: true, get: () => !visible });
    document.dispatchEvent(new Event("visibilitychange"));
  }, visible);
}

test("the page opens on black with how to start; neither the key that starts the game nor Alt+Enter is the game's", async (t) => {
  page = await openPage({ viewport: { width: 1280, height: 800 } });
  assert.match(await page.locator("#notice-text").innerText(), /key, click or tap to start/);
  assert.equal(await page.title(), "Brannoc");
  await page.waitForTimeout(300);
  assert.equal(await page.evaluate(() => window.brannocWatch.run === null), true, "the game started before any gesture");
  // Enter would move the title on to the help page at once, were it the game's.
  const started = Date.now();
  await tapKey(page, "Enter", 300);
  // Alt+Enter is the page's, in and out of full screen: its Enter too would move the title on.
  const fullScreen = () => page.evaluate(() => document.fullscreenElement && document.fullscreenElement.id);
  await page.keyboard.press("Alt+Enter");
  await page.waitForFunction(() => document.fullscreenElement);
  assert.equal(await fullScreen(), "stage");
  await page.keyboard.press("Alt+Enter");
  await page.waitForFunction(() => !document.fullscreenElement);
  await until("the title's sign with its typed line", page, titleDone, 12000);
  const ms = Date.now() - started;
  assert.ok(ms > 2000, `the typed line was complete ${ms} ms after the start`);
  t.diagnostic(`the typed line complete ${ms} ms after the start`);
});

test("sound starts after the gesture: the page's audio runs and the title's sounds were started", async () => {
  const state = await page.evaluate(() => window.brannocWatch.run.SDL2 && window.brannocWatch.run.SDL2.audioContext.state);
  assert.equal(state, "running");
  const { sounds: started } = await seen(page);
  assert.ok(started.includes(sounds.blast) && started.includes(sounds.letter), `sounds started: ${started}`);
});

test("a key goes to help and one to play, and the game's keys act on the game only", async () => {
  await page.evaluate(() => {
    window.keysLeftToPage = [];
    document.addEventListener("keydown", (event) => event.defaultPrevented || window.keysLeftToPage.push(event.code));
  });
  await tapKey(page, "Space");
  await until("the help page", page, (seen) => seen.helpPanel > 2000, 3000);
  await tapKey(page, "Enter");
  await until("play, the bartender at the top bar", page, (seen) => seen.bar === 1 && seen.helpPanel === 0, 3000);
  assert.deepEqual(await page.evaluate(() => window.keysLeftToPage), []);
});

test("a 100 ms tap of Down moves the bartender exactly one bar", async () => {
  await page.waitForTimeout(300);
  await tapKey(page, "ArrowDown", 100);
  await page.waitForTimeout(1000);
  assert.equal((await look(page)).bar, 2);
});

test("Space pours a mug that slides along the bar", async () => {
  await tapKey(page, "Space");
  const { seen: poured } = await until("a full mug on the middle bar", page, (seen) => seen.mugs[1] !== null, 4000);
  await page.waitForTimeout(300);
  const later = (await look(page)).mugs[1];
  assert.ok(later !== null && later > poured.mugs[1] + 10, `the mug went from x ${poured.mugs[1]} to ${later}`);
});

test("a hidden page stops the frames and a visible one resumes them where they were", async () => {
  await setVisible(page, false);
  await page.waitForTimeout(300);
  assert.equal(await framesOver(page, 700), 0, "frames while hidden");
  assert.equal((await seen(page)).activations.at(-1), false);
  await setVisible(page, true);
  await page.waitForTimeout(300);
  assert.ok((await framesOver(page, 700)) > 20, "frames once visible again");
  assert.equal((await seen(page)).activations.at(-1), true);
  assert.equal((await look(page)).bar, 2);
});

test("Escape in play ends the game, and Play again starts the title afresh", async () => {
  await page.evaluate(() => {
    window.firstRun = window.brannocWatch.run;
  });
  await tapKey(page, "Escape", 300);
  await page.locator("#again").waitFor({ state: "visible", timeout: 5000 });
  assert.match(await page.locator("#notice-text").innerText(), /ended/);
  const again = Date.now();
  await page.locator("#again").click();
  assert.equal(await page.evaluate(() => document.activeElement === document.body), true, "a button kept the keys");
  await until("the title afresh", page, titleDone, 12000);
  const ms = Date.now() - again;
  assert.ok(ms > 2000, `the typed line was complete ${ms} ms after Play again`);
  assert.equal(await page.evaluate(() => window.brannocWatch.run !== window.firstRun), true, "the same run");
});

test("on a touch screen the page shows the keys, and a tap on down moves the bartender one bar", async () => {
  const phone = await openPage({ viewport: { width: 390, height: 844 }, hasTouch: true, isMobile: true, deviceScaleFactor: 2 });
  const down = phone.getByRole("button", { name: "down" });
  const enter = phone.getByRole("button", { name: "enter" });
  assert.ok(await down.isVisible());
  const picture = await phone.locator("#picture").boundingBox();
  const keys = await down.boundingBox();
  assert.ok(keys.y >= picture.y + picture.height, "the keys lie under the picture");
  await phone.touchscreen.tap(picture.x + picture.width / 2, picture.y + picture.height / 2);
  await until("the title", phone, titleDone, 12000);
  await enter.tap();
  await until("the help page", phone, (seen) => seen.helpPanel > 2000, 3000);
  await enter.tap();
  await until("play", phone, (seen) => seen.bar === 1, 3000);
  await phone.waitForTimeout(300);
  await down.tap();
  await phone.waitForTimeout(1000);
  assert.equal((await look(phone)).bar, 2);
  await phone.context().close();
});

test("a file that cannot be fetched is named on the page", async () => {
  const context = await browser.newContext();
  const broken = await context.newPage();
  await broken.route("**/brannoc.data", (route) => route.fulfill({ status: 404, body: "" }));
  await broken.goto(server.url);
  await broken.locator("#notice-detail", { hasText: "brannoc.data" }).waitFor({ timeout: 5000 });
  assert.match(await broken.locator("#notice-detail").innerText(), /brannoc\.data.*404/);
  await context.close();
});

test("no page error and no console error on the way", () => {
  assert.deepEqual(problems, []);
});

// The page in a real browser, the same test in every engine: the built site served from 127.0.0.1,
// played through a thin adapter per engine (engines/<name>.mjs) that opens pages and types keys.
// Usage: node tests/web/page.test.mjs <site folder> <folder with the drivers installed> <engine>
//   <engine>: chromium, firefox or webkit. Test names begin with the engine's.
// Waits count the game's own frames, not wall-clock time: a browser that shows fewer frames a
// second (WebKit without a GPU shows about 30) plays the game slower, as a slow display would.
import assert from "node:assert/strict";
import path from "node:path";
import { after, before, test } from "node:test";

import { serve } from "./browser.mjs";
import {
  look,
  problemHook,
  seen,
  sleep,
  sounds,
  tapKey,
  titleDone,
  until,
  waitFrames,
  watchGame,
} from "./game-view.mjs";

const site = path.resolve(process.argv[2] || "build/web/site");
const nodeFolder = process.argv[3] || path.join(site, "..", "node");
const engineName = process.argv[4] || "chromium";
const { launch } = await import(`./engines/${engineName}.mjs`);

let server;
let engine;
let page;
const problems = []; // of every page but the broken site's, whose errors are meant

before(async () => {
  server = await serve(site, { headHook: problemHook });
  engine = await launch({ nodeFolder });
});

after(async () => {
  await engine?.close();
  server?.stop();
});

async function openPage(options) {
  const p = await engine.newPage(options);
  await p.goto(server.url);
  await watchGame(p);
  return p;
}

async function noteProblems(p) {
  problems.push(...p.problems(), ...(await p.evaluate(() => window.pageProblems)));
}

const named = (name) => `${engineName}: ${name}`;
const text = (p, selector) => p.evaluate((selector) => document.querySelector(selector).innerText, selector);
const fullScreenId = (p) => p.evaluate(() => document.fullscreenElement && document.fullscreenElement.id);

async function waitFor(what, p, fn, arg, ms = 5000) {
  const start = Date.now();
  while (!(await p.evaluate(fn, arg))) {
    if (Date.now() - start > ms) assert.fail(`${what}: not within ${ms} ms`);
    await sleep(40);
  }
}

test(
  named("the page opens on black with how to start; neither the key that starts the game nor Alt+Enter is the game's"),
  async (t) => {
    page = await openPage({ width: 1280, height: 800 });
    assert.match(await text(page, "#notice-text"), /key, click or tap to start/);
    assert.equal(await page.evaluate(() => document.title), "Brannoc");
    await sleep(300);
    assert.equal(
      await page.evaluate(() => window.brannocWatch.run === null),
      true,
      "the game started before any gesture",
    );
    // Enter would move the title on to the help page at once, were it the game's.
    const started = Date.now();
    await tapKey(page, "Enter", 300);
    // Alt+Enter is the page's, in and out of full screen: its Enter too would move the title on.
    await page.altEnter();
    await waitFor("full screen", page, () => !!document.fullscreenElement);
    assert.equal(await fullScreenId(page), "stage");
    await page.altEnter();
    await waitFor("full screen left", page, () => !document.fullscreenElement);
    const { view } = await until("the title's sign with its typed line", page, titleDone, 720);
    const ms = Date.now() - started;
    assert.ok(ms > 2000, `the typed line was complete ${ms} ms after the start`);
    t.diagnostic(`the typed line complete ${ms} ms after the start, at game frame ${view.frames}`);
  },
);

test(named("sound starts after the gesture: the page's audio runs and the title's sounds were started"), async (t) => {
  if (engine.cannot.sound) return t.skip(engine.cannot.sound);
  const state = await page.evaluate(
    () => window.brannocWatch.run.brannoc.audio && window.brannocWatch.run.brannoc.audio.state,
  );
  assert.equal(state, "running");
  const { sounds: started } = await seen(page);
  assert.ok(started.includes(sounds.blast) && started.includes(sounds.letter), `sounds started: ${started}`);
});

test(named("a key goes to help and one to play, and the game's keys act on the game only"), async () => {
  await page.evaluate(() => {
    window.keysLeftToPage = [];
    document.addEventListener("keydown", (event) => event.defaultPrevented || window.keysLeftToPage.push(event.code));
  });
  await tapKey(page, "Space");
  await until("the help page", page, (view) => view.helpPanel > 2000, 180);
  await tapKey(page, "Enter");
  await until("play, the bartender at the top bar", page, (view) => view.bar === 1 && view.helpPanel === 0, 180);
  assert.deepEqual(await page.evaluate(() => window.keysLeftToPage), []);
});

test(named("a 100 ms tap of Down moves the bartender exactly one bar"), async (t) => {
  const start = Date.now();
  const frames = await framesOver(page, 1000);
  const gameRate = (frames * 1000) / (Date.now() - start);
  const displayRate = await page.evaluate(
    () =>
      new Promise((resolve) => {
        let shown = 0;
        const from = performance.now();
        const count = (time) =>
          time - from >= 1000 ? resolve((shown * 1000) / (time - from)) : (shown++, requestAnimationFrame(count));
        requestAnimationFrame(count);
      }),
  );
  t.diagnostic(`in play: ${gameRate.toFixed(1)} game frames and ${displayRate.toFixed(1)} display frames a second`);
  await tapKey(page, "ArrowDown", 100);
  await waitFrames(page, 60);
  assert.equal((await look(page)).bar, 2);
});

test(named("Space pours a mug that slides along the bar, though Tab has put a button in focus"), async () => {
  await tapKey(page, "Tab");
  assert.equal(await page.evaluate(() => document.activeElement.id), "full-screen");
  await tapKey(page, "Space");
  const { view: poured } = await until("a full mug on the middle bar", page, (view) => view.mugs[1] !== null, 240);
  await waitFrames(page, 18);
  const later = (await look(page)).mugs[1];
  assert.ok(later !== null && later > poured.mugs[1] + 10, `the mug went from x ${poured.mugs[1]} to ${later}`);
  assert.equal(await fullScreenId(page), null, "the button took Space");
});

function setVisible(p, visible) {
  return p.evaluate((visible) => {
    Object.defineProperty(document, "visibilityState", {
      configurable: true,
      get: () => (visible ? "visible" : "hidden"),
    });
    Object.defineProperty(document, "hidden", { configurable: true, get: () => !visible });
    document.dispatchEvent(new Event("visibilitychange"));
  }, visible);
}

async function framesOver(p, ms) {
  const before = (await seen(p)).frames;
  await sleep(ms);
  return (await seen(p)).frames - before;
}

test(named("a hidden page stops the frames and a visible one resumes them where they were"), async () => {
  await setVisible(page, false);
  await sleep(300);
  assert.equal(await framesOver(page, 700), 0, "frames while hidden");
  assert.equal((await seen(page)).activations.at(-1), false);
  await setVisible(page, true);
  await sleep(300);
  assert.ok((await framesOver(page, 700)) > 10, "frames once visible again");
  assert.equal((await seen(page)).activations.at(-1), true);
  assert.equal((await look(page)).bar, 2);
});

test(named("Escape in play ends the game with its code 0, and Play again starts the title afresh"), async () => {
  await page.evaluate(() => {
    window.firstRun = window.brannocWatch.run;
    window.exitCodes = [];
    window.brannocWatch.exit = (code) => window.exitCodes.push(code);
  });
  await tapKey(page, "Escape", 300);
  await waitFor("Play again", page, () => !document.querySelector("#again").hidden);
  assert.match(await text(page, "#notice-text"), /ended/, await text(page, "#notice-detail"));
  assert.deepEqual(await page.evaluate(() => window.exitCodes), [0]);
  const again = Date.now();
  await page.click("#again");
  assert.equal(await page.evaluate(() => document.activeElement === document.body), true, "a button kept the keys");
  await until("the title afresh", page, titleDone, 720);
  const ms = Date.now() - again;
  assert.ok(ms > 2000, `the typed line was complete ${ms} ms after Play again`);
  assert.equal(await page.evaluate(() => window.brannocWatch.run !== window.firstRun), true, "the same run");
  await noteProblems(page);
});

test(
  named("the picture is scaled by the largest whole factor in device pixels, then letterboxed in its area"),
  async (t) => {
    if (engine.cannot.scale) return t.skip(engine.cannot.scale);
    for (const [width, height, ratio, factor] of [
      [1280, 800, 1, 1],
      [1920, 1080, 2, 3],
    ]) {
      const p = await openPage({ width, height, ratio });
      try {
        await tapKey(p, "Space");
        await waitFrames(p, 3);
        const { canvas, box, area } = await p.evaluate(() => {
          const screen = document.getElementById("screen");
          const rect = (r) => ({ x: r.x, y: r.y, width: r.width, height: r.height });
          return {
            canvas: [screen.width, screen.height],
            box: rect(screen.getBoundingClientRect()),
            area: rect(screen.parentElement.getBoundingClientRect()),
          };
        });
        const where = `${width}x${height} at ${ratio}x`;
        assert.deepEqual(canvas, [800 * factor, 600 * factor], `the whole-factor step at ${where}`);
        const fills = Math.min(area.width / 800, area.height / 600);
        assert.ok(
          Math.abs(box.width - 800 * fills) <= 1 && Math.abs(box.height - 600 * fills) <= 1,
          `the picture's box ${JSON.stringify(box)} fills ${JSON.stringify(area)} at ${where}`,
        );
        assert.ok(
          Math.abs(box.x - area.x - (area.width - box.width) / 2) <= 1 &&
            Math.abs(box.y - area.y - (area.height - box.height) / 2) <= 1,
          `centred at ${where}`,
        );
        await noteProblems(p);
      } finally {
        await p.close();
      }
    }
  },
);

test(named("on a touch screen: the keys shown, a tap on the picture moves on, one on down moves a bar"), async (t) => {
  if (engine.cannot.touch) return t.skip(engine.cannot.touch);
  const phone = await openPage({ width: 390, height: 844, touch: true });
  try {
    const box = (selector) =>
      phone.evaluate((selector) => {
        const { x, y, width, height } = document.querySelector(selector).getBoundingClientRect();
        return { x, y, width, height };
      }, selector);
    const picture = await box("#picture");
    const keys = await box("#pad-move");
    assert.ok(keys.height > 0 && keys.y >= picture.y + picture.height, "the keys lie under the picture");
    await phone.touch("#picture");
    await until("the title", phone, titleDone, 720);
    await phone.touch("#picture");
    await until("the help page", phone, (view) => view.helpPanel > 2000, 180);
    await phone.touch("[aria-label=enter]");
    await until("play", phone, (view) => view.bar === 1, 180);
    await waitFrames(phone, 18);
    await phone.touch("[aria-label=down]");
    await waitFrames(phone, 60);
    assert.equal((await look(phone)).bar, 2);
    await noteProblems(phone);
  } finally {
    await phone.close();
  }
});

test(named("a file that cannot be fetched is named on the page"), async () => {
  // The same page, sent to the site with a file missing: WebKit's driver has one page at a time.
  const brokenSite = await serve(site, { missing: ["/brannoc.data"] });
  try {
    await page.goto(brokenSite.url);
    await waitFor("the missing file named", page, () =>
      /brannoc\.data/.test(document.querySelector("#notice-detail").innerText),
    );
    assert.match(await text(page, "#notice-detail"), /brannoc\.data.*404/);
  } finally {
    brokenSite.stop();
  }
});

test(named("no page error and no console error on the way"), () => {
  assert.deepEqual(problems, []);
});

// What the tests read of the game, in whatever engine drives the page: the game's own 800x600
// frame counted in pixels of a kind where they tell, and the frames, sounds and activation changes
// the game reports to the page (window.brannocWatch). The functions run in the page.
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import path from "node:path";

// Where the bartender stands at each bar and where its mugs slide, as the build wrote the game's
// table beside the site, and the title's two sounds, read from the game's own source.
const source = (file) => readFileSync(new URL(`../../${file}`, import.meta.url), "utf8");
const site = path.resolve(process.argv[2] || "build/web/site");
export const bars = JSON.parse(readFileSync(path.join(site, "..", "bars.json"), "utf8"));
const titleSound = (name) =>
  Number(source("src/screens/title_screen.cpp").match(new RegExp(`${name}Wave = (\\d+)`))[1]);
export const sounds = { letter: titleSound("letter"), blast: titleSound("blast") };
assert.equal(bars.length, 3);

// Recorded by the page itself from its first script on: errors and console errors reach a test
// this way in every engine, WebDriver classic's too.
export const problemHook = `<script>
window.pageProblems = [];
addEventListener("error", (event) => pageProblems.push("page error: " + event.message));
addEventListener("unhandledrejection", (event) => pageProblems.push("unhandled rejection: " + event.reason));
console.error = ((error) => (...args) => { pageProblems.push("console error: " + args.join(" ")); error.apply(console, args); })(console.error);
</script>`;

// Starts counting what the game reports; done right after the page loads.
export function watchGame(page) {
  return page.evaluate(() => {
    const seen = (window.seen = { frames: 0, sounds: [], activations: [] });
    Object.assign(window.brannocWatch, {
      frame: () => seen.frames++,
      sound: (id) => seen.sounds.push(id),
      activated: (on) => seen.activations.push(on),
    });
  });
}

export const seen = (page) => page.evaluate(() => window.seen);

// What the game's frame shows, in counts of pixels of a kind in the places that tell.
export function look(page) {
  return page.evaluate((bars) => {
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
      frames: window.seen ? window.seen.frames : 0,
    };
  }, bars);
}

export const titleDone = (view) =>
  view.sign > 8000 && view.cursorAtEnd > 90 && view.belowTitle === 0 && view.helpPanel === 0;

export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Waits for the game to show what accept takes, for at most `frames` of the game's own frames
// (a slow display makes fewer of them a second), and at most 100 ms a frame, should they stop.
export async function until(what, page, accept, frames) {
  const start = Date.now();
  let first = null;
  let last;
  for (;;) {
    last = await look(page);
    if (last && accept(last)) return { view: last, ms: Date.now() - start };
    first ??= last && last.frames;
    const framesGone = last && first !== null ? last.frames - first : 0;
    if (framesGone > frames || Date.now() - start > frames * 100) break;
    await sleep(40);
  }
  assert.fail(`${what}: not seen within ${frames} frames of the game (last seen ${JSON.stringify(last)})`);
}

// Waits until the game has shown n more frames: at most 100 ms a frame, and five seconds more for
// the first of them, which on a page just opened also pays for the game's start.
export async function waitFrames(page, n) {
  const from = (await seen(page)).frames;
  const start = Date.now();
  while ((await seen(page)).frames < from + n) {
    if (Date.now() - start > 5000 + n * 100) assert.fail(`${n} frames of the game did not come`);
    await sleep(15);
  }
}

// Holds a key for ms, as a player's tap.
export async function tapKey(page, code, ms = 100) {
  await page.keyDown(code);
  await sleep(ms);
  await page.keyUp(code);
}

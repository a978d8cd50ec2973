// The site inside a game site's frame: a parent page on another port of 127.0.0.1 (another origin)
// shows index.html in an iframe, as game sites do, in Debian's Chromium.
// Usage: node tests/web/frame.test.mjs <site folder> <folder with the drivers installed>
import assert from "node:assert/strict";
import path from "node:path";
import { after, before, test } from "node:test";

import { chromiumArgs, chromiumPath, loadPlaywright, serve } from "./browser.mjs";
import { look, problemHook, tapKey, titleDone, until, waitFrames, watchGame } from "./game-view.mjs";

const site = path.resolve(process.argv[2] || "build/web/site");
const { chromium } = loadPlaywright(process.argv[3] || path.join(site, "..", "node"));

// A page longer than the window, which keys would scroll, with the game in a frame at its top.
const parentPage = (gameUrl, allow) => `<!doctype html><html><head><title>Games</title></head>
<body style="margin: 0; height: 4000px; background: #234">
<p id="outside" style="margin: 0; height: 60px; color: #fff">Games</p>
<iframe id="game" src="${gameUrl}" ${allow} style="width: 820px; height: 640px; border: 0"></iframe>
</body></html>`;

let siteServer;
let parentServer;
let browser;

before(async () => {
  siteServer = await serve(site, { headHook: problemHook });
  parentServer = await serve(site, {
    pages: {
      "/allowed.html": parentPage(siteServer.url, 'allow="fullscreen; autoplay; gamepad"'),
      "/refused.html": parentPage(siteServer.url, 'allow="autoplay; gamepad"'),
    },
  });
  browser = await chromium.launch({ executablePath: chromiumPath, args: chromiumArgs, headless: true });
});

after(async () => {
  await browser?.close();
  siteServer?.stop();
  parentServer?.stop();
});

// The parent page, and the game's frame as the tests' helpers drive a page.
async function openParent(name) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
  const parent = await context.newPage();
  await parent.goto(`${parentServer.url}${name}`, { waitUntil: "load" });
  const frame = parent.frame({ url: siteServer.url });
  await frame.waitForFunction(() => window.brannocWatch);
  await watchGame(frame);
  frame.keyDown = (code) => parent.keyboard.down(code);
  frame.keyUp = (code) => parent.keyboard.up(code);
  return { parent, frame };
}

const scrolled = (parent) => parent.evaluate(() => window.scrollY);
// A click on the picture, in the frame, as a player's mouse makes it.
const clickGame = (parent) => parent.mouse.click(400, 360);

let parent;
let frame;

test("a click in the frame starts the game, and its keys act on the game and never scroll the site", async () => {
  ({ parent, frame } = await openParent("allowed.html"));
  assert.equal(await frame.evaluate(() => window.brannocWatch.run), null);
  await clickGame(parent);
  await until("the title", frame, titleDone, 720);
  for (const code of ["Space", "Enter"]) {
    await tapKey(frame, code);
    await waitFrames(frame, 30);
  }
  await until("play, the bartender at the top bar", frame, (view) => view.bar === 1, 180);
  await tapKey(frame, "ArrowDown");
  await waitFrames(frame, 30);
  assert.equal((await look(frame)).bar, 2);
  for (const code of ["Space", "ArrowDown", "PageDown", "End"]) await tapKey(frame, code);
  await waitFrames(frame, 10);
  assert.equal(await scrolled(parent), 0, "the site scrolled");
});

test("after a click on the site around the frame and one back in it, the keys reach the game again", async () => {
  const moved = async () => {
    const bar = (await look(frame)).bar;
    await tapKey(frame, "ArrowDown");
    await waitFrames(frame, 30);
    return (await look(frame)).bar === (bar % 3) + 1;
  };
  // The game hears of the focus in its own time.
  const active = (on) =>
    frame
      .waitForFunction((on) => window.seen.activations.at(-1) === on, on, { timeout: 3000 })
      .then(
        () => true,
        () => false,
      );
  await parent.click("#outside");
  assert.equal(await frame.evaluate(() => document.hasFocus()), false, "the frame kept the focus");
  assert.ok(await active(false), "the game did not see the focus go");
  await clickGame(parent);
  assert.ok(await active(true), "the game did not see the focus come back");
  assert.ok(await moved(), "Down did not move the bartender after a click on the picture");
  // The page's buttons keep a click from moving the focus: in a frame, one still brings it back.
  await parent.click("#outside");
  await frame.locator("#full-screen").click();
  await frame.waitForFunction(() => document.fullscreenElement && document.fullscreenElement.id === "stage");
  assert.ok(await active(true), "the game did not see the focus come back with a click on a button");
  assert.ok(await moved(), "Down did not move the bartender after a click on the full-screen button");
  await parent.keyboard.press("Alt+Enter");
  await frame.waitForFunction(() => !document.fullscreenElement);
});

test("Alt+Enter in a frame that allows it takes the frame's page full screen, and back", async () => {
  await parent.keyboard.press("Alt+Enter");
  await frame.waitForFunction(() => document.fullscreenElement && document.fullscreenElement.id === "stage");
  await parent.keyboard.press("Alt+Enter");
  await frame.waitForFunction(() => !document.fullscreenElement);
  assert.doesNotMatch(await frame.locator("#help-text").innerText(), /full screen:|No full screen/i);
});

test("once the game has ended, the keys still never scroll the site", async () => {
  await tapKey(frame, "Escape", 300);
  await frame.locator("#again").waitFor({ state: "visible", timeout: 5000 });
  for (const code of ["Space", "ArrowDown", "PageDown", "End"]) await tapKey(frame, code);
  await parent.waitForTimeout(300);
  assert.equal(await scrolled(parent), 0, "the site scrolled");
});

test("in a frame that does not allow full screen, the page says why, and Alt+Enter leaves the game be", async () => {
  const refused = await openParent("refused.html");
  await clickGame(refused.parent);
  await until("the title", refused.frame, titleDone, 720);
  assert.match(await refused.frame.locator("#help-text").innerText(), /page this game is shown in does not allow it/);
  assert.equal(await refused.frame.locator("#full-screen").isVisible(), false);
  await refused.parent.keyboard.press("Alt+Enter");
  await waitFrames(refused.frame, 30);
  assert.equal(await refused.frame.evaluate(() => document.fullscreenElement), null);
  assert.equal((await look(refused.frame)).helpPanel, 0, "Alt+Enter's Enter moved the title on to help");
  await refused.parent.context().close();
});

test("no page error and no console error in the frame", async () => {
  assert.deepEqual(await frame.evaluate(() => window.pageProblems), []);
  await parent.context().close();
});

// The page through the web's audits in Debian's Chromium, at 1280x800 and on a narrow touch screen:
// on the page a first visit opens, on the game's title and in play, Lighthouse's accessibility,
// best practices and SEO score 1, axe-core finds no violation and nothing keeps the site from
// being installed; the picture is named for what it shows, and every button is reached with Tab.
// Lighthouse's performance is noisy on a shared machine: its failing audits are named, not judged.
// Usage: node tests/web/audits.test.mjs <site folder> <folder with the drivers installed>
import assert from "node:assert/strict";
import { createRequire } from "node:module";
import path from "node:path";
import { after, before, test } from "node:test";
import { pathToFileURL } from "node:url";

import { chromiumArgs, chromiumPath, loadPackage, serve } from "./browser.mjs";
import { tapKey, titleDone, until, watchGame } from "./game-view.mjs";

const site = path.resolve(process.argv[2] || "build/web/site");
const nodeFolder = process.argv[3] || path.join(site, "..", "node");
const lighthousePath = createRequire(path.join(path.resolve(nodeFolder), "package.json")).resolve("lighthouse");
const { navigation, snapshot, desktopConfig } = await import(pathToFileURL(lighthousePath));
// Lighthouse is handed pages of the puppeteer it was made with.
const puppeteer = createRequire(lighthousePath)("puppeteer-core");
const axeSource = loadPackage(nodeFolder, "axe-core").source;

const judged = ["accessibility", "best-practices", "seo"];
// The screens, set on the page itself: Lighthouse's own emulation ends with its navigation.
const desktop = { width: 1280, height: 800, deviceScaleFactor: 1, isMobile: false, hasTouch: false };
const phone = { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
const lighthouseFlags = (screen) => ({
  screenEmulation: { disabled: true },
  formFactor: screen.isMobile ? "mobile" : "desktop",
});

let server;
let browser;
const started = Date.now();

before(async () => {
  server = await serve(site);
  browser = await puppeteer.launch({ executablePath: chromiumPath, args: chromiumArgs, headless: true });
});

after(async () => {
  await browser?.close();
  server?.stop();
});

// What the game's views of the page need of it.
const driven = (page) => ({
  evaluate: (fn, arg) => page.evaluate(fn, arg),
  keyDown: (code) => page.keyboard.down(code),
  keyUp: (code) => page.keyboard.up(code),
});

// Lighthouse's scores of a report, and its failing audits in one category, by id.
const scores = (lhr) => Object.fromEntries(Object.entries(lhr.categories).map(([id, c]) => [id, c.score]));
const failing = (lhr, category) =>
  lhr.categories[category].auditRefs
    .map((ref) => lhr.audits[ref.id])
    .filter((audit) => audit.score !== null && audit.score < 1 && audit.scoreDisplayMode !== "informative")
    .map((audit) => audit.id);

// Everything but Lighthouse's performance, where the page stands now; what fails, by name.
async function audit(t, where, page, lhr) {
  const problems = judged.flatMap((id) => failing(lhr, id).map((audit) => `${id}: ${audit}`));
  const { violations } = await page.evaluate(
    (source) => (window.axe || (0, eval)(source), window.axe.run(document, { resultTypes: ["violations"] })),
    axeSource,
  );
  problems.push(...violations.map((v) => `axe: ${v.id} (${v.nodes.map((node) => node.target).join(", ")})`));
  const cdp = await page.createCDPSession();
  const { installabilityErrors } = await cdp.send("Page.getInstallabilityErrors");
  await cdp.detach();
  problems.push(...installabilityErrors.map((error) => `installability: ${error.errorId}`));
  const performance = lhr.categories.performance;
  const slow = performance ? ` (performance ${performance.score}: ${failing(lhr, "performance").join(", ")})` : "";
  t.diagnostic(`${where}: ${JSON.stringify(scores(lhr))}${slow}`);
  assert.deepEqual(problems, [], `${where}: what the audits found`);
}

// A new page on that screen, and Lighthouse's report of a first visit there, which times its load.
async function firstVisit(screen) {
  const page = await browser.newPage();
  await page.setViewport(screen);
  const config = screen.isMobile ? undefined : desktopConfig;
  const { lhr } = await navigation(page, server.url, { config, flags: lighthouseFlags(screen) });
  return { page, lhr };
}

// Its report of the page as it stands.
const now = async (page, screen) =>
  (await snapshot(page, { flags: { ...lighthouseFlags(screen), onlyCategories: judged } })).lhr;

let phonePage;

test("at 1280x800: the first visit, the game's title and play pass the audits", async (t) => {
  const { page, lhr } = await firstVisit(desktop);
  await audit(t, "first visit", page, lhr);
  const view = driven(page);
  await watchGame(view);
  await tapKey(view, "KeyA");
  await until("the title", view, titleDone, 720);
  await audit(t, "title", page, await now(page, desktop));
  await tapKey(view, "Enter");
  await until("the help page", view, (v) => v.helpPanel > 2000, 180);
  await tapKey(view, "Enter");
  await until("play", view, (v) => v.bar === 1 && v.helpPanel === 0, 180);
  await audit(t, "play", page, await now(page, desktop));
  await page.close();
});

test("on a 390x844 touch screen: the first visit and play pass the audits", async (t) => {
  const { page, lhr } = await firstVisit(phone);
  phonePage = page;
  await audit(t, "phone, first visit", page, lhr);
  const view = driven(page);
  await watchGame(view);
  await page.tap("#picture");
  await until("the title", view, titleDone, 720);
  await page.tap("[aria-label=enter]");
  await until("the help page", view, (v) => v.helpPanel > 2000, 180);
  await page.tap("[aria-label=enter]");
  await until("play", view, (v) => v.bar === 1, 180);
  await audit(t, "phone, play", page, await now(page, phone));
});

test("the picture is an image named for what it shows, and Tab reaches every button, each with a name", async (t) => {
  const page = phonePage;
  const named = async (handle) => {
    const node = await page.accessibility.snapshot({ root: handle, interestingOnly: false });
    return node && { role: node.role, name: node.name };
  };
  const picture = await named(await page.$("#screen"));
  assert.equal(picture.role, "image");
  assert.match(picture.name, /bartender/);
  const buttons = [];
  for (const button of await page.$$("button")) {
    if (await button.isVisible()) buttons.push(await button.evaluate((b) => b.id || b.textContent));
  }
  const reached = new Set();
  for (let i = 0; i < buttons.length + 2; i++) {
    await page.keyboard.press("Tab");
    const focused = await page.evaluateHandle(() => document.activeElement);
    if (await focused.evaluate((element) => element instanceof HTMLButtonElement)) {
      const { role, name } = await named(focused);
      assert.ok(role === "button" && name, `a button named ${JSON.stringify(name)}, as ${role}`);
      reached.add(await focused.evaluate((b) => b.id || b.textContent));
    }
  }
  assert.ok(buttons.length > 1, `the buttons shown: ${buttons}`);
  assert.deepEqual([...reached].sort(), buttons.sort());
  t.diagnostic(`the audits took ${((Date.now() - started) / 1000).toFixed(1)} s`);
});

// The page in play beside the bare web page, each in a headless Chromium of its own at 1920x1080,
// at the same time: their browsers' CPU (every process of each, from /proc), frames a second and
// 99th-percentile frame intervals over the same seconds, the game's first frame after the page's
// load, and the site's size with gzip -9. bench/web_side_by_side.sh sets it up and runs it.
// Usage: node web_side_by_side.mjs <site> <folder of bare-web-page.html> <seconds> <playwright folder>
//        <screenshots folder>
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import path from "node:path";

import { chromiumArgs, chromiumPath, loadPlaywright, serve } from "../tests/web/browser.mjs";

const [site, shared, secondsArg, nodeFolder, shots] = process.argv.slice(2);
const seconds = Number(secondsArg);
const { chromium } = loadPlaywright(nodeFolder);
const viewport = { width: 1920, height: 1080 };
const measureFrom = 8000; // ms after both pages open: the game is in play by about 6 s
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// utime + stime, in clock ticks, of every process under pid.
function treeTicks(pid) {
  const stats = new Map();
  for (const name of fs.readdirSync("/proc")) {
    if (!/^\d+$/.test(name)) continue;
    try {
      const stat = fs.readFileSync(`/proc/${name}/stat`, "utf8");
      const fields = stat.slice(stat.lastIndexOf(")") + 2).split(" ");
      stats.set(Number(name), { ppid: Number(fields[1]), ticks: Number(fields[11]) + Number(fields[12]) });
    } catch {
      // gone since the listing
    }
  }
  const ticks = new Map();
  const walk = (p) => {
    ticks.set(p, stats.get(p).ticks);
    for (const [child, stat] of stats) if (stat.ppid === p) walk(child);
  };
  if (stats.has(pid)) walk(pid);
  return ticks;
}

function ticksUsed(start, end) {
  let used = 0;
  for (const [pid, ticks] of end) used += ticks - (start.get(pid) ?? 0);
  return used;
}

function p99(intervals) {
  const sorted = [...intervals].sort((a, b) => a - b);
  return sorted[Math.min(sorted.length - 1, Math.floor(sorted.length * 0.99))];
}

async function launch() {
  const server = await chromium.launchServer({ executablePath: chromiumPath, args: chromiumArgs, headless: true });
  const browser = await chromium.connect(server.wsEndpoint());
  return { server, browser, pid: server.process().pid };
}

async function tap(page, key, ms = 100) {
  await page.keyboard.down(key);
  await sleep(ms);
  await page.keyboard.up(key);
}

const siteServer = await serve(site);
const sharedServer = await serve(shared);
const game = await launch();
const bare = await launch();
try {
  const gamePage = await game.browser.newPage({ viewport });
  const barePage = await bare.browser.newPage({ viewport });
  const opened = Date.now();
  await Promise.all([
    (async () => {
      await gamePage.goto(siteServer.url, { waitUntil: "load" });
      await gamePage.evaluate(() => {
        window.frameTimes = [];
        window.brannocWatch.frame = (t) => window.frameTimes.push(t);
        window.gestureAt = performance.now();
      });
      await tap(gamePage, "Enter"); // the start gesture
    })(),
    barePage.goto(`${sharedServer.url}bare-web-page.html?seconds=${(measureFrom + 1000) / 1000 + seconds}`),
  ]);
  // The title, the help page, then play.
  await sleep(opened + 4500 - Date.now());
  await tap(gamePage, "Enter");
  await sleep(700);
  await tap(gamePage, "Enter");
  await sleep(opened + measureFrom - Date.now());

  const gameStart = treeTicks(game.pid);
  const bareStart = treeTicks(bare.pid);
  const windowStart = await gamePage.evaluate(() => performance.now());
  await sleep(seconds * 1000);
  const gameUsed = ticksUsed(gameStart, treeTicks(game.pid));
  const bareUsed = ticksUsed(bareStart, treeTicks(bare.pid));
  const windowEnd = await gamePage.evaluate(() => performance.now());

  fs.mkdirSync(shots, { recursive: true });
  await gamePage.screenshot({ path: path.join(shots, "play-1920x1080.png") });

  const frameTimes = await gamePage.evaluate(() => window.frameTimes);
  const inWindow = frameTimes.filter((t) => t >= windowStart && t <= windowEnd);
  const gameIntervals = inWindow.slice(1).map((t, i) => t - inWindow[i]);
  // The bare page's intervals from its first frame: those of the measured seconds only.
  await barePage.waitForFunction(() => window.bareReport, null, { timeout: 30000 });
  const { intervals: allBare } = await barePage.evaluate(() => window.bareReport);
  const bareIntervals = [];
  let at = 0;
  for (const interval of allBare) {
    at += interval;
    if (at > measureFrom && at <= measureFrom + seconds * 1000) bareIntervals.push(interval);
  }

  // A narrow touch screen in play, for the eye.
  const phone = await game.browser.newContext({
    viewport: { width: 390, height: 844 },
    hasTouch: true,
    isMobile: true,
    deviceScaleFactor: 2,
  });
  const phonePage = await phone.newPage();
  await phonePage.goto(siteServer.url, { waitUntil: "load" });
  await phonePage.touchscreen.tap(195, 200);
  await sleep(4500);
  for (const key of ["enter", "enter", "down"]) {
    await phonePage.getByRole("button", { name: key }).tap();
    await sleep(700);
  }
  await phonePage.screenshot({ path: path.join(shots, "touch-390x844.png") });

  // Every file of the site, the icons' folder's too.
  const siteFiles = fs
    .readdirSync(site, { recursive: true })
    .map((name) => path.join(site, name))
    .filter((file) => fs.statSync(file).isFile());
  const siteBytes = siteFiles.reduce((sum, file) => sum + fs.statSync(file).size, 0);
  const gzipBytes = siteFiles.reduce((sum, file) => sum + execFileSync("gzip", ["-9", "-c", file]).length, 0);
  const hz = Number(execFileSync("getconf", ["CLK_TCK"]).toString());
  const firstFrame = frameTimes[0];
  const gestureAt = await gamePage.evaluate(() => window.gestureAt);
  const row = (who, used, frames, intervals) => ({
    who,
    cpu: (used * 1000) / hz / seconds,
    fps: frames / seconds,
    p99: p99(intervals),
  });
  const rows = [
    row("game", gameUsed, inWindow.length, gameIntervals),
    row("bare", bareUsed, bareIntervals.length, bareIntervals),
  ];

  console.log(`over ${seconds} s of play at 1920x1080, each in its own headless Chromium:`);
  console.log(`${"".padEnd(6)}${"CPU ms/s".padStart(10)}${"fps".padStart(8)}${"p99 ms".padStart(8)}`);
  for (const r of rows) {
    console.log(
      `${r.who.padEnd(6)}${r.cpu.toFixed(1).padStart(10)}${r.fps.toFixed(1).padStart(8)}${r.p99.toFixed(1).padStart(8)}`,
    );
  }
  const [g, b] = rows;
  const cpuRatio = g.cpu / b.cpu;
  const checks = [
    [`CPU ratio game/bare ${cpuRatio.toFixed(2)} (at most 1.3)`, cpuRatio <= 1.3],
    [`p99 ${g.p99.toFixed(1)} ms against ${b.p99.toFixed(1)} + 1 ms`, g.p99 <= b.p99 + 1],
    [`${g.fps.toFixed(1)} frames a second (60)`, g.fps >= 59],
    [
      `first frame ${Math.round(firstFrame)} ms after the page's navigation began (at most 2000), ` +
        `${Math.round(firstFrame - gestureAt)} ms after the start key`,
      firstFrame <= 2000,
    ],
    [
      `site ${(siteBytes / 1e6).toFixed(2)} MB, ${(gzipBytes / 1e6).toFixed(2)} MB with gzip -9 (at most 3)`,
      gzipBytes <= 3e6,
    ],
  ];
  for (const [text, ok] of checks) console.log(`${ok ? "ok  " : "over"} ${text}`);
  console.log(`screenshots in ${shots}`);
  process.exitCode = checks.every(([, ok]) => ok) ? 0 : 1;
} finally {
  await game.browser.close();
  await bare.browser.close();
  await game.server.close();
  await bare.server.close();
  siteServer.stop();
  sharedServer.stop();
}

// How soon a key shows and a sound sounds on the page, in headless Chromium and Firefox at 1920 by
// 1080, each through its engine's adapter (tests/web/engines/), playing to a private PulseAudio
// server's null sink. bench/latency_web.sh sets it up and runs it.
// Key: from the keydown's timeStamp to the moment the game's canvas holds the move, read in the
// page's framePresented hook, which the game calls right after drawing a frame (the browser paints
// it in that same rendering step): where the bartender stands on each bar, 16 by 16 pixels.
// Sound: from the AudioBufferSourceNode's start() that plays the move's sound (performance.now()
// at the call) to its first samples at the sink's monitor (bench/latency_listen.c), beside the
// AudioContext's baseLatency and outputLatency at that start (the browser's estimate, which moves)
// and its own account of the start: the context's currentTime then, mapped to performance.now()
// through getOutputTimestamp().
// Usage: node latency_web.mjs <site> <playwright folder> <latency_listen> <presses> <engine>...
import { spawn } from "node:child_process";
import { createInterface } from "node:readline";

import { serve } from "../tests/web/browser.mjs";
import { sleep, tapKey, titleDone, until } from "../tests/web/game-view.mjs";

const [site, nodeFolder, listen, pressesArg, ...engines] = process.argv.slice(2);
const presses = Number(pressesArg);
const gapMs = 400; // a move is read again only once its sound has ended

const percentile = (values, p) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted.length ? sorted[Math.min(sorted.length - 1, Math.floor(sorted.length * p))] : NaN;
};
const ms = (value) => (Number.isFinite(value) ? value.toFixed(1) : "-");

// Records in the page, from its load on: keys, frames with the squares that show the move, starts.
function watchLatency(page) {
  return page.evaluate(() => {
    const log = (window.latency = { keys: [], frames: [], starts: [] });
    addEventListener("keydown", (event) => event.repeat || log.keys.push(event.timeStamp), true);
    const spots = [
      [142, 185],
      [107, 340],
      [77, 505],
    ];
    window.brannocWatch.frame = (displayFrame) => {
      const drawn = performance.now();
      const context = window.brannocWatch.run.brannoc.frame.getContext("2d");
      const sums = spots.map(([x, y]) => context.getImageData(x - 8, y - 8, 16, 16).data.reduce((a, b) => a + b, 0));
      log.frames.push({ drawn, displayFrame, sums: sums.join() });
    };
    const start = AudioBufferSourceNode.prototype.start;
    AudioBufferSourceNode.prototype.start = function (...args) {
      const at = performance.now();
      const { contextTime, performanceTime } = this.context.getOutputTimestamp();
      const { currentTime, baseLatency, outputLatency } = this.context;
      log.starts.push({
        at,
        output: performanceTime + (currentTime - contextTime) * 1000,
        reported: (baseLatency + (outputLatency || 0)) * 1000,
      });
      return start.apply(this, args);
    };
  });
}

// performance.now() of the page less the host's CLOCK_MONOTONIC (node's hrtime), in ms, from the
// quickest of 20 round trips, and that trip's length: the match is good to half of it.
async function clockOffset(page) {
  let best = { trip: Infinity };
  for (let i = 0; i < 20; i++) {
    const before = Number(process.hrtime.bigint()) / 1e6;
    const now = await page.evaluate(() => performance.now());
    const after = Number(process.hrtime.bigint()) / 1e6;
    if (after - before < best.trip) best = { trip: after - before, offset: now - (before + after) / 2 };
  }
  return best;
}

// Each key's first frame after it, and before the next key, whose squares differ from the last
// frame before it; and the last start between the key and that frame, with the first sound heard
// after it (in the page's clock) within 200 ms.
function pair({ keys, frames, starts }, heard) {
  const moves = [];
  for (const [k, key] of keys.entries()) {
    const next = keys[k + 1] ?? Infinity;
    const p = frames.findIndex((frame) => frame.drawn >= key);
    if (p < 1) continue;
    const shown = frames.slice(p).find((frame) => frame.drawn < next && frame.sums !== frames[p - 1].sums);
    if (!shown || shown.drawn >= next) continue;
    const move = { key: shown.drawn - key };
    const start = starts.filter((s) => s.at >= key && s.at <= shown.drawn).pop();
    const sound = start && heard.find((h) => h >= start.at);
    if (sound !== undefined && sound - start.at < 200) Object.assign(move, { sound: sound - start.at, start });
    moves.push(move);
  }
  return moves;
}

async function measure(name, url) {
  const { launch } = await import(`../tests/web/engines/${name}.mjs`);
  const engine = await launch({ nodeFolder, aloud: true });
  try {
    if (engine.cannot.sound) throw new Error(engine.cannot.sound);
    const page = await engine.newPage({ width: 1920, height: 1080 });
    await page.goto(url);
    await watchLatency(page);
    await tapKey(page, "Enter"); // the start gesture
    await until("the title", page, titleDone, 720);
    await tapKey(page, "Space");
    await until("the help page", page, (view) => view.helpPanel > 2000, 180);
    await tapKey(page, "Enter");
    await until("play", page, (view) => view.bar === 1 && view.helpPanel === 0, 180);

    const listener = spawn(listen, ["nowhere.monitor", String((presses * gapMs * 2) / 1000 + 10)], {
      env: { ...process.env, PULSE_SERVER: engine.soundServer },
      stdio: ["ignore", "pipe", "inherit"],
    });
    const heardHost = [];
    createInterface({ input: listener.stdout }).on("line", (line) => heardHost.push(Number(line) * 1000));
    await sleep(500);
    await page.evaluate(() => {
      window.latency.keys.length = 0;
    });
    for (let i = 0; i < presses; i++) {
      await sleep(gapMs + Math.random() * gapMs);
      await tapKey(page, i % 2 ? "ArrowUp" : "ArrowDown");
    }
    await sleep(500);
    listener.kill();
    const clock = await clockOffset(page);
    // As one string: a driver over WebDriver BiDi takes minutes to hand over thousands of objects.
    const log = JSON.parse(await page.evaluate(() => JSON.stringify(window.latency)));
    const heard = heardHost.map((t) => t + clock.offset);
    const moves = pair(log, heard);
    const keys = moves.map((m) => m.key);
    const sounded = moves.filter((m) => m.sound !== undefined);
    const sounds = sounded.map((m) => m.sound);
    const account = sounded.map((m) => m.start.output - m.start.at);
    const displayFrames = log.frames.map((f) => f.displayFrame);
    const frame = percentile(
      displayFrames
        .slice(1)
        .map((t, i) => t - displayFrames[i])
        .filter((gap) => gap > 0),
      0.5,
    );
    const reported = percentile(
      sounded.map((m) => m.start.reported),
      0.5,
    );
    console.log(
      `${name}: of ${presses} presses the page showed ${keys.length} and sounded ${sounds.length}; ` +
        `display frame ${ms(frame)} ms; clocks matched within ${ms(clock.trip / 2)} ms`,
    );
    console.log(
      `${name}: AudioContext baseLatency + outputLatency at the starts p50 ${ms(reported)} ms; its own account ` +
        `of a start's way out (getOutputTimestamp) p50 ${ms(percentile(account, 0.5))} ms`,
    );
    const [key50, key90] = [percentile(keys, 0.5), percentile(keys, 0.9)];
    const [sound50, sound90] = [percentile(sounds, 0.5), percentile(sounds, 0.9)];
    console.log(
      `latency ${name}: key p50 ${ms(key50)} p90 ${ms(key90)} ms (bare: one display frame, ${ms(frame)}); ` +
        `sound p50 ${ms(sound50)} p90 ${ms(sound90)} ms (the browser reports ${ms(reported)})`,
    );
    const checks = [
      [`key p90 at most one display frame + 4 ms (${ms(frame + 4)})`, key90 <= frame + 4],
      [`sound p90 at most the browser's reported latency + 8 ms (${ms(reported + 8)})`, sound90 <= reported + 8],
    ];
    for (const [text, ok] of checks) console.log(`${ok ? "ok  " : "over"} ${name}: ${text}`);
    return checks.every(([, ok]) => ok);
  } finally {
    await engine.close();
  }
}

const server = await serve(site);
try {
  let allMet = true;
  for (const name of engines) allMet = (await measure(name, server.url)) && allMet;
  process.exitCode = allMet ? 0 : 1;
} finally {
  server.stop();
}

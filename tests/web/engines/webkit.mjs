// WebKit: Debian's WebKitGTK MiniBrowser driven by its WebKitWebDriver through selenium-webdriver
// (given the driver's address, so Selenium Manager never runs). It needs a display, so it gets an
// Xvfb of its own, and a private sound server as Firefox does. WebDriver classic has no events for
// page errors: the page test records them in the page itself.
import { spawn } from "node:child_process";
import fs from "node:fs";
import net from "node:net";

import { loadPackage } from "../browser.mjs";
import { startSoundServer } from "./sound-server.mjs";

const miniBrowser = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser";

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

// An Xvfb on the first free display number, which it writes to the pipe on fd 3.
function startDisplay() {
  const xvfb = spawn("Xvfb", ["-displayfd", "3", "-screen", "0", "1920x1080x24", "-nolisten", "tcp"], {
    stdio: ["ignore", "ignore", "ignore", "pipe"],
  });
  process.on("exit", () => xvfb.kill());
  return new Promise((resolve, reject) => {
    let text = "";
    xvfb.on("error", reject);
    xvfb.on("exit", (code) => reject(new Error(`Xvfb stopped (${code})`)));
    xvfb.stdio[3].on("data", (data) => {
      text += data;
      if (text.includes("\n")) resolve({ display: `:${text.trim()}`, stop: () => xvfb.kill() });
    });
  });
}

async function startDriver(env) {
  const port = await freePort();
  const driver = spawn("WebKitWebDriver", [`--port=${port}`, "--host=127.0.0.1"], { env, stdio: "ignore" });
  process.on("exit", () => driver.kill());
  const url = `http://127.0.0.1:${port}`;
  for (let i = 0; i < 100; i++) {
    if (driver.exitCode !== null) throw new Error(`WebKitWebDriver stopped (${driver.exitCode})`);
    try {
      await fetch(`${url}/status`);
      return { url, stop: () => driver.kill() };
    } catch {
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
  }
  driver.kill();
  throw new Error(`WebKitWebDriver does not answer at ${url}`);
}

export async function launch({ nodeFolder }) {
  const { Builder, By, Key } = loadPackage(nodeFolder, "selenium-webdriver");
  if (!fs.existsSync(miniBrowser)) throw new Error(`no ${miniBrowser}: scripts/deps.sh check installs it`);
  const display = await startDisplay();
  const sound = await startSoundServer();
  const stopAll = [display.stop, sound.stop];
  try {
    const server = await startDriver({ ...process.env, ...sound.env, DISPLAY: display.display });
    stopAll.push(server.stop);
    const keys = {
      ArrowUp: Key.ARROW_UP,
      ArrowDown: Key.ARROW_DOWN,
      Space: Key.SPACE,
      Enter: Key.RETURN,
      Escape: Key.ESCAPE,
      Tab: Key.TAB,
      Alt: Key.ALT,
    };
    const drivers = new Set();
    return {
      name: "webkit",
      cannot: {
        touch: "WebKitWebDriver here has no touch screen to emulate",
        scale: "WebKitWebDriver sets no device pixel ratio, and has one page at a time",
        ...(sound.failed && { sound: `no sound server: ${sound.failed}` }),
      },
      async newPage({ width, height }) {
        // One browser per page: a WebDriver session is one browser window.
        const driver = await new Builder()
          .usingServer(server.url)
          .withCapabilities({
            browserName: "MiniBrowser",
            "webkitgtk:browserOptions": { binary: miniBrowser, args: ["--automation"] },
          })
          .build();
        drivers.add(driver);
        await driver.manage().window().setRect({ x: 0, y: 0, width, height });
        const actions = () => driver.actions({ async: true });
        return {
          goto: (url) => driver.get(url),
          evaluate: (fn, arg) => driver.executeScript(`return (${fn})(arguments[0]);`, arg),
          keyDown: (code) => actions().keyDown(keys[code]).perform(),
          keyUp: (code) => actions().keyUp(keys[code]).perform(),
          altEnter: () => actions().keyDown(Key.ALT).keyDown(Key.RETURN).keyUp(Key.RETURN).keyUp(Key.ALT).perform(),
          click: async (selector) => {
            const element = await driver.findElement(By.css(selector));
            await actions().move({ origin: element }).press().release().perform();
          },
          problems: () => [],
          close: async () => {
            drivers.delete(driver);
            await driver.quit();
          },
        };
      },
      async close() {
        for (const driver of drivers) await driver.quit().catch(() => {});
        for (const stop of stopAll.reverse()) stop();
      },
    };
  } catch (error) {
    for (const stop of stopAll.reverse()) stop();
    throw error;
  }
}

// Chromium: Debian's, headless, driven by playwright-core over its own protocol. Playwright mutes
// its sound; asked to be heard (aloud), it plays to a private sound server instead, as Firefox does.
import { chromiumArgs, chromiumPath, loadPlaywright } from "../browser.mjs";
import { startSoundServer } from "./sound-server.mjs";

export async function launch({ nodeFolder, aloud = false }) {
  const { chromium } = loadPlaywright(nodeFolder);
  const sound = aloud ? await startSoundServer() : { env: {}, stop: () => {} };
  const heard = aloud && { ignoreDefaultArgs: ["--mute-audio"], env: { ...process.env, ...sound.env } };
  const browser = await chromium
    .launch({ executablePath: chromiumPath, args: chromiumArgs, headless: true, ...heard })
    .catch((error) => {
      sound.stop();
      throw error;
    });
  return {
    name: "chromium",
    cannot: { ...(sound.failed && { sound: `no sound server: ${sound.failed}` }) },
    soundServer: sound.env.PULSE_SERVER,
    async newPage({ width, height, ratio = 1, touch = false }) {
      const phone = touch ? { hasTouch: true, isMobile: true, deviceScaleFactor: 2 } : {};
      const context = await browser.newContext({ viewport: { width, height }, deviceScaleFactor: ratio, ...phone });
      const page = await context.newPage();
      const problems = [];
      page.on("pageerror", (error) => problems.push(`page error: ${error.message}`));
      page.on("console", (message) => message.type() === "error" && problems.push(`console error: ${message.text()}`));
      return {
        goto: (url) => page.goto(url, { waitUntil: "load" }),
        evaluate: (fn, arg) => page.evaluate(fn, arg),
        keyDown: (code) => page.keyboard.down(code),
        keyUp: (code) => page.keyboard.up(code),
        altEnter: () => page.keyboard.press("Alt+Enter"),
        click: (selector) => page.click(selector),
        touch: (selector) => page.tap(selector),
        problems: () => problems,
        close: () => context.close(),
      };
    },
    async close() {
      await browser.close();
      sound.stop();
    },
  };
}

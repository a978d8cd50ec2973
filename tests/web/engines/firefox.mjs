// Firefox: Debian's firefox-esr, headless, driven by puppeteer-core over WebDriver BiDi. Without a
// sound server Firefox keeps its audio suspended, so it gets a private one that plays to nowhere.
import { loadPackage } from "../browser.mjs";
import { startSoundServer } from "./sound-server.mjs";

const firefoxPath = "/usr/lib/firefox-esr/firefox-esr"; // the program itself: /usr/bin's is a script

// The keys by their codes, as puppeteer's BiDi keyboard types them ('Enter' would be the keypad's).
const keys = { Space: " ", Enter: "\uE006" };

export async function launch({ nodeFolder }) {
  const puppeteer = loadPackage(nodeFolder, "puppeteer-core");
  const sound = await startSoundServer();
  const browser = await puppeteer
    .launch({
      browser: "firefox",
      protocol: "webDriverBiDi",
      executablePath: firefoxPath,
      headless: true,
      env: { ...process.env, ...sound.env },
    })
    .catch((error) => {
      sound.stop();
      throw error;
    });
  return {
    name: "firefox",
    cannot: {
      touch: "puppeteer's Firefox over WebDriver BiDi has no touch screen to emulate",
      ...(sound.failed && { sound: `no sound server: ${sound.failed}` }),
    },
    soundServer: sound.env.PULSE_SERVER, // where it plays: its null sink's monitor is nowhere.monitor
    async newPage({ width, height, ratio = 1 }) {
      const context = await browser.createBrowserContext();
      const page = await context.newPage();
      await page.setViewport({ width, height, deviceScaleFactor: ratio });
      const problems = [];
      page.on("pageerror", (error) => problems.push(`page error: ${error.message}`));
      page.on("console", (message) => message.type() === "error" && problems.push(`console error: ${message.text()}`));
      const key = (code) => keys[code] || code;
      return {
        goto: (url) => page.goto(url, { waitUntil: "load" }),
        evaluate: (fn, arg) => page.evaluate(fn, arg),
        keyDown: (code) => page.keyboard.down(key(code)),
        keyUp: (code) => page.keyboard.up(key(code)),
        async altEnter() {
          await page.keyboard.down("Alt");
          await page.keyboard.press(keys.Enter);
          await page.keyboard.up("Alt");
        },
        click: (selector) => page.click(selector),
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

// Chromium: Debian's, headless, driven by playwright-core over its own protocol.
import { chromiumArgs, chromiumPath, loadPlaywright } from "../browser.mjs";

export async function launch({ nodeFolder }) {
  const { chromium } = loadPlaywright(nodeFolder);
  const browser = await chromium.launch({ executablePath: chromiumPath, args: chromiumArgs, headless: true });
  return {
    name: "chromium",
    cannot: {},
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
    close: () => browser.close(),
  };
}

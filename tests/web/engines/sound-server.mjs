// A private PulseAudio server with one sink that plays to nowhere (tests/support/sound_server.sh,
// which the real window's test listens to as well), for a browser that keeps its audio suspended
// where it finds no sound server. Gone with stop() or with this process.
import { spawn } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { fileURLToPath } from "node:url";

const serverScript = fileURLToPath(new URL("../../support/sound_server.sh", import.meta.url));

export async function startSoundServer() {
  const home = fs.mkdtempSync(path.join(os.tmpdir(), "brannoc-sound-"));
  const socket = path.join(home, "native");
  let server;
  const stop = () => {
    server?.kill();
    fs.rmSync(home, { recursive: true, force: true });
  };
  process.on("exit", stop);
  try {
    server = spawn(serverScript, [home], { stdio: "ignore" });
    await new Promise((resolve, reject) => {
      server.on("error", reject);
      server.on("exit", (code) => reject(new Error(`pulseaudio stopped (${code})`)));
      const started = Date.now();
      const look = () => {
        if (fs.existsSync(socket)) resolve();
        else if (Date.now() - started > 5000) reject(new Error("pulseaudio made no socket within 5 s"));
        else setTimeout(look, 50);
      };
      look();
    });
    return { env: { PULSE_SERVER: `unix:${socket}` }, stop };
  } catch (error) {
    stop();
    return { env: {}, failed: error.message, stop: () => {} };
  }
}

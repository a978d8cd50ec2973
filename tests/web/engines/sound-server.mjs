// A private PulseAudio server with one sink that plays to nowhere, for a browser that keeps its
// audio suspended where it finds no sound server. Gone with stop() or with this process.
import { spawn } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";

export async function startSoundServer() {
  const home = fs.mkdtempSync(path.join(os.tmpdir(), "brannoc-sound-"));
  const socket = path.join(home, "native");
  const env = { HOME: home, XDG_RUNTIME_DIR: home, XDG_CONFIG_HOME: home };
  let server;
  const stop = () => {
    server?.kill();
    fs.rmSync(home, { recursive: true, force: true });
  };
  process.on("exit", stop);
  try {
    server = spawn("pulseaudio", ["-n", "--daemonize=no", "--exit-idle-time=-1", "--disable-shm=yes",
                                  "--use-pid-file=no", "--load=module-null-sink sink_name=nowhere",
                                  `--load=module-native-protocol-unix socket=${socket} auth-anonymous=1`],
                   { env: { ...process.env, ...env }, stdio: "ignore" });
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

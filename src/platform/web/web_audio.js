// The page's sound, through Web Audio: one AudioContext asked for the shortest latency, one
// decoded AudioBuffer per recording, and a source node of its own for every Play, started at
// once. The browser mixes; nothing of the game's runs on the audio's clock.
// This file is linked into the game (emcc --js-library); web_sound_output.cpp calls it.

mergeInto(LibraryManager.library, {
  $brannocAudio: { context: null, recordings: [] },

  // 1 when the page has an AudioContext for the game. The game starts on a player's key, click or
  // tap, so the browser lets it run; one that is held back anyway resumes on the next gesture.
  brannoc_audio_open__deps: ["$brannocAudio"],
  brannoc_audio_open: function () {
    const Context = typeof window !== "undefined" && (window.AudioContext || window.webkitAudioContext);
    if (!Context) return 0;
    let context;
    try {
      context = new Context({ latencyHint: "interactive" });
    } catch {
      return 0;
    }
    brannocAudio.context = context;
    Module.brannoc.audio = context;
    const resume = () => context.state === "suspended" && context.resume();
    for (const name of ["keydown", "pointerdown", "touchend"]) window.addEventListener(name, resume, true);
    return 1;
  },

  // A recording of frames at rate, in channels interleaved floats: its id, or -1.
  brannoc_audio_add__deps: ["$brannocAudio"],
  brannoc_audio_add: function (samples, frames, channels, rate) {
    const context = brannocAudio.context;
    if (!context) return -1;
    let recording;
    try {
      recording = context.createBuffer(channels, frames, rate);
    } catch {
      return -1;
    }
    const all = HEAPF32.subarray(samples >> 2, (samples >> 2) + frames * channels);
    for (let c = 0; c < channels; c++) {
      const channel = recording.getChannelData(c);
      for (let i = 0; i < frames; i++) channel[i] = all[i * channels + c];
    }
    brannocAudio.recordings.push({ buffer: recording, node: null });
    return brannocAudio.recordings.length - 1;
  },

  brannoc_audio_play__deps: ["$brannocAudio"],
  brannoc_audio_play: function (id) {
    const context = brannocAudio.context;
    const recording = brannocAudio.recordings[id];
    if (!context || !recording) return;
    const node = context.createBufferSource();
    node.buffer = recording.buffer;
    node.connect(context.destination);
    node.start();
    recording.node = node;
  },

  // The recording is let go: silent at once, its samples left to the browser.
  brannoc_audio_forget__deps: ["$brannocAudio"],
  brannoc_audio_forget: function (id) {
    const recording = brannocAudio.recordings[id];
    if (!recording) return;
    if (recording.node) {
      try {
        recording.node.stop();
      } catch {
        // never started, or already ended
      }
      recording.node.disconnect();
    }
    brannocAudio.recordings[id] = null;
  },
});

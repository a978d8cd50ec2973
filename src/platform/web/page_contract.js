// The contract between the page and the game: everything they pass each other goes through one
// object, Module.brannoc, which the page hands to createBrannoc() with the module's settings.
// This file is linked into the game (emcc --js-library); page.js fills in the page's side.
//
//   Module.brannoc = {
//     // Given by the page:
//     screen,                  // the canvas the picture is shown in; it is laid out inside its
//                              // parent element, which is the area the picture may take
//     messageBox({caption, text, error}),   // a box of the game's, shown until the game goes on
//     soundStarted(resourceId),             // a recording started playing
//     framePresented(displayFrameMs),       // a frame went out in the display frame of that time
//     activated(active),                    // the game was activated (true) or put away (false)
//     // Set by the game:
//     frame,                   // its own 800x600 picture, a canvas that tests may read
//     audio,                   // the AudioContext its sounds play in (web_audio.js), which tests
//                              // and the benchmark may read
//   };
//
// The run's end reaches the page through the module's own onExit(code), and a crash through its
// onAbort(what).
//
// The functions below are the game's imports (src/platform/web/page.h declares them for C++).
// The three that wait yield to the browser through Asyncify and are listed in ASYNCIFY_IMPORTS.

#if ASYNCIFY
var brannocAsyncify = ["$Asyncify"];
#else
// The headless suites under Node.js carry the page's backend, never started, and no Asyncify.
var brannocAsyncify = [];
#endif

mergeInto(LibraryManager.library, {
  // The picture area's size in device pixels, or 0 by 0 where the page gives none.
  brannoc_picture_area: function (widthOut, heightOut) {
    const screen = Module.brannoc.screen;
    const area = screen && screen.parentElement;
    const ratio = window.devicePixelRatio || 1;
    HEAP32[widthOut >> 2] = area ? Math.round(area.clientWidth * ratio) : 0;
    HEAP32[heightOut >> 2] = area ? Math.round(area.clientHeight * ratio) : 0;
  },

  // Shows a frame of RGBA bytes: put into the frame's own canvas, drawn by the whole factor into
  // the screen canvas with smoothing off, and that canvas laid out (in CSS pixels) where the game
  // placed it, for the browser to scale the rest of the way smoothly.
  brannoc_show_frame__deps: ["$brannocShown"],
  brannoc_show_frame: function (rgba, width, height, stepWidth, stepHeight, x, y, shownWidth, shownHeight) {
    const screen = Module.brannoc.screen;
    const shown = brannocShown(rgba, width, height);
    shown.context.putImageData(shown.image, 0, 0);
    const place = { stepWidth, stepHeight, x, y, shownWidth, shownHeight, ratio: window.devicePixelRatio || 1 };
    const moved = Object.keys(place).some((key) => shown.place[key] !== place[key]);
    if (moved) {
      shown.place = place;
      screen.width = stepWidth;
      screen.height = stepHeight;
      const css = (value) => value / place.ratio + "px";
      Object.assign(screen.style, { left: css(x), top: css(y), width: css(shownWidth), height: css(shownHeight) });
    }
    const context = screen.getContext("2d");
    context.imageSmoothingEnabled = false;
    context.drawImage(shown.context.canvas, 0, 0, stepWidth, stepHeight);
  },

  // The frame's canvas and its image, made once and kept while the game's memory stays where it
  // is, so that a frame leaves nothing behind for the browser to collect.
  $brannocShown__deps: [],
  $brannocShown: function (rgba, width, height) {
    let shown = brannocShown.last;
    if (
      !shown ||
      shown.buffer !== HEAPU8.buffer ||
      shown.rgba !== rgba ||
      shown.width !== width ||
      shown.height !== height
    ) {
      const frame = Module.brannoc.frame || document.createElement("canvas");
      frame.width = width;
      frame.height = height;
      Module.brannoc.frame = frame;
      const pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
      shown = brannocShown.last = {
        buffer: HEAPU8.buffer,
        rgba,
        width,
        height,
        place: {},
        image: new ImageData(pixels, width, height),
        context: frame.getContext("2d"),
      };
    }
    return shown;
  },

  brannoc_frame_presented: function (displayFrameMs) {
    Module.brannoc.framePresented(displayFrameMs);
  },

  // Yields to the browser until its next display frame; returns that frame's time.
  brannoc_next_display_frame__deps: brannocAsyncify,
  brannoc_next_display_frame: function () {
    return Asyncify.handleSleep((wakeUp) => requestAnimationFrame(wakeUp));
  },

  // Yields to the browser for ms; the game goes on in a task of its own.
  brannoc_sleep__deps: brannocAsyncify,
  brannoc_sleep: function (ms) {
    Asyncify.handleSleep((wakeUp) => setTimeout(() => wakeUp(), ms));
  },

  // The display's refresh period as its display frames show it: the median of the last 15
  // intervals, watched from the first question on until the run ends; 0 until there are 5.
  $brannocDisplay: { intervals: [], last: 0, watching: false },
  brannoc_display_interval_ms__deps: ["$brannocDisplay"],
  brannoc_display_interval_ms: function () {
    const display = brannocDisplay;
    if (!display.watching) {
      display.watching = true;
      const watch = (time) => {
        if (ABORT || (typeof runtimeExited !== "undefined" && runtimeExited)) return;
        if (display.last > 0) display.intervals.push(time - display.last);
        if (display.intervals.length > 15) display.intervals.shift();
        display.last = time;
        requestAnimationFrame(watch);
      };
      requestAnimationFrame(watch);
    }
    if (display.intervals.length < 5) return 0;
    return [...display.intervals].sort((a, b) => a - b)[display.intervals.length >> 1];
  },

  // Yields to the browser until something the game may care for happens on the page (a key,
  // focus, the tab shown or hidden, a pad) or timeoutMs passes (-1: no limit); 1 when woken by an
  // event. The game resumes in a task of its own, after the event has reached SDL's handlers too.
  brannoc_next_page_event__deps: brannocAsyncify,
  brannoc_next_page_event: function (timeoutMs) {
    return Asyncify.handleSleep((wakeUp) => {
      const windowEvents = ["keydown", "keyup", "focus", "blur", "gamepadconnected", "gamepaddisconnected"];
      let timer = 0;
      let woke = false;
      // Once only: two events, or an event and the timeout, may both come before the game resumes,
      // and a second wake-up would resume a game that is already running.
      const done = (woken) => {
        if (woke) return;
        woke = true;
        for (const name of windowEvents) window.removeEventListener(name, wake, true);
        document.removeEventListener("visibilitychange", wake, true);
        clearTimeout(timer);
        wakeUp(woken);
      };
      const wake = () => setTimeout(() => done(1), 0);
      for (const name of windowEvents) window.addEventListener(name, wake, true);
      document.addEventListener("visibilitychange", wake, true);
      if (timeoutMs >= 0) timer = setTimeout(() => done(0), timeoutMs);
    });
  },

  brannoc_message_box: function (text, caption, error) {
    Module.brannoc.messageBox({ caption: UTF8ToString(caption), text: UTF8ToString(text), error: error !== 0 });
  },

  brannoc_sound_started: function (resourceId) {
    Module.brannoc.soundStarted(resourceId);
  },

  brannoc_activated: function (active) {
    Module.brannoc.activated(active !== 0);
  },

  // The game's main yields to the browser in its waits, so the runtime's own start has long
  // returned when main at last does, and nobody hears its code. Asyncify.whenDone() hands it over
  // (the promise that Emscripten 3.1.6's ccall uses for the same); CMake refuses an Emscripten
  // without it, and the page's browser test checks that the code reaches the page. The runtime
  // then ends as a program does: its objects let go, onExit told.
  brannoc_end_with_main__deps: brannocAsyncify,
  brannoc_end_with_main: function () {
    addOnPostRun(() => {
      if (!Asyncify.currData) return; // main never yielded and ended as usual
      Asyncify.whenDone().then(
        (code) =>
          setTimeout(() => {
            try {
              exit(code);
            } catch (e) {
              if (!(e instanceof ExitStatus)) throw e;
            }
          }, 0),
        (error) => abort(error),
      );
    });
  },
});

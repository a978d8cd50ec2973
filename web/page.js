// The page around the game: it fetches the game once, starts a run on the player's first key,
// click or tap (sound is allowed only after one), keeps the game's keys from scrolling or pressing
// anything on the page, and owns full screen, the touch keys and what the page says when the game
// ends, a failure box comes up or something cannot load. What it passes the game and hears from it
// goes through the one object that src/platform/web/page_contract.js describes (brannoc, below).
"use strict";
(function () {
  const byId = (id) => document.getElementById(id);
  const stage = byId("stage");
  const screen = byId("screen");
  const notice = byId("notice");
  const noticeText = byId("notice-text");
  const noticeDetail = byId("notice-detail");
  const again = byId("again");
  const sdlHome = byId("sdl-home");
  const fullScreenButton = byId("full-screen");
  const helpText = byId("help-text");
  const intro = byId("intro");
  const picture = byId("picture");

  // Keys the game reads, or that would scroll the page: they act on the game only.
  const gameKeys = new Set([
    "ArrowUp",
    "ArrowDown",
    "ArrowLeft",
    "ArrowRight",
    "Space",
    "Enter",
    "NumpadEnter",
    "Escape",
    "PageUp",
    "PageDown",
    "Home",
    "End",
  ]);
  // The touch keys, by the pad they sit in: what they show, and what they type (the code SDL
  // reads, and the older fields for good measure).
  const touchKeys = [
    { pad: "pad-move", label: "\u25b2", name: "up", code: "ArrowUp", key: "ArrowUp", keyCode: 38 },
    { pad: "pad-move", label: "\u25bc", name: "down", code: "ArrowDown", key: "ArrowDown", keyCode: 40 },
    { pad: "pad-act", label: "Pour", name: "pour", code: "Space", key: " ", keyCode: 32, size: "wide" },
    { pad: "pad-act", label: "Enter", name: "enter", code: "Enter", key: "Enter", keyCode: 13, size: "small" },
    { pad: "pad-act", label: "Esc", name: "esc", code: "Escape", key: "Escape", keyCode: 27, size: "small" },
  ];
  const enterKey = touchKeys.find((touchKey) => touchKey.name === "enter");
  const tapHoldMs = 100; // the game reads its keys once a frame: a tap stays down this long at least
  // Escape can be kept from the browser in full screen by a page of its own, not in a frame.
  const canLockEscape = !!(navigator.keyboard && navigator.keyboard.lock) && window.self === window.top;
  const touchScreen =
    matchMedia("(pointer: coarse)").matches || "ontouchstart" in window || navigator.maxTouchPoints > 0;

  // Tests and benchmarks watch the game through these; the page itself needs none of them.
  const watch = (window.brannocWatch = { run: null, frame: null, sound: null, activated: null, exit: null });

  let state = "waiting"; // for the first gesture, then starting, playing, ended or failed
  let assets = null; // the script, the compiled game and its data, fetched once for every run
  let loadFailure = null;
  let currentRun = null;
  let boxShown = false; // a failure box of the game's is on the page
  let heldStartKey = null; // the key that started a run, kept from the game until it is let go
  const fullScreenEnters = new Set(); // Enter keys taken by Alt+Enter, whose keyups go too

  function say(text, detail, { box = false, playAgain = false } = {}) {
    noticeText.textContent = text;
    noticeDetail.textContent = detail || "";
    notice.classList.toggle("box", box);
    again.hidden = !playAgain;
    notice.hidden = false;
  }

  // --- Loading -----------------------------------------------------------------------------------

  function loadScript() {
    return new Promise((resolve, reject) => {
      const script = document.createElement("script");
      script.src = "brannoc.js";
      script.onload = () =>
        typeof createBrannoc === "function" ? resolve() : reject(new Error("brannoc.js holds no game."));
      script.onerror = () => reject(new Error("The game's script, brannoc.js, could not be loaded."));
      document.head.appendChild(script);
    });
  }

  async function fetchFile(name, what) {
    let response;
    try {
      response = await fetch(name);
    } catch (error) {
      if (location.protocol === "file:") {
        throw new Error(
          `${what} (${name}) could not be read: a page opened as a file may read no other file. ` +
            "Open the game from a web server.",
        );
      }
      throw new Error(`${what} (${name}) could not be fetched: the server did not answer.`);
    }
    if (!response.ok) {
      const answer = [response.status, response.statusText].filter(Boolean).join(" ");
      throw new Error(`${what} (${name}) could not be fetched: the server answered ${answer}.`);
    }
    return response.arrayBuffer();
  }

  async function load() {
    if (typeof WebAssembly !== "object" || typeof WebAssembly.instantiate !== "function") {
      throw new Error("This browser cannot run WebAssembly, which the game is made of. A current browser can.");
    }
    const [, wasmBytes, data] = await Promise.all([
      loadScript(),
      fetchFile("brannoc.wasm", "The game"),
      fetchFile("brannoc.data", "The game's pictures and fonts"),
    ]);
    let wasmModule;
    try {
      wasmModule = await WebAssembly.compile(wasmBytes);
    } catch (error) {
      throw new Error(`The game (brannoc.wasm) is damaged or not for this browser: ${error.message}`);
    }
    // Only the compiled module is kept: a run instantiates it and never needs the bytes again.
    return { wasmModule, data };
  }

  function showLoadFailure() {
    say("The game could not start.", loadFailure);
  }

  load().then(
    (loaded) => {
      assets = loaded;
      if (state === "starting") startRun();
    },
    (error) => {
      loadFailure = error.message;
      state = "failed";
      showLoadFailure();
    },
  );

  // --- Runs --------------------------------------------------------------------------------------

  function startRun() {
    state = "playing";
    boxShown = false;
    notice.hidden = true;
    intro.classList.add("aside");
    // A run starts with no focus ring on a button: the keys are the game's.
    if (document.activeElement instanceof HTMLButtonElement) document.activeElement.blur();
    screen.classList.remove("ended", "crashed");
    // SDL's window is a canvas it never draws on; each run has a fresh one, found by its id.
    const sdlCanvas = document.createElement("canvas");
    sdlCanvas.id = "canvas";
    sdlHome.replaceChildren(sdlCanvas);

    const run = {
      canvas: sdlCanvas,
      // Compiled once when the page loaded: a run only instantiates it.
      instantiateWasm(imports, done) {
        WebAssembly.instantiate(assets.wasmModule, imports).then(
          (instance) => done(instance, assets.wasmModule),
          (error) => crashed(run, String(error)),
        );
        return {};
      },
      getPreloadedPackage: () => assets.data,
      print: (text) => console.log(text),
      printErr: (text) => console.warn(text),
      onExit: (code) => ended(run, code),
      onAbort: (what) => crashed(run, what),
      brannoc: {
        screen,
        messageBox: ({ caption, text }) => {
          if (run !== currentRun) return;
          boxShown = true;
          say(caption, text, { box: true });
        },
        soundStarted: (id) => watch.sound && watch.sound(id),
        framePresented: (time) => watch.frame && watch.frame(time),
        activated: (active) => watch.activated && watch.activated(active),
      },
    };
    currentRun = run;
    watch.run = run; // the module itself, once created: brannoc.frame and SDL2 land on it
    createBrannoc(run).catch((error) => crashed(run, String(error)));
  }

  function ended(run, code) {
    if (run !== currentRun || state !== "playing") return;
    state = "ended";
    if (watch.exit) watch.exit(code);
    screen.classList.add("ended");
    if (boxShown) {
      again.hidden = false;
    } else {
      say("The game has ended.", "Press Enter or Play again for another game.", { playAgain: true });
    }
  }

  function crashed(run, what) {
    if (run !== currentRun || state !== "playing") return;
    state = "ended";
    screen.classList.add("crashed");
    say("The game stopped with an error.", String(what || "no reason given"), { box: true, playAgain: true });
  }

  // An error the game's script did not catch is a crash too, not a picture that stops.
  window.addEventListener("error", (event) => crashed(currentRun, event.message));
  window.addEventListener("unhandledrejection", (event) => crashed(currentRun, String(event.reason)));

  // The first gesture starts the game; "Play again" and Enter after the end start another run.
  function begin() {
    if (loadFailure) return;
    if (assets) {
      startRun();
    } else {
      state = "starting";
      say("Loading the game…");
    }
  }

  again.addEventListener("click", () => {
    if (state === "ended") begin();
  });

  // --- Keys --------------------------------------------------------------------------------------

  function swallow(event) {
    event.preventDefault();
    event.stopImmediatePropagation();
  }

  const isEnter = (code) => code === "Enter" || code === "NumpadEnter";
  // Keys that belong to the browser or the desktop, and start nothing.
  const isBrowserKey = (event) =>
    event.ctrlKey ||
    event.altKey ||
    event.metaKey ||
    /^(Alt|Control|Shift|Meta|OS|Tab|F\d+|ContextMenu)/.test(event.code || event.key);

  function onKey(event) {
    const up = event.type === "keyup";
    const press = event.type === "keypress"; // Enter's and Space's character, after their keydown
    if (heldStartKey !== null && event.code === heldStartKey) {
      swallow(event);
      if (up) heldStartKey = null;
      return;
    }
    if (isEnter(event.code) && (up ? fullScreenEnters.has(event.code) : event.altKey)) {
      swallow(event);
      if (up) {
        fullScreenEnters.delete(event.code);
      } else if (!press && !event.repeat) {
        fullScreenEnters.add(event.code);
        toggleFullScreen();
      }
      return;
    }
    // Tab moves between the page's buttons, in a run too: SDL's own listener would keep it.
    if (event.code === "Tab" && !event.ctrlKey && !event.altKey && !event.metaKey) {
      event.stopImmediatePropagation();
      return;
    }
    // Before and after a run, Space and Enter on a button reached with Tab are the button's.
    if (
      state !== "playing" &&
      event.target instanceof HTMLButtonElement &&
      (event.code === "Space" || isEnter(event.code))
    ) {
      return;
    }
    if (press) return;
    const starts =
      !up && !event.repeat && (state === "waiting" ? !isBrowserKey(event) : state === "ended" && isEnter(event.code));
    if (starts) {
      swallow(event);
      heldStartKey = event.code;
      begin();
      return;
    }
    if (gameKeys.has(event.code)) event.preventDefault();
  }
  // Registered before any run, so that it comes before SDL's own listeners on the window.
  window.addEventListener("keydown", onKey, true);
  window.addEventListener("keypress", onKey, true);
  window.addEventListener("keyup", onKey, true);

  function onFirstPointer(event) {
    if (state !== "waiting") return;
    // The tap that starts the game presses none of its keys.
    if (event.target.closest && event.target.closest(".key")) event.stopImmediatePropagation();
    begin();
  }
  // In a run, a tap on the picture is the touch key Enter: it moves the title and the help page
  // on, without the pour that Space would start. A click of a mouse, which also gives a frame
  // the keys back, presses nothing.
  function onPictureTap(event) {
    if (state === "playing" && event.pointerType !== "mouse" && picture.contains(event.target)) {
      tapKey(enterKey);
    }
  }
  // Before the first pointer's listener, so that the tap that starts the game is not one.
  window.addEventListener("pointerdown", onPictureTap, true);
  window.addEventListener("pointerdown", onFirstPointer, true);
  window.addEventListener("touchstart", onFirstPointer, { capture: true, passive: true });

  // The page's buttons are reached with Tab, but a click leaves the keyboard where it was, and in
  // a run the game's keys stay the game's on a button too (onKey).
  function keepKeyboardOff(button) {
    button.addEventListener("mousedown", (event) => event.preventDefault());
    button.addEventListener("click", () => button.blur());
  }
  for (const button of document.querySelectorAll("button")) keepKeyboardOff(button);

  // --- Full screen -------------------------------------------------------------------------------

  function toggleFullScreen() {
    if (document.fullscreenElement) {
      document.exitFullscreen().catch(() => {});
    } else if (document.fullscreenEnabled) {
      stage
        .requestFullscreen({ navigationUI: "hide" })
        .then(() => canLockEscape && navigator.keyboard.lock(["Escape"]))
        .catch((error) => (helpText.textContent = `The browser refused full screen: ${error.message}`));
    } else {
      showHelp(); // which says why not
    }
  }

  // Why full screen cannot be had here, or "" where it can: a game site's frame may not allow it,
  // and an iPhone gives it only to a page added to its home screen.
  function noFullScreen() {
    const installed = matchMedia("(display-mode: fullscreen), (display-mode: standalone)").matches;
    if (document.fullscreenEnabled || installed) return "";
    if (!stage.requestFullscreen) return "Full screen: add the game to the home screen and start it from there.";
    if (window.self !== window.top) return "No full screen: the page this game is shown in does not allow it.";
    return "No full screen: this browser does not allow it here.";
  }

  function showHelp() {
    const leave = canLockEscape ? "hold Escape to leave it" : "Escape leaves it";
    const fullScreen = noFullScreen() || `Alt+Enter or the button: full screen (${leave}).`;
    // Space or Pour would also pour in play's first frames, which often costs a life at once.
    helpText.textContent = touchScreen
      ? "\u25b2 and \u25bc move, Pour pours, Esc ends the game; a tap on the picture, like Enter, moves on " +
        `from the title and leaves the help page without pouring. ${noFullScreen()}`.trim()
      : "Up and Down move, Space pours, Escape ends the game; Enter leaves the help page without pouring. " +
        fullScreen;
  }

  document.addEventListener("fullscreenchange", () => {
    if (!document.fullscreenElement && canLockEscape) navigator.keyboard.unlock();
  });
  fullScreenButton.addEventListener("click", toggleFullScreen);
  fullScreenButton.hidden = !document.fullscreenEnabled;

  // --- Touch keys --------------------------------------------------------------------------------

  function typeKey(type, { code, key, keyCode }) {
    window.dispatchEvent(
      new KeyboardEvent(type, { code, key, keyCode, which: keyCode, bubbles: true, cancelable: true }),
    );
  }

  // A tap: the key down, and up again once the game has surely read it.
  function tapKey(touchKey) {
    typeKey("keydown", touchKey);
    setTimeout(() => typeKey("keyup", touchKey), tapHoldMs);
  }

  function makeTouchKey(touchKey) {
    const button = document.createElement("button");
    button.className = ["key", touchKey.size].filter(Boolean).join(" ");
    button.textContent = touchKey.label;
    button.setAttribute("aria-label", touchKey.name);
    keepKeyboardOff(button);
    byId(touchKey.pad).appendChild(button);
    let pointer = null;
    let downAt = 0;
    let release = 0;
    const letGo = () => {
      release = 0;
      button.classList.remove("down");
      typeKey("keyup", touchKey);
    };
    button.addEventListener("pointerdown", (event) => {
      event.preventDefault();
      if (pointer !== null) return;
      if (release) {
        clearTimeout(release);
        letGo();
      }
      pointer = event.pointerId;
      button.setPointerCapture(pointer);
      downAt = performance.now();
      button.classList.add("down");
      typeKey("keydown", touchKey);
    });
    const up = (event) => {
      if (event.pointerId !== pointer) return;
      pointer = null;
      release = setTimeout(letGo, Math.max(0, tapHoldMs - (performance.now() - downAt)));
    };
    button.addEventListener("pointerup", up);
    button.addEventListener("pointercancel", up);
    button.addEventListener("contextmenu", (event) => event.preventDefault());
  }

  if (touchScreen) {
    document.body.classList.add("touch");
    for (const pad of document.querySelectorAll(".pad")) pad.hidden = false;
    for (const touchKey of touchKeys) makeTouchKey(touchKey);
  }
  showHelp();

  // --- Inside a game site's frame ----------------------------------------------------------------

  // A click anywhere on the page gives this frame the keyboard back after a click on the site
  // around it; the page's buttons keep their mousedown from taking the focus, so it is asked for.
  function takeKeysOnClick() {
    if (window.self === window.top) return;
    window.addEventListener("pointerdown", () => window.focus(), true);
  }
  takeKeysOnClick();

  // --- Offline -----------------------------------------------------------------------------------

  // Once played, the game starts with no network: a service worker keeps its files. Browsers run
  // one only on https or this machine's own address; from a file or plain http elsewhere the page
  // plays as it is. A new version that takes over before the game is started is loaded whole.
  function keepForOffline() {
    if (location.protocol === "file:" || !navigator.serviceWorker) return;
    let controlled = !!navigator.serviceWorker.controller;
    navigator.serviceWorker.addEventListener("controllerchange", () => {
      if (controlled && state === "waiting") location.reload();
      controlled = true;
    });
    navigator.serviceWorker
      .register("service-worker.js")
      .catch((error) => console.warn(`The game will not play offline: ${error.message}`));
  }
  window.addEventListener("load", keepForOffline);
})();

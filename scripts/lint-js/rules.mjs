// What ESLint looks for in the tree's JavaScript: its recommended rules, with each file's own
// globals (the page, the service worker, the game's Emscripten library, Node.js for the tests and
// benchmarks, whose callbacks also run in the page). ESLint's own packages come from the build's
// node folder, where lint.mjs finds them.

// What Emscripten's runtime gives a --js-library file.
const emscriptenLibrary = {
  mergeInto: "readonly",
  LibraryManager: "readonly",
  Module: "readonly",
  HEAP32: "readonly",
  HEAPU8: "readonly",
  HEAPF32: "readonly",
  Asyncify: "readonly",
  UTF8ToString: "readonly",
  addOnPostRun: "readonly",
  exit: "readonly",
  abort: "readonly",
  ExitStatus: "readonly",
  ABORT: "readonly",
  runtimeExited: "readonly",
};

export const rules = (js, globals) => [
  js.configs.recommended,
  {
    rules: {
      "no-unused-vars": ["error", { args: "after-used", caughtErrors: "none" }],
    },
  },
  {
    files: ["web/page.js"],
    languageOptions: { sourceType: "script", globals: { ...globals.browser, createBrannoc: "readonly" } },
  },
  {
    files: ["web/service-worker.js.in"],
    languageOptions: { sourceType: "script", globals: globals.serviceworker },
  },
  {
    files: ["src/platform/web/*.js"],
    languageOptions: { sourceType: "script", globals: { ...globals.browser, ...emscriptenLibrary } },
    // The library's functions are Emscripten's to call, by name.
    rules: { "no-unused-vars": ["error", { vars: "local" }] },
  },
  {
    files: ["tests/web/**/*.mjs", "bench/*.mjs"],
    languageOptions: { sourceType: "module", globals: { ...globals.node, ...globals.browser } },
  },
];

// Lints and lays out the tree's JavaScript: ESLint's findings and the files that Prettier would lay
// out otherwise; non-zero on either. With --fix, Prettier rewrites those files in place.
// Two files are templates, not plain JavaScript: the game's Emscripten library has preprocessor
// lines (#if), and the service worker has CMake's @NAME@ fields. They are checked as JavaScript
// with those parts masked, line for line, and put back as they were.
// Usage: node lint.mjs <node folder> <the tree> <file>... [--fix]
import { createRequire } from "node:module";
import fs from "node:fs";
import path from "node:path";
import { rules } from "./rules.mjs";

const args = process.argv.slice(2);
const fix = args.includes("--fix");
const [nodeFolder, tree, ...files] = args.filter((arg) => arg !== "--fix");
const require = createRequire(path.join(path.resolve(nodeFolder), "package.json"));
const { ESLint } = require("eslint");
const prettier = require("prettier");

const layout = { printWidth: 120 };

// A preprocessor line becomes a comment, and so does every line of a branch after the first (an
// #else), which would otherwise declare again what the first branch declares. Masked lines start
// with "//#" at the left, where the preprocessor wants them and Prettier leaves them.
const directive = /^#(if|ifdef|ifndef|elif|else|endif)\b/;
const field = /@([A-Z_]+)@/g;
function mask(text) {
  let depth = 0;
  let hiddenFrom = Infinity; // the depth of the branch being masked
  const lines = text.split("\n").map((line) => {
    const match = line.match(directive);
    if (!match) return depth >= hiddenFrom ? "//#-" + line : line;
    if (match[1].startsWith("if")) depth += 1;
    else if (match[1] === "endif") {
      if (depth === hiddenFrom) hiddenFrom = Infinity;
      depth -= 1;
    } else hiddenFrom = Math.min(hiddenFrom, depth);
    return "//" + line;
  });
  return lines.join("\n").replace(field, "__at_$1__");
}
const unmask = (text) =>
  text
    .split("\n")
    .map((line) => line.replace(/^\s*\/\/#-/, "").replace(/^\s*\/\/(#(if|ifdef|ifndef|elif|else|endif)\b)/, "$1"))
    .join("\n")
    .replace(/__at_([A-Z_]+)__/g, "@$1@");

// What a template or library makes global for itself: CMake's fields, and an Emscripten library's
// own helpers, which it names $name and the runtime name.
const sources = new Map(files.map((file) => [file, fs.readFileSync(path.join(tree, file), "utf8")]));
const ownGlobals = [...sources].map(([file, source]) => {
  const globals = {};
  for (const [, name] of source.matchAll(field)) globals[`__at_${name}__`] = "readonly";
  for (const [, name] of source.matchAll(/^\s*\$(\w+):/gm)) globals[name] = "readonly";
  return { files: [file], languageOptions: { globals } };
});

const eslint = new ESLint({
  cwd: tree,
  overrideConfigFile: true,
  overrideConfig: [...rules(require("@eslint/js"), require("globals")), ...ownGlobals],
});
let failed = false;
const results = [];
for (const file of files) {
  const source = sources.get(file);
  const text = mask(source);
  if (unmask(text) !== source) throw new Error(`${file}: its masked text does not come back whole`);
  results.push(...(await eslint.lintText(text, { filePath: path.join(tree, file) })));
  const options = { ...layout, filepath: file, parser: "babel" };
  if (await prettier.check(text, options)) continue;
  if (fix) {
    fs.writeFileSync(path.join(tree, file), unmask(await prettier.format(text, options)));
  } else {
    console.error(`${file}: not laid out as Prettier does (scripts/check-js.sh --fix)`);
    failed = true;
  }
}
const report = (await eslint.loadFormatter("stylish")).format(results);
if (report) console.error(report);
if (results.some((result) => result.errorCount + result.warningCount > 0)) failed = true;
process.exit(failed ? 1 : 0);

#!/usr/bin/env node
// Builds the static playground into build-web/site/: the page bundled by esbuild (with
// the programs of examples/ inside), the worker, and the interpreter that `make web`
// compiled to WebAssembly. Usage: node web/build.mjs [--wasm DIR] [--out DIR]
import { build } from 'esbuild';
import { copyFileSync, mkdirSync, readdirSync, readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

import { renderReference } from './reference.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const root = join(here, '..');
const option = (name, fallback) => {
  const at = process.argv.indexOf(name);
  return at >= 0 ? process.argv[at + 1] : fallback;
};
const wasmDir = option('--wasm', join(root, 'build-web/cmake/web/wasm'));
const out = option('--out', join(root, 'build-web/site'));

// `import { examples } from 'virtual:examples'`: every examples/*.prg as { name, text }.
const examplesPlugin = {
  name: 'examples',
  setup(context) {
    context.onResolve({ filter: /^virtual:examples$/ }, () => ({ path: 'examples', namespace: 'examples' }));
    context.onLoad({ filter: /.*/, namespace: 'examples' }, () => {
      const folder = join(root, 'examples');
      const examples = readdirSync(folder)
        .filter((name) => name.endsWith('.prg'))
        .sort()
        .map((name) => ({ name, text: readFileSync(join(folder, name), 'utf8') }));
      return { contents: `export const examples = ${JSON.stringify(examples)};`, loader: 'js', watchFiles: [folder] };
    });
  },
};

mkdirSync(out, { recursive: true });
await build({
  entryPoints: [join(here, 'src/playground.js')],
  bundle: true,
  minify: true,
  format: 'esm',
  target: ['chrome100', 'firefox100', 'safari15'],
  outfile: join(out, 'playground.js'),
  plugins: [examplesPlugin],
  logLevel: 'warning',
});
await build({
  entryPoints: [join(here, 'src/worker.js')],
  minify: true,
  outfile: join(out, 'worker.js'),
  logLevel: 'warning',
});
copyFileSync(join(here, 'index.html'), join(out, 'index.html'));
copyFileSync(join(here, 'node_modules/coi-serviceworker/coi-serviceworker.min.js'), join(out, 'coi-serviceworker.min.js'));
// The language reference in English and Russian, linked from the page's header.
renderReference(root, out);
for (const file of ['localinterp.js', 'localinterp.wasm', 'localinterp.worker.js']) {
  copyFileSync(join(wasmDir, file), join(out, file));
}
console.log(`playground built in ${out}`);

// The debug adapter as VS Code meets it: `localinterp --dap` driven by the client that
// debug adapters are tested with (breakpoints, the stack, variables, stepping, the
// program's output and its end), and the extension's contribution of the debugger.
import assert from 'node:assert/strict';
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { test } from 'node:test';
import { fileURLToPath } from 'node:url';

const require = createRequire(import.meta.url);
const folder = join(dirname(fileURLToPath(import.meta.url)), '..');
const binary = process.env.LOCALINTERP_BINARY;
const noBinary = !binary || !existsSync(binary) ? 'no built localinterp (make test builds one)' : false;

const program = [
  'PROCEDURE Show()', //                        1
  "  ? 'total: ' + STRING(s);", //              2
  'ENDPROCEDURE;', //                           3
  "loaded = CLASSLOAD('VALUETABLE');", //       4
  "t = CREATEOBJECT('VALUETABLE');", //         5
  "c = t.NEWCOLUMN('город');", //               6
  'r = t.NEWLINE();', //                        7
  "r = t.SETVALUE(1, 'город', 'Омск');", //     8
  '', //                                        9
  's = 0;', //                                  10
  'FOR i = 1 TO 3 DO', //                       11
  '  s = s + i;', //                            12
  'ENDDO;', //                                  13
  'Show();', //                                 14
  "? 'done';", //                               15
  '',
].join('\n');

function withProgram(text, body) {
  const directory = mkdtempSync(join(tmpdir(), 'localinterp-dap-'));
  const file = join(directory, 'report.prg');
  writeFileSync(file, text);
  return body(file).finally(() => rmSync(directory, { recursive: true, force: true }));
}

async function client() {
  const { DebugClient } = require('@vscode/debugadapter-testsupport');
  const debug = new DebugClient(binary, '--dap', 'localinterp');
  debug.defaultTimeout = 5000;
  await debug.start();
  return debug;
}

const byName = (variables) => Object.fromEntries(variables.map((v) => [v.name, v]));

test('a breakpoint, the stack, variables, stepping and the end of the program', { skip: noBinary, timeout: 30000 }, () =>
  withProgram(program, async (file) => {
    const debug = await client();
    try {
      // Line 9 is blank: the breakpoint moves to the statement on line 10.
      await debug.hitBreakpoint({ program: file }, { path: file, line: 9 }, { path: file, line: 10 }, { path: file, line: 10 });

      const stack = await debug.stackTraceRequest({ threadId: 1 });
      assert.equal(stack.body.stackFrames.length, 1);
      assert.equal(stack.body.stackFrames[0].column, 1);

      const scopes = await debug.scopesRequest({ frameId: stack.body.stackFrames[0].id });
      const variables = byName((await debug.variablesRequest({ variablesReference: scopes.body.scopes[0].variablesReference })).body.variables);
      assert.equal(variables.LOADED.value, 'ИСТИНА');
      assert.equal(variables.LOADED.type, 'логическое');
      assert.equal(variables.S, undefined);
      const table = variables.T;
      assert.match(table.value, /строк: 1, колонок: 1/);
      const lines = (await debug.variablesRequest({ variablesReference: table.variablesReference })).body.variables;
      assert.deepEqual(lines.map((line) => line.name), ['[1]']);
      const cells = (await debug.variablesRequest({ variablesReference: lines[0].variablesReference })).body.variables;
      assert.deepEqual(cells.map((cell) => [cell.name, cell.value, cell.type]), [['город', 'Омск', 'строка']]);

      // Into the procedure through a breakpoint set while stopped, then out of it.
      await debug.setBreakpointsRequest({ source: { path: file }, breakpoints: [{ line: 2 }] });
      await Promise.all([debug.continueRequest({ threadId: 1 }), debug.assertStoppedLocation('breakpoint', { path: file, line: 2 })]);
      const inner = (await debug.stackTraceRequest({ threadId: 1 })).body.stackFrames;
      assert.deepEqual(inner.map((frame) => [frame.name, frame.line, frame.column]), [['SHOW', 2, 3], [file, 14, 1]]);
      const sum = await debug.evaluateRequest({ expression: 's * 10', context: 'repl' });
      assert.equal(sum.body.result, '60');
      await assert.rejects(debug.evaluateRequest({ expression: 'nosuch + 1', context: 'repl' }), /Переменная не существует/);

      await Promise.all([
        debug.stepOutRequest({ threadId: 1 }),
        debug.assertOutput('stdout', 'total: 6\n'),
        debug.assertStoppedLocation('step', { path: file, line: 15 }),
      ]);
      await Promise.all([
        debug.continueRequest({ threadId: 1 }),
        debug.assertOutput('stdout', 'done\n'),
        debug.waitForEvent('exited').then((event) => assert.equal(event.body.exitCode, 0)),
        debug.waitForEvent('terminated'),
      ]);
    } finally {
      await debug.stop();
    }
  }));

test('stop on entry, step and next; a failure is told and ends the run', { skip: noBinary, timeout: 30000 }, () =>
  withProgram('PROCEDURE P()\n  y = 2;\nENDPROCEDURE;\nx = 1;\nP();\nP();\nz = 1 / 0;\n', async (file) => {
    const debug = await client();
    try {
      await Promise.all([
        debug.configurationSequence(),
        debug.launch({ program: file, stopOnEntry: true }),
        debug.assertStoppedLocation('entry', { path: file, line: 4 }),
      ]);
      await Promise.all([debug.nextRequest({ threadId: 1 }), debug.assertStoppedLocation('step', { line: 5 })]);
      // Over the first call, into the second (the same text on the next line) and out.
      await Promise.all([debug.nextRequest({ threadId: 1 }), debug.assertStoppedLocation('step', { line: 6 })]);
      await Promise.all([debug.stepInRequest({ threadId: 1 }), debug.assertStoppedLocation('step', { line: 2 })]);
      await Promise.all([debug.stepOutRequest({ threadId: 1 }), debug.assertStoppedLocation('step', { line: 7 })]);
      await Promise.all([
        debug.continueRequest({ threadId: 1 }),
        debug.assertOutput('stderr', `${file}:7:`),
        debug.waitForEvent('exited').then((event) => assert.equal(event.body.exitCode, 1)),
      ]);
    } finally {
      await debug.stop();
    }
  }));

test('pause stops a program that runs; requests it cannot serve get an error response', { skip: noBinary, timeout: 30000 }, () =>
  withProgram('n = 0;\nWHILE n >= 0 DO\n  n = n + 1;\nENDDO;\n', async (file) => {
    const debug = await client();
    try {
      await Promise.all([debug.configurationSequence(), debug.launch({ program: file })]);
      await assert.rejects(debug.customRequest('noSuchRequest'), /unknown request/);
      await assert.rejects(debug.nextRequest({ threadId: 1 }), /running/);
      const threads = await debug.threadsRequest();
      assert.equal(threads.body.threads.length, 1);
      // A breakpoint set while the program runs stops it.
      await Promise.all([
        debug.setBreakpointsRequest({ source: { path: file }, breakpoints: [{ line: 3 }] }),
        debug.assertStoppedLocation('breakpoint', { path: file, line: 3 }),
      ]);
      await debug.setBreakpointsRequest({ source: { path: file }, breakpoints: [] });
      await debug.continueRequest({ threadId: 1 });
      await Promise.all([debug.pauseRequest({ threadId: 1 }), debug.assertStoppedLocation('pause', { path: file })]);
      const frames = (await debug.stackTraceRequest({ threadId: 1 })).body.stackFrames;
      assert.ok([2, 3].includes(frames[0].line));
    } finally {
      await debug.stop(); // disconnects: the program at its stop is ended
    }
  }));

test('the extension contributes the debugger and a launch configuration', () => {
  const manifest = JSON.parse(readFileSync(join(folder, 'package.json'), 'utf8'));
  const debuggers = manifest.contributes.debuggers;
  assert.equal(debuggers.length, 1);
  assert.equal(debuggers[0].type, 'localinterp');
  assert.deepEqual(debuggers[0].languages, ['localinterp']);
  const initial = debuggers[0].initialConfigurations[0];
  assert.equal(initial.request, 'launch');
  assert.equal(initial.program, '${file}');
  assert.ok(debuggers[0].configurationAttributes.launch.required.includes('program'));
  assert.ok(manifest.activationEvents.includes('onDebugResolve:localinterp'));
});

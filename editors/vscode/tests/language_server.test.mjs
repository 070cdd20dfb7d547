// The language server as an editor meets it: `localinterp --lsp` driven by the protocol
// library the VS Code client is built on (diagnostics, completion, hover, definition),
// and the extension's start of it, with a stand-in for the editor's API.
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { existsSync } from 'node:fs';
import Module, { createRequire } from 'node:module';
import { dirname, join } from 'node:path';
import { test } from 'node:test';
import { fileURLToPath } from 'node:url';

const require = createRequire(import.meta.url);
const folder = join(dirname(fileURLToPath(import.meta.url)), '..');
const binary = process.env.LOCALINTERP_BINARY;
const noBinary = !binary || !existsSync(binary) ? 'no built localinterp (make test builds one)' : false;

const uri = 'file:///work/report.prg';
const program = [
  'PROCEDURE Show(total)',
  "  ? 'total: ' + STRING(total);",
  'ENDPROCEDURE;',
  "t = CREATEOBJECT('VALUETABLE');",
  "r = t.NEWCOLUMN('city');",
  'x = ;',
  'Show(1);',
  '',
].join('\n');

test('localinterp --lsp answers a real client', { skip: noBinary, timeout: 20000 }, async () => {
  const lsp = require('vscode-languageserver-protocol/node');
  const server = spawn(binary, ['--lsp'], { stdio: ['pipe', 'pipe', 'inherit'] });
  const exited = new Promise((resolve) => server.on('exit', (code) => resolve(code)));
  const connection = lsp.createProtocolConnection(
    new lsp.StreamMessageReader(server.stdout),
    new lsp.StreamMessageWriter(server.stdin),
  );
  const published = [];
  let wake = () => {};
  connection.onNotification(lsp.PublishDiagnosticsNotification.type, (params) => {
    published.push(params);
    wake();
  });
  const nextDiagnostics = (count) =>
    published.length >= count ? Promise.resolve() : new Promise((resolve) => (wake = () => published.length >= count && resolve()));
  connection.listen();
  try {
    const init = await connection.sendRequest(lsp.InitializeRequest.type, { processId: process.pid, rootUri: null, capabilities: {} });
    assert.equal(init.capabilities.hoverProvider, true);
    await connection.sendNotification(lsp.InitializedNotification.type, {});
    const document = { uri };
    await connection.sendNotification(lsp.DidOpenTextDocumentNotification.type, {
      textDocument: { uri, languageId: 'localinterp', version: 1, text: program },
    });
    await nextDiagnostics(1);
    const errors = (index) => published[index].diagnostics.filter((d) => d.severity === lsp.DiagnosticSeverity.Error);
    const warnings = (index) => published[index].diagnostics.filter((d) => d.severity === lsp.DiagnosticSeverity.Warning);
    assert.equal(errors(0).length, 1);
    assert.deepEqual(errors(0)[0].range.start, { line: 5, character: 4 });
    // Show declares a parameter that calls never fill, and a call passes it an argument.
    assert.deepEqual(warnings(0).map((d) => d.code), ['ignored-parameters', 'call-arguments']);

    const completion = await connection.sendRequest(lsp.CompletionRequest.type, { textDocument: document, position: { line: 4, character: 6 } });
    const members = completion.items.map((item) => item.label);
    for (const name of ['NEWCOLUMN', 'НОВАЯКОЛОНКА', 'SORT']) assert.ok(members.includes(name), name);
    const words = await connection.sendRequest(lsp.CompletionRequest.type, { textDocument: document, position: { line: 7, character: 0 } });
    const labels = words.items.map((item) => item.label);
    for (const name of ['ЕСЛИ', 'WHILE', 'STRLEN', 'СТРДЛИНА', 'Show', 't']) assert.ok(labels.includes(name), name);

    const hover = await connection.sendRequest(lsp.HoverRequest.type, { textDocument: document, position: { line: 1, character: 18 } });
    assert.match(hover.contents.value, /STRING\(value\)/);

    const definition = await connection.sendRequest(lsp.DefinitionRequest.type, { textDocument: document, position: { line: 6, character: 1 } });
    assert.deepEqual(definition[0].range, { start: { line: 0, character: 10 }, end: { line: 0, character: 14 } });

    await connection.sendNotification(lsp.DidChangeTextDocumentNotification.type, {
      textDocument: { uri, version: 2 },
      contentChanges: [{ range: { start: { line: 5, character: 4 }, end: { line: 5, character: 4 } }, text: '2' }],
    });
    await nextDiagnostics(2);
    assert.equal(errors(1).length, 0);
    assert.equal(warnings(1).length, 2);

    await connection.sendRequest(lsp.ShutdownRequest.type);
    await connection.sendNotification(lsp.ExitNotification.type);
    assert.equal(await exited, 0);
  } finally {
    connection.dispose();
    server.kill();
  }
});

test('the extension starts localinterp --lsp for program files and --dap for debugging', async () => {
  const manifest = require(join(folder, 'package.json'));
  assert.ok(manifest.activationEvents.includes('onLanguage:localinterp'));
  assert.ok(manifest.dependencies['vscode-languageclient']);
  const started = [];
  class LanguageClient {
    constructor(id, name, serverOptions, clientOptions) {
      started.push({ id, serverOptions, clientOptions });
    }
    start() {
      return Promise.resolve();
    }
    stop() {
      return Promise.resolve();
    }
  }
  const factories = {};
  class DebugAdapterExecutable {
    constructor(command, args) {
      Object.assign(this, { command, args });
    }
  }
  const stand_ins = {
    vscode: {
      workspace: { getConfiguration: () => ({ get: () => '/opt/bin/localinterp' }) },
      debug: { registerDebugAdapterDescriptorFactory: (type, factory) => ((factories[type] = factory), { dispose() {} }) },
      DebugAdapterExecutable,
    },
    'vscode-languageclient/node': { LanguageClient, TransportKind: { stdio: 0 } },
  };
  const load = Module._load;
  Module._load = (request, ...rest) => stand_ins[request] ?? load(request, ...rest);
  try {
    const extension = require(join(folder, manifest.main));
    const context = { subscriptions: [] };
    await extension.activate(context);
    assert.equal(context.subscriptions.length, 1);
    const adapter = factories.localinterp.createDebugAdapterDescriptor({});
    assert.equal(adapter.command, '/opt/bin/localinterp');
    assert.deepEqual(adapter.args, ['--dap']);
    assert.equal(started.length, 1);
    assert.equal(started[0].serverOptions.command, '/opt/bin/localinterp');
    assert.deepEqual(started[0].serverOptions.args, ['--lsp']);
    assert.equal(started[0].clientOptions.documentSelector[0].language, 'localinterp');
    await extension.deactivate();
  } finally {
    Module._load = load;
  }
});

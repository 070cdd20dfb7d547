// Starts the language server, `localinterp --lsp`, for program files: problems marked as
// you type, completion, hover, signature help, go to definition and the outline; and
// gives VS Code the debugger, `localinterp --dap`, for launch configurations of type
// localinterp. The program is found on PATH unless the setting localinterp.server.path
// names it.
const vscode = require('vscode');
const { LanguageClient, TransportKind } = require('vscode-languageclient/node');

let client;

function localinterpCommand() {
  return vscode.workspace.getConfiguration('localinterp').get('server.path') || 'localinterp';
}

// The debug adapter is the same program, started afresh for every debug session.
const debugAdapters = {
  createDebugAdapterDescriptor() {
    return new vscode.DebugAdapterExecutable(localinterpCommand(), ['--dap']);
  },
};

function activate(context) {
  context.subscriptions.push(vscode.debug.registerDebugAdapterDescriptorFactory('localinterp', debugAdapters));
  client = new LanguageClient(
    'localinterp',
    'localinterp language server',
    { command: localinterpCommand(), args: ['--lsp'], transport: TransportKind.stdio },
    {
      documentSelector: [
        { scheme: 'file', language: 'localinterp' },
        { scheme: 'untitled', language: 'localinterp' },
      ],
    },
  );
  return client.start();
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };

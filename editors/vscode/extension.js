// Starts the language server, `localinterp --lsp`, for program files: problems marked as
// you type, completion, hover, signature help, go to definition and the outline. The
// program is found on PATH unless the setting localinterp.server.path names it.
const vscode = require('vscode');
const { LanguageClient, TransportKind } = require('vscode-languageclient/node');

let client;

function activate() {
  const command = vscode.workspace.getConfiguration('localinterp').get('server.path') || 'localinterp';
  client = new LanguageClient(
    'localinterp',
    'localinterp language server',
    { command, args: ['--lsp'], transport: TransportKind.stdio },
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

// The playground page: an editor pane for a program file, a console pane that works like
// the terminal console, and the interpreter in a worker (src/session.js).
import { defaultKeymap, history, historyKeymap, indentWithTab } from '@codemirror/commands';
import { bracketMatching, indentUnit } from '@codemirror/language';
import { EditorState } from '@codemirror/state';
import { EditorView, drawSelection, highlightActiveLine, keymap, lineNumbers } from '@codemirror/view';
import { examples } from 'virtual:examples';

import { ConsolePane, continuationPrompt, prompt } from './console.js';
import { programHighlighting, programLanguage } from './highlight.js';
import { Session } from './session.js';
import { readShareFragment, shareFragment } from './share.js';
import './playground.css';

const loadStart = performance.now();
const element = (id) => document.getElementById(id);
const ui = {
  examples: element('examples'),
  fileName: element('file-name'),
  run: element('run'),
  stop: element('stop'),
  share: element('share'),
  reset: element('reset'),
  status: element('status'),
};


function setProgram(fileName, text) {
  ui.fileName.value = fileName;
  editor.dispatch({ changes: { from: 0, to: editor.state.doc.length, insert: text } });
}

// A file name that the DO command reads back as one word.
function safeFileName() {
  const name = ui.fileName.value.trim().replace(/[^0-9A-Za-z_.\-ЁА-яё]/g, '_') || 'main.prg';
  ui.fileName.value = name;
  return name;
}

const consolePane = new ConsolePane({
  output: element('console-output'),
  input: element('console-input'),
  promptElement: element('prompt'),
  onLine: (line) => runLine(line),
  onInterrupt: () => (session.busy ? session.stop() : session.discardBlock()),
});

// Files of the in-memory directory at the start of every session: the examples.
const exampleFiles = () => examples.map(({ name, text }) => [name, text]);

// Program files that MODIFY COMMAND opens are UTF-8, or CP1251 as the interpreter reads them.
function decodeProgramFile(bytes) {
  try {
    return new TextDecoder('utf-8', { fatal: true }).decode(bytes);
  } catch {
    return new TextDecoder('windows-1251').decode(bytes);
  }
}

const session = new Session({
  files: exampleFiles,
  onOutput: (bytes, marks) => consolePane.writeOutput(bytes, marks),
  onEdit: (name, bytes) => {
    setProgram(name, decodeProgramFile(bytes));
    editor.focus();
  },
  // A line that starts is echoed after the output of the lines before it, as typed.
  onState: (started) => {
    if (started !== undefined) consolePane.echo(started);
    showState();
  },
  onNotice: (text) => consolePane.notice(text),
});

// The worker starts loading the interpreter before the page builds its editor.
const ready = session.start().then(() => {
  // Milliseconds from the start of navigation (performance's time origin) to input, and
  // from the start of this script.
  window.playground.readyMs = performance.now();
  window.playground.scriptToReadyMs = performance.now() - loadStart;
  element('console-input').focus();
});

const starter = `// Type a program here and press Run; the console on the right takes single lines.
? 'Hello from localinterp';
Для н = 1 По 3 Цикл
  Сообщить('Привет, ' + Строка(н));
КонецЦикла;
`;

const editor = new EditorView({
  parent: element('editor-pane'),
  state: EditorState.create({
    doc: starter,
    extensions: [
      lineNumbers(),
      history(),
      drawSelection(),
      highlightActiveLine(),
      bracketMatching(),
      indentUnit.of('  '),
      programLanguage,
      programHighlighting,
      keymap.of([...defaultKeymap, ...historyKeymap, indentWithTab]),
    ],
  }),
});

function showState() {
  const busy = session.busy;
  consolePane.setPrompt(session.continuing ? continuationPrompt : prompt);
  ui.status.textContent = !session.ready ? 'starting…' : busy ? 'running' : 'ready';
  ui.run.disabled = !session.ready || busy;
  ui.stop.disabled = !session.ready || !busy;
  ui.reset.disabled = !session.ready;
  ui.share.disabled = false;
}

function runLine(line) {
  return session.runLine(line);
}

// Run: the editor's text becomes the file, and the console runs it as DO does.
async function runEditor() {
  const name = safeFileName();
  session.discardBlock();
  session.writeFile(name, editor.state.doc.toString());
  await runLine(`DO ${name}`);
}

ui.run.addEventListener('click', () => runEditor());
ui.stop.addEventListener('click', () => session.stop());
ui.reset.addEventListener('click', () => {
  consolePane.clear();
  session.restart('A new session: variables, functions and classes are cleared.');
});
ui.share.addEventListener('click', async () => {
  const fragment = shareFragment(safeFileName(), editor.state.doc.toString());
  window.history.replaceState(null, '', fragment);
  try {
    await navigator.clipboard.writeText(location.href);
    ui.status.textContent = 'link copied';
  } catch {
    ui.status.textContent = 'link in the address bar';
  }
});

for (const { name } of examples) ui.examples.add(new Option(name, name));
ui.examples.addEventListener('change', () => {
  const chosen = examples.find(({ name }) => name === ui.examples.value);
  if (chosen) setProgram(chosen.name, chosen.text);
});

function loadShared() {
  const shared = readShareFragment(location.hash);
  if (shared) setProgram(shared.fileName, shared.program);
}
window.addEventListener('hashchange', loadShared);
loadShared();

// For tests and the curious: when the page took input, and the editor's text.
window.playground = {
  ready,
  editorText: () => editor.state.doc.toString(),
  setProgram,
  lastLineMs: () => session.lastLineMs,
};

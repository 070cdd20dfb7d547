// The playground page: an editor pane for a program file, a console pane that works like
// the terminal console, and the interpreter in a worker (src/session.js).
import { defaultKeymap, history, historyKeymap, indentWithTab } from '@codemirror/commands';
import { bracketMatching, indentOnInput, indentUnit } from '@codemirror/language';
import { EditorState, Prec, Transaction } from '@codemirror/state';
import { EditorView, drawSelection, highlightActiveLine, keymap, lineNumbers } from '@codemirror/view';
import { examples } from 'virtual:examples';

import { ConsolePane, continuationPrompt, prompt } from './console.js';
import { blockIndentation, failureField, markFailure, showFailure } from './editorMarks.js';
import { programHighlighting, programLanguage } from './highlight.js';
import { programChecks } from './lint.js';
import { Session } from './session.js';
import { readShareFragment, shareFragment } from './share.js';
import { forgetFile, keepFile, keptFiles, lastFileName } from './storage.js';
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
  remove: element('delete'),
  status: element('status'),
  consoleInput: element('console-input'),
};


function setProgram(fileName, text) {
  ui.fileName.value = fileName;
  editor.dispatch({ changes: { from: 0, to: editor.state.doc.length, insert: text } });
  showKept();
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
  onPlace: (place) => goToPlace(place, true),
});

// Files of the in-memory directory at the start of every session: the examples, and the
// files kept in the browser's storage (which may replace an example of the same name).
const exampleFiles = () => {
  const files = new Map(examples.map(({ name, text }) => [name, text]));
  for (const [name, text] of Object.entries(keptFiles())) files.set(name, text);
  return [...files];
};

// A place named by a failure (FILE:LINE:COL): marked in the editor when it shows that
// file, else once the file is fetched from the session's directory.
let pendingPlace = null;
function goToPlace(place, focus) {
  if (place.file === ui.fileName.value) {
    showFailure(editor, place.line, place.column);
    if (focus) editor.focus();
  } else {
    pendingPlace = { ...place, focus };
    session.openFile(place.file);
  }
}

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
    if (pendingPlace && pendingPlace.file === name) {
      showFailure(editor, pendingPlace.line, pendingPlace.column);
      if (!pendingPlace.focus) return;
    }
    pendingPlace = null;
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
  consolePane.notice(firstHint);
  ui.consoleInput.focus();
});

const firstHint =
  'Type HELP and press Enter for the commands, pick an example, or press Run (Ctrl+Enter) to run the program on the left.';

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
      blockIndentation,
      indentOnInput(),
      failureField,
      programChecks(session),
      EditorView.lineWrapping,
      EditorView.contentAttributes.of({ 'aria-describedby': 'editor-keys' }),
      Prec.highest(keymap.of([{ key: 'Mod-Enter', run: () => (runEditor(), true) }])),
      keymap.of([...defaultKeymap, ...historyKeymap, indentWithTab]),
      EditorView.updateListener.of((update) => {
        // What the user types is kept; a program the page puts in (an example) is not.
        if (update.docChanged && update.transactions.some((t) => t.annotation(Transaction.userEvent))) keepLater();
      }),
    ],
  }),
});

// The editor's text is kept a moment after the last change.
let keepTimer = null;
function keepLater() {
  clearTimeout(keepTimer);
  keepTimer = setTimeout(() => {
    keepFile(safeFileName(), editor.state.doc.toString());
    showKept();
  }, 400);
}

// Delete is offered for a file kept in storage.
function showKept() {
  ui.remove.disabled = !Object.hasOwn(keptFiles(), ui.fileName.value);
}

function showState() {
  const busy = session.busy;
  consolePane.setPrompt(session.continuing ? continuationPrompt : prompt);
  // As on a terminal, no prompt while a line runs.
  consolePane.showPrompt(!busy);
  ui.status.textContent = !session.ready ? 'starting…' : busy ? 'running' : 'ready';
  ui.run.disabled = !session.ready || busy;
  ui.stop.disabled = !session.ready || !busy;
  ui.reset.disabled = !session.ready;
  ui.share.disabled = false;
}

function runLine(line) {
  return session.runLine(line);
}

// Run: the editor's text becomes the file (kept in storage too), and the session runs it
// as a script run from a terminal does. A failure's closing line names its place: the
// editor marks it. The console has the focus again afterwards.
async function runEditor() {
  if (!session.ready || session.busy) return;
  const name = safeFileName();
  const text = editor.state.doc.toString();
  session.discardBlock();
  session.writeFile(name, text);
  keepFile(name, text);
  showKept();
  editor.dispatch({ effects: markFailure.of(null) });
  consolePane.lastPlace = null;
  await session.runFile(name, (succeeded) => {
    if (!succeeded && consolePane.lastPlace) goToPlace(consolePane.lastPlace, false);
    ui.consoleInput.focus();
  });
}

ui.run.addEventListener('click', () => runEditor());
ui.stop.addEventListener('click', () => session.stop());
ui.reset.addEventListener('click', () => {
  consolePane.clear();
  session.restart('A new session: variables, functions and classes are cleared.');
});
ui.remove.addEventListener('click', () => {
  const name = ui.fileName.value;
  forgetFile(name);
  const example = examples.find((file) => file.name === name);
  if (example) session.writeFile(name, example.text);
  else session.removeFile(name);
  if (example) setProgram(name, example.text);
  else setProgram('main.prg', starter);
  consolePane.notice(example ? `${name} is the example again.` : `${name} is no longer kept.`);
  showKept();
});
// Ctrl+Enter (Cmd+Enter) runs the editor's program from anywhere on the page.
document.addEventListener('keydown', (event) => {
  if (event.key === 'Enter' && (event.ctrlKey || event.metaKey) && !event.defaultPrevented) {
    event.preventDefault();
    runEditor();
  }
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

// A share link's program, or else the file the editor showed last (kept in storage).
function loadShared() {
  const shared = readShareFragment(location.hash);
  if (shared?.broken) {
    ready.then(() =>
      consolePane.notice('This share link cannot be read (it may have been cut short): the editor shows another program.'),
    );
  } else if (shared) {
    setProgram(shared.fileName, shared.program);
    return true;
  }
  return false;
}
window.addEventListener('hashchange', loadShared);
if (!loadShared()) {
  const last = lastFileName();
  const kept = keptFiles();
  if (last !== null && Object.hasOwn(kept, last)) setProgram(last, kept[last]);
}
showKept();

// For tests and the curious: when the page took input, and the editor's text.
window.playground = {
  ready,
  editorText: () => editor.state.doc.toString(),
  setProgram,
  lastLineMs: () => session.lastLineMs,
  // Line and column (from 1) of the editor's cursor.
  cursor: () => {
    const head = editor.state.selection.main.head;
    const line = editor.state.doc.lineAt(head);
    return { line: line.number, column: head - line.from + 1 };
  },
};

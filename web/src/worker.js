// The interpreter's worker: it loads the WebAssembly module, keeps one session (context,
// variables, functions, loaded classes) and runs the console lines the page sends, one at
// a time. Its files live in an in-memory directory. Output arrives at the page as 'out'
// messages while a line runs; 'done' ends each line.
/* global createLocalinterp */
importScripts('localinterp.js');

let module = null;

function writeFile(name, text) {
  module.FS.writeFile(name, text);
}

// Calls an entry point of the module with a text argument (UTF-8 in its memory).
function withText(text, entry) {
  const size = module.lengthBytesUTF8(text) + 1;
  const bytes = module._malloc(size);
  try {
    module.stringToUTF8(text, bytes, size);
    return entry(bytes);
  } finally {
    module._free(bytes);
  }
}

async function start(files) {
  const scriptUrl = new URL('localinterp.js', self.location.href).href;
  module = await createLocalinterp({
    mainScriptUrlOrBlob: scriptUrl,
    locateFile: (path) => new URL(path, self.location.href).href,
    print: (text) => postMessage({ type: 'log', text }),
    printErr: (text) => postMessage({ type: 'log', text }),
  });
  module.FS.mkdir('/playground');
  module.FS.chdir('/playground');
  for (const [name, text] of files) writeFile(name, text);
  const stopWord = module._webStart();
  postMessage({ type: 'ready', memory: module.HEAP32.buffer, stopWord });
}

self.onmessage = (event) => {
  const message = event.data;
  try {
    if (message.type === 'start') {
      start(message.files).catch((error) => postMessage({ type: 'failed', text: String(error) }));
    } else if (message.type === 'file') {
      writeFile(message.name, message.text);
    } else if (message.type === 'line') {
      const started = performance.now();
      // 0 ran, 1 ended the session (QUIT), 2 opened or continued a block.
      const result = withText(message.line, module._webRunLine);
      postMessage({ type: 'done', result, ms: performance.now() - started });
    } else if (message.type === 'run') {
      const started = performance.now();
      const succeeded = withText(message.name, module._webRunFile) === 0;
      postMessage({ type: 'done', result: 0, succeeded, ms: performance.now() - started });
    } else if (message.type === 'remove') {
      if (module.FS.analyzePath(message.name).exists) module.FS.unlink(message.name);
    } else if (message.type === 'open') {
      if (module.FS.analyzePath(message.name).exists) {
        const bytes = module.FS.readFile(message.name);
        postMessage({ type: 'edit', name: message.name, bytes }, [bytes.buffer]);
      }
    } else if (message.type === 'discard') {
      module._webDiscardBlock();
    } else if (message.type === 'check') {
      // The editor's diagnostics and hover help: JSON that the module keeps until the next call.
      const answer = withText(message.text, module._webCheck);
      postMessage({ type: 'answer', id: message.id, value: JSON.parse(module.UTF8ToString(answer)) });
    } else if (message.type === 'hover') {
      const answer = withText(message.text, (text) => module._webHover(text, message.offset));
      postMessage({ type: 'answer', id: message.id, value: JSON.parse(module.UTF8ToString(answer)) });
    }
  } catch (error) {
    // A trap (the browser's stack overflowing where the interpreter could not switch to a
    // fresh one) leaves the module unusable, and the page starts a new session.
    const overflow = error instanceof RangeError && /call stack/i.test(error.message);
    postMessage({
      type: 'failed',
      text: overflow ? 'the program nested deeper than the browser allows' : String(error),
    });
  }
};

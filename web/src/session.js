// The page's side of the interpreter's worker: starts it, queues console lines (one runs
// at a time), passes output on, and stops a running line. Stop stores into a word of the
// module's shared memory that a watcher thread inside the module waits on, so the running
// line ends at its next check, as Ctrl-C ends it in a terminal, and the session keeps its
// variables. Without cross-origin isolation there is no shared memory: Stop then ends the
// worker and starts a fresh session, and says so.

const stopGraceMs = 3000;

export class Session {
  constructor({ files, onOutput, onEdit, onState, onNotice }) {
    this.files = files;
    this.onOutput = onOutput;
    this.onEdit = onEdit;
    this.onState = onState;
    this.onNotice = onNotice;
    this.queue = [];
    this.running = null;
    this.worker = null;
    this.ready = false;
    this.stopView = null;
    this.stopIndex = 0;
    this.stopTimer = null;
    // How long the last line ran inside the worker, in milliseconds.
    this.lastLineMs = 0;
    // True while a block typed at the prompt waits for its further lines.
    this.continuing = false;
    // Questions of the editor (check, hover) waiting for their answers, by number.
    this.questions = new Map();
    this.lastQuestion = 0;
  }

  // Resolves when the interpreter is ready for the first line.
  start() {
    this.ready = false;
    this.worker = new Worker(new URL('worker.js', document.baseURI));
    const started = new Promise((resolve, reject) => {
      this.worker.onmessage = (event) => this.receive(event.data, resolve, reject);
      this.worker.onerror = (event) => reject(new Error(event.message || 'the worker did not start'));
    });
    this.worker.postMessage({ type: 'start', files: this.files() });
    this.onState();
    return started;
  }

  receive(message, resolve, reject) {
    switch (message.type) {
      case 'ready':
        this.ready = true;
        if (message.memory instanceof SharedArrayBuffer) {
          this.stopView = new Int32Array(message.memory);
          this.stopIndex = message.stopWord >> 2;
        }
        resolve();
        this.onState();
        this.next();
        break;
      case 'out':
        this.onOutput(message.bytes, message.marks);
        break;
      case 'edit':
        this.onEdit(message.name, message.bytes);
        break;
      case 'done':
        this.lastLineMs = message.ms;
        this.finishLine(message.result, message.succeeded);
        break;
      case 'answer':
        this.questions.get(message.id)?.(message.value);
        this.questions.delete(message.id);
        break;
      case 'log':
        console.log(message.text);
        break;
      case 'failed':
        reject(new Error(message.text));
        this.restart(`The interpreter failed (${message.text}); a new session has started.`);
        break;
      default:
        break;
    }
  }

  get busy() {
    return this.running !== null || this.queue.length > 0;
  }

  get canStopInPlace() {
    return this.stopView !== null;
  }

  // Runs a console line after those already queued; it is echoed when it starts.
  runLine(line) {
    return new Promise((resolve) => {
      this.queue.push({ line, resolve });
      this.next();
    });
  }

  // Runs a file of the session's directory as a script run does (echoed as DO FILE): a
  // failure ends with its FILE:LINE:COL line. `finished(succeeded)` is called as the run
  // ends, before the page shows it as ready again.
  runFile(name, finished) {
    return new Promise((resolve) => {
      this.queue.push({ line: `DO ${name}`, file: name, resolve, finished });
      this.next();
    });
  }

  removeFile(name) {
    this.worker.postMessage({ type: 'remove', name });
  }

  // Asks for a file of the session's directory: it arrives through onEdit.
  openFile(name) {
    this.worker.postMessage({ type: 'open', name });
  }

  // Asks the interpreter about a text without running it ({ type: 'check', text } and the
  // like); resolves with the answer, or null when the session ends first. The worker does
  // one thing at a time: callers ask only while nothing runs.
  ask(question) {
    const id = ++this.lastQuestion;
    return new Promise((resolve) => {
      this.questions.set(id, resolve);
      this.worker.postMessage({ ...question, id });
    });
  }

  writeFile(name, text) {
    this.worker.postMessage({ type: 'file', name, text });
  }

  next() {
    if (!this.ready || this.running !== null || this.queue.length === 0) return;
    this.running = this.queue.shift();
    this.onState(this.running.line);
    const { line, file } = this.running;
    this.worker.postMessage(file === undefined ? { type: 'line', line } : { type: 'run', name: file });
  }

  finishLine(result, succeeded) {
    clearTimeout(this.stopTimer);
    this.stopTimer = null;
    const finished = this.running;
    this.running = null;
    this.continuing = result === 2;
    if (finished) {
      finished.finished?.(succeeded);
      finished.resolve(succeeded);
    }
    if (result === 1) {
      this.restart('The session ended; a new one has started.');
      return;
    }
    this.onState();
    this.next();
  }

  // Drops the lines of a block typed so far, as Ctrl-C at the terminal's prompt does.
  discardBlock() {
    if (!this.continuing || this.busy) return;
    this.worker.postMessage({ type: 'discard' });
    this.continuing = false;
    this.onState();
  }

  stop() {
    if (this.running === null) return;
    if (this.canStopInPlace) {
      Atomics.store(this.stopView, this.stopIndex, 1);
      Atomics.notify(this.stopView, this.stopIndex);
      // A line that does not notice the request in time is ended with its worker.
      this.stopTimer = setTimeout(() => this.restart('The program did not stop; a new session has started.'), stopGraceMs);
    } else {
      this.restart('Stopped. Without cross-origin isolation a stop ends the session: a new one has started.');
    }
  }

  // Ends the worker (variables, functions and classes go with it) and starts a new one.
  restart(notice) {
    clearTimeout(this.stopTimer);
    this.stopTimer = null;
    if (this.worker) this.worker.terminate();
    const pending = this.running ? [this.running, ...this.queue] : this.queue;
    for (const item of pending) item.resolve();
    for (const answer of this.questions.values()) answer(null);
    this.questions.clear();
    this.running = null;
    this.queue = [];
    this.stopView = null;
    this.continuing = false;
    if (notice) this.onNotice(notice);
    return this.start();
  }
}

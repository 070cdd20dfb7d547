// The console pane: output decoded from the interpreter's UTF-8 bytes as they come, the
// prompt, and an input line with a history on Up and Down, as in the terminal console.

export const prompt = 'localInterpretatorUTF8::console # ';
// The prompt for the further lines of a block, as on a terminal.
export const continuationPrompt = '... ';
const maxOutputChars = 2_000_000;
// The place that starts the closing line of a failed run: "main.prg:12:5: message".
const failurePlace = /^([^\s:]+):(\d+):(\d+)(?=: )/gm;

// Ctrl-C by the key's place on the keyboard, so that it works on any layout (a Russian
// one types "с" there) and with Caps Lock on.
export const isInterruptKey = (event) =>
  event.ctrlKey && !event.altKey && !event.metaKey && (event.code === 'KeyC' || event.key.toLowerCase() === 'c');

export class ConsolePane {
  constructor({ output, input, promptElement, onLine, onInterrupt, onPlace }) {
    this.onPlace = onPlace;
    this.followPending = false;
    // The last FILE:LINE:COL shown, for the page to take after a run.
    this.lastPlace = null;
    this.output = output;
    this.input = input;
    this.decoder = new TextDecoder('utf-8');
    this.history = [];
    this.historyIndex = 0;
    this.draft = '';
    this.length = 0;
    this.lineComplete = true;
    this.promptElement = promptElement;
    this.promptText = prompt;
    promptElement.textContent = prompt;
    input.addEventListener('keydown', (event) => this.key(event, onLine, onInterrupt));
    output.parentElement.addEventListener('click', () => {
      if (!window.getSelection().toString()) input.focus();
    });
  }

  // Hides the prompt while a line runs; what is typed meanwhile waits its turn.
  showPrompt(visible) {
    this.promptElement.parentElement.classList.toggle('running', !visible);
  }

  setPrompt(text) {
    this.promptText = text;
    this.promptElement.textContent = text;
  }

  key(event, onLine, onInterrupt) {
    const selected = this.input.selectionStart !== this.input.selectionEnd;
    if (isInterruptKey(event) && !selected) {
      // Ctrl-C as on a terminal: stops a running line, or drops the typed line (and a
      // block being typed).
      event.preventDefault();
      this.write(`${this.promptText}${this.input.value}^C\n`, 'echo');
      this.input.value = '';
      onInterrupt();
    } else if (event.key === 'Enter' && !event.ctrlKey && !event.metaKey) {
      // (Ctrl+Enter is the page's: it runs the editor's program.)
      const line = this.input.value;
      this.input.value = '';
      if (line.trim() !== '' && this.history[this.history.length - 1] !== line) this.history.push(line);
      this.historyIndex = this.history.length;
      this.draft = '';
      onLine(line);
    } else if (event.key === 'ArrowUp' || event.key === 'ArrowDown') {
      event.preventDefault();
      this.browse(event.key === 'ArrowUp' ? -1 : 1);
    }
  }

  browse(step) {
    if (this.historyIndex === this.history.length) this.draft = this.input.value;
    const index = Math.min(Math.max(this.historyIndex + step, 0), this.history.length);
    if (index === this.historyIndex) return;
    this.historyIndex = index;
    this.input.value = index === this.history.length ? this.draft : this.history[index];
    this.input.setSelectionRange(this.input.value.length, this.input.value.length);
  }

  // The line as the terminal shows it once it runs: prompt and text.
  echo(line) {
    this.write(`${this.promptText}${line}\n`, 'echo');
  }

  // Output of the interpreter: UTF-8 bytes, and pairs of offset and channel where the
  // channel changes (0 what programs print, 1 the system's diagnostics, shown dimmed).
  writeOutput(bytes, marks) {
    for (let i = 0; i < marks.length; i += 2) {
      const end = i + 2 < marks.length ? marks[i + 2] : bytes.length;
      const text = this.decoder.decode(bytes.subarray(marks[i], end), { stream: true });
      this.write(text, marks[i + 1] === 1 ? 'diagnostic' : '');
    }
  }

  // Text goes into blocks, one for each batch of whole lines: appending a block does not
  // lay out all that came before again, which appending to one long text did. Nothing
  // here asks for the layout but once a frame (whether the view was at the bottom), so
  // that thousands of short writes of a failing recursion cost no more than one.
  write(text, className = '') {
    if (text === '') return;
    this.followOutput();
    let block = this.output.lastElementChild;
    if (!block || this.lineComplete) {
      block = document.createElement('div');
      this.output.append(block);
    }
    if (className === 'diagnostic' && this.onPlace) {
      block.append(...this.withPlaceLinks(text, className));
    } else if (className) {
      const span = document.createElement('span');
      span.className = className;
      span.textContent = text;
      block.append(span);
    } else {
      block.append(text);
    }
    this.lineComplete = text.endsWith('\n');
    this.length += text.length;
    // Long sessions keep their latest output only.
    while (this.length > maxOutputChars && this.output.childElementCount > 1) {
      const oldest = this.output.firstElementChild;
      this.length -= oldest.textContent.length;
      oldest.remove();
    }
  }

  // Diagnostic text with each FILE:LINE:COL at the start of a line made a link that
  // leads the editor to that place.
  withPlaceLinks(text, className) {
    const parts = [];
    let from = 0;
    const span = (piece) => {
      const element = document.createElement('span');
      element.className = className;
      element.textContent = piece;
      return element;
    };
    for (const match of text.matchAll(failurePlace)) {
      if (match.index > from) parts.push(span(text.slice(from, match.index)));
      const link = document.createElement('a');
      link.className = 'place';
      link.href = '#';
      link.textContent = match[0];
      const place = { file: match[1], line: Number(match[2]), column: Number(match[3]) };
      this.lastPlace = place;
      link.addEventListener('click', (event) => {
        event.preventDefault();
        event.stopPropagation();
        this.onPlace(place);
      });
      parts.push(link);
      from = match.index + match[0].length;
    }
    if (from < text.length) parts.push(span(text.slice(from)));
    return parts;
  }

  // Keeps the newest output in view when the view was at the bottom before it came.
  followOutput() {
    if (this.followPending) return;
    this.followPending = true;
    const atBottom = this.output.scrollHeight - this.output.scrollTop - this.output.clientHeight < 4;
    requestAnimationFrame(() => {
      this.followPending = false;
    // The last FILE:LINE:COL shown, for the page to take after a run.
    this.lastPlace = null;
      if (atBottom) this.output.scrollTop = this.output.scrollHeight;
    });
  }

  notice(text) {
    this.write(`[${text}]\n`, 'notice');
  }

  clear() {
    this.output.textContent = '';
    this.length = 0;
    this.lineComplete = true;
    this.decoder = new TextDecoder('utf-8');
  }
}

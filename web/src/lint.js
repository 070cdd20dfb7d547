// The editor's marks and hover help, from the interpreter's own checker and reference:
// errors and warnings under the text a moment after typing stops, and the reference's
// help on a built-in function or member under the pointer. Both are asked of the worker,
// which runs one thing at a time: a check waits while a program runs, and hover help is
// not offered then.
import { linter, lintGutter } from '@codemirror/lint';
import { EditorView, hoverTooltip } from '@codemirror/view';

const checkDelayMs = 500;
const waitStepMs = 250;

const helpTheme = EditorView.baseTheme({
  '.cm-reference-help': { maxWidth: '34em', maxHeight: '18em', overflow: 'auto', padding: '4px 8px', whiteSpace: 'pre-wrap' },
  '.cm-reference-help pre': { margin: '0 0 6px', fontWeight: 'bold' },
});

const idle = (session) => session.ready && !session.busy;

async function untilIdle(session) {
  while (!idle(session)) await new Promise((resolve) => setTimeout(resolve, waitStepMs));
}

// The interpreter counts characters (code points), the editor UTF-16 units: they differ
// after a character outside the 16-bit plane (an emoji in a string).
const unitsOf = (text, characters) => [...text].slice(0, Math.max(characters, 0)).join('').length;
const charactersOf = (text, units) => [...text.slice(0, units)].length;

// A checker's place (line and columns from 1, in characters) as offsets of the document,
// kept inside the line and at least one character wide where the line has one: a place
// just past the end of a line (a missing ";") marks the line's last character.
function toRange(doc, place) {
  const line = doc.line(Math.min(Math.max(place.line, 1), doc.lines));
  let from = line.from + unitsOf(line.text, place.column - 1);
  let to = line.from + unitsOf(line.text, place.endColumn - 1);
  if (to <= from) to = Math.min(from + 1, line.to);
  if (to <= from) from = Math.max(to - 1, line.from);
  return { from, to };
}

function diagnosticsOf(doc, found) {
  return (found ?? []).map((d) => ({
    ...toRange(doc, d),
    severity: d.severity,
    source: d.name,
    message: d.message,
  }));
}

function helpElement(help) {
  const box = document.createElement('div');
  box.className = 'cm-reference-help';
  if (help.signatures.length > 0) {
    const code = document.createElement('pre');
    code.textContent = help.signatures.join('\n');
    box.append(code);
  }
  const text = document.createElement('div');
  text.textContent = help.text;
  box.append(text);
  return box;
}

// The extensions of the editor; `session` is the page's Session.
export function programChecks(session) {
  const checks = linter(
    async (view) => {
      const doc = view.state.doc;
      await untilIdle(session);
      return diagnosticsOf(doc, await session.ask({ type: 'check', text: doc.toString() }));
    },
    { delay: checkDelayMs },
  );
  const help = hoverTooltip(async (view, pos) => {
    if (!idle(session)) return null;
    const text = view.state.doc.toString();
    const found = await session.ask({ type: 'hover', text, offset: charactersOf(text, pos) });
    if (!found) return null;
    const [from, to] = [unitsOf(text, found.from), unitsOf(text, found.to)];
    return { pos: from, end: to, above: true, create: () => ({ dom: helpElement(found) }) };
  });
  return [checks, lintGutter(), help, helpTheme];
}

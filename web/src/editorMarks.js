// The editor's side of failures and blocks: the line a failed run stopped at, marked until
// the text changes; indentation that follows the blocks of the language, with closing
// keywords dedented as they are typed.
import { indentService, indentUnit, getIndentUnit } from '@codemirror/language';
import { EditorSelection, StateEffect, StateField } from '@codemirror/state';
import { Decoration, EditorView } from '@codemirror/view';

export const markFailure = StateEffect.define();

const failureLine = Decoration.line({ class: 'cm-failure-line' });

// At most one marked line: set by markFailure (a line number, or null to clear), gone with
// any change of the text.
export const failureField = StateField.define({
  create: () => Decoration.none,
  update(marks, transaction) {
    for (const effect of transaction.effects) {
      if (effect.is(markFailure)) {
        if (effect.value === null) return Decoration.none;
        const line = transaction.state.doc.line(effect.value);
        return Decoration.set([failureLine.range(line.from)]);
      }
    }
    return transaction.docChanged ? Decoration.none : marks;
  },
  provide: (field) => EditorView.decorations.from(field),
});

// Marks the line of a failure and puts the cursor at its column, scrolled into view.
// Places past the end of the text (the program changed since) go to its last line.
export function showFailure(view, line, column) {
  const doc = view.state.doc;
  const target = doc.line(Math.min(Math.max(line, 1), doc.lines));
  const position = Math.min(target.from + Math.max(column - 1, 0), target.to);
  view.dispatch({
    selection: EditorSelection.cursor(position),
    effects: [markFailure.of(target.number), EditorView.scrollIntoView(position, { y: 'center' })],
  });
}

const opening = /^\s*(?:IF|ЕСЛИ|WHILE|ПОКА|FOR|ДЛЯ|FUNCTION|ФУНКЦИЯ|PROCEDURE|ПРОЦЕДУРА|ELSE|ИНАЧЕ|ELSEIF|ИНАЧЕЕСЛИ)(?![0-9A-Za-z_ЁА-яё])/i;
const closing = /^\s*(?:ENDIF|КОНЕЦЕСЛИ|ENDDO|КОНЕЦЦИКЛА|ENDFUNCTION|КОНЕЦФУНКЦИИ|ENDPROCEDURE|КОНЕЦПРОЦЕДУРЫ|ELSE|ИНАЧЕ|ELSEIF|ИНАЧЕЕСЛИ)(?![0-9A-Za-z_ЁА-яё])/i;
// A line that opens and closes its block (IF a THEN b; ENDIF;) leaves the depth as it was.
const closedOnLine = /(?:ENDIF|КОНЕЦЕСЛИ|ENDDO|КОНЕЦЦИКЛА|ENDFUNCTION|КОНЕЦФУНКЦИИ|ENDPROCEDURE|КОНЕЦПРОЦЕДУРЫ)\s*;?\s*(?:\/\/.*)?$/i;

// The indentation of the line at `position`: that of the line above, one unit deeper after
// a line that opens a block, one unit shallower for a line that closes one (or ELSE).
export const blockIndentation = indentService.of((context, position) => {
  // The context's lines (a line break being inserted included), upwards to one not blank.
  let previous = null;
  for (let from = context.lineAt(position).from - 1; from >= 0 && previous === null; ) {
    const above = context.lineAt(from, -1);
    if (above.text.trim() !== '') previous = above.text;
    from = above.from - 1;
  }
  if (previous === null) return 0;
  const unit = getIndentUnit(context.state);
  let indentation = /^\s*/.exec(previous)[0].replace(/\t/g, ' '.repeat(context.state.tabSize)).length;
  if (opening.test(previous) && !closedOnLine.test(previous)) indentation += unit;
  const after = context.textAfterPos(position);
  if (closing.test(after)) indentation -= unit;
  return Math.max(indentation, 0);
});

// Typing the last letter of a closing keyword at the start of a line indents it anew.
export const closingKeywordInput =
  /^\s*(?:ENDIF|КОНЕЦЕСЛИ|ENDDO|КОНЕЦЦИКЛА|ENDFUNCTION|КОНЕЦФУНКЦИИ|ENDPROCEDURE|КОНЕЦПРОЦЕДУРЫ|ELSE|ИНАЧЕ|ELSEIF|ИНАЧЕЕСЛИ)$/i;

export { indentUnit };

// Highlighting of programs in the editor pane, from the word lists that editors/generate.mjs
// writes from editors/keywords.txt (the same lists as the Vim and VS Code grammars):
// keywords of both sets, console commands where a statement starts, built-in functions
// where they are called, classes after CLASS, strings (which may span lines), numbers and
// comments.
import { HighlightStyle, StreamLanguage, syntaxHighlighting } from '@codemirror/language';
import { tags } from '@lezer/highlight';
import {
  classWords,
  commandFollowWords,
  commandWords,
  functionWords,
  statementWords,
  wordClass,
} from './keywords.generated.js';
import { closingKeywordInput } from './editorMarks.js';

const statements = new Set(statementWords);
const commands = new Set(commandWords);
const commandFollows = new Set(commandFollowWords);
const functions = new Set(functionWords);
const classes = new Set(classWords);
const word = new RegExp(`^[${wordClass}]+`);
const number = /^(?:[0-9]+(?:\.[0-9]*)?|\.[0-9]+)/;

function readString(stream, state) {
  if (stream.skipTo(state.quote)) {
    stream.next();
    state.quote = null;
  } else {
    stream.skipToEnd();
  }
  return 'string';
}

function readWord(stream, state, text) {
  const upper = text.toUpperCase();
  const statementStart = state.statementStart;
  const { afterCommand, afterClass } = state;
  state.statementStart = false;
  state.afterCommand = false;
  state.afterClass = false;
  if (afterCommand && commandFollows.has(upper)) {
    state.afterClass = upper === 'CLASS';
    return 'command';
  }
  if (afterClass && classes.has(upper)) return 'className';
  if (statementStart && commands.has(upper)) {
    state.afterCommand = true;
    return 'command';
  }
  if (statements.has(upper)) return 'keyword';
  if (functions.has(upper) && stream.match(/^[ \t]*\(/, false)) return 'builtin';
  return null;
}

export const programLanguage = StreamLanguage.define({
  name: 'localinterp',
  startState: () => ({ quote: null, statementStart: true, afterCommand: false, afterClass: false }),
  token(stream, state) {
    if (state.quote) return readString(stream, state);
    if (stream.sol()) state.statementStart = true;
    if (stream.eatSpace()) return null;
    if (stream.match('//')) {
      stream.skipToEnd();
      return 'comment';
    }
    const next = stream.peek();
    if (next === "'" || next === '"') {
      stream.next();
      state.quote = next;
      state.statementStart = false;
      return readString(stream, state);
    }
    if (stream.match(number)) {
      state.statementStart = false;
      return 'number';
    }
    const found = stream.match(word);
    if (found) return readWord(stream, state, found[0]);
    stream.next();
    state.statementStart = next === ';';
    if (next === '?') return 'keyword';
    return /[=<>+\-*/]/.test(next) ? 'operator' : null;
  },
  tokenTable: { command: tags.macroName, builtin: tags.standard(tags.variableName) },
  languageData: { commentTokens: { line: '//' }, indentOnInput: closingKeywordInput },
});

export const programHighlighting = syntaxHighlighting(
  HighlightStyle.define([
    { tag: tags.keyword, class: 'tok-keyword' },
    { tag: tags.macroName, class: 'tok-command' },
    { tag: tags.standard(tags.variableName), class: 'tok-function' },
    { tag: tags.className, class: 'tok-class' },
    { tag: tags.string, class: 'tok-string' },
    { tag: tags.number, class: 'tok-number' },
    { tag: tags.comment, class: 'tok-comment' },
    { tag: tags.operator, class: 'tok-operator' },
  ]),
);

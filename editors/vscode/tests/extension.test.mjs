// The VS Code extension folder holds together: every file package.json names exists and
// parses, the snippets cover IF, WHILE, FOR and PROCEDURE in both spellings, and the
// problem matcher reads what `localinterp --check` prints (from a built localinterp when
// LOCALINTERP_BINARY names one, else from a line of that form).
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { test } from 'node:test';
import { fileURLToPath } from 'node:url';

const folder = join(dirname(fileURLToPath(import.meta.url)), '..');
const manifest = JSON.parse(readFileSync(join(folder, 'package.json'), 'utf8'));
const contributes = manifest.contributes;

test('every file the manifest names exists and parses', () => {
  const files = [
    contributes.languages[0].configuration,
    contributes.grammars[0].path,
    contributes.snippets[0].path,
  ];
  for (const file of files) JSON.parse(readFileSync(join(folder, file), 'utf8'));
  assert.equal(contributes.grammars[0].scopeName, 'source.localinterp');
  assert.deepEqual(contributes.languages[0].extensions, ['.prg']);
});

test('snippets cover IF, WHILE, FOR and PROCEDURE in both spellings', () => {
  const snippets = JSON.parse(readFileSync(join(folder, contributes.snippets[0].path), 'utf8'));
  const prefixes = Object.values(snippets).map((snippet) => snippet.prefix);
  for (const prefix of ['if', 'если', 'while', 'пока', 'for', 'для', 'procedure', 'процедура']) {
    assert.ok(prefixes.includes(prefix), prefix);
  }
  for (const [name, snippet] of Object.entries(snippets)) {
    const body = snippet.body.join('\n');
    assert.match(body, /(ENDIF|КонецЕсли|ENDDO|КонецЦикла|ENDPROCEDURE|КонецПроцедуры);$/, name);
  }
});

function checkOutput() {
  const binary = process.env.LOCALINTERP_BINARY;
  if (!binary || !existsSync(binary)) return 'bad.prg:1:6: Синтаксическая ошибка. Ожидается ";"\n';
  const work = mkdtempSync(join(tmpdir(), 'matcher-'));
  try {
    writeFileSync(join(work, 'bad.prg'), 'x = 1\ny = 2;\n');
    try {
      execFileSync(binary, ['--check', 'bad.prg'], { cwd: work, stdio: 'pipe' });
    } catch (failure) {
      return failure.stderr.toString();
    }
    assert.fail('--check accepted a faulty program');
  } finally {
    rmSync(work, { recursive: true, force: true });
  }
  return '';
}

test('the problem matcher reads the output of localinterp --check', () => {
  const matcher = contributes.problemMatchers[0];
  const pattern = new RegExp(matcher.pattern.regexp);
  const found = checkOutput().trimEnd().match(pattern);
  assert.ok(found, 'no match');
  assert.equal(found[matcher.pattern.file], 'bad.prg');
  assert.equal(found[matcher.pattern.line], '1');
  assert.equal(found[matcher.pattern.column], '6');
  assert.match(found[matcher.pattern.message], /Ожидается/);
});

// The playground in headless Chromium (Debian's /usr/bin/chromium driven by playwright-core)
// against the built page served on 127.0.0.1: every example against its expected output,
// console lines in both alphabets with history, Stop on an endless loop, the in-memory
// directory (DIR, MODIFY COMMAND, RUN), state across runs and Reset, share links, and no
// console errors. Saves a screenshot and prints the measured figures.
// Usage: node --test web/test/playground.test.mjs (after `make web`); CHROMIUM=path to override.
import assert from 'node:assert/strict';
import { mkdirSync, mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { after, before, describe, test } from 'node:test';
import { fileURLToPath } from 'node:url';

import { chromium } from 'playwright-core';

import { startServer } from '../serve.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const root = join(here, '..', '..');
const site = join(root, 'build-web', 'site');
const artifacts = join(root, 'build-web', 'test-artifacts');
const prompt = 'localInterpretatorUTF8::console # ';

let server;
let browser;
let profile;
let page;
let base;
const problems = [];
const figures = {};

function watch(target) {
  target.on('console', (message) => {
    if (message.type() === 'error') problems.push(`console error: ${message.text()}`);
  });
  target.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
}

async function openPage(url) {
  const opened = await browser.newPage();
  watch(opened);
  await opened.goto(url);
  await opened.evaluate(() => window.playground.ready);
  return opened;
}

const consoleText = (target = page) => target.$eval('#console-output', (e) => e.textContent);
const waitIdle = (target = page) =>
  target.waitForFunction(() => document.getElementById('status').textContent === 'ready', null, { timeout: 60000 });

// Types a console line and returns what it printed (after its echo).
async function typeLine(line, target = page) {
  const before = (await consoleText(target)).length;
  await target.fill('#console-input', line);
  await target.press('#console-input', 'Enter');
  await waitIdle(target);
  const printed = (await consoleText(target)).slice(before);
  assert.ok(printed.startsWith(`${prompt}${line}\n`), `echo of ${line}: ${printed}`);
  return printed.slice(prompt.length + line.length + 1);
}

async function setEditor(text, fileName) {
  await page.evaluate(([program, name]) => window.playground.setProgram(name, program), [text, fileName]);
}

// Clicks Run and returns what the program printed (after the echo of its DO line).
async function runEditor() {
  const before = (await consoleText()).length;
  await page.click('#run');
  await waitIdle();
  const printed = (await consoleText()).slice(before);
  const echoEnd = printed.indexOf('\n') + 1;
  assert.match(printed.slice(0, echoEnd), /^localInterpretatorUTF8::console # DO \S+\n$/);
  return printed.slice(echoEnd);
}

// Clicks Run and returns only what the program printed: no echo, no diagnostics (the
// console pane shows those apart, as the command line sends them to standard error).
async function runEditorPrinted() {
  const textNodes = (e) => {
    const walker = document.createTreeWalker(e, NodeFilter.SHOW_TEXT);
    let count = 0;
    while (walker.nextNode()) count += 1;
    return count;
  };
  const count = await page.$eval('#console-output', textNodes);
  await page.click('#run');
  await waitIdle();
  return page.$eval(
    '#console-output',
    (e, from) => {
      const walker = document.createTreeWalker(e, NodeFilter.SHOW_TEXT);
      const parts = [];
      for (let index = 0; walker.nextNode(); index += 1) {
        const kind = walker.currentNode.parentElement.classList;
        if (index >= from && !kind.contains('diagnostic') && !kind.contains('echo')) parts.push(walker.currentNode.data);
      }
      return parts.join('');
    },
    count,
  );
}

async function reset() {
  await page.click('#reset');
  await waitIdle();
}

before(async () => {
  server = await startServer(0, site, true);
  base = `http://127.0.0.1:${server.address().port}/`;
  profile = mkdtempSync(join(tmpdir(), 'playground-chromium-'));
  browser = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    viewport: { width: 1280, height: 720 },
    args: [
      '--no-sandbox',
      '--disable-gpu',
      '--disable-quic',
      '--no-first-run',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
    ],
  });
  page = await openPage(base);
});

after(async () => {
  if (page) {
    mkdirSync(artifacts, { recursive: true });
    await page.selectOption('#examples', 'report_ru.prg');
    await page.click('#run');
    await waitIdle();
    await page.screenshot({ path: join(artifacts, 'playground.png') });
  }
  await browser?.close();
  server?.close();
  if (profile) rmSync(profile, { recursive: true, force: true });
  mkdirSync(artifacts, { recursive: true });
  writeFileSync(join(artifacts, 'figures.json'), `${JSON.stringify(figures, null, 2)}\n`);
  console.log(`figures: ${JSON.stringify(figures)}`);
  console.log(`screenshot: ${join(artifacts, 'playground.png')}`);
});

describe('page', () => {
  test('starts cross-origin isolated with the start-up line of the console', async () => {
    // From the start of navigation to the console taking input.
    figures.readyMs = Math.round(await page.evaluate(() => window.playground.readyMs));
    assert.equal(await page.evaluate(() => window.crossOriginIsolated), true);
    assert.match(await consoleText(), /^func: main file: main line: 603\n\[Type HELP and press Enter[^\n]*Run \(Ctrl\+Enter\)[^\n]*\]\n$/);
    assert.equal(await page.textContent('#prompt'), prompt);
  });
});

describe('editor', () => {
  test('highlights both keyword sets, built-ins where called, commands where a statement starts', async () => {
    await setEditor(
      "Если СтрДлина(строка) > 0 Тогда ? 'a // b'; КонецЕсли;\nIF string = STRING(1) THEN ENDIF; // note\nload class ТаблицаЗначений\n",
      'colours.prg',
    );
    const tokens = await page.$$eval('.cm-content span', (spans) => spans.map((s) => `${s.className}:${s.textContent}`));
    for (const expected of [
      'tok-keyword:Если',
      'tok-function:СтрДлина',
      'tok-keyword:Тогда',
      "tok-string:'a // b'",
      'tok-keyword:КонецЕсли',
      'tok-keyword:IF',
      'tok-function:STRING',
      'tok-keyword:THEN',
      'tok-comment:// note',
      'tok-command:load',
      'tok-command:class',
      'tok-class:ТаблицаЗначений',
    ]) {
      assert.ok(tokens.includes(expected), `${expected} in ${tokens.join(' ')}`);
    }
    assert.ok(!tokens.some((token) => token.endsWith(':строка') || token.endsWith(':string')), tokens.join(' '));
  });
});

describe('examples', () => {
  const names = readdirSync(join(root, 'examples')).filter((name) => name.endsWith('.prg')).sort();
  test('every example is offered', async () => {
    const offered = await page.$$eval('#examples option', (options) => options.map((o) => o.value).filter(Boolean));
    assert.deepEqual(offered, names);
  });
  for (const name of names) {
    test(`${name} prints its expected output in a fresh session`, async () => {
      await reset();
      await page.selectOption('#examples', name);
      assert.equal(await page.inputValue('#file-name'), name);
      const expected = readFileSync(join(root, 'tests', 'examples', name.replace(/\.prg$/, '.out')), 'utf8');
      assert.equal(await runEditorPrinted(), expected);
    });
  }
});

describe('console', () => {
  test('runs lines in both alphabets and keeps the variables between them', async () => {
    await reset();
    assert.equal(await typeLine("привет = 'Привет, мир'"), '');
    assert.equal(await typeLine("? привет + '! Ёж №1 — café'"), 'Привет, мир! Ёж №1 — café\n');
    assert.equal(await typeLine('? СтрДлина(привет) + 1'), '12\n');
    assert.equal(await typeLine('? 2+2'), '4\n');
    assert.match(await typeLine('? nosuchname'), /^Error /m);
  });

  test('a block typed at the prompt collects its lines and runs when it closes; Ctrl-C drops one', async () => {
    const before = (await consoleText()).length;
    for (const line of ['FOR i = 1 TO 3 DO', "  ? 'строка ' + STRING(i);"]) {
      await page.fill('#console-input', line);
      await page.press('#console-input', 'Enter');
      await waitIdle();
      assert.equal(await page.textContent('#prompt'), '... ');
    }
    await page.fill('#console-input', 'ENDDO');
    await page.press('#console-input', 'Enter');
    await waitIdle();
    assert.equal(await page.textContent('#prompt'), prompt);
    const printed = (await consoleText()).slice(before);
    assert.ok(printed.startsWith(`${prompt}FOR i = 1 TO 3 DO\n... `), printed);
    assert.match(printed, /строка 1\nстрока 2\nстрока 3\n$/);

    await page.fill('#console-input', 'IF 1 < 2 THEN');
    await page.press('#console-input', 'Enter');
    await waitIdle();
    await page.fill('#console-input', '? 1');
    await page.press('#console-input', 'Control+c');
    assert.equal(await page.textContent('#prompt'), prompt);
    assert.equal(await typeLine('? 5'), '5\n');
  });

  test('Up and Down walk the history', async () => {
    await typeLine('? 1');
    await typeLine('? 2');
    await page.press('#console-input', 'ArrowUp');
    assert.equal(await page.inputValue('#console-input'), '? 2');
    await page.press('#console-input', 'ArrowUp');
    assert.equal(await page.inputValue('#console-input'), '? 1');
    await page.press('#console-input', 'ArrowDown');
    assert.equal(await page.inputValue('#console-input'), '? 2');
    await page.press('#console-input', 'ArrowDown');
    assert.equal(await page.inputValue('#console-input'), '');
  });

  test('DIR lists the in-memory directory, MODIFY COMMAND opens the editor, RUN says why not', async () => {
    const listing = await typeLine('DIR');
    for (const name of readdirSync(join(root, 'examples')).filter((n) => n.endsWith('.prg'))) {
      assert.match(listing, new RegExp(` ${name.replace('.', '\\.')}\\n`));
    }
    assert.match(await typeLine('MODIFY COMMAND fresh.prg'), /\[fresh\.prg\]/);
    assert.equal(await page.inputValue('#file-name'), 'fresh.prg');
    assert.equal(await page.evaluate(() => window.playground.editorText()), '\n');
    assert.match(await typeLine('RUN ls'), /not available in the browser/);
    assert.match(await typeLine('MODIFY COMMAND loops.prg'), /\[loops\.prg\]/);
    assert.match(await page.evaluate(() => window.playground.editorText()), /Liftoff!/);
    await setEditor("? 'edited in the page';\n", 'loops.prg');
    assert.match(await runEditor(), /^edited in the page\n$/m);
    assert.match(await typeLine('DO loops.prg'), /^edited in the page\n$/m);
  });
});

describe('runs', () => {
  test('a run leaves its variables and functions to the console and the next run; Reset clears them', async () => {
    await reset();
    await setEditor("shared = 'из программы';\nPROCEDURE Greet()\n  ? 'hello ' + shared;\nENDPROCEDURE;\n", 'first.prg');
    // Run runs the file as a script run does: quiet when it goes well.
    assert.equal(await runEditor(), '');
    assert.equal(await typeLine('? shared'), 'из программы\n');
    await setEditor('Greet();\n', 'second.prg');
    assert.match(await runEditor(), /hello из программы\n$/);
    await reset();
    assert.match(await typeLine('? shared'), /^Error /m);
  });

  test('Stop ends an endless loop as Ctrl-C does, and the session goes on', async () => {
    await setEditor('n = 0;\nWHILE 1 < 2 DO\n  n = n + 1;\nENDDO;\n', 'endless.prg');
    const before = (await consoleText()).length;
    await page.click('#run');
    await page.waitForTimeout(300);
    assert.equal(await page.textContent('#status'), 'running');
    const stopped = Date.now();
    await page.click('#stop');
    await waitIdle();
    figures.stopMs = Date.now() - stopped;
    const printed = (await consoleText()).slice(before);
    assert.match(printed, /^endless\.prg:[^\n]*Выполнение прервано пользователем \(Ctrl-C\)\./m);
    assert.doesNotMatch(printed, /new session/);
    const count = Number((await typeLine('? n')).trim());
    assert.ok(count > 0, `the loop ran ${count} passes and kept n`);
    assert.equal(await typeLine("? 'после остановки'"), 'после остановки\n');
  });

  test('fib(25) runs in the page (the median of five runs is reported)', async () => {
    await setEditor(readFileSync(join(root, 'bench', 'workloads', 'fib.prg'), 'utf8'), 'fib.prg');
    const runs = [];
    for (let i = 0; i < 5; i += 1) {
      assert.match(await runEditor(), /^75025\n$/m);
      runs.push(await page.evaluate(() => window.playground.lastLineMs()));
    }
    runs.sort((a, b) => a - b);
    figures.fib25PageMs = Math.round(runs[2]);
  });
});

describe('limits', () => {
  test('a text too long for memory fails its line, and the session goes on', async () => {
    await reset();
    await setEditor('s = "x";\nWHILE 1 < 2 DO\n  s = s + s;\nENDDO;\n', 'grow.prg');
    assert.match(await runEditor(), /^Error Ошибка кода/m);
    assert.ok(Number((await typeLine('? STRLEN(s)')).trim()) >= 1 << 20);
  });
});

describe('share link', () => {
  test('carries the program through the URL fragment', async () => {
    const program = "// общий\n? 'Поделиться: ' + Строка(6*7);\n";
    await setEditor(program, 'shared.prg');
    await page.click('#share');
    const url = page.url();
    assert.match(url, /#file=shared\.prg&code=/);
    const second = await openPage(url);
    assert.equal(await second.evaluate(() => window.playground.editorText()), program);
    assert.equal(await second.inputValue('#file-name'), 'shared.prg');
    await second.close();
  });
});

describe('static hosting', () => {
  test('without isolation headers the page isolates itself with its service worker, and Stop still keeps the session', async () => {
    const plain = await startServer(0, site, false);
    const isolated = await browser.newPage();
    watch(isolated);
    try {
      await isolated.goto(`http://127.0.0.1:${plain.address().port}/`);
      // The service worker reloads the page once; until then the page is not isolated.
      let crossOriginIsolated = false;
      for (let attempt = 0; attempt < 100 && !crossOriginIsolated; attempt += 1) {
        try {
          crossOriginIsolated = await isolated.evaluate(() => window.crossOriginIsolated);
        } catch {
          // The page was navigating: ask again.
        }
        if (!crossOriginIsolated) await isolated.waitForTimeout(100);
      }
      assert.equal(crossOriginIsolated, true);
      await isolated.waitForFunction(() => window.playground !== undefined);
      await isolated.evaluate(() => window.playground.ready);
      await waitIdle(isolated);
      assert.equal(await typeLine('kept = 7', isolated), '');
      await isolated.evaluate(() => window.playground.setProgram('loop.prg', 'WHILE 1 < 2 DO\nENDDO;\n'));
      await isolated.click('#run');
      await isolated.waitForTimeout(200);
      await isolated.click('#stop');
      await waitIdle(isolated);
      assert.doesNotMatch(await consoleText(isolated), /new session/);
      assert.equal(await typeLine('? kept', isolated), '7\n');
    } finally {
      await isolated.close();
      plain.close();
    }
  });
});

describe('no errors', () => {
  test('no page printed a console error', () => {
    assert.deepEqual(problems, []);
  });
});

// The playground as a user meets it, at a desktop and at a 390-pixel phone viewport:
// deep recursion, failures that lead to their line, the layout of a small screen, the keyboard, files
// kept across reloads, broken share links, the first screen, and the reference's pages
// in both languages.
// Screenshots of each viewport go to build-web/test-artifacts/.
// Usage: node --test web/test/usability.test.mjs (after `make web`).
import assert from 'node:assert/strict';
import { mkdirSync, mkdtempSync, rmSync } from 'node:fs';
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

const viewports = [
  { name: 'desktop', options: { viewport: { width: 1280, height: 720 } } },
  { name: 'phone', options: { viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true, deviceScaleFactor: 2 } },
];

let server;
let browser;
let base;
const problems = [];

before(async () => {
  server = await startServer(0, site, true);
  base = `http://127.0.0.1:${server.address().port}/`;
  browser = await chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking'],
  });
  mkdirSync(artifacts, { recursive: true });
});

after(async () => {
  await browser?.close();
  server?.close();
});

const consoleText = (page) => page.$eval('#console-output', (e) => e.textContent);
const waitIdle = (page) =>
  page.waitForFunction(() => document.getElementById('status').textContent === 'ready', null, { timeout: 60000 });
const setEditor = (page, name, text) => page.evaluate(([n, t]) => window.playground.setProgram(n, t), [name, text]);
const focusedId = (page) => page.evaluate(() => document.activeElement?.id || document.activeElement?.className);
const cursor = (page) => page.evaluate(() => window.playground.cursor());

async function openPage(context, url = base) {
  const page = await context.newPage();
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push(`console error: ${message.text()}`);
  });
  page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
  await page.goto(url);
  await page.evaluate(() => window.playground.ready);
  await waitIdle(page);
  return page;
}

for (const { name: viewport, options } of viewports) {
  describe(`at the ${viewport} viewport`, () => {
    let context;
    let page;
    before(async () => {
      context = await browser.newContext(options);
      page = await openPage(context);
    });
    after(async () => {
      await page.screenshot({ path: join(artifacts, `usability-${viewport}.png`) });
      await context.close();
    });

    test('the first screen: the start-up line, then one line saying what to do', async () => {
      const lines = (await consoleText(page)).split('\n');
      assert.equal(lines[0], 'func: main file: main line: 603');
      assert.match(lines[1], /^\[Type HELP .*pick an example.*Run/);
      assert.equal(lines.length, 3);
      assert.equal(await focusedId(page), 'console-input');
    });

    test('the layout fits the screen: no sideways scrolling, controls large enough to touch', async () => {
      const layout = await page.evaluate(() => {
        const box = (selector) => document.querySelector(selector).getBoundingClientRect();
        const controls = [...document.querySelectorAll('header button, header select, header input, header a')];
        return {
          scrollWidth: document.documentElement.scrollWidth,
          width: window.innerWidth,
          smallest: Math.min(...controls.map((c) => Math.min(c.getBoundingClientRect().height, c.getBoundingClientRect().width))),
          editor: box('#editor-pane'),
          console: box('#console-pane'),
          input: box('#console-input'),
        };
      });
      assert.ok(layout.scrollWidth <= layout.width, `page ${layout.scrollWidth} wide in ${layout.width}`);
      assert.ok(layout.input.right <= layout.width);
      if (viewport === 'phone') {
        assert.ok(layout.smallest >= 40, `smallest control ${layout.smallest}px`);
        assert.ok(layout.console.top >= layout.editor.bottom - 1, 'panes stacked');
      } else {
        assert.ok(Math.abs(layout.console.top - layout.editor.top) < 1, 'panes side by side');
      }
      // A long editor line wraps instead of widening the page.
      await setEditor(page, 'wide.prg', `? '${'x'.repeat(300)}';\n`);
      assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= window.innerWidth));
    });

    test('recursion reaches the depth a terminal allows, by calls, by DO and by brackets; past it the depth error ends the run and the session goes on', async () => {
      const run = async (name, text) => {
        await setEditor(page, name, text);
        const before = (await consoleText(page)).length;
        await page.click('#run');
        await waitIdle(page);
        return (await consoleText(page)).slice(before).replace(/^[^\n]*\n/, '');
      };
      const type = async (line) => {
        const before = (await consoleText(page)).length;
        await page.fill('#console-input', line);
        await page.press('#console-input', 'Enter');
        await waitIdle(page);
        return (await consoleText(page)).slice(before).replace(/^[^\n]*\n/, '');
      };
      const down = 'd = 0;\nFUNCTION Down()\n  d = d + 1;\n  IF d < LIMIT THEN\n    Down();\n  ENDIF;\nENDFUNCTION;\nDown();\n? d;\n';
      assert.equal(await run('deep.prg', down.replace('LIMIT', '2499')), '2499\n');
      const printed = await run('deep.prg', down.replace('LIMIT', '3000'));
      assert.match(printed, /^deep\.prg:[^\n]*Ошибка кода/);
      assert.doesNotMatch(printed, /new session/);
      assert.equal(await type('? d'), '2499\n');
      assert.equal(await type('d = 0'), '');
      assert.match(await run('self.prg', 'd = d + 1;\nIF d < 2600 THEN\n  DO self.prg ;\nENDIF;\n'), /^self\.prg: Ошибка кода/);
      assert.equal(await type('? d'), '2500\n');
      // Brackets nest as deep as a terminal allows too.
      assert.equal(await run('brackets.prg', `? ${'('.repeat(4990)}1${')'.repeat(4990)};\n`), '1\n');
    });

    test('a failed run prints its FILE:LINE:COL line and caret, marks the line and puts the cursor there', async () => {
      await setEditor(page, 'fail.prg', "x = 1;\nIF x = 1 THEN\n  y = 1 / 0;\nENDIF;\n");
      await page.click('#run');
      await waitIdle(page);
      const text = await consoleText(page);
      assert.match(text, /# DO fail\.prg\nfail\.prg:3:11: Деление на 0!\n  y = 1 \/ 0;\n          \^\n$/);
      assert.doesNotMatch(text, /\nError Деление/);
      assert.deepEqual(await cursor(page), { line: 3, column: 11 });
      assert.equal(await page.$eval('.cm-failure-line', (e) => e.textContent), '  y = 1 / 0;');
      assert.equal(await focusedId(page), 'console-input', 'the console has the focus after a run');
      // Typing clears the mark.
      await page.click('.cm-content');
      await page.keyboard.type(' ');
      assert.equal(await page.$('.cm-failure-line'), null);
    });

    test('clicking a place in the console leads to it, in another file too', async () => {
      await setEditor(page, 'fail.prg', "x = 1;\n\ny = 2 / 0;\n");
      await page.click('#run');
      await waitIdle(page);
      await setEditor(page, 'other.prg', "? 'other';\n");
      await page.click('#console-output a.place >> nth=-1');
      await page.waitForFunction(() => document.getElementById('file-name').value === 'fail.prg');
      await page.waitForSelector('.cm-failure-line');
      assert.deepEqual(await cursor(page), { line: 3, column: 9 });
      assert.match(await focusedId(page), /cm-content/);
    });

    test('Ctrl+C stops a running line on any layout and with Caps Lock; no prompt while it runs', async () => {
      for (const key of ['с', 'C']) {
        await setEditor(page, 'endless.prg', 'WHILE 1 < 2 DO\nENDDO;\n');
        await page.keyboard.press('Control+Enter');
        await page.waitForFunction(() => document.getElementById('status').textContent === 'running');
        assert.equal(await page.$eval('#prompt', (e) => getComputedStyle(e).visibility), 'hidden');
        await page.dispatchEvent('#console-input', 'keydown', { key, code: 'KeyC', ctrlKey: true });
        await waitIdle(page);
        assert.match(await consoleText(page), /прервано пользователем \(Ctrl-C\)[^]*\n$/);
        assert.equal(await page.$eval('#prompt', (e) => getComputedStyle(e).visibility), 'visible');
      }
    });

    test('Escape then Tab leaves the editor; closing keywords dedent as they are typed', async () => {
      await setEditor(page, 'blocks.prg', '');
      await page.click('.cm-content');
      await page.keyboard.type('IF 1 < 2 THEN\n? 1;\nELSE\n? 2;\nENDIF;\nПОКА 1 > 2 ЦИКЛ\nКОНЕЦЦИКЛА;\n');
      assert.equal(
        await page.evaluate(() => window.playground.editorText()),
        'IF 1 < 2 THEN\n  ? 1;\nELSE\n  ? 2;\nENDIF;\nПОКА 1 > 2 ЦИКЛ\nКОНЕЦЦИКЛА;\n',
      );
      await page.keyboard.press('Tab');
      assert.match(await focusedId(page), /cm-content/, 'Tab alone indents');
      await page.keyboard.press('Escape');
      await page.keyboard.press('Tab');
      assert.doesNotMatch(String(await focusedId(page)), /cm-content/);
    });

    test('files are kept across a reload and can be deleted', async () => {
      await setEditor(page, 'kept.prg', '');
      await page.click('.cm-content');
      await page.keyboard.type("? 'kept';");
      await page.click('#run');
      await waitIdle(page);
      const again = await openPage(context);
      assert.equal(await again.inputValue('#file-name'), 'kept.prg');
      assert.equal(await again.evaluate(() => window.playground.editorText()), "? 'kept';");
      assert.match(await again.evaluate(async () => {
        document.getElementById('console-input').value = 'DO kept.prg';
        document.getElementById('console-input').dispatchEvent(new KeyboardEvent('keydown', { key: 'Enter' }));
        return '';
      }), /^$/);
      await waitIdle(again);
      assert.match(await consoleText(again), /\nkept\n$/);
      await again.click('#delete');
      assert.equal(await again.isDisabled('#delete'), true);
      const listed = (await consoleText(again)).length;
      await again.fill('#console-input', 'DIR');
      await again.press('#console-input', 'Enter');
      await waitIdle(again);
      const listing = (await consoleText(again)).slice(listed);
      assert.match(listing, / loops\.prg\n/);
      assert.doesNotMatch(listing, / kept\.prg\n/);
      await again.close();
      const third = await openPage(context);
      assert.notEqual(await third.inputValue('#file-name'), 'kept.prg');
      await third.close();
    });

    test('a share link that cannot be read says so', async () => {
      const broken = await openPage(context, `${base}#file=x.prg&code=%%%not-base64`);
      await broken.waitForFunction(() => /share link cannot be read/.test(document.getElementById('console-output').textContent));
      await broken.close();
    });

    test('the header links the reference in English and in Russian, rendered with working links', async () => {
      for (const [selector, heading] of [
        ['#reference', 'localinterp language reference'],
        ['#reference-ru', 'Справочник языка localinterp'],
      ]) {
        const href = await page.$eval(selector, (a) => a.href);
        const reference = await context.newPage();
        await reference.goto(href);
        assert.equal(await reference.textContent('h1'), heading);
        assert.ok((await reference.$$('nav.contents a')).length > 3, 'a table of contents');
        assert.ok(await reference.$('input[type=search]'), 'a search box');
        await reference.fill('#search', 'STRLEN');
        assert.match(await reference.textContent('#results'), /STRLEN/);
        await reference.click('main a[href$="limits.html"]');
        await reference.waitForSelector('table');
        await reference.screenshot({ path: join(artifacts, `reference-${selector.slice(1)}-${viewport}.png`) });
        await reference.close();
      }
    });
  });
}

describe('no errors', () => {
  test('no page printed a console error', () => {
    assert.deepEqual(problems, []);
  });
});

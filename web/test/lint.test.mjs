// The editor's marks and hover help in headless Chromium: a program typed with an error
// and one with a warning get their marks under the right text, a built-in function and a
// member show the reference's help, and a check waits while a program runs.
// Usage: node --test web/test/lint.test.mjs (after `make web`).
import assert from 'node:assert/strict';
import { dirname, join } from 'node:path';
import { after, before, describe, test } from 'node:test';
import { fileURLToPath } from 'node:url';

import { chromium } from 'playwright-core';

import { startServer } from '../serve.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const site = join(here, '..', '..', 'build-web', 'site');

let server;
let browser;
let page;
const problems = [];

before(async () => {
  server = await startServer(0, site, true);
  browser = await chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking'],
  });
  page = await browser.newPage();
  page.on('pageerror', (error) => problems.push(error.message));
  await page.goto(`http://127.0.0.1:${server.address().port}/`);
  await page.evaluate(() => window.playground.ready);
});

after(async () => {
  await browser?.close();
  server?.close();
});

// Replaces the editor's text by typing it, as a user does.
async function typeProgram(text) {
  await page.click('.cm-content');
  await page.keyboard.press('Control+A');
  await page.keyboard.press('Delete');
  await page.keyboard.type(text);
}

// Moves the pointer onto the first place where the editor shows the word.
async function hoverWord(word) {
  await page.mouse.move(0, 0);
  const place = await page.evaluate((w) => {
    const walker = document.createTreeWalker(document.querySelector('.cm-content'), NodeFilter.SHOW_TEXT);
    for (let node = walker.nextNode(); node; node = walker.nextNode()) {
      const at = node.textContent.indexOf(w);
      if (at < 0) continue;
      const range = document.createRange();
      range.setStart(node, at);
      range.setEnd(node, at + w.length);
      const box = range.getBoundingClientRect();
      return { x: box.left + box.width / 2, y: box.top + box.height / 2 };
    }
    return null;
  }, word);
  assert.ok(place, `${word} is in the editor`);
  await page.mouse.move(place.x, place.y, { steps: 3 });
}

// The marked ranges of one severity as their text, once some are shown.
async function marked(severity) {
  await page.waitForSelector(`.cm-lintRange-${severity}`, { timeout: 20000 });
  return page.$$eval(`.cm-lintRange-${severity}`, (marks) => marks.map((m) => m.textContent));
}

describe('marks as you type', () => {
  test('an error is marked where the compiler stops, with its message', async () => {
    await typeProgram('x = 1\ny = 2;\n');
    // The missing ";" is marked on the last character of its line.
    assert.deepEqual(await marked('error'), ['1']);
    await page.hover('.cm-lintRange-error');
    const message = await page.waitForSelector('.cm-tooltip-lint', { timeout: 10000 });
    assert.match(await message.textContent(), /Ожидается ";"/);
  });

  test('a warning is marked under its expression, and mending the text clears the marks', async () => {
    // The emoji is two units in the editor and one character to the interpreter.
    await typeProgram("paid = 1; total = 2; tip = 3;\ns = '😀'; x = paid - total + tip;\n");
    assert.deepEqual(await marked('warning'), ['- total +']);
    assert.equal(await page.$('.cm-lintRange-error'), null);
    await typeProgram("paid = 1; total = 2; tip = 3;\ns = '😀'; x = (paid - total) + tip;\n");
    await page.waitForSelector('.cm-lintRange-warning', { state: 'detached', timeout: 20000 });
  });

  test('a check waits while a program runs, and the program runs undisturbed', async () => {
    await page.evaluate(() => window.playground.setProgram('slow.prg', 'n = 0;\nFOR i = 1 TO 20000000 DO\n  n = n + 1;\nENDDO;\n? n;\n'));
    await page.click('#run');
    await typeProgram('? 8 / 2 * 4;\n');
    assert.equal(await page.$eval('#status', (e) => e.textContent), 'running');
    assert.deepEqual(await marked('warning'), ['/ 2 *']);
    assert.equal(await page.$eval('#status', (e) => e.textContent), 'ready');
    assert.match(await page.$eval('#console-output', (e) => e.textContent), /20000000/);
  });
});

describe('hover help', () => {
  for (const [name, program, word, expected] of [
    ['a built-in function', "s = '😀'; n = STRLEN(s);\n", 'STRLEN', /STRLEN\(/],
    ['a member of a value table', "LOAD CLASS VALUETABLE;\nt = CREATEOBJECT('VALUETABLE');\nr = t.NEWCOLUMN('n');\n", 'NEWCOLUMN', /NEWCOLUMN\(/],
  ]) {
    test(`shows the reference's help on ${name}`, async () => {
      await typeProgram(program);
      await hoverWord(word);
      const help = await page.waitForSelector('.cm-tooltip-hover .cm-reference-help', { timeout: 10000 });
      assert.match(await help.textContent(), expected);
      assert.deepEqual(problems, []);
    });
  }
});

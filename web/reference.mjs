// Renders the language reference (doc/*.md, and doc/ru/*.md in Russian) into HTML pages
// for the playground's site: links between pages kept working (X.md becomes X.html), every
// heading an anchor, a table of contents of the pages and of the page's sections, and a
// search box over the sections of all pages of the language.
import { mkdirSync, readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

import MarkdownIt from 'markdown-it';

const languages = {
  en: {
    lang: 'en',
    contents: 'Contents',
    onThisPage: 'On this page',
    search: 'Search the reference',
    noResults: 'Nothing found.',
    playground: 'Playground',
    other: { label: 'Русский', lang: 'ru' },
  },
  ru: {
    lang: 'ru',
    contents: 'Содержание',
    onThisPage: 'На этой странице',
    search: 'Поиск по справочнику',
    noResults: 'Ничего не найдено.',
    playground: 'Песочница',
    other: { label: 'English', lang: 'en' },
  },
};

const escapeHtml = (text) =>
  text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/"/g, '&quot;');

// An anchor from a heading's text as the Markdown pages in the repository get it: lower
// case, letters (Latin and Cyrillic), digits, "_" and "-" kept, each blank made a "-".
// Links written between the pages (console.md#encodings) then work in both places.
export function slug(text) {
  return (
    text
      .toLowerCase()
      .replace(/[^0-9a-zа-яё_\s-]/g, '')
      .trim()
      .replace(/\s/g, '-') || 'section'
  );
}

// The links between pages of one tree that name no page or no anchor there.
function brokenLinks(rendered) {
  const anchors = new Map(rendered.map(({ file, sections }) => [file, new Set(sections.map((s) => s.id))]));
  const broken = [];
  for (const { file, body } of rendered) {
    for (const [, target] of body.matchAll(/ href="([^"]+)"/g)) {
      // Other sites, and the other language's tree (ru/, ../), are not this tree's to check.
      if (/^[a-z]+:/i.test(target) || target.includes('/')) continue;
      const [page, anchor] = target.split('#');
      const ids = anchors.get(page || file);
      if (!ids || (anchor !== undefined && !ids.has(decodeURIComponent(anchor)))) broken.push(`${file}: ${target}`);
    }
  }
  return broken;
}

function renderer() {
  const markdown = new MarkdownIt({ html: false, linkify: false, typographer: false });
  // Links to another page of the reference go to its HTML page.
  const defaultLink = markdown.renderer.rules.link_open || ((tokens, i, options, env, self) => self.renderToken(tokens, i, options));
  markdown.renderer.rules.link_open = (tokens, i, options, env, self) => {
    const href = tokens[i].attrGet('href');
    if (href && !/^[a-z]+:/i.test(href)) tokens[i].attrSet('href', href.replace(/\.md(?=$|#)/, '.html'));
    return defaultLink(tokens, i, options, env, self);
  };
  return markdown;
}

// Headings get ids (unique on their page); returns the sections for the contents and search.
function anchorHeadings(tokens) {
  const sections = [];
  const used = new Map();
  for (let i = 0; i < tokens.length; i += 1) {
    if (tokens[i].type !== 'heading_open') continue;
    const title = tokens[i + 1].children.map((child) => child.content).join('');
    let id = slug(title);
    const count = used.get(id) || 0;
    used.set(id, count + 1);
    if (count > 0) id = `${id}-${count}`;
    tokens[i].attrSet('id', id);
    const section = { level: Number(tokens[i].tag.slice(1)), title, id, text: '' };
    sections.push(section);
  }
  // The text under each heading, for the search.
  let current = null;
  for (const token of tokens) {
    if (token.type === 'heading_open') current = sections.find((s) => s.id === token.attrGet('id'));
    else if (current && (token.type === 'inline' || token.type === 'fence' || token.type === 'code_block'))
      current.text += ` ${token.content}`;
  }
  return sections;
}

function pageHtml({ strings, title, body, pages, page, sections, depthToSite, otherHref }) {
  const pageLinks = pages
    .map((p) => `<li${p.file === page ? ' class="current"' : ''}><a href="${p.file}">${escapeHtml(p.title)}</a></li>`)
    .join('');
  const sectionLinks = sections
    .filter((s) => s.level === 2 || s.level === 3)
    .map((s) => `<li class="level${s.level}"><a href="#${s.id}">${escapeHtml(s.title)}</a></li>`)
    .join('');
  return `<!doctype html>
<html lang="${strings.lang}">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>${escapeHtml(title)}</title>
<link rel="icon" href="data:,">
<link rel="stylesheet" href="${depthToSite}reference.css">
</head>
<body>
<header>
<a href="${depthToSite}index.html">${strings.playground}</a>
<input type="search" id="search" placeholder="${strings.search}" aria-label="${strings.search}" data-empty="${strings.noResults}">
<a href="${otherHref}" lang="${strings.other.lang}">${strings.other.label}</a>
</header>
<ul id="results" hidden></ul>
<div class="page">
<nav class="contents" aria-label="${strings.contents}">
<h2>${strings.contents}</h2><ul>${pageLinks}</ul>
${sectionLinks ? `<h2>${strings.onThisPage}</h2><ul>${sectionLinks}</ul>` : ''}
</nav>
<main>
${body}
</main>
</div>
<script src="search-index.js"></script>
<script src="${depthToSite}reference-search.js"></script>
</body>
</html>
`;
}

// Renders the pages of `source` into `out`; `language` is 'en' or 'ru'. Returns the page count.
function renderTree(source, out, language, depthToSite, otherPrefix) {
  const strings = languages[language];
  const markdown = renderer();
  // README first (it is the index), then the pages in the order it links them.
  const readme = readFileSync(join(source, 'README.md'), 'utf8');
  const rank = (name) => (name === 'README.md' ? -1 : readme.indexOf(`(${name}`) >>> 0);
  const files = readdirSync(source)
    .filter((name) => name.endsWith('.md'))
    .sort((a, b) => rank(a) - rank(b) || a.localeCompare(b));
  const rendered = files.map((name) => {
    const tokens = markdown.parse(readFileSync(join(source, name), 'utf8'), {});
    const sections = anchorHeadings(tokens);
    const file = name === 'README.md' ? 'index.html' : name.replace(/\.md$/, '.html');
    const title = sections.find((s) => s.level === 1)?.title || name;
    return { file, title, tokens, sections };
  });
  mkdirSync(out, { recursive: true });
  const pages = rendered.map(({ file, title }) => ({ file, title }));
  const index = [];
  for (const page of rendered) {
    page.body = markdown.renderer.render(page.tokens, markdown.options, {}).replace(/ href="([^":]*?)README\.html/g, ' href="$1index.html');
  }
  const broken = brokenLinks(rendered);
  // Told, not fatal: a page may link one that is still being written.
  if (broken.length > 0) console.warn(`reference: links to no page or section in ${source}:\n  ${broken.join('\n  ')}`);
  for (const { file, title, body, sections } of rendered) {
    const otherHref = `${otherPrefix}${file}`;
    writeFileSync(join(out, file), pageHtml({ strings, title, body, pages, page: file, sections, depthToSite, otherHref }));
    for (const section of sections) {
      index.push({ page: title, title: section.title, href: `${file}#${section.id}`, text: section.text.replace(/\s+/g, ' ').trim() });
    }
  }
  writeFileSync(join(out, 'search-index.js'), `window.referenceIndex = ${JSON.stringify(index)};\n`);
  return rendered.length;
}

const style = `* { box-sizing: border-box; }
body { margin: 0; font: 16px/1.5 system-ui, sans-serif; color: #222; background: #fafaf8; }
header { display: flex; flex-wrap: wrap; gap: 0.8em; align-items: center; padding: 0.5em 1em; border-bottom: 1px solid #ccc; background: #f0f0ec; }
header a { min-height: 40px; display: inline-flex; align-items: center; }
#search { flex: 1 1 12em; min-height: 40px; font: inherit; padding: 0 0.5em; }
#results { margin: 0; padding: 0.5em 2em; background: #fff; border-bottom: 1px solid #ccc; }
#results li { margin: 0.3em 0; }
.page { display: flex; gap: 2em; padding: 0 1em; }
nav.contents { flex: 0 0 15em; font-size: 0.9em; }
nav.contents h2 { font-size: 1em; margin: 1em 0 0.3em; }
nav.contents ul { list-style: none; padding: 0; margin: 0; }
nav.contents li.current > a { font-weight: 600; }
nav.contents li.level3 { padding-left: 1em; }
main { flex: 1; min-width: 0; max-width: 52em; }
pre { background: #1e1e1e; color: #e6e6e6; padding: 0.6em; overflow-x: auto; }
code { font-family: ui-monospace, "DejaVu Sans Mono", monospace; font-size: 0.92em; }
table { border-collapse: collapse; display: block; overflow-x: auto; }
th, td { border: 1px solid #ccc; padding: 0.3em 0.5em; vertical-align: top; }
@media (max-width: 800px) { .page { display: block; } nav.contents { margin-bottom: 1em; } }
`;

// The search box: every word typed must occur in a section's title or text.
const searchScript = `(() => {
  const box = document.getElementById('search');
  const results = document.getElementById('results');
  const index = window.referenceIndex || [];
  box.addEventListener('input', () => {
    const words = box.value.toLowerCase().split(/\\s+/).filter(Boolean);
    results.textContent = '';
    results.hidden = words.length === 0;
    if (words.length === 0) return;
    const found = index.filter((s) => {
      const text = (s.title + ' ' + s.text).toLowerCase();
      return words.every((w) => text.includes(w));
    }).slice(0, 30);
    for (const s of found) {
      const item = document.createElement('li');
      const link = document.createElement('a');
      link.href = s.href;
      link.textContent = s.page === s.title ? s.title : s.page + ': ' + s.title;
      item.append(link);
      results.append(item);
    }
    if (found.length === 0) results.textContent = box.dataset.empty;
  });
})();
`;

// Writes reference/ (English) and reference/ru/ (Russian) under `site`.
export function renderReference(root, site) {
  const out = join(site, 'reference');
  mkdirSync(out, { recursive: true });
  writeFileSync(join(site, 'reference.css'), style);
  writeFileSync(join(site, 'reference-search.js'), searchScript);
  const english = renderTree(join(root, 'doc'), out, 'en', '../', 'ru/');
  const russian = renderTree(join(root, 'doc', 'ru'), join(out, 'ru'), 'ru', '../../', '../');
  return { english, russian };
}

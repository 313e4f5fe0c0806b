// The browser edition in Debian's Chromium, driven as a user would drive it:
// opened from its folder and from a local web server, reports added with the
// picker, merged, saved. The saved page must be the bytes that the Linux
// velquist-merge writes for the same reports; its picture must keep to the
// chart's rules; the program's refusals, an error and the warnings must show;
// lines reorder by dragging and go with "Delete selected reports"; and the
// page must ask for nothing from the network.
// Run: node test_page.mjs PAGE_FOLDER VELQUIST_MERGE EXAMPLES CORPUS OUT_FOLDER
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import {chromium} from 'playwright-core';

const [pageFolder, cli, examplesFolder, corpusFolder, outFolder] = process.argv.slice(2);
const here = path.dirname(new URL(import.meta.url).pathname);
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'velquist-web-'));
const failures = [];

function check(name, ok, detail = '') {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${name}${ok || !detail ? '' : ': ' + detail}`);
  if (!ok) failures.push(name);
}

const examples = fs.readdirSync(examplesFolder).filter((f) => f.endsWith('.htm')).sort()
    .map((f) => path.join(examplesFolder, f));
const corpus = fs.existsSync(corpusFolder)
    ? fs.readdirSync(corpusFolder, {withFileTypes: true}).filter((e) => e.isDirectory())
        .map((e) => e.name).flatMap((language) =>
        fs.readdirSync(path.join(corpusFolder, language)).filter((f) => f.endsWith('.htm'))
            .map((f) => path.join(corpusFolder, language, f))).sort()
    : [];

// What velquist-merge writes for the same reports and options.
function linuxPage(files, options) {
  const folder = fs.mkdtempSync(path.join(scratch, 'linux-'));
  const result = path.join(folder, 'merged.htm');
  execFileSync(cli, [...options, '-o', result, ...files],
               {env: {...process.env, QT_QPA_PLATFORM: 'offscreen'}, stdio: 'ignore'});
  return fs.readFileSync(result);
}

// A server of the page's folder on this machine only, for the hosted case.
function serve(folder) {
  folder = path.resolve(folder);
  const server = http.createServer((request, response) => {
    const name = path.join(folder, decodeURIComponent(new URL(request.url, 'http://x').pathname));
    if (!name.startsWith(folder) || !fs.existsSync(name) || fs.statSync(name).isDirectory()) {
      response.writeHead(404).end();
      return;
    }
    const types = {'.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css'};
    response.writeHead(200, {'Content-Type': types[path.extname(name)] || 'application/octet-stream'});
    response.end(fs.readFileSync(name));
  });
  return new Promise((done) => server.listen(0, '127.0.0.1', () => done(server)));
}

async function openPage(browser, address, allowed) {
  const page = await browser.newPage({acceptDownloads: true});
  const outside = [];
  page.on('request', (request) => {
    const url = request.url();
    if (!['file:', 'blob:', 'data:'].some((s) => url.startsWith(s)) && !url.startsWith(allowed))
      outside.push(url);
  });
  page.on('pageerror', (error) => check('no script error', false, error.message));
  const started = Date.now();
  await page.goto(address);
  await page.waitForSelector('body[data-ready="true"]', {timeout: 30000});
  console.log(`     ready after ${Date.now() - started} ms`);
  return {page, outside};
}

async function addReports(page, files) {
  const before = await page.locator('#lbxReports li').count();
  await page.setInputFiles('#filePicker', files);
  await page.waitForFunction((n) => document.querySelectorAll('#lbxReports li').length === n,
                             before + files.length);
}

// Merges what the list holds; the outcome as the page shows it.
async function merge(page, name, {language = 'English', symbol = false} = {}) {
  await page.fill('#edFileName', name);
  await page.selectOption('#cbxLanguage', language);
  await page.setChecked('#cbxWriteOpSymbolToReport', symbol);
  await page.click('#BtnMerge');
  await page.waitForFunction(() => !document.body.classList.contains('busy'), null,
                             {timeout: 300000});
  return page.evaluate(() => ({
    message: document.getElementById('messageBox').hidden ? ''
        : document.getElementById('message').textContent,
    warnings: document.getElementById('warningsBox').hidden ? []
        : [...document.querySelectorAll('#warnings li')].map((li) => li.textContent),
    saved: !document.getElementById('resultBox').hidden,
  }));
}

async function download(page, link) {
  const [file] = await Promise.all([page.waitForEvent('download'), page.click(link)]);
  const saved = path.join(scratch, `${Date.now()}-${file.suggestedFilename()}`);
  await file.saveAs(saved);
  return {name: file.suggestedFilename(), bytes: fs.readFileSync(saved), path: saved};
}

async function clearList(page) {
  if (await page.locator('#lbxReports li').count() === 0) return;
  await page.click('#lbxReports li:first-child');
  await page.click('#lbxReports li:last-child', {modifiers: ['Shift']});
  page.once('dialog', (dialog) => dialog.accept());
  await page.click('#BtnDelete');
  await page.waitForFunction(() => document.querySelectorAll('#lbxReports li').length === 0);
}

// Merges the files in the page and checks the saved page against Linux's.
async function sameAsLinux(page, name, files, options, pageOptions) {
  await clearList(page);
  await addReports(page, files);
  const shown = await merge(page, 'merged.htm', pageOptions);
  check(`${name}: merged`, shown.saved && shown.message === '', shown.message);
  if (!shown.saved) return null;
  const saved = await download(page, '#downloadPage');
  const picture = await download(page, '#downloadPicture');
  check(`${name}: saved as merged.htm and merged.gif`,
        saved.name === 'merged.htm' && picture.name === 'merged.gif', saved.name + picture.name);
  check(`${name}: the same bytes as velquist-merge`, saved.bytes.equals(linuxPage(files, options)));
  return picture;
}

function checkPicture(name, picture) {
  try {
    execFileSync('/usr/bin/python3', [path.join(here, 'check_picture.py'), picture.path], {stdio: 'pipe'});
    check(`${name}: the picture keeps the chart's rules`, true);
  } catch (error) {
    check(`${name}: the picture keeps the chart's rules`, false, String(error.stderr));
  }
}

async function refusalsAndErrors(page) {
  await clearList(page);
  const cases = [
    ['no reports', [], 'merged.htm', 'Report files to merge not set!'],
    ['one report', examples.slice(0, 1), 'merged.htm', 'Report files to merge not set!'],
    ['no name', examples.slice(0, 2), '', 'Result report filename not set!'],
    ['picture name', examples.slice(0, 2), 'merged.gif',
     'Result report filename must not end in ".gif": that is the name of its picture!'],
  ];
  for (const [name, files, result, message] of cases) {
    await clearList(page);
    if (files.length > 0) await addReports(page, files);
    const shown = await merge(page, result);
    check(`refusal, ${name}`, shown.message === message && !shown.saved, shown.message);
  }
  // Sums beyond what a double holds: an error that names the file.
  const huge = path.join(scratch, 'huge.htm');
  fs.writeFileSync(huge, fs.readFileSync(examples[0], 'latin1')
      .replace(/<td class=mspt>(-?\d+\.\d\d)<\/td><td class=mspt>/g, '<td class=mspt>1e308</td><td class=mspt>'),
      'latin1');
  await clearList(page);
  await addReports(page, [huge, huge]);
  const shown = await merge(page, 'merged.htm');
  check('error names the file', shown.message.includes('huge.htm') && !shown.saved, shown.message);
}

async function warnings(page) {
  await clearList(page);
  const notes = path.join(scratch, 'notes.htm');
  fs.writeFileSync(notes, '<p>no report</p>');
  await addReports(page, [examples[0], notes, notes]);
  const shown = await merge(page, 'merged.htm');
  check('warnings: one line a file, in a list that scrolls',
        shown.saved && shown.warnings.length === 2 &&
        shown.warnings.every((w) => w.includes('notes.htm') && w.includes('not a strategy tester report')),
        JSON.stringify(shown.warnings));
}

async function reorderAndDelete(page) {
  await clearList(page);
  await addReports(page, examples.slice(0, 3));
  const names = () => page.$$eval('#lbxReports li', (lines) => lines.map((l) => l.firstChild.textContent));
  const before = await names();
  await page.locator('#lbxReports li').nth(2).dragTo(page.locator('#lbxReports li').nth(0),
                                                      {targetPosition: {x: 5, y: 2}});
  const after = await names();
  check('dragging the last line above the first makes it the base report',
        after[0] === before[2] && after[1] === before[0] && after[2] === before[1],
        after.join(', '));
  check('the first line says it is the base report',
        (await page.textContent('#lbxReports li:first-child')).includes('base report'));
  check('"Delete selected reports" is greyed out without a selection',
        await page.isDisabled('#BtnDelete'));
  await page.click('#lbxReports li:nth-child(2)');
  page.once('dialog', (dialog) => {
    check('delete asks first', dialog.message() === 'Delete terminals (1) ?', dialog.message());
    dialog.accept();
  });
  await page.click('#BtnDelete');
  check('the selected line goes', (await names()).join() === [after[0], after[2]].join());
}

const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
try {
  const server = await serve(pageFolder);
  const hosted = `http://127.0.0.1:${server.address().port}/`;
  for (const [where, address, allowed] of [
    ['from its folder', 'file://' + path.join(pageFolder, 'index.html'), 'file:'],
    ['from a web server', hosted + 'index.html', hosted],
  ]) {
    console.log(`-- the page ${where}`);
    const {page, outside} = await openPage(browser, address, allowed);
    const picture = await sameAsLinux(page, `examples ${where}`, examples, [], {});
    if (picture) checkPicture(`examples ${where}`, picture);
    await sameAsLinux(page, `examples in Russian with symbols ${where}`, examples,
                      ['-s', '-l', 'Russian'], {language: 'Russian', symbol: true});
    if (where === 'from its folder') {
      if (corpus.length > 0) {
        const corpusPicture = await sameAsLinux(page, 'the corpus', corpus, ['-l', 'Japanese'],
                                                {language: 'Japanese'});
        if (corpusPicture) checkPicture('the corpus', corpusPicture);
      } else {
        console.log('     no corpus: its merge is skipped');
      }
      await refusalsAndErrors(page);
      await warnings(page);
      await reorderAndDelete(page);
      await clearList(page);
      await addReports(page, examples);
      await merge(page, 'merged.htm');
      fs.mkdirSync(outFolder, {recursive: true});
      await page.screenshot({path: path.join(outFolder, 'page.png'), fullPage: true});
    }
    check(`nothing asked of the network ${where}`, outside.length === 0, outside.join(' '));
    await page.close();
  }
  server.close();
} finally {
  await browser.close();
  fs.rmSync(scratch, {recursive: true, force: true});
}
console.log(failures.length === 0 ? 'all passed' : `${failures.length} failed`);
process.exit(failures.length === 0 ? 0 : 1);

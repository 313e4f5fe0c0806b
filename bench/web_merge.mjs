// The browser edition against the native command line, side by side in one
// run: COUNT synthetic reports of ROWS operations (bench/write_reports)
// merged by velquist-merge and by the page in Debian's Chromium, each three
// times; prints the medians, their ratio, and how long the page takes to be
// ready from its folder. Run after scripts/test-web, which builds both and
// installs playwright-core:
//   node bench/web_merge.mjs [COUNT [ROWS]]   (defaults 20 and 30000)
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import {createRequire} from 'node:module';
import os from 'node:os';
import path from 'node:path';

const root = path.resolve(path.dirname(new URL(import.meta.url).pathname), '..');
const {chromium} = createRequire(path.join(root, 'tests/web/'))('playwright-core');
const [count = 20, rows = 30000] = process.argv.slice(2).map(Number);
const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'velquist-web-bench-'));
execFileSync(path.join(root, 'build/bench/write_reports'), [count, rows, folder].map(String));
const reports = fs.readdirSync(folder).filter((f) => f.endsWith('.htm')).sort()
    .map((f) => path.join(folder, f));
const median = (times) => times.sort((a, b) => a - b)[Math.floor(times.length / 2)];

function native() {
  const started = performance.now();
  execFileSync(path.join(root, 'build/src/cli/velquist-merge'),
               ['-o', path.join(folder, 'merged', 'native.htm'), ...reports],
               {env: {...process.env, QT_QPA_PLATFORM: 'offscreen'}});
  return performance.now() - started;
}

fs.mkdirSync(path.join(folder, 'merged'));
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
const page = await browser.newPage();
const started = performance.now();
await page.goto('file://' + path.join(root, 'build-web/velquist-web/index.html'));
await page.waitForSelector('body[data-ready="true"]');
const ready = performance.now() - started;
await page.setInputFiles('#filePicker', reports);
await page.waitForFunction((n) => document.querySelectorAll('#lbxReports li').length === n,
                           reports.length);
await page.fill('#edFileName', 'merged.htm');

async function inPage() {
  const clicked = performance.now();
  await page.click('#BtnMerge');
  await page.waitForFunction(() => !document.body.classList.contains('busy'), null,
                             {timeout: 600000});
  const took = performance.now() - clicked;
  memory = await page.evaluate(() => window.velquistMemory);
  if (await page.isHidden('#resultBox')) throw new Error(await page.textContent('#message'));
  return took;
}

let memory = 0;
const nativeTimes = [], pageTimes = [];
for (let run = 0; run < 3; ++run) {
  nativeTimes.push(native());
  pageTimes.push(await inPage());
}
await browser.close();
fs.rmSync(folder, {recursive: true, force: true});
const [n, p] = [median(nativeTimes), median(pageTimes)];
console.log(`${count} reports of ${rows} operations: velquist-merge ${n.toFixed(0)} ms, ` +
            `the page ${p.toFixed(0)} ms (${(p / n).toFixed(2)} times), medians of three`);
console.log(`the page ready from its folder in ${ready.toFixed(0)} ms; ` +
            `the core's memory after the merge ${(memory / 2 ** 20).toFixed(0)} MiB of 4096`);

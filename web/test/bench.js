// The benchmark programs in headless Chromium beside the native program: the median time of
// each over several runs, and their ratio. A report, not a test: it fails on nothing.
//
//   node web/test/bench.js [--runs N] [NAME ...]      (default: loop arrays; 5 runs)
//
// In the page the time runs from the interpreter's start (the page and the worker ready, the
// script handed over) to the end of the script's main part; natively it is the whole process,
// start-up included (about a millisecond).
'use strict';

const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const h = require('./harness');

async function pageTime(browser, url, script) {
  const page = await h.openPage(browser, url);
  await h.setScript(page, script);
  await h.run(page);
  await h.waitFor(page, () => document.body.dataset.mainPartMs !== undefined,
                  'the main part to end', 120000);
  const ms = Number(await page.evaluate(() => document.body.dataset.mainPartMs));
  await page.close();
  return ms;
}

function nativeTime(file) {
  const start = process.hrtime.bigint();
  execFileSync(h.NATIVE, ['--headless', '--quiet', file], {stdio: 'ignore'});
  return Number(process.hrtime.bigint() - start) / 1e6;
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

async function main() {
  const args = process.argv.slice(2);
  let runs = 5;
  const runsAt = args.indexOf('--runs');
  if (runsAt >= 0) runs = Number(args.splice(runsAt, 2)[1]);
  const names = args.length > 0 ? args : ['loop', 'arrays'];
  const server = await h.startServer();
  const browser = await h.launchBrowser();
  try {
    console.log('benchmark   native ms   page ms   page / native');
    for (const name of names) {
      const file = path.join(h.REPO, 'bench/programs', name + '.bas');
      const script = fs.readFileSync(file, 'utf8');
      const native = [], page = [];
      for (let i = 0; i < runs; ++i) {
        native.push(nativeTime(file));
        page.push(await pageTime(browser.browser, server.url, script));
      }
      const n = median(native), p = median(page);
      console.log(`${name.padEnd(10)} ${n.toFixed(0).padStart(9)} ${p.toFixed(0).padStart(9)}` +
                  `   ${(p / n).toFixed(2)}x`);
    }
  } finally {
    await browser.close();
    server.stop();
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});

// The playground in headless Chromium: examples run as in the window, with the same pixels as
// the native program's headless screenshot for the same input; message boxes, keys, the
// mouse and input boxes; a script that never ends stays stoppable; links carry scripts;
// faults and warnings are listed with their lines; dropped pictures load.
'use strict';

const {test, before, after} = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const h = require('./harness');

let server, browser;

before(async () => {
  server = await h.startServer();
  browser = await h.launchBrowser();
});

after(async () => {
  if (browser) await browser.close();
  if (server) server.stop();
});

const example = (name) => path.join(h.REPO, 'examples', name);

async function assertSamePixels(page, native, what) {
  // The caret is the window's alone: with the keyboard elsewhere it is not drawn.
  await page.$eval('#screen', (canvas) => canvas.blur());
  await h.settled(page);
  const difference = h.firstDifference(await h.canvasPixels(page), native);
  if (process.env.BRINDLE_SHOTS) {
    await page.screenshot({path: path.join(process.env.BRINDLE_SHOTS, what + '.png')});
  }
  assert.equal(difference, null, `${what}: the page and the native screenshot differ at ${difference}`);
}

test('an example runs, shows its statistics box, and waits for the answer', async () => {
  const page = await h.openPage(browser.browser, server.url);
  await page.select('#examples', 'hello.bas');
  await h.waitFor(page, () => document.getElementById('editor').value.includes('Hello, Brindle'),
                  'hello.bas in the editor');
  await h.run(page, {quiet: false});
  await h.waitFor(page, () => document.querySelector('.msgbox') !== null, 'the statistics box');
  assert.deepEqual(await h.messageBoxes(page), [
    {caption: 'Tokenizer', text: 'Number of tokens: 59\r\nNumber of lines: 13'},
  ]);
  // The script waits for the answer: the window still shows the button face.
  await h.sleep(200);
  const face = Buffer.alloc(784 * 561 * 4);
  for (let i = 0; i < face.length; i += 4) face.set([240, 240, 240, 255], i);
  assert.equal(h.firstDifference(await h.canvasPixels(page), face), null);
  await page.click('.msgbox button');
  await h.waitFor(page, () => /^Waiting for events/.test(document.getElementById('status').textContent),
                  'the main part to end');
  await assertSamePixels(page, h.nativePixels(example('hello.bas')), 'hello.bas');
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('keys and mouse moves draw what they draw in the native program (sketch.bas)', async () => {
  const page = await h.openPage(browser.browser, server.url);
  await page.select('#examples', 'sketch.bas');
  await h.waitFor(page, () => document.getElementById('editor').value.includes('Sketch pad'),
                  'sketch.bas in the editor');
  await h.run(page);
  await h.settled(page);
  const events = example('sketch.events');
  await h.replayEvents(page, fs.readFileSync(events, 'utf8'));
  await assertSamePixels(page, h.nativePixels(example('sketch.bas'), {events}), 'sketch.bas');
  await page.close();
});

test('input boxes take clicks, Tab, typing and Enter as in the native program (guestbook.bas)',
     async () => {
  const page = await h.openPage(browser.browser, server.url);
  await page.select('#examples', 'guestbook.bas');
  await h.waitFor(page, () => document.getElementById('editor').value.includes('INPUTBOX'),
                  'guestbook.bas in the editor');
  await h.run(page);
  await h.settled(page);
  const events = example('guestbook.events');
  await h.replayEvents(page, fs.readFileSync(events, 'utf8'));
  assert.deepEqual(await h.messageBoxes(page), []);
  await assertSamePixels(page, h.nativePixels(example('guestbook.bas'), {events}), 'guestbook.bas');
  await page.close();
});

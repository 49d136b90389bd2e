// The playground in headless Chromium: examples run as in the window, with the same pixels as
// the native program's headless screenshot for the same input; message boxes, keys, the
// mouse and input boxes; a script that never ends stays stoppable; links carry scripts;
// faults and warnings are listed with their lines; dropped pictures load. BRINDLE_SHOTS=DIR
// keeps a screenshot of the page at each pixel comparison.
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
// The pictures that come with the examples, which the page lists beside dropped ones.
const bundledPictures = () => fs.readdirSync(path.join(h.REPO, 'examples'))
                                  .filter((name) => /\.(bmp|png|jpe?g|gif|tga)$/i.test(name));

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
  const boxes = h.nativeCheckBoxes(example('hello.bas'));
  assert.equal(boxes.length, 1);
  assert.match(boxes[0].text, /^Number of tokens: \d+\r\nNumber of lines: \d+$/);
  assert.deepEqual(await h.messageBoxes(page), boxes);
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

const PICTURES = ['interlaced_alpha.png', 'palette_trns.png', 'progressive.jpg', 'cmyk.jpg',
                  'transparent.gif', 'rle8.bmp', 'palette_rle.tga'];

test('pictures dropped onto the page load with the same pixels as in the native program',
     async () => {
  const page = await h.openPage(browser.browser, server.url);
  const files = PICTURES.map((name) => ({
    name, base64: fs.readFileSync(path.join(h.REPO, 'tests/pictures', name)).toString('base64'),
  }));
  await page.evaluate((files) => {
    const transfer = new DataTransfer();
    for (const {name, base64} of files) {
      transfer.items.add(new File([Uint8Array.from(atob(base64), (c) => c.charCodeAt(0))], name));
    }
    document.dispatchEvent(new DragEvent('drop', {dataTransfer: transfer, bubbles: true}));
  }, files);
  await h.waitFor(page, (count) => document.querySelectorAll('#pictures li').length === count,
                  'the dropped pictures listed', 5000, PICTURES.length + bundledPictures().length);
  const script = path.join(__dirname, 'scripts/pictures.bas');
  await h.setScript(page, fs.readFileSync(script, 'utf8'));
  await h.run(page);
  await h.settled(page);
  assert.deepEqual(await h.problems(page), []);
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'brindle-pictures-'));
  for (const name of [...PICTURES, '../web/test/scripts/pictures.bas']) {
    fs.copyFileSync(path.join(h.REPO, name.startsWith('..') ? name.slice(3) : 'tests/pictures/' + name),
                    path.join(dir, path.basename(name)));
  }
  await assertSamePixels(page, h.nativePixels('pictures.bas', {dir}), 'pictures.bas');
  fs.rmSync(dir, {recursive: true, force: true});
  await page.close();
});

test('dropped files named as no file can be are left out, and later runs still run', async () => {
  const page = await h.openPage(browser.browser, server.url);
  const bmp = fs.readFileSync(path.join(h.REPO, 'tests/pictures/rle8.bmp')).toString('base64');
  await page.evaluate((bmp) => {
    const transfer = new DataTransfer();
    const bytes = Uint8Array.from(atob(bmp), (c) => c.charCodeAt(0));
    for (const name of ['.', '..', '', 'kept.bmp']) transfer.items.add(new File([bytes], name));
    document.dispatchEvent(new DragEvent('drop', {dataTransfer: transfer, bubbles: true}));
  }, bmp);
  await h.waitFor(page, () => document.getElementById('pictures').textContent.includes('kept.bmp'),
                  'the dropped picture listed');
  assert.equal(await page.$$eval('#pictures li', (items) => items.length), bundledPictures().length + 1);
  assert.deepEqual((await h.problems(page)).map((p) => p.text), ['"."', '".."', '""'].map((name) =>
      `brindle: the dropped file ${name} is left out: a picture's name cannot be empty, . or .., ` +
      'nor hold a / or a zero byte'));
  await h.setScript(page, 'PTR p\nWCOLOR 255, 0, 0\nLOADIMG p, "kept.bmp", 0, 148, 92, 16\n' +
                          'SHOWIMG p, 0, 0, 148, 92\nSWAP\n');
  await h.run(page);
  await h.waitFor(page, () => /^Waiting for events/.test(document.getElementById('status').textContent),
                  'the main part to end');
  assert.deepEqual(await h.problems(page), []);
  // The picture is drawn over the red.
  await h.settled(page);
  const pixels = await h.canvasPixels(page);
  const red = (x, y) => pixels.readUInt32BE((y * 784 + x) * 4) === 0xFF0000FF;
  assert.ok(!red(74, 46) && red(200, 200));
  await page.close();
});

test('a script that never ends leaves the page responsive, and Stop ends it', async () => {
  const page = await h.openPage(browser.browser, server.url);
  // n goes round from 0 to 99999 for ever, and the window shows it.
  // (A box, not WCOLOR, clears the count: WCOLOR would show the cleared canvas at once.)
  await h.setScript(page, 'VAR n\nBCOLOR 255, 255, 255\nWHILE n < 1000000\nn = n + 1\n' +
                          'IF n > 99999 : n = 0 : ENDIF\nRECT 0, 0, 200, 40\nPRINT 10, 10, n\nSWAP\nWEND\n');
  await h.run(page);
  await h.waitFor(page, () => document.getElementById('status').textContent === 'Running',
                  'the run to start');
  const first = await h.canvasPixels(page);
  for (let i = 0; i < 5; ++i) {
    const asked = Date.now();
    await page.evaluate(() => document.getElementById('editor').value.length);
    assert.ok(Date.now() - asked < 500, `the page took ${Date.now() - asked} ms to answer`);
    await h.sleep(100);
  }
  // The count goes on showing: pictures keep coming while the loop runs.
  assert.notEqual(h.firstDifference(first, await h.canvasPixels(page)), null);
  await page.click('#stop');
  assert.equal(await h.status(page), 'Stopped');
  const stopped = await h.canvasPixels(page);
  await h.sleep(300);
  assert.equal(h.firstDifference(stopped, await h.canvasPixels(page)), null);
  // The next run starts afresh.
  await h.setScript(page, 'WCOLOR 10, 20, 30\nSWAP\n');
  await h.run(page, {quiet: false});
  await h.waitFor(page, () => document.querySelector('.msgbox') !== null, 'the statistics box');
  await page.close();
});

test('a link carries the script: Share makes one, opening it with &run runs it, and examples open by name', async () => {
  const page = await h.openPage(browser.browser, server.url);
  const script = 'STR s\ns = "Grüße"\nWCOLOR 200, 220, 240\nFCOLOR 0, 0, 0\nPRINT 20, 20, s\nSWAP\n';
  await h.setScript(page, script);
  await page.click('#share');
  const link = await page.$eval('#share-link', (input) => input.value);
  const code = /#code=([A-Za-z0-9_-]*)&run$/.exec(link);
  assert.ok(code, `the link ${link} carries the script`);
  assert.equal(Buffer.from(code[1], 'base64url').toString('utf8'), script);
  assert.ok(!code[1].includes('='), 'no padding');

  const opened = await h.openPage(browser.browser, link);
  assert.equal(await opened.$eval('#editor', (editor) => editor.value), script);
  await h.waitFor(opened, () => document.querySelector('.msgbox') !== null, 'the linked run');
  await opened.click('.msgbox button');
  await h.settled(opened);
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'brindle-link-'));
  fs.writeFileSync(path.join(dir, 'link.bas'), script);
  await assertSamePixels(opened, h.nativePixels('link.bas', {dir}), 'the linked script');
  fs.rmSync(dir, {recursive: true, force: true});
  // Without &run the script waits in the editor.
  const waiting = await h.openPage(browser.browser, link.replace(/&run$/, ''));
  assert.equal(await waiting.$eval('#editor', (editor) => editor.value), script);
  await h.sleep(300);
  assert.equal(await h.status(waiting), 'Ready');
  // A broken link says so.
  const broken = await h.openPage(browser.browser, server.url + '#code=@@');
  assert.match((await h.problems(broken))[0].text, /not base64url/);
  // The documentation's links open an example by name.
  const named = await h.openPage(browser.browser, server.url + '#example=sprite.bas&run');
  assert.match(await named.$eval('#editor', (editor) => editor.value), /smiley\.bmp/);
  await h.waitFor(named, () => document.querySelector('.msgbox') !== null, 'the example\'s run');
  const unknown = await h.openPage(browser.browser, server.url + '#example=nothing.bas&run');
  assert.equal((await h.problems(unknown))[0].text, 'brindle: there is no example nothing.bas');
  for (const p of [page, opened, waiting, broken, named, unknown]) await p.close();
});

test('a link whose example name has broken escapes still opens the page, ready to run', async () => {
  const page = await h.openPage(browser.browser, server.url + '#example=%E0%A4%A&run');
  assert.equal(await h.status(page), 'Ready');
  assert.deepEqual((await h.problems(page)).map((p) => p.text),
                   ['brindle: there is no example %E0%A4%A']);
  assert.equal(await page.$eval('#examples', (menu) => menu.value), 'hello.bas');
  await h.run(page, {quiet: false});
  await h.waitFor(page, () => document.querySelector('.msgbox') !== null, 'the statistics box');
  assert.deepEqual(page.errors, []);
  await page.close();
});

// Chromium opens no address longer than 2,097,152 characters (a longer one opens an empty page).
// An address near that length takes Chromium seconds to take in, so only the refusal is tried
// here; the page parts' tests try the largest link offered.
test('Share refuses a link longer than Chromium opens, and says so', async () => {
  const page = await h.openPage(browser.browser, server.url + '#example=hello.bas');
  // One byte more than the largest script whose link (the address, '#code=', base64url,
  // '&run') would fit.
  const most = Math.floor((2097152 - server.url.length - 10) * 3 / 4);
  await h.setScript(page, "WCOLOR 10, 200, 30\nSWAP\n'" + 'x'.repeat(most - 24));
  await page.click('#share');
  assert.equal(await page.$eval('#share-note', (note) => note.textContent),
               'The script is too large for a link: a link holds at most ' +
               `${most.toLocaleString('en-US')} bytes of script, and this one has ` +
               `${(most + 1).toLocaleString('en-US')}.`);
  assert.equal(await page.$eval('#share-link', (input) => input.offsetParent), null, 'no link');
  assert.equal(await page.evaluate(() => location.hash), '#example=hello.bas');
  // A script that fits gets its link again.
  await h.setScript(page, 'WCOLOR 10, 200, 30\nSWAP\n');
  await page.click('#share');
  assert.match(await page.$eval('#share-link', (input) => input.offsetParent && input.value),
               /#code=V0NPTE9SIDEwLCAyMDAsIDMwClNXQVAK&run$/);
  await page.close();
});

// The gallery links every example so. Those that wait for no user draw what the native program
// draws; the others are running, with no fault and no warning.
test('every example opens by its name, runs, and draws as the native program does', async () => {
  const names = fs.readdirSync(path.join(h.REPO, 'examples')).filter((f) => f.endsWith('.bas'));
  assert.ok(names.length >= 14, names.join(' '));
  for (const name of names.sort()) {
    const page = await h.openPage(browser.browser, server.url + `#example=${name}`);
    await h.waitFor(page, (n) => document.getElementById('examples').value === n,
                    `${name} in the editor`, 10000, name);
    await h.run(page);
    await h.waitFor(page, () => /^(Waiting for events|Running)/.test(
        document.getElementById('status').textContent), `${name} to run`);
    const interactive = fs.existsSync(example(name.replace(/\.bas$/, '.events')));
    if (!interactive) {
      await h.waitFor(page, () => /^Waiting for events/.test(
          document.getElementById('status').textContent), `${name}'s main part to end`, 30000);
      await assertSamePixels(page, h.nativePixels(example(name)), name);
    }
    assert.deepEqual(await h.problems(page), [], name);
    assert.deepEqual(page.errors, [], name);
    await page.close();
  }
});

test('faults and warnings are listed with their lines', async () => {
  const page = await h.openPage(browser.browser, server.url);
  await h.setScript(page, 'VAR i\nFOR i = 1 TO 3\nNEXT\nSTR s\ns = 5\n');
  await h.run(page);
  await h.waitFor(page, () => document.querySelectorAll('.msgbox').length > 0, 'the fault box');
  assert.deepEqual(await h.messageBoxes(page), [{caption: 'TYPE ERROR', text: 'Not String! -{ 5 }'}]);
  const listed = await h.problems(page);
  assert.deepEqual(listed.map(({kind, line}) => [kind, line]),
                   [['warning', 2], ['warning', 3], ['warning', 4], ['warning', 5], ['error', 5]]);
  assert.match(listed[0].text, /^Line 2:1 warning: FOR does nothing here.*\[W01\]$/);
  assert.match(listed[3].text, /^Line 5:5 warning: s holds text: a number here stops the run.*\[W23\]$/);
  assert.equal(listed[4].text, 'Line 5:1 error: TYPE ERROR: Not String! -{ 5 }');
  // A line's link selects it in the editor.
  await page.click('#problems li:last-child a');
  const selected = await page.$eval('#editor', (e) => e.value.slice(e.selectionStart, e.selectionEnd));
  assert.equal(selected, 's = 5');
  await page.close();
});

test('a server that sends no isolation headers still serves a page that runs scripts', async () => {
  const plain = await h.startServer({plain: true});
  try {
    const page = await h.openPage(browser.browser, plain.url + '#example=hello.bas&run');
    await h.waitFor(page, () => document.querySelector('.msgbox') !== null, 'the example\'s run');
    assert.equal(await page.evaluate(() => self.crossOriginIsolated), true);
    await page.close();
  } finally {
    plain.stop();
  }
});

test('the timer ticks in the page as in the window, and stops', async () => {
  const page = await h.openPage(browser.browser, server.url);
  const script = path.join(__dirname, 'scripts/timer.bas');
  await h.setScript(page, fs.readFileSync(script, 'utf8'));
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'brindle-timer-'));
  const events = path.join(dir, 'timer.events');
  // Headless time moves only with the timeline, and a wait that a handler's own pump reads
  // moves it there too: each tick waits for the handler before it.
  fs.writeFileSync(events, 'idle\nwait 40\n'.repeat(8));
  const native = h.nativePixels(script, {events, dir});
  fs.rmSync(dir, {recursive: true, force: true});
  const started = Date.now();
  await h.run(page);
  // Five ticks of 40 ms, then nothing more changes.
  let difference = 'nothing shown yet';
  while (difference !== null && Date.now() - started < 5000) {
    await h.sleep(50);
    difference = h.firstDifference(await h.canvasPixels(page), native);
  }
  assert.equal(difference, null, 'the five ticks drawn as natively');
  assert.ok(Date.now() - started >= 200, 'five ticks of 40 ms take 200 ms');
  await h.sleep(300);
  await assertSamePixels(page, native, 'timer.bas');
  await page.close();
});

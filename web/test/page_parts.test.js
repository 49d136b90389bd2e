// The page's own pieces that need no browser: links that carry scripts or name examples, the
// script text of file bytes, dropped files' names, the keys as virtual-key codes, and the input
// ring between page and worker.
'use strict';

const {test} = require('node:test');
const assert = require('node:assert/strict');
const link = require('../page/script_link');
const keys = require('../page/keys');
const dropped = require('../page/dropped_files');
const {InputRing} = require('../page/input_ring');

test('base64url carries any bytes, without padding, both ways', () => {
  for (const length of [0, 1, 2, 3, 4, 5, 100, 70000]) {
    const bytes = Uint8Array.from({length}, (_, i) => (i * 37 + 11) & 0xFF);
    const text = link.bytesToBase64Url(bytes);
    assert.match(text, /^[A-Za-z0-9_-]*$/);
    assert.deepEqual(link.base64UrlToBytes(text), bytes);
  }
  assert.equal(link.bytesToBase64Url(Uint8Array.of(0xFB, 0xFF)), '-_8');
});

test('a link says what it carries, and a broken one says so', () => {
  const bytes = new TextEncoder().encode('PRINT 1, 1, "é"\n');
  const made = link.makeScriptLink('http://127.0.0.1:8000/', bytes, true);
  assert.deepEqual(link.readScriptLink(new URL(made).hash), {bytes, run: true});
  assert.deepEqual(link.readScriptLink('#code=' + link.bytesToBase64Url(bytes)), {bytes, run: false});
  assert.equal(link.readScriptLink('#example=hello.bas'), null);
  assert.equal(link.readScriptLink(''), null);
  for (const broken of ['#code=a+b', '#code=ab=', '#code=abcde']) {
    assert.ok(link.readScriptLink(broken).error, broken);
  }
});

test('an example link names the example, as it stands when its escapes are not UTF-8', () => {
  assert.equal(link.readExampleName('#example=hello.bas&run'), 'hello.bas');
  assert.equal(link.readExampleName('#run&example=caf%C3%A9%201.bas'), 'café 1.bas');
  for (const broken of ['%E0%A4%A', '%ff.bas', '%', 'a%2', '%C3%28']) {
    assert.equal(link.readExampleName(`#example=${broken}&run`), broken);
  }
  assert.equal(link.readExampleName('#example=&run'), '');
  assert.equal(link.readExampleName('#code=AAAA&run'), null);
});

test('Share refuses a link longer than Chromium opens, and says how large a script may be', () => {
  const chromiumMost = 2097152;
  for (const base of ['http://127.0.0.1:8000/', 'https://example.org/play/index.html']) {
    // The largest script whose link fits: '#code=', its base64url, '&run'.
    const most = Math.floor((chromiumMost - base.length - 10) * 3 / 4);
    const fits = link.shareScriptLink(base, new Uint8Array(most));
    assert.ok(fits.link.length <= chromiumMost && fits.link.length >= chromiumMost - 2, base);
    assert.equal(fits.error, undefined);
    const over = link.shareScriptLink(base, new Uint8Array(most + 1));
    assert.equal(over.link, undefined);
    assert.equal(over.error, 'The script is too large for a link: a link holds at most ' +
                             `${most.toLocaleString('en-US')} bytes of script, and this one has ` +
                             `${(most + 1).toLocaleString('en-US')}.`);
  }
  assert.match(link.shareScriptLink('http://127.0.0.1:8000/', new Uint8Array(2 << 20)).error,
               /at most 1,572,8\d\d bytes of script, and this one has 2,097,152\.$/);
});

test('script files read as UTF-8 when they are, else as Windows-1252', () => {
  assert.equal(link.scriptText(Uint8Array.of(0x22, 0xC3, 0xA9, 0x22)), '"é"');
  assert.equal(link.scriptText(Uint8Array.of(0x22, 0xE9, 0x22)), '"é"');
});

test('dropped files go by their names, but for names no file can have and unreadable files',
     async () => {
  const file = (name, bytes = [1]) => ({name, arrayBuffer: async () => new Uint8Array(bytes).buffer});
  const unreadable = {name: 'gone.png', arrayBuffer: () => Promise.reject(new Error('it is gone'))};
  const names = ['.', '..', '', 'a/b.png', '/', 'x\0.png', 'C:\\fakepath\\..', 'C:\\fakepath\\'];
  const {pictures, refused} = await dropped.readDroppedFiles(
      [file('smiley.bmp', [66, 77]), ...names.map((name) => file(name)), unreadable,
       file('C:\\fakepath\\my photo.JPG'), file('...'), file('é.png')]);
  assert.deepEqual(pictures.map(([name]) => name), ['smiley.bmp', 'my photo.JPG', '...', 'é.png']);
  assert.deepEqual(pictures[0][1], Uint8Array.of(66, 77));
  assert.equal(refused.length, names.length + 1);
  assert.equal(refused[0], 'the dropped file "." is left out: a picture\'s name cannot be empty, ' +
                           '. or .., nor hold a / or a zero byte');
  assert.match(refused[5], /^the dropped file "x\\u0000\.png" is left out/);
  assert.equal(refused[names.length], 'the dropped file "gone.png" cannot be read: it is gone');
});

test('keys are the virtual-key codes of a US keyboard, letters by the layout', () => {
  const key = (code, key, more = {}) => ({code, key, ctrlKey: false, altKey: false, metaKey: false,
                                          ...more});
  assert.equal(keys.virtualKeyOf(key('KeyA', 'a')), 65);
  assert.equal(keys.virtualKeyOf(key('KeyQ', 'a')), 65, 'an AZERTY A');
  assert.equal(keys.virtualKeyOf(key('Digit7', '/')), 55);
  assert.equal(keys.virtualKeyOf(key('ArrowLeft', 'ArrowLeft')), 37);
  assert.equal(keys.virtualKeyOf(key('F12', 'F12')), 123);
  assert.equal(keys.virtualKeyOf(key('Numpad5', '5')), 101);
  assert.equal(keys.virtualKeyOf(key('Quote', "'")), 222);
  assert.equal(keys.virtualKeyOf(key('ContextMenu', 'ContextMenu')), 0);
  assert.equal(keys.typedCharacterOf(key('KeyA', 'A')), 65);
  assert.equal(keys.typedCharacterOf(key('KeyE', 'é')), 0xE9);
  assert.equal(keys.typedCharacterOf(key('KeyA', 'a', {ctrlKey: true})), 0);
  assert.equal(keys.typedCharacterOf(key('Enter', 'Enter')), 0);
});

test('the input ring hands over every input in order, and drops what overflows it', () => {
  const page = InputRing.create();
  const worker = new InputRing(page.shared);
  assert.deepEqual([...worker.take(10, 0, false)], []);
  for (let i = 0; i < InputRing.CAPACITY + 5; ++i) {
    assert.equal(page.put(4, i, i + 1), i < InputRing.CAPACITY);
  }
  const first = worker.take(3, 0, false);
  assert.deepEqual([...first], [4, 0, 1, 4, 1, 2, 4, 2, 3]);
  let taken = 3;
  for (let got; (got = worker.take(1000, 0, false)).length > 0;) taken += got.length / 3;
  assert.equal(taken, InputRing.CAPACITY);
  // Round the ring again.
  page.put(1, 65, 1);
  assert.deepEqual([...worker.take(10, 0, false)], [1, 65, 1]);
  assert.equal(worker.settled(), false);
  assert.equal(worker.readyForPicture(), true);
  worker.pictureSent();
  assert.equal(worker.readyForPicture(), false);
  page.pictureDrawn();
  assert.equal(worker.readyForPicture(), true);
  // A wait with nothing written ends at its limit.
  const started = Date.now();
  assert.deepEqual([...worker.take(10, 30, true)], []);
  assert.ok(Date.now() - started >= 25);
});

// The page's own pieces that need no browser: links that carry scripts, the script text of
// file bytes, the keys as virtual-key codes, and the input ring between page and worker.
'use strict';

const {test} = require('node:test');
const assert = require('node:assert/strict');
const link = require('../page/script_link');
const keys = require('../page/keys');
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

test('script files read as UTF-8 when they are, else as Windows-1252', () => {
  assert.equal(link.scriptText(Uint8Array.of(0x22, 0xC3, 0xA9, 0x22)), '"é"');
  assert.equal(link.scriptText(Uint8Array.of(0x22, 0xE9, 0x22)), '"é"');
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

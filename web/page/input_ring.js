// The user's input on its way from the page to the worker that runs the script: a ring of
// integer triples in shared memory, written by the page alone and read by the worker alone, so
// that a script that never stops to take messages still sees every key. Four more integers
// count what was written and read, tell whether the page has drawn the last picture, and
// whether the worker waits for input.
'use strict';

class InputRing {
  static CAPACITY = 4096;  // inputs
  static WRITTEN = 0;
  static READ = 1;
  static PICTURE_DRAWN = 2;
  static WAITING = 3;
  static HEADER = 4;

  // The page makes the shared memory; the worker is handed it.
  static create() {
    const shared = new SharedArrayBuffer(4 * (InputRing.HEADER + 3 * InputRing.CAPACITY));
    const ring = new InputRing(shared);
    Atomics.store(ring.ints, InputRing.PICTURE_DRAWN, 1);
    return ring;
  }

  constructor(shared) {
    this.shared = shared;
    this.ints = new Int32Array(shared);
  }

  // The page's side. False when the worker has fallen a whole ring behind: the input is lost,
  // as a window system drops input a program does not take.
  put(kind, a = 0, b = 0) {
    const written = Atomics.load(this.ints, InputRing.WRITTEN);
    if (written - Atomics.load(this.ints, InputRing.READ) >= InputRing.CAPACITY) return false;
    const at = InputRing.HEADER + 3 * (written % InputRing.CAPACITY);
    this.ints[at] = kind;
    this.ints[at + 1] = a;
    this.ints[at + 2] = b;
    Atomics.store(this.ints, InputRing.WRITTEN, written + 1);
    Atomics.notify(this.ints, InputRing.WRITTEN);
    return true;
  }

  // Whether the worker has taken every input and waits for more with nothing else due: whatever
  // the inputs started has finished.
  settled() {
    return Atomics.load(this.ints, InputRing.WAITING) === 1 &&
           Atomics.load(this.ints, InputRing.READ) === Atomics.load(this.ints, InputRing.WRITTEN);
  }

  pictureDrawn() {
    Atomics.store(this.ints, InputRing.PICTURE_DRAWN, 1);
  }

  // The worker's side: up to max inputs as kind, a, b triples; when there are none, waits up
  // to waitMs for one (0: not at all, negative: for as long as it takes). settled: the script
  // has finished all it was asked and the page has been given its picture.
  take(max, waitMs, settled) {
    const read = this.ints[InputRing.READ];
    let written = Atomics.load(this.ints, InputRing.WRITTEN);
    if (written === read && waitMs !== 0) {
      Atomics.store(this.ints, InputRing.WAITING, settled ? 1 : 0);
      Atomics.wait(this.ints, InputRing.WRITTEN, written, waitMs < 0 ? Infinity : waitMs);
      Atomics.store(this.ints, InputRing.WAITING, 0);
      written = Atomics.load(this.ints, InputRing.WRITTEN);
    }
    const count = Math.min(written - read, max);
    const out = new Int32Array(3 * count);
    for (let i = 0; i < count; ++i) {
      const at = InputRing.HEADER + 3 * ((read + i) % InputRing.CAPACITY);
      out.set(this.ints.subarray(at, at + 3), 3 * i);
    }
    Atomics.store(this.ints, InputRing.READ, read + count);
    return out;
  }

  readyForPicture() {
    return Atomics.load(this.ints, InputRing.PICTURE_DRAWN) === 1;
  }

  pictureSent() {
    Atomics.store(this.ints, InputRing.PICTURE_DRAWN, 0);
  }
}

if (typeof module !== 'undefined') module.exports = {InputRing};

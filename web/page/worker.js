// Runs one script: the interpreter (brindle.js, brindle.wasm) in this worker, where it may wait
// for the user as it does in the desktop window without ever holding up the page. The page
// sends the user's input through a shared ring of integers (input_ring.js); pictures, message
// boxes and reports come back as messages. The page ends a run by ending the worker.
'use strict';
importScripts('input_ring.js', 'brindle.js');

const latin = new TextDecoder('windows-1252');

// The Page of src/platform/web/page.h, as the interpreter's calls reach it (web/src/web_main.cpp).
class WorkerPage {
  constructor(ring) {
    this.ring = ring;
    this.started = performance.now();
  }
  takeInputs(max, waitMs, settled) {
    return this.ring.take(max, waitMs, settled);
  }
  readyForPicture() {
    return this.ring.readyForPicture() ? 1 : 0;
  }
  showPicture(rgba) {
    this.ring.pictureSent();
    postMessage({type: 'picture', rgba}, [rgba.buffer]);
  }
  openMessage(number, caption, text) {
    postMessage({type: 'message', number, caption: latin.decode(caption), text: latin.decode(text)});
  }
  waiting() {
    postMessage({type: 'waiting', ms: performance.now() - this.started});
  }
  report(line) {
    postMessage({type: 'report', line: latin.decode(line)});
  }
}

async function run({module, shared, name, script, files, quiet, seed}) {
  const page = new WorkerPage(new InputRing(shared));
  const brindle = await createBrindle({
    page,
    instantiateWasm(imports, done) {
      WebAssembly.instantiate(module, imports).then((instance) => done(instance, module));
      return {};
    },
    print: (text) => postMessage({type: 'report', line: text}),
    printErr: (text) => postMessage({type: 'report', line: text}),
  });
  // The script and the pictures beside it, as a folder of files: LOADIMG finds them there.
  brindle.FS.mkdir('/run');
  brindle.FS.chdir('/run');
  for (const [file, bytes] of files) brindle.FS.writeFile(file, bytes);
  brindle.FS.writeFile(name, script);
  postMessage({type: 'started'});
  page.started = performance.now();
  return brindle.ccall('brindle_run', 'number', ['string', 'number', 'number'],
                       [name, quiet ? 1 : 0, seed]);
}

onmessage = (event) => {
  run(event.data).then(
      (status) => postMessage({type: 'ended', status}),
      (error) => {
        postMessage({type: 'report', line: 'brindle: the interpreter failed: ' + error});
        postMessage({type: 'ended', status: 5});
      });
};

// The playground: an editor, the script's window (a canvas) and its message boxes, the
// examples, the errors and warnings of a run, dropped pictures, and links that carry a script.
// Each Run starts a worker (worker.js) that runs the interpreter; Stop ends it.
'use strict';

const INPUT = {keyDown: 1, keyUp: 2, text: 3, mouseMove: 4, mouseDown: 5, answer: 6, focus: 7, paint: 8};

const $ = (id) => document.getElementById(id);
const editor = $('editor');
const screen = $('screen');
const screenContext = screen.getContext('2d');

const wasmModule = WebAssembly.compileStreaming(fetch('brindle.wasm'));
const bundledPictures = new Map();  // file name -> bytes: the examples' pictures
const droppedPictures = new Map();
// The run going on: its worker, the ring its input goes by, the keys down in the window, the
// message boxes open.
let run = null;
let scriptName = 'script.bas';

function setStatus(text) {
  $('status').textContent = text;
}

// --- Running and stopping

function isolated() {
  return typeof SharedArrayBuffer !== 'undefined' && self.crossOriginIsolated !== false;
}

// A page served without the isolation headers gets them from a service worker of its own
// (isolation.js), and loads again under it. False when that cannot be done here.
async function isolateBySelf() {
  if (!('serviceWorker' in navigator) || !window.isSecureContext) return false;
  // Once only: a page that is still not isolated after the reload says so.
  if (sessionStorage.getItem('brindle-isolating') === location.href) return false;
  sessionStorage.setItem('brindle-isolating', location.href);
  await navigator.serviceWorker.register('isolation.js');
  await navigator.serviceWorker.ready;
  location.reload();
  return true;
}

async function startRun() {
  stopRun('');
  clearProblems();
  delete document.body.dataset.mainPartMs;
  if (!isolated()) {
    setStatus('This browser cannot run scripts here: the page is not cross-origin isolated ' +
              '(serve it with web/serve.py, or over https)');
    return;
  }
  const ring = InputRing.create();
  const worker = new Worker('worker.js');
  const owner = run = {worker, ring, keysDown: new Set(), boxes: []};
  worker.onmessage = (event) => onWorkerMessage(owner, event.data);
  worker.onerror = (event) => {
    if (owner !== run) return;
    addProblem('brindle: the interpreter failed: ' + (event.message || 'unknown error'));
    stopRun('Failed');
  };
  const files = [...bundledPictures, ...droppedPictures];
  worker.postMessage({
    module: await wasmModule,
    shared: ring.shared,
    name: scriptName,
    script: new TextEncoder().encode(editor.value),
    files,
    quiet: $('quiet').checked,
    seed: seedAsked(),
  });
  setStatus('Starting…');
  $('stop').disabled = false;
  screen.focus();
}

// &seed=N in the address fixes RAND's seed, so that a run can be repeated exactly.
function seedAsked() {
  const match = /[#&]seed=(\d+)/.exec(location.hash);
  return match ? Number(match[1]) % 4294967296 : -1;
}

function stopRun(status) {
  if (run === null) return;
  run.worker.terminate();
  for (const box of run.boxes) box.element.remove();
  run = null;
  $('stop').disabled = true;
  if (status) setStatus(status);
}

function onWorkerMessage(owner, message) {
  if (owner !== run) return;  // a run already stopped
  switch (message.type) {
    case 'started':
      setStatus('Running');
      break;
    case 'picture':
      screenContext.putImageData(
          new ImageData(new Uint8ClampedArray(message.rgba.buffer), screen.width, screen.height), 0, 0);
      owner.ring.pictureDrawn();
      document.body.dataset.pictures = Number(document.body.dataset.pictures || 0) + 1;
      break;
    case 'message':
      openMessageBox(owner, message);
      break;
    case 'waiting':
      setStatus(`Waiting for events (the main part ended after ${message.ms.toFixed(0)} ms)`);
      document.body.dataset.mainPartMs = message.ms.toFixed(1);
      break;
    case 'report':
      addProblem(message.line);
      break;
    case 'ended':
      stopRun(message.status === 0 ? 'Ended' : `Ended with status ${message.status}`);
      break;
  }
}

// --- Message boxes: modal for the script, which waits for the answer as in the window

function openMessageBox(owner, {number, caption, text}) {
  const element = document.createElement('div');
  element.className = 'msgbox';
  element.setAttribute('role', 'alertdialog');
  element.dataset.number = number;
  const title = document.createElement('div');
  title.className = 'caption';
  title.textContent = caption;
  const body = document.createElement('div');
  body.className = 'text';
  body.textContent = text;
  const buttons = document.createElement('div');
  buttons.className = 'buttons';
  const ok = document.createElement('button');
  ok.textContent = 'OK';
  buttons.append(ok);
  element.append(title, body, buttons);
  // A box opened while others are open sits a little below and right of the one before.
  element.style.marginLeft = element.style.marginTop = `${16 * owner.boxes.length}px`;
  const box = {number, element, ok};
  const answer = () => answerMessageBox(owner, box);
  ok.addEventListener('click', answer);
  element.addEventListener('keydown', (event) => {
    if (event.key === 'Escape' || event.key === 'Enter') {
      event.preventDefault();
      answer();
    }
  });
  owner.boxes.push(box);
  $('boxes').append(element);
  ok.focus();
}

function answerMessageBox(owner, box) {
  if (owner.boxes[owner.boxes.length - 1] !== box) return;  // only the box on top is answered
  owner.boxes.pop();
  box.element.remove();
  owner.ring.put(INPUT.answer, box.number);
  const below = owner.boxes[owner.boxes.length - 1];
  (below ? below.ok : screen).focus();
}

// --- The window's input

screen.addEventListener('keydown', (event) => {
  if (run === null) return;
  const vk = virtualKeyOf(event);
  if (vk !== 0) {
    run.keysDown.add(event.code);
    run.ring.put(INPUT.keyDown, vk, event.shiftKey ? 1 : 0);
  }
  const character = typedCharacterOf(event);
  if (character !== 0) run.ring.put(INPUT.text, character);
  // The page's own keys (scrolling, Tab's move out of the window) are the script's here.
  if (vk !== 0 || character !== 0) event.preventDefault();
});

screen.addEventListener('keyup', (event) => {
  // A key that went down elsewhere (in a message box) comes up there.
  if (run === null || !run.keysDown.delete(event.code)) return;
  run.ring.put(INPUT.keyUp, virtualKeyOf(event));
  event.preventDefault();
});

function canvasPoint(event) {
  const rect = screen.getBoundingClientRect();
  return [Math.floor((event.clientX - rect.left) * screen.width / rect.width),
          Math.floor((event.clientY - rect.top) * screen.height / rect.height)];
}

screen.addEventListener('mousemove', (event) => {
  if (run !== null) run.ring.put(INPUT.mouseMove, ...canvasPoint(event));
});
screen.addEventListener('mousedown', (event) => {
  if (run === null || event.button !== 0) return;
  run.ring.put(INPUT.mouseDown, ...canvasPoint(event));
  screen.focus();
  event.preventDefault();
});
screen.addEventListener('focus', () => run && run.ring.put(INPUT.focus, 1));
screen.addEventListener('blur', () => run && run.ring.put(INPUT.focus, 0));
document.addEventListener('visibilitychange', () => {
  if (run !== null && document.visibilityState === 'visible') run.ring.put(INPUT.paint);
});

// --- Errors and warnings, each with its line

const FAULT_LINE = /^(.*?):(\d+):(\d+): (error|warning): (.*)$/;

function clearProblems() {
  $('problems').replaceChildren();
}

function addProblem(line) {
  const list = $('problems');
  const item = document.createElement('li');
  const match = FAULT_LINE.exec(line);
  if (match === null) {
    item.className = 'error';
    item.textContent = line;
  } else {
    const [, , lineNumber, column, kind, text] = match;
    item.className = kind;
    const link = document.createElement('a');
    link.textContent = `Line ${lineNumber}:${column}`;
    link.addEventListener('click', () => selectLine(Number(lineNumber)));
    item.append(link, ` ${kind}: ${text}`);
    item.dataset.line = lineNumber;
  }
  list.append(item);
}

function selectLine(number) {
  const lines = editor.value.split('\n');
  let start = 0;
  for (let i = 0; i < number - 1 && i < lines.length; ++i) start += lines[i].length + 1;
  const end = start + (lines[number - 1] || '').length;
  editor.focus();
  editor.setSelectionRange(start, end);
  const lineHeight = editor.scrollHeight / Math.max(lines.length, 1);
  editor.scrollTop = Math.max(0, (number - 5) * lineHeight);
}

// --- Examples, pictures, links

async function fetchBytes(url) {
  const response = await fetch(url);
  if (!response.ok) throw new Error(`${url}: ${response.status} ${response.statusText}`);
  return new Uint8Array(await response.arrayBuffer());
}

async function loadExamples() {
  const index = await (await fetch('examples/index.json')).json();
  for (const name of index.scripts) {
    const option = document.createElement('option');
    option.value = option.textContent = name;
    $('examples').append(option);
  }
  await Promise.all(index.pictures.map(async (name) => {
    bundledPictures.set(name, await fetchBytes('examples/' + name));
  }));
}

async function openExample(name) {
  if (!name) return;
  editor.value = scriptText(await fetchBytes('examples/' + name));
  scriptName = name;
  clearProblems();
}

function listPictures() {
  const list = $('pictures');
  list.replaceChildren();
  for (const name of [...bundledPictures.keys(), ...droppedPictures.keys()]) {
    const item = document.createElement('li');
    item.textContent = name + (droppedPictures.has(name) ? ' (dropped)' : ' (with the examples)');
    list.append(item);
  }
}

async function addDroppedFiles(fileList) {
  const {pictures, refused} = await readDroppedFiles(fileList);
  for (const [name, bytes] of pictures) droppedPictures.set(name, bytes);
  for (const reason of refused) addProblem('brindle: ' + reason);
  listPictures();
}

document.addEventListener('dragover', (event) => {
  event.preventDefault();
  $('drop-hint').hidden = false;
});
document.addEventListener('dragleave', (event) => {
  if (event.relatedTarget === null) $('drop-hint').hidden = true;
});
document.addEventListener('drop', (event) => {
  event.preventDefault();
  $('drop-hint').hidden = true;
  addDroppedFiles(event.dataTransfer.files);
});

function shareLink() {
  const base = location.href.replace(/#.*$/, '');
  const {link, error} = shareScriptLink(base, new TextEncoder().encode(editor.value));
  const note = $('share-note');
  $('share-box').hidden = false;
  $('share-link').parentElement.hidden = link === undefined;
  $('share-link').value = link || '';
  if (link === undefined) {
    note.textContent = error;
    return;
  }
  history.replaceState(null, '', link);
  $('share-link').select();
  navigator.clipboard.writeText(link).then(
      () => { note.textContent = 'Copied.'; },
      () => { note.textContent = 'Copy it from the field.'; });
}

// --- Start-up

$('run').addEventListener('click', startRun);
// Ctrl+Enter in the editor runs the script.
editor.addEventListener('keydown', (event) => {
  if (event.key === 'Enter' && (event.ctrlKey || event.metaKey) && !$('run').disabled) {
    event.preventDefault();
    startRun();
  }
});
$('stop').addEventListener('click', () => stopRun('Stopped'));
$('share').addEventListener('click', shareLink);
$('examples').addEventListener('change', (event) => openExample(event.target.value));
screen.addEventListener('click', () => screen.focus());

async function start() {
  if (!isolated() && await isolateBySelf()) return;
  sessionStorage.removeItem('brindle-isolating');
  // The window shows the button face until the script's first picture.
  screenContext.fillStyle = 'rgb(240, 240, 240)';
  screenContext.fillRect(0, 0, screen.width, screen.height);
  try {
    await loadExamples();
  } catch (error) {
    addProblem('brindle: the examples could not be loaded: ' + error.message);
  }
  listPictures();
  const link = readScriptLink(location.hash);
  // #example=NAME opens one of the examples (the documentation links them so).
  const wanted = readExampleName(location.hash);
  const names = [...$('examples').options].map((option) => option.value);
  if (link && link.bytes) {
    editor.value = scriptText(link.bytes);
  } else {
    $('examples').selectedIndex = Math.max(1, names.indexOf(wanted));
    await openExample($('examples').value);
    if (wanted !== null && !names.includes(wanted)) {
      addProblem(`brindle: there is no example ${wanted}`);
    }
  }
  if (link && link.error) addProblem('brindle: ' + link.error);
  // &run runs what the link names, and nothing in its place.
  const runAsked = /[#&]run(&|$)/.test(location.hash) &&
                   (link ? link.bytes !== undefined
                         : wanted !== null && $('examples').value === wanted);
  await wasmModule;
  $('run').disabled = false;
  setStatus('Ready');
  if (runAsked) startRun();
}

// For tests and tools that drive the page: whether the running script has taken every input
// and waits for more, with its picture drawn.
window.playground = {
  settled: () => run !== null && run.ring.settled() && run.ring.readyForPicture(),
};

start().catch((error) => setStatus('The page could not start: ' + error.message));

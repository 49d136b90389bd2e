// What the playground's tests share: the page served from 127.0.0.1 (web/serve.py), Debian's
// Chromium driven headless by puppeteer-core, runs of the native program to compare with, and
// events files replayed as a user's keys and mouse.
'use strict';

const {spawn, execFileSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const puppeteer = require('puppeteer-core');

const REPO = path.resolve(__dirname, '../..');
const SITE = process.env.BRINDLE_SITE || path.join(REPO, 'build-web/site');
const NATIVE = process.env.BRINDLE_NATIVE || path.join(REPO, 'build/brindle');
const CHROMIUM = process.env.CHROMIUM || '/usr/bin/chromium';

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// The server, on a free port; resolves to {url, stop}. plain: without the isolation headers.
function startServer({plain = false} = {}) {
  return new Promise((resolve, reject) => {
    const options = plain ? ['--plain'] : [];
    const server = spawn('python3', [path.join(REPO, 'web/serve.py'), ...options, SITE, '0'],
                         {stdio: ['ignore', 'pipe', 'inherit']});
    server.on('error', reject);
    server.stdout.on('data', (data) => {
      const match = /http:\/\/127\.0\.0\.1:\d+\//.exec(String(data));
      if (match) resolve({url: match[0], stop: () => server.kill()});
    });
    server.on('exit', (code) => reject(new Error(`web/serve.py ended with status ${code}`)));
  });
}

async function launchBrowser() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'brindle-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync',
           `--user-data-dir=${profile}`],
  });
  return {browser, close: async () => {
    await browser.close();
    fs.rmSync(profile, {recursive: true, force: true});
  }};
}

// A fresh page, ready to run: the examples and the interpreter loaded.
async function openPage(browser, url) {
  const page = await browser.newPage();
  await page.setViewport({width: 1400, height: 800});
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  page.errors = errors;
  await page.goto(url);
  await page.waitForFunction(() => document.getElementById('status').textContent !== 'Loading…');
  return page;
}

async function waitFor(page, predicate, what, timeout = 10000, ...args) {
  try {
    await page.waitForFunction(predicate, {timeout, polling: 20}, ...args);
  } catch (error) {
    throw new Error(`waiting for ${what}: ${error.message}`);
  }
}

// Until the script has done all the input sent so far asked of it, and the page shows it.
function settled(page) {
  return waitFor(page, () => window.playground.settled(), 'the script to settle');
}

async function setScript(page, text) {
  await page.$eval('#editor', (editor, value) => { editor.value = value; }, text);
}

async function run(page, {quiet = true} = {}) {
  await page.$eval('#quiet', (box, value) => { box.checked = value; }, quiet);
  await page.click('#run');
}

const status = (page) => page.$eval('#status', (e) => e.textContent);
const messageBoxes = (page) => page.$$eval('.msgbox', (boxes) => boxes.map((box) => ({
  caption: box.querySelector('.caption').textContent,
  text: box.querySelector('.text').textContent,
})));
const problems = (page) => page.$$eval('#problems li', (items) => items.map((item) => ({
  kind: item.className, line: Number(item.dataset.line), text: item.textContent,
})));

// The canvas as RGBA bytes.
async function canvasPixels(page) {
  const base64 = await page.$eval('#screen', (canvas) => {
    const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let binary = '';
    for (let i = 0; i < data.length; i += 0x8000) {
      binary += String.fromCharCode(...data.subarray(i, i + 0x8000));
    }
    return btoa(binary);
  });
  return Buffer.from(base64, 'base64');
}

// The message boxes the native program shows when it checks the script (--check), as the
// page lists them.
function nativeCheckBoxes(script) {
  const out = execFileSync(NATIVE, ['--check', script], {encoding: 'latin1'});
  const unescape = (text) => text.replace(/\\(\\|t|r|n|x[0-9a-f]{2})/g, (_, e) =>
    e === '\\' ? '\\' : e === 't' ? '\t' : e === 'r' ? '\r' : e === 'n' ? '\n' :
    String.fromCharCode(parseInt(e.slice(1), 16)));
  return out.split('\n').filter((line) => line.startsWith('box\t')).map((line) => {
    const [, caption, text] = line.split('\t');
    return {caption: unescape(caption), text: unescape(text)};
  });
}

// What the native program shows at the end of a headless run (--quiet, --screenshot), as RGBA
// bytes; the script runs in dir, beside its pictures.
function nativePixels(script, {events = null, dir = null} = {}) {
  const work = dir || fs.mkdtempSync(path.join(os.tmpdir(), 'brindle-native-'));
  const shot = path.join(work, 'native.png');
  const args = ['--headless', '--quiet', '--screenshot', shot];
  if (events !== null) args.push('--events', events);
  try {
    execFileSync(NATIVE, [...args, script], {cwd: work, stdio: ['ignore', 'ignore', 'pipe']});
  } catch (error) {
    // A script that ends with a fault still leaves its screenshot.
    if (!fs.existsSync(shot)) throw error;
  }
  return execFileSync('convert', [shot, '-depth', '8', 'RGBA:-'], {maxBuffer: 1 << 24});
}

// The first pixel where two pictures differ, or null.
function firstDifference(a, b, width = 784) {
  if (a.length !== b.length) return `sizes differ: ${a.length} and ${b.length} bytes`;
  for (let i = 0; i < a.length; i += 4) {
    if (a[i] !== b[i] || a[i + 1] !== b[i + 1] || a[i + 2] !== b[i + 2]) {
      const at = i / 4;
      return `pixel (${at % width}, ${Math.floor(at / width)}): ` +
             `rgb(${a.slice(i, i + 3).join(',')}) and rgb(${b.slice(i, i + 3).join(',')})`;
    }
  }
  return null;
}

// Puppeteer's name of the key a virtual-key code stands for.
function keyName(vk) {
  if (vk >= 48 && vk <= 57) return 'Digit' + (vk - 48);
  if (vk >= 65 && vk <= 90) return 'Key' + String.fromCharCode(vk);
  const named = {8: 'Backspace', 9: 'Tab', 13: 'Enter', 16: 'Shift', 27: 'Escape', 32: 'Space',
                 37: 'ArrowLeft', 38: 'ArrowUp', 39: 'ArrowRight', 40: 'ArrowDown', 46: 'Delete'};
  if (!(vk in named)) throw new Error(`no key for virtual-key code ${vk}`);
  return named[vk];
}

// Plays an events file (the lines of design section 6 that a user makes: idle, move, key,
// type, click, enter, tab) on the page's window, as the user would.
async function replayEvents(page, eventsText) {
  const box = await page.$eval('#screen', (canvas) => {
    const rect = canvas.getBoundingClientRect();
    return {left: rect.left, top: rect.top};
  });
  const at = (x, y) => [box.left + Number(x) + 0.5, box.top + Number(y) + 0.5];
  for (const raw of eventsText.split('\n')) {
    const line = raw.trim();
    if (line === '' || line.startsWith('#')) continue;
    const [word, ...rest] = line.split(/\s+/);
    switch (word) {
      case 'idle': await settled(page); break;
      case 'move': await page.mouse.move(...at(rest[0], rest[1])); break;
      case 'key': await page.keyboard.press(keyName(Number(rest[0]))); break;
      case 'enter': await page.keyboard.press('Enter'); break;
      case 'tab': await page.keyboard.press('Tab'); break;
      case 'type': await page.keyboard.type(line.slice(5)); break;
      case 'click':
        // The move first, on its own: a click moves no mouse in an events file.
        await page.mouse.move(...at(rest[0], rest[1]));
        await settled(page);
        await page.mouse.down();
        await page.mouse.up();
        break;
      default: throw new Error(`the replay has no ${word} lines`);
    }
  }
  await settled(page);
}

module.exports = {
  REPO, SITE, NATIVE, sleep, startServer, launchBrowser, openPage, waitFor, settled, setScript,
  run, status, messageBoxes, problems, canvasPixels, nativeCheckBoxes, nativePixels,
  firstDifference, replayEvents,
};

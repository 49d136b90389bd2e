'use strict';
// One `brindle --dap` process per session, driven by the Debug Adapter Protocol's own test
// client (@vscode/debugadapter-testsupport) over its standard input and output, with its
// scripts in a folder of their own that is also its current folder.
const assert = require('node:assert/strict');
const { spawn, spawnSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

let DebugClient;
try {
  ({ DebugClient } = require('@vscode/debugadapter-testsupport'));
} catch (error) {
  throw new Error(
    `${error.message}\nThe debugger's tests need their packages: run \`make dap-deps\` ` +
      '(npm ci in tests/dap) first.',
  );
}

const BRINDLE = path.resolve(process.env.BRINDLE || path.join(__dirname, '../../build/brindle'));
// Generous: a request is answered at once, and a run of these scripts takes milliseconds, but
// the machine may be busy with a parallel build.
const TIMEOUT_MS = 10000;

function withTimeout(promise, what, ms = TIMEOUT_MS) {
  let timer;
  const timeout = new Promise((_, reject) => {
    timer = setTimeout(() => {
      const text = typeof what === 'function' ? what() : what;
      reject(new Error(`${text}: nothing after ${ms} ms`));
    }, ms);
  });
  return Promise.race([promise, timeout]).finally(() => clearTimeout(timer));
}

class Session {
  constructor(files) {
    this.dir = fs.mkdtempSync(path.join(os.tmpdir(), 'brindle-dap-'));
    for (const [name, text] of Object.entries(files)) {
      fs.writeFileSync(path.join(this.dir, name), text);
    }
    this.events = [];
    this.waiting = [];
    this.taken = new Map();
    this.stderr = '';
    this.rawSeq = 100000;
    this.proc = spawn(BRINDLE, ['--dap'], { cwd: this.dir, stdio: ['pipe', 'pipe', 'pipe'] });
    this.exit = new Promise((resolve) => {
      this.proc.on('exit', (code, signal) => resolve({ code, signal }));
      this.proc.on('error', (error) => resolve({ error }));
    });
    this.proc.stderr.on('data', (chunk) => (this.stderr += chunk));
    // Once its output has all been read: what is still awaited will not come.
    this.gone = new Promise((_, reject) => {
      this.proc.on('close', (code, signal) =>
        reject(new Error(`the adapter ended (status ${code}, signal ${signal})`)),
      );
    });
    this.gone.catch(() => {});
    this.proc.stdin.on('error', () => {}); // an adapter that has ended
    this.dc = new DebugClient(BRINDLE, '--dap', 'brindle');
    this.dc.defaultTimeout = TIMEOUT_MS;
    const send = this.dc.send.bind(this.dc);
    this.dc.send = (command, args) => this.guard(send(command, args), `the response to ${command}`);
    const emit = this.dc.emit.bind(this.dc);
    this.dc.emit = (type, event) => {
      this.events.push(event);
      this.waiting = this.waiting.filter((w) => !w());
      return emit(type, event);
    };
    this.dc.connect(this.proc.stdout, this.proc.stdin);
  }

  // Waits for the promise, but not past the timeout or the end of the adapter.
  guard(promise, what) {
    const ended = this.gone.catch((error) => {
      throw new Error(`${typeof what === 'function' ? what() : what}: ${error.message}`);
    });
    return withTimeout(Promise.race([promise, ended]), what);
  }

  file(name) {
    return path.join(this.dir, name);
  }

  // The next event of one of these types, in the order they came, that no earlier call took;
  // waits for it when it has not come yet, so that no event is missed between a request and
  // the wait.
  next(types, what = `the event ${types}`) {
    const wanted = [].concat(types);
    const take = () => {
      const at = this.events.findIndex(
        (e, i) => wanted.includes(e.event) && i > (this.taken.get(e.event) ?? -1),
      );
      if (at < 0) return null;
      this.taken.set(this.events[at].event, at);
      return this.events[at];
    };
    const now = take();
    if (now) return Promise.resolve(now);
    let waiter;
    return this.guard(
      new Promise((resolve) => {
        waiter = () => {
          const event = take();
          if (event) resolve(event);
          return !!event;
        };
        this.waiting.push(waiter);
      }),
      () => `${what} (stderr: ${this.stderr.trim() || 'nothing'})`,
    ).finally(() => (this.waiting = this.waiting.filter((w) => w !== waiter)));
  }

  // The output events of a category so far, each without its final line end.
  outputs(category) {
    return this.events
      .filter((e) => e.event === 'output' && (e.body.category ?? 'console') === category)
      .map((e) => e.body.output.replace(/\r?\n$/, ''));
  }

  // Resolves once an output of the category matches.
  async untilOutput(category, pattern) {
    const found = () => this.outputs(category).some((o) => pattern.test(o));
    if (found()) return;
    await this.guard(
      new Promise((resolve) => {
        this.waiting.push(() => found() && (resolve(), true));
      }),
      () =>
        `an output of category ${category} matching ${pattern} (got ${JSON.stringify(
          this.outputs(category),
        )})`,
    );
  }

  // The full response, for requests that are meant to fail: the test client only keeps the
  // message of a failed one. `args` is sent as it is, whatever its type.
  raw(command, args, extra = {}) {
    const seq = this.rawSeq++;
    const message = { seq, type: 'request', command, ...extra };
    if (args !== undefined) message.arguments = args;
    return this.rawBytes(JSON.stringify(message), seq, command);
  }

  rawBytes(body, seq, what) {
    const answered = new Promise((resolve) => this.dc.pendingRequests.set(seq, resolve));
    this.proc.stdin.write(`Content-Length: ${Buffer.byteLength(body)}\r\n\r\n${body}`);
    return this.guard(answered, `the response to ${what}`);
  }

  // initialize, launch, the configuration requests of `configure`, configurationDone: the
  // order VS Code and the test client use. Resolves to the launch response.
  async start(launchArgs, configure = async () => {}) {
    const init = await this.dc.initializeRequest();
    this.capabilities = init.body;
    const launched = this.dc.launchRequest(launchArgs);
    launched.catch(() => {}); // awaited below; a failure is reported there
    await this.next('initialized');
    await configure();
    await this.dc.configurationDoneRequest();
    return launched;
  }

  // A headless launch of a script of this session.
  launchHeadless(name, configure, more = {}) {
    return this.start({ program: this.file(name), headless: true, ...more }, configure);
  }

  setBreakpoints(name, breakpoints) {
    return this.dc.setBreakpointsRequest({
      source: { path: this.file(name) },
      breakpoints: breakpoints.map((b) => (typeof b === 'number' ? { line: b } : b)),
    });
  }

  // The next stop: checks its reason and thread, and returns its stack top first.
  async stopped(reason) {
    const event = await this.next('stopped', `a stop (${reason})`);
    assert.equal(event.body.reason, reason, `the stop's reason (${JSON.stringify(event.body)})`);
    assert.equal(event.body.threadId, 1);
    assert.equal(event.body.allThreadsStopped, true);
    const trace = await this.dc.stackTraceRequest({ threadId: 1 });
    return { event, frames: trace.body.stackFrames };
  }

  // Stops with the reason at the line, top frame first; returns the frames.
  async stoppedAt(reason, line) {
    const { frames, event } = await this.stopped(reason);
    assert.equal(frames[0].line, line, `the line of the stop (${frames[0].name})`);
    return { frames, event };
  }

  async scopes(frameId) {
    const response = await this.dc.scopesRequest({ frameId });
    return Object.fromEntries(response.body.scopes.map((s) => [s.name, s]));
  }

  // name -> {value, type, ...} of one scope of the top frame.
  async scope(name, frameId) {
    if (frameId === undefined) frameId = (await this.stopStack())[0].id;
    const scopes = await this.scopes(frameId);
    assert.ok(scopes[name], `a scope ${name} (got ${Object.keys(scopes)})`);
    const response = await this.dc.variablesRequest({
      variablesReference: scopes[name].variablesReference,
    });
    return Object.fromEntries(response.body.variables.map((v) => [v.name, v]));
  }

  async variables() {
    return this.scope('Variables');
  }

  async value(name) {
    const vars = await this.variables();
    assert.ok(vars[name], `a variable ${name} (got ${Object.keys(vars)})`);
    return vars[name].value;
  }

  async stopStack() {
    return (await this.dc.stackTraceRequest({ threadId: 1 })).body.stackFrames;
  }

  async evaluate(expression, context = 'repl') {
    const frameId = (await this.stopStack())[0].id;
    const response = await this.dc.evaluateRequest({ expression, frameId, context });
    return response.body.result;
  }

  // The end of the script: terminated, then exited with the exit status.
  async ended(exitCode) {
    const terminated = await this.next('terminated');
    const exited = await this.next('exited');
    assert.equal(exited.body.exitCode, exitCode, 'the exit status');
    assert.ok(
      this.events.indexOf(terminated) < this.events.indexOf(exited),
      'terminated comes before exited',
    );
  }

  // Ends the adapter however the test left it, and removes the folder.
  async close() {
    if (this.proc.exitCode === null && this.proc.signalCode === null) {
      try {
        await withTimeout(this.dc.disconnectRequest({}), 'disconnect', 2000);
        await withTimeout(this.exit, 'the adapter to exit after disconnect', 2000);
      } catch {
        this.proc.kill('SIGKILL');
        await this.exit;
      }
    }
    fs.rmSync(this.dir, { recursive: true, force: true });
  }
}

// Runs `body(session)` with a fresh adapter whose folder holds `files`.
async function withSession(files, body) {
  const session = new Session(files);
  try {
    await body(session);
  } catch (error) {
    if (session.stderr) error.message += `\nthe adapter's stderr:\n${session.stderr}`;
    throw error;
  } finally {
    await session.close();
  }
}

// What `brindle --headless` itself does with a script: its transcript, status and stderr.
function commandLine(dir, args) {
  const run = spawnSync(BRINDLE, args, { cwd: dir, encoding: 'latin1', timeout: TIMEOUT_MS });
  return { status: run.status, stdout: run.stdout, stderr: run.stderr };
}

// The width and height of a PNG file.
function pngSize(file) {
  const bytes = fs.readFileSync(file);
  assert.deepEqual([...bytes.subarray(0, 8)], [0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);
  return [bytes.readUInt32BE(16), bytes.readUInt32BE(20)];
}

const test = require('node:test');
// Every test gets a ceiling, so that an adapter that hangs fails the test instead of the run.
const dapTest = (name, body) => test(name, { timeout: 60000 }, body);

module.exports = { BRINDLE, Session, withSession, commandLine, pngSize, dapTest };

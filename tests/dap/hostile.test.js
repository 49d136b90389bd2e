'use strict';
// Requests a client should not send: missing or wrong-typed arguments, unknown commands and
// references, bytes that are not JSON. Each gets an error response (or is passed over), and
// the session goes on as if it had not come.
const assert = require('node:assert/strict');
const { withSession, dapTest } = require('./harness');

const SCRIPT = 'VAR i\nWHILE i < 3\ni = i + 1\nWEND\nPRINT 0, 0, i\n';

function assertError(response, what) {
  assert.equal(response.type, 'response', what);
  assert.equal(response.success, false, `${what}: ${JSON.stringify(response)}`);
  assert.equal(typeof response.message, 'string', what);
  assert.ok(response.message.length > 0, what);
}

// Sends each bad request and fails, at the end, with all those that were not refused.
async function assertAllRefused(s, requests) {
  const accepted = [];
  for (const [what, command, args] of requests) {
    const response = await s.raw(command, args);
    try {
      assertError(response, what);
    } catch {
      accepted.push(`${what}: got ${JSON.stringify(response)}`);
    }
  }
  assert.deepEqual(accepted, [], 'requests that were not refused');
}

// Each is [what, command, arguments].
const BAD_LAUNCHES = [
  ['launch without a program', 'launch', { headless: true }],
  ['launch with a program that is a number', 'launch', { program: 5, headless: true }],
  ['launch with headless a text', 'launch', { program: 'a.bas', headless: 'yes' }],
  ['launch with a seed that is a text', 'launch', { program: 'a.bas', headless: true, seed: 'x' }],
  ['launch with arguments that are a list', 'launch', ['a.bas']],
];

dapTest('a launch with missing or wrong-typed arguments is refused, a good one runs', async () => {
  await withSession({ 'a.bas': SCRIPT }, async (s) => {
    await s.dc.initializeRequest();
    await assertAllRefused(s, BAD_LAUNCHES);
    await s.start({ program: 'a.bas', headless: true });
    await s.ended(0);
    assert.deepEqual(s.outputs('stdout'), ['print\t0\t0\t3']);
  });
});

const A = { path: 'a.bas' };
const BAD_WHILE_STOPPED = [
  ['an unknown command', 'frobnicate', {}],
  ['setBreakpoints without a source', 'setBreakpoints', { breakpoints: [{ line: 3 }] }],
  ['setBreakpoints with breakpoints a text', 'setBreakpoints', { source: A, breakpoints: 'x' }],
  ['a line that is a text', 'setBreakpoints', { source: A, breakpoints: [{ line: 'x' }] }],
  ['setFunctionBreakpoints without breakpoints', 'setFunctionBreakpoints', {}],
  ['stackTrace without a thread', 'stackTrace', {}],
  ['stackTrace with a thread that is a text', 'stackTrace', { threadId: 'one' }],
  ['scopes without a frame', 'scopes', {}],
  ['scopes of a frame that is not there', 'scopes', { frameId: 99999 }],
  ['variables without a reference', 'variables', {}],
  ['variables of a reference that is not there', 'variables', { variablesReference: 99999 }],
  ['variables with a reference that is a text', 'variables', { variablesReference: 'x' }],
  ['evaluate without an expression', 'evaluate', {}],
  ['evaluate of an expression that is a number', 'evaluate', { expression: 5 }],
  ['a bad expression', 'evaluate', { expression: 'i +* (' }],
  ['setVariable without a value', 'setVariable', { variablesReference: 1, name: 'i' }],
  ['next without a thread', 'next', {}],
  ['continue with arguments that are a text', 'continue', 'x'],
];

dapTest('bad requests while stopped get error responses, and the session goes on', async () => {
  await withSession({ 'a.bas': SCRIPT }, async (s) => {
    await s.launchHeadless('a.bas', () => s.setBreakpoints('a.bas', [3]));
    await s.stoppedAt('breakpoint', 3);
    await assertAllRefused(s, BAD_WHILE_STOPPED);
    // A request that is not JSON, and one with no command, are passed over.
    s.proc.stdin.write('Content-Length: 9\r\n\r\n{"seq": 1');
    const noCommand = s.raw(undefined, {}).catch(() => null);
    const threads = await s.dc.threadsRequest();
    assert.deepEqual(threads.body.threads, [{ id: 1, name: 'main' }]);
    const answered = await Promise.race([
      noCommand.then((r) => r),
      new Promise((resolve) => setTimeout(() => resolve(null), 200)),
    ]);
    if (answered) assert.equal(answered.success, false);
    // Still stopped where it was, with the values it had; and on to the end.
    const [top] = await s.stopStack();
    assert.equal(top.line, 3);
    assert.equal(await s.value('i'), '0');
    assert.equal(s.events.filter((e) => e.event === 'stopped').length, 1);
    await s.setBreakpoints('a.bas', []);
    await s.dc.continueRequest({ threadId: 1 });
    await s.ended(0);
    assert.deepEqual(s.outputs('stdout'), ['print\t0\t0\t3']);
  });
});

dapTest('requests that need a stop, while the script runs, are refused', async () => {
  const endless = 'VAR i, j\nWHILE i < 1\nj = j + 1\nWEND\n';
  await withSession({ 'endless.bas': endless }, async (s) => {
    await s.launchHeadless('endless.bas');
    await assertAllRefused(s, [
      ['next while running', 'next', { threadId: 1 }],
      ['stepBack while running', 'stepBack', { threadId: 1 }],
      ['variables while running', 'variables', { variablesReference: 1 }],
    ]);
    await s.dc.pauseRequest({ threadId: 1 });
    await s.stopped('pause');
  });
});

dapTest('a request before initialize or launch is answered, not obeyed', async () => {
  await withSession({}, async (s) => {
    await assertAllRefused(s, [
      ['continue with no program', 'continue', { threadId: 1 }],
      ['next with no program', 'next', { threadId: 1 }],
      ['stackTrace with no program', 'stackTrace', { threadId: 1 }],
    ]);
    const init = await s.dc.initializeRequest();
    assert.equal(init.success, true);
  });
});

'use strict';
// Starting and ending a debugging session: the capabilities, the launch arguments, a stop on
// entry, the end of the script with its exit status, and the ways the adapter is left.
const assert = require('node:assert/strict');
const fs = require('node:fs');
const { Session, withSession, commandLine, pngSize, dapTest } = require('./harness');

const HELLO = 'VAR x\nx = 5\nPRINT 0, 0, x\nPRINT 0, 20, "done"\n';

dapTest('initialize answers the capabilities, then the initialized event follows', async () => {
  await withSession({}, async (s) => {
    const init = await s.dc.initializeRequest();
    for (const capability of [
      'supportsConfigurationDoneRequest',
      'supportsFunctionBreakpoints',
      'supportsConditionalBreakpoints',
      'supportsHitConditionalBreakpoints',
      'supportsLogPoints',
      'supportsEvaluateForHovers',
      'supportsSetVariable',
      'supportsStepBack',
      'supportsTerminateRequest',
      'supportsExceptionInfoRequest',
    ]) {
      assert.equal(init.body[capability], true, capability);
    }
    assert.deepEqual(init.body.exceptionBreakpointFilters, [
      { filter: 'errors', label: 'Run-time errors', default: true },
    ]);
    await s.next('initialized');
    const threads = await s.dc.threadsRequest();
    assert.deepEqual(threads.body.threads, [{ id: 1, name: 'main' }]);
  });
});

dapTest('stopOnEntry stops at line 1 before anything has run', async () => {
  await withSession({ 'hello.bas': HELLO }, async (s) => {
    await s.launchHeadless('hello.bas', undefined, { stopOnEntry: true });
    const { frames } = await s.stoppedAt('entry', 1);
    assert.equal(frames.length, 1);
    assert.equal(frames[0].name, 'main part');
    assert.equal(frames[0].column, 1);
    assert.equal(frames[0].source.path, s.file('hello.bas'));
    assert.equal(frames[0].source.name, 'hello.bas');
    assert.equal(await s.value('x'), '0');
    assert.deepEqual(s.outputs('stdout'), []);
    await s.dc.continueRequest({ threadId: 1 });
    await s.ended(0);
    assert.deepEqual(s.outputs('stdout'), ['print\t0\t0\t5', 'print\t0\t20\tdone']);
  });
});

dapTest('without breakpoints the script runs to its end: terminated, exited 0', async () => {
  await withSession({ 'hello.bas': HELLO }, async (s) => {
    await s.launchHeadless('hello.bas');
    await s.ended(0);
    assert.deepEqual(s.outputs('stdout'), ['print\t0\t0\t5', 'print\t0\t20\tdone']);
    assert.equal(s.events.filter((e) => e.event === 'stopped').length, 0);
  });
});

// The exit status is the command line's: 3 after a run-time error, 1 for a refused script.
for (const [name, script, status, box] of [
  ['a run-time error', 'STR s\ns = 5\n', 3, /Not String! -\{ 5 \}/],
  ['a script the pre-check refuses', 'VAR x\nIF x\nENDIF\n', 1, /Wrong operator\(2\)!/],
]) {
  dapTest(`${name} ends with the exit status ${status}, its box on the console`, async () => {
    await withSession({ 'bad.bas': script }, async (s) => {
      await s.launchHeadless('bad.bas', () => s.dc.setExceptionBreakpointsRequest({ filters: [] }));
      await s.ended(status);
      assert.equal(commandLine(s.dir, ['--headless', 'bad.bas']).status, status);
      const boxes = s.outputs('console');
      assert.ok(boxes.some((o) => box.test(o)), JSON.stringify(boxes));
    });
  });
}

dapTest('seed, events and screenshot are those of the command line', async () => {
  const script =
    'VAR r, key\nr = RAND(1000)\nPRINT 0, 0, r\nGOTO start\nWINMSG WMKEYDOWN\nHWPARAM key\n' +
    'PRINT 0, 20, key\nCIRCLE 100, 100, key\nSWAP\nENDWM\nLABEL start\n';
  const files = { 'game.bas': script, 'keys.events': 'idle\nkey 65\nidle\nkey 40\n' };
  await withSession(files, async (s) => {
    // Relative to the adapter's folder, as the command line's are to its own.
    await s.start({
      program: 'game.bas',
      headless: true,
      seed: 7,
      events: 'keys.events',
      screenshot: 'end.png',
    });
    await s.ended(0);
    const cli = commandLine(s.dir, [
      '--headless',
      '--quiet',
      '--seed',
      '7',
      '--events',
      'keys.events',
      '--screenshot',
      'cli.png',
      'game.bas',
    ]);
    assert.equal(cli.status, 0);
    assert.deepEqual(s.outputs('stdout'), cli.stdout.trimEnd().split('\n'));
    assert.deepEqual(pngSize(s.file('end.png')), [784, 561]);
    assert.ok(fs.readFileSync(s.file('end.png')).equals(fs.readFileSync(s.file('cli.png'))));
  });
});

dapTest('a script that cannot be read is refused with the command line message', async () => {
  await withSession({}, async (s) => {
    await s.dc.initializeRequest();
    await assert.rejects(s.dc.launchRequest({ program: 'missing.bas', headless: true }), {
      message: 'cannot read missing.bas: No such file or directory',
    });
    // Still there.
    assert.equal((await s.dc.threadsRequest()).success, true);
  });
});

dapTest('disconnect while stopped ends the adapter', async () => {
  await withSession({ 'hello.bas': HELLO }, async (s) => {
    await s.launchHeadless('hello.bas', undefined, { stopOnEntry: true });
    await s.stopped('entry');
    const response = await s.dc.disconnectRequest({});
    assert.equal(response.success, true);
    const { code, signal } = await s.exit;
    assert.equal(signal, null);
    assert.equal(typeof code, 'number');
    assert.deepEqual(s.outputs('stdout'), []);
  });
});

const ENDLESS = 'VAR i, j\nWHILE i < 1\nj = j + 1\nWEND\n';

dapTest('disconnect while the script runs on ends the adapter', async () => {
  await withSession({ 'loop.bas': ENDLESS }, async (s) => {
    await s.launchHeadless('loop.bas');
    await new Promise((resolve) => setTimeout(resolve, 100));
    assert.equal((await s.dc.disconnectRequest({})).success, true);
    assert.equal((await s.exit).signal, null);
  });
});

dapTest('terminate ends the script: terminated, and the adapter exits', async () => {
  await withSession({ 'loop.bas': ENDLESS }, async (s) => {
    await s.launchHeadless('loop.bas');
    await new Promise((resolve) => setTimeout(resolve, 100));
    assert.equal((await s.dc.terminateRequest({})).success, true);
    await s.next('terminated');
    assert.equal((await s.exit).signal, null);
  });
});

dapTest('the end of its input ends the adapter, also in the middle of a run', async () => {
  const s = new Session({ 'loop.bas': ENDLESS });
  try {
    await s.launchHeadless('loop.bas');
    s.proc.stdin.end();
    const { signal } = await Promise.race([
      s.exit,
      new Promise((_, reject) => setTimeout(() => reject(new Error('still running')), 5000)),
    ]);
    assert.equal(signal, null);
  } finally {
    await s.close();
  }
});

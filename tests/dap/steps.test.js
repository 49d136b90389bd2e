'use strict';
// Moving through a script: next, stepIn, stepOut, pause, and back again with stepBack and
// reverseContinue, which must show the variables as they were at that point.
const assert = require('node:assert/strict');
const { withSession, dapTest } = require('./harness');

const STEPS = [
  'VAR a, b', //        1
  'a = 1', //           2
  'bump()', //          3
  'b = a + 1', //       4
  'PRINT 0, 0, b', //   5
  'GOTO done', //       6
  'FUNC bump()', //     7
  'a = a + 10', //      8
  'a = a * 2', //       9
  'ENDFN', //          10
  'LABEL done', //     11
  '',
].join('\n');

const T = { threadId: 1 };
const names = (frames) => frames.map((f) => f.name);

async function atEntry(s, files = 'steps.bas', more = {}) {
  await s.launchHeadless(files, undefined, { stopOnEntry: true, ...more });
  await s.stoppedAt('entry', 1);
}

// Sends a step and checks where it stops and what `a` holds there.
async function step(s, request, line, a) {
  await s.dc[`${request}Request`](T);
  const { frames } = await s.stoppedAt('step', line);
  if (a !== undefined) assert.equal(await s.value('a'), a, `a after ${request} to line ${line}`);
  return frames;
}

dapTest('next goes over a call, stepIn into it, stepOut back to the caller', async () => {
  await withSession({ 'steps.bas': STEPS }, async (s) => {
    await atEntry(s);
    await step(s, 'next', 2, '0');
    await step(s, 'stepIn', 3, '1'); // not a call: one statement on
    let frames = await step(s, 'stepIn', 8, '1');
    assert.deepEqual(
      frames.map((f) => [f.name, f.line]),
      [
        ['bump()', 8],
        ['main part', 3],
      ],
    );
    frames = await step(s, 'next', 9, '11');
    assert.deepEqual(names(frames), ['bump()', 'main part']);
    frames = await step(s, 'stepOut', 4, '22');
    assert.deepEqual(names(frames), ['main part']);
    await step(s, 'next', 5);
    assert.equal(await s.value('b'), '23');
    await s.dc.continueRequest(T);
    await s.ended(0);
    assert.deepEqual(s.outputs('stdout'), ['print\t0\t0\t23']);
  });
});

dapTest('next over a call runs all of it', async () => {
  await withSession({ 'steps.bas': STEPS }, async (s) => {
    await atEntry(s);
    await step(s, 'next', 2);
    await step(s, 'next', 3, '1');
    const frames = await step(s, 'next', 4, '22');
    assert.deepEqual(names(frames), ['main part']);
  });
});

dapTest('stepBack goes to the step before, with the values it had', async () => {
  await withSession({ 'steps.bas': STEPS }, async (s) => {
    await atEntry(s);
    await step(s, 'next', 2, '0');
    await step(s, 'next', 3, '1');
    await step(s, 'next', 4, '22');
    await step(s, 'stepBack', 3, '1');
    await step(s, 'stepBack', 2, '0');
    // And forward again, as the first time.
    await step(s, 'next', 3, '1');
    await step(s, 'next', 4, '22');
    await s.dc.continueRequest(T);
    await s.ended(0);
    assert.equal(s.outputs('stdout').at(-1), 'print\t0\t0\t23');
  });
});

dapTest('stepBack inside a call goes back to the call', async () => {
  await withSession({ 'steps.bas': STEPS }, async (s) => {
    await atEntry(s);
    await step(s, 'next', 2);
    await step(s, 'next', 3);
    await step(s, 'stepIn', 8, '1');
    await step(s, 'next', 9, '11');
    const frames = await step(s, 'stepBack', 8, '1');
    assert.deepEqual(
      frames.map((f) => [f.name, f.line]),
      [
        ['bump()', 8],
        ['main part', 3],
      ],
    );
  });
});

const LOOP = [
  'VAR i, n', //    1
  'WHILE i < 5', // 2
  'i = i + 1', //   3
  'n = n + i', //   4
  'WEND', //        5
  'PRINT 0, 0, n', // 6
  '',
].join('\n');

dapTest('reverseContinue goes back to the hit before, and then to the start', async () => {
  await withSession({ 'loop.bas': LOOP }, async (s) => {
    await s.launchHeadless('loop.bas', () => s.setBreakpoints('loop.bas', [4]));
    for (const i of ['1', '2', '3']) {
      await s.stoppedAt('breakpoint', 4);
      assert.equal(await s.value('i'), i);
      if (i !== '3') await s.dc.continueRequest(T);
    }
    await s.dc.reverseContinueRequest(T);
    await s.stoppedAt('breakpoint', 4);
    assert.deepEqual([await s.value('i'), await s.value('n')], ['2', '1']);
    await s.dc.reverseContinueRequest(T);
    await s.stoppedAt('breakpoint', 4);
    assert.deepEqual([await s.value('i'), await s.value('n')], ['1', '0']);
    await s.dc.reverseContinueRequest(T);
    await s.stoppedAt('entry', 1);
    assert.deepEqual([await s.value('i'), await s.value('n')], ['0', '0']);
    await s.dc.continueRequest(T);
    await s.stoppedAt('breakpoint', 4);
    assert.equal(await s.value('i'), '1');
    await s.setBreakpoints('loop.bas', []);
    await s.dc.continueRequest(T);
    await s.ended(0);
    assert.equal(s.outputs('stdout').at(-1), 'print\t0\t0\t15');
  });
});

const TIMER = [
  'VAR t, n', //          1
  'GOTO start', //        2
  'WINMSG WMTIMER', //    3
  'n = n + 1', //         4
  'PRINT 0, n * 20, n', // 5
  'ENDWM', //             6
  'LABEL start', //       7
  't = 50', //            8
  'TIMERON t', //         9
  '',
].join('\n');

dapTest('headless, going back inside a handler replays the events exactly', async () => {
  await withSession({ 'timer.bas': TIMER, 'timer.events': 'ticks 3\n' }, async (s) => {
    await s.launchHeadless('timer.bas', () => s.setBreakpoints('timer.bas', [5]), {
      events: 'timer.events',
    });
    for (const n of ['1', '2']) {
      const { frames } = await s.stoppedAt('breakpoint', 5);
      assert.deepEqual(names(frames), ['WMTIMER']);
      assert.equal(await s.value('n'), n);
      await s.dc.continueRequest(T);
    }
    await s.stoppedAt('breakpoint', 5);
    await s.dc.reverseContinueRequest(T);
    const { frames } = await s.stoppedAt('breakpoint', 5);
    assert.deepEqual(names(frames), ['WMTIMER']);
    assert.equal(await s.value('n'), '2');
    await s.dc.stepBackRequest(T);
    await s.stoppedAt('step', 4);
    assert.equal(await s.value('n'), '1');
    await s.setBreakpoints('timer.bas', []);
    await s.dc.continueRequest(T);
    await s.ended(0);
  });
});

dapTest('pause stops a running script where it is; it can go on after', async () => {
  const endless = 'VAR i, j\nWHILE i < 1\nj = j + 1\nWEND\n';
  await withSession({ 'endless.bas': endless }, async (s) => {
    await s.launchHeadless('endless.bas');
    await new Promise((resolve) => setTimeout(resolve, 100));
    await s.dc.pauseRequest(T);
    const { frames } = await s.stopped('pause');
    assert.ok([2, 3, 4].includes(frames[0].line), `paused at line ${frames[0].line}`);
    const j = Number(await s.value('j'));
    assert.ok(j > 0, `j = ${j}`);
    await s.dc.continueRequest(T);
    await new Promise((resolve) => setTimeout(resolve, 50));
    await s.dc.pauseRequest(T);
    await s.stopped('pause');
    assert.ok(Number(await s.value('j')) > j);
  });
});

'use strict';
// Line breakpoints (where they land, conditions, hit counts, log points), function
// breakpoints on a FUNC and on a handler's event, and stops at run-time errors.
const assert = require('node:assert/strict');
const { withSession, dapTest } = require('./harness');

const LOOP = [
  'VAR i, total, n', //   1
  'STR s', //             2
  's = "go"', //          3
  '', //                  4
  'WHILE i < 6', //       5
  'i = i + 1', //         6
  'IF i > 2', //          7
  'total = total + i', // 8
  'ENDIF', //             9
  'n = n + 1', //        10
  'WEND', //             11
  'PRINT 0, 0, total', // 12
  "' the end", //        13
  '',
].join('\n');

const continueRun = (s) => s.dc.continueRequest({ threadId: 1 });

// The values of i at each stop, until the script ends.
async function stopsUntilTheEnd(s, reason = 'breakpoint') {
  const seen = [];
  for (;;) {
    const next = await s.next(['stopped', 'terminated']);
    if (next.event === 'terminated') return seen;
    assert.equal(next.body.reason, reason);
    const [top] = await s.stopStack();
    seen.push([top.line, await s.value('i')]);
    await continueRun(s);
  }
}

dapTest('a line breakpoint stops at its line before the statement runs, each time', async () => {
  await withSession({ 'loop.bas': LOOP }, async (s) => {
    let verified;
    await s.launchHeadless('loop.bas', async () => {
      verified = (await s.setBreakpoints('loop.bas', [6])).body.breakpoints;
    });
    assert.equal(verified.length, 1);
    assert.equal(verified[0].verified, true);
    assert.equal(verified[0].line, 6);
    const { event } = await s.stoppedAt('breakpoint', 6);
    assert.deepEqual(event.body.hitBreakpointIds ?? [verified[0].id], [verified[0].id]);
    assert.equal(await s.value('i'), '0');
    await continueRun(s);
    await s.stoppedAt('breakpoint', 6);
    assert.equal(await s.value('i'), '1');
    // Cleared: the script runs to its end.
    await s.setBreakpoints('loop.bas', []);
    await continueRun(s);
    await s.ended(0);
    assert.deepEqual(s.outputs('stdout'), ['print\t0\t0\t18']);
  });
});

dapTest('a breakpoint on a line without a statement moves to the next statement', async () => {
  await withSession({ 'loop.bas': LOOP }, async (s) => {
    let bps;
    await s.launchHeadless('loop.bas', async () => {
      // A blank line, an ENDIF, and a comment after the last statement.
      bps = (await s.setBreakpoints('loop.bas', [4, 9, 13])).body.breakpoints;
    });
    assert.deepEqual(
      bps.map((b) => [b.verified, b.verified ? b.line : null]),
      [
        [true, 5],
        [true, 10],
        [false, null],
      ],
    );
    await s.stoppedAt('breakpoint', 5);
    await continueRun(s);
    const { frames } = await s.stoppedAt('breakpoint', 10);
    assert.equal(frames[0].name, 'main part');
    assert.equal(await s.value('i'), '1');
  });
});

dapTest('a condition in the language: only the stops where it holds', async () => {
  await withSession({ 'loop.bas': LOOP }, async (s) => {
    await s.launchHeadless('loop.bas', () =>
      s.setBreakpoints('loop.bas', [
        { line: 6, condition: 'i > 3' },
        { line: 10, condition: 's = "no"' },
      ]),
    );
    assert.deepEqual(await stopsUntilTheEnd(s), [
      [6, '4'],
      [6, '5'],
    ]);
    await s.next('exited');
  });
});

dapTest('a text condition that holds stops', async () => {
  await withSession({ 'loop.bas': LOOP }, async (s) => {
    await s.launchHeadless('loop.bas', () =>
      s.setBreakpoints('loop.bas', [{ line: 12, condition: 's = "go"' }]),
    );
    assert.deepEqual(await stopsUntilTheEnd(s), [[12, '6']]);
  });
});

dapTest('a hit count N stops at the Nth hit and every one after it', async () => {
  await withSession({ 'loop.bas': LOOP }, async (s) => {
    await s.launchHeadless('loop.bas', () =>
      s.setBreakpoints('loop.bas', [{ line: 6, hitCondition: '4' }]),
    );
    assert.deepEqual(await stopsUntilTheEnd(s), [
      [6, '3'],
      [6, '4'],
      [6, '5'],
    ]);
  });
});

dapTest('a log point writes its message with the values, and does not stop', async () => {
  await withSession({ 'loop.bas': LOOP }, async (s) => {
    await s.launchHeadless('loop.bas', () =>
      s.setBreakpoints('loop.bas', [{ line: 8, logMessage: 'total {total} at i = {i}, {s}' }]),
    );
    await s.ended(0);
    assert.equal(s.events.filter((e) => e.event === 'stopped').length, 0);
    const logged = s.outputs('console').filter((o) => o.startsWith('total'));
    assert.deepEqual(logged, [
      'total 0 at i = 3, go',
      'total 3 at i = 4, go',
      'total 7 at i = 5, go',
      'total 12 at i = 6, go',
    ]);
  });
});

const HANDLERS = [
  'VAR t, n, k', //          1
  'GOTO start', //           2
  'FUNC tally()', //         3
  'k = k + 1', //            4
  'PRINT 0, k * 20, k', //   5
  'ENDFN', //                6
  'WINMSG WMTIMER', //       7
  'n = n + 1', //            8
  'tally()', //              9
  'ENDWM', //               10
  'LABEL start', //         11
  'tally()', //             12
  't = 100', //             13
  'TIMERON t', //           14
  '',
].join('\n');
const TIMER_FILES = { 'timer.bas': HANDLERS, 'timer.events': 'ticks 2\n' };

const stack = (frames) => frames.map((f) => [f.name, f.line]);

dapTest('a function breakpoint on a FUNC stops at its body each time it is called', async () => {
  await withSession(TIMER_FILES, async (s) => {
    let bps;
    await s.launchHeadless(
      'timer.bas',
      async () => {
        bps = (
          await s.dc.setFunctionBreakpointsRequest({
            breakpoints: [{ name: 'tally' }, { name: 'nosuch' }],
          })
        ).body.breakpoints;
      },
      { events: s.file('timer.events') },
    );
    assert.deepEqual(
      bps.map((b) => b.verified),
      [true, false],
    );
    let { frames } = await s.stopped('function breakpoint');
    assert.deepEqual(stack(frames), [
      ['tally()', 4],
      ['main part', 12],
    ]);
    for (const ticks of ['0', '1']) {
      await continueRun(s);
      ({ frames } = await s.stopped('function breakpoint'));
      assert.deepEqual(stack(frames), [
        ['tally()', 4],
        ['WMTIMER', 9],
      ]);
      assert.equal(await s.value('n'), String(Number(ticks) + 1));
    }
    await continueRun(s);
    await s.ended(0);
    assert.deepEqual(s.outputs('stdout'), [
      'print\t0\t20\t1',
      'print\t0\t40\t2',
      'print\t0\t60\t3',
    ]);
  });
});

dapTest('a function breakpoint on WMTIMER stops as each tick starts its block', async () => {
  await withSession(TIMER_FILES, async (s) => {
    await s.launchHeadless(
      'timer.bas',
      () => s.dc.setFunctionBreakpointsRequest({ breakpoints: [{ name: 'WMTIMER' }] }),
      { events: 'timer.events' },
    );
    for (const n of ['0', '1']) {
      const { frames } = await s.stopped('function breakpoint');
      assert.deepEqual(stack(frames), [['WMTIMER', 8]]);
      assert.equal(await s.value('n'), n);
      assert.equal(await s.value('k'), String(Number(n) + 1));
      await continueRun(s);
    }
    await s.ended(0);
  });
});

const FAULT = [
  'STR s', //                 1
  'PRINT 0, 0, "before"', //  2
  's = 5', //                 3
  'PRINT 0, 20, "after"', //  4
  '',
].join('\n');

dapTest('with the errors filter a run-time error stops before its box', async () => {
  await withSession({ 'fault.bas': FAULT }, async (s) => {
    await s.launchHeadless('fault.bas', () =>
      s.dc.setExceptionBreakpointsRequest({ filters: ['errors'] }),
    );
    const { event, frames } = await s.stoppedAt('exception', 3);
    assert.equal(event.body.text, 'Not String! -{ 5 }');
    assert.equal(frames[0].column, 1);
    assert.deepEqual(s.outputs('stdout'), ['print\t0\t0\tbefore']);
    assert.ok(!s.outputs('console').some((o) => o.includes('Not String')), 'no box yet');
    const info = await s.dc.exceptionInfoRequest({ threadId: 1 });
    assert.equal(info.body.exceptionId, 'TYPE ERROR');
    assert.equal(info.body.description, 'TYPE ERROR: Not String! -{ 5 }');
    assert.equal(info.body.breakMode, 'always');
    await continueRun(s);
    await s.ended(3);
    assert.ok(s.outputs('console').some((o) => o.includes('Not String! -{ 5 }')));
    const faultLine = /fault\.bas:3:1: error: TYPE ERROR: Not String! -\{ 5 \}/;
    assert.ok(
      s.outputs('stderr').some((o) => faultLine.test(o)),
      JSON.stringify(s.outputs('stderr')),
    );
    assert.deepEqual(s.outputs('stdout'), ['print\t0\t0\tbefore']);
  });
});

dapTest('without the errors filter a run-time error does not stop', async () => {
  await withSession({ 'fault.bas': FAULT }, async (s) => {
    await s.launchHeadless('fault.bas', () =>
      s.dc.setExceptionBreakpointsRequest({ filters: [] }),
    );
    await s.ended(3);
    assert.equal(s.events.filter((e) => e.event === 'stopped').length, 0);
  });
});

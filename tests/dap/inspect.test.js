'use strict';
// What a stop shows: the stack of runs and calls, the scopes, variables and arrays,
// setVariable, and evaluate with the language's expressions and the two commands.
const assert = require('node:assert/strict');
const fs = require('node:fs');
const { withSession, commandLine, pngSize, dapTest } = require('./harness');

const VARS = [
  'VAR x, Speed, a[10]', //          1
  'STR s, names[5]', //              2
  'PTR p', //                        3
  'x = 2.5', //                      4
  's = "hi"', //                     5
  'p = 7', //                        6
  'a[1] = 11 : a[2] = 22 : a[100] = 99 : a[4096] = 4', // 7
  'names[2] = "bo"', //              8
  'FCOLOR 255, 0, 0 : RECT 10, 10, 20, 20', // 9
  'PSET 100, 100', //               10
  'PSET 15, 15', //                 11
  'PSET 100, 100', //               12
  'PRINT 0, 40, x', //              13
  'PRINT 0, 60, s', //              14
  'PRINT 0, 80, p', //              15
  'x = RND(1)', //                  16
  'PRINT 0, 100, x', //             17
  '',
].join('\n');

async function stopInVars(s) {
  await s.launchHeadless('vars.bas', () => s.setBreakpoints('vars.bas', [13]));
  return s.stoppedAt('breakpoint', 13);
}

dapTest('the Variables scope: each VAR, STR and PTR variable as declared, typed', async () => {
  await withSession({ 'vars.bas': VARS }, async (s) => {
    const { frames } = await stopInVars(s);
    const scopes = await s.scopes(frames[0].id);
    for (const name of ['Variables', 'Arrays', 'Event values', 'Drawing', 'Timer', 'Input boxes']) {
      assert.ok(scopes[name], `a scope ${name} (got ${Object.keys(scopes)})`);
    }
    const vars = await s.variables();
    const names = Object.keys(vars).join(', ');
    const seen = (name) => vars[name] && [vars[name].value, vars[name].type];
    assert.deepEqual(seen('x'), ['2.5', 'VAR'], `x (got ${names})`);
    assert.deepEqual(seen('Speed'), ['0', 'VAR'], `Speed (got ${names})`);
    assert.deepEqual(seen('s'), ['"hi"', 'STR'], `s (got ${names})`);
    assert.deepEqual(seen('p'), ['7', 'PTR'], `p (got ${names})`);
    const events = await s.scope('Event values');
    for (const name of ['MOUSEX', 'MOUSEY', 'HWPARAM']) {
      assert.equal(events[name]?.value, '0', name);
    }
    const timer = Object.keys(await s.scope('Timer')).map((n) => n.toLowerCase());
    assert.ok(timer.includes('interval') && timer.includes('running'), String(timer));
    assert.ok(Object.keys(await s.scope('Drawing')).length > 0);
  });
});

dapTest('an array is one entry of 4096 elements, paged by start and count', async () => {
  await withSession({ 'vars.bas': VARS }, async (s) => {
    await stopInVars(s);
    // Named a or a[], as the client likes.
    const arrays = {};
    for (const [name, entry] of Object.entries(await s.scope('Arrays'))) {
      arrays[name.replace(/\[\]$/, '')] = entry;
    }
    for (const name of ['a', 'names']) {
      assert.equal(arrays[name]?.indexedVariables, 4096, name);
      assert.ok(arrays[name].variablesReference > 0);
    }
    const page = async (name, start, count) => {
      const response = await s.dc.variablesRequest({
        variablesReference: arrays[name].variablesReference,
        filter: 'indexed',
        start,
        count,
      });
      return response.body.variables.map((v) => [v.name, v.value]);
    };
    assert.deepEqual(await page('a', 0, 3), [
      ['[1]', '11'],
      ['[2]', '22'],
      ['[3]', '0'],
    ]);
    assert.deepEqual(await page('a', 99, 2), [
      ['[100]', '99'],
      ['[101]', '0'],
    ]);
    // A page that runs past the end stops at the last element.
    assert.deepEqual(await page('a', 4094, 10), [
      ['[4095]', '0'],
      ['[4096]', '4'],
    ]);
    assert.deepEqual(await page('names', 0, 2), [
      ['[1]', '""'],
      ['[2]', '"bo"'],
    ]);
  });
});

dapTest('setVariable changes what the script goes on with', async () => {
  await withSession({ 'vars.bas': VARS }, async (s) => {
    await stopInVars(s);
    const ref = (await s.scopes((await s.stopStack())[0].id)).Variables.variablesReference;
    const set = async (name, value) =>
      (await s.dc.setVariableRequest({ variablesReference: ref, name, value })).body.value;
    assert.equal(await set('x', '42'), '42');
    assert.equal(await set('s', 'plain'), '"plain"');
    assert.equal(await set('s', '"new one"'), '"new one"');
    assert.equal(await set('p', '3.5'), '4'); // a PTR rounds, ties to even
    await assert.rejects(set('x', 'abc'));
    await assert.rejects(set('nosuch', '1'));
    assert.equal(await s.value('x'), '42');
    assert.equal(await s.value('s'), '"new one"');
    await s.dc.continueRequest({ threadId: 1 });
    await s.ended(0);
    assert.deepEqual(s.outputs('stdout').slice(0, 3), [
      'print\t0\t40\t42',
      'print\t0\t60\tnew one',
      'print\t0\t80\t4',
    ]);
  });
});

dapTest('evaluate: expressions of the language, without side effects', async () => {
  await withSession({ 'vars.bas': VARS }, async (s) => {
    await stopInVars(s);
    assert.equal(await s.evaluate('x * 2'), '5');
    assert.equal(await s.evaluate('(x + 1) * 2'), '7');
    assert.equal(await s.evaluate('a[2] + 1'), '23');
    assert.equal(await s.evaluate('s + "!"'), '"hi!"');
    assert.equal(await s.evaluate('x', 'hover'), '2.5');
    await assert.rejects(s.evaluate('nosuch + 1'), (error) => error.message.length > 0);
    // The script's own RND sequence is not moved on by an evaluation of RND.
    await s.evaluate('RND(1)');
    await s.evaluate('RND(1)');
    assert.equal(await s.value('x'), '2.5');
    await s.dc.continueRequest({ threadId: 1 });
    await s.ended(0);
    assert.equal(s.outputs('stdout')[3], 'print\t0\t100\t0.657777');
  });
});

dapTest('pixel X, Y names the statement that last changed the pixel', async () => {
  await withSession({ 'vars.bas': VARS }, async (s) => {
    await stopInVars(s);
    assert.equal(await s.evaluate('pixel 10, 10'), 'line 9'); // the RECT's outline
    assert.equal(await s.evaluate('pixel 12, 12'), 'line 9'); // its inside
    assert.equal(await s.evaluate('pixel 15, 15'), 'line 11'); // drawn over the RECT
    // Drawn again in the colour it had: the statement that gave it its colour stays.
    assert.equal(await s.evaluate('pixel 100, 100'), 'line 10');
    assert.equal(await s.evaluate('pixel 300, 300'), 'not drawn');
  });
});

dapTest('screenshot FILE writes what the window shows at the stop', async () => {
  const script = 'WCOLOR 0, 0, 255\nVAR x\nx = 1\nWCOLOR 255, 0, 0\n';
  await withSession({ 'shot.bas': script, 'blue.bas': 'WCOLOR 0, 0, 255\n' }, async (s) => {
    await s.launchHeadless('shot.bas', () => s.setBreakpoints('shot.bas', [3]));
    await s.stoppedAt('breakpoint', 3);
    await s.evaluate('screenshot shot.png');
    assert.deepEqual(pngSize(s.file('shot.png')), [784, 561]);
    const cli = commandLine(s.dir, [
      '--headless',
      '--quiet',
      '--screenshot',
      'cli.png',
      'blue.bas',
    ]);
    assert.equal(cli.status, 0);
    assert.ok(fs.readFileSync(s.file('shot.png')).equals(fs.readFileSync(s.file('cli.png'))));
    await s.dc.continueRequest({ threadId: 1 });
    await s.ended(0);
  });
});

const NESTED = [
  'VAR i, key', //        1
  'GOTO start', //        2
  'WINMSG WMKEYDOWN', //  3
  'HWPARAM key', //       4
  'show()', //            5
  'ENDWM', //             6
  'FUNC show()', //       7
  'PRINT 0, 0, key', //   8
  'ENDFN', //             9
  'LABEL start', //      10
  'WHILE i < 3', //      11
  'i = i + 1', //        12
  'SWAP', //             13
  'WEND', //             14
  '',
].join('\n');

dapTest('the stack: a call in a handler run that interrupted the main part', async () => {
  await withSession({ 'keys.bas': NESTED, 'keys.events': 'key 65\n' }, async (s) => {
    await s.launchHeadless('keys.bas', () => s.setBreakpoints('keys.bas', [8]), {
      events: 'keys.events',
    });
    const { frames } = await s.stoppedAt('breakpoint', 8);
    assert.equal(frames.length, 3);
    assert.deepEqual(
      frames.slice(0, 2).map((f) => [f.name, f.line, f.column]),
      [
        ['show()', 8, 1],
        ['WMKEYDOWN 65', 5, 1],
      ],
    );
    // The main part took the key at the first line end it reached: the one after the LABEL
    // the GOTO leads to, before the loop.
    assert.deepEqual([frames[2].name, frames[2].line], ['main part', 10]);
    for (const f of frames) assert.equal(f.source.path, s.file('keys.bas'));
    assert.equal(new Set(frames.map((f) => f.id)).size, 3);
    // Each frame's scopes are those of the one program: the same variables.
    assert.equal((await s.scope('Variables', frames[2].id)).key.value, '65');
    assert.equal((await s.scope('Variables', frames[2].id)).i.value, '0');
    assert.equal((await s.scope('Event values', frames[1].id)).HWPARAM.value, '65');
  });
});

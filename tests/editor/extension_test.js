'use strict';
// The VS Code extension against a stand-in server, with a stand-in `vscode` module: the
// messages it sends through a document's life, and how it maps the answers onto VS Code.
const test = require('node:test');
const assert = require('node:assert/strict');
const Module = require('module');
const path = require('path');
const { makeVscode } = require('./fake_vscode');

const FAKE_SERVER = path.join(__dirname, 'fake_lsp_server.js');
const EXTENSION = path.join(__dirname, '../../editors/vscode/extension.js');

// A fresh extension module bound to `vscode` (each test starts from no session).
function loadExtension(vscode) {
  const load = Module._load;
  Module._load = function (request, ...rest) {
    return request === 'vscode' ? vscode : load.call(this, request, ...rest);
  };
  try {
    for (const name of ['extension.js', 'convert.js', 'lsp_client.js', 'debugger.js']) {
      delete require.cache[path.join(path.dirname(EXTENSION), name)];
    }
    return require(EXTENSION);
  } finally {
    Module._load = load;
  }
}

function document(uri, text, languageId = 'brindle', version = 1) {
  return { uri: { toString: () => uri }, languageId, version, getText: () => text };
}

async function until(condition, what) {
  for (let waited = 0; !condition(); waited += 10) {
    if (waited > 5000) throw new Error(`timed out waiting for ${what}`);
    await new Promise((resolve) => setTimeout(resolve, 10));
  }
}

const at = { line: 0, character: 2 };
const token = { onCancellationRequested: () => {} };

async function aDocumentsLife(vscode, extension, script) {
  await extension.activate({ subscriptions: [] });
  const diagnostics = vscode.collections[0].entries;
  await until(() => diagnostics.has('file:///w/a.bas'), 'diagnostics');
  const [d] = diagnostics.get('file:///w/a.bas');
  assert.deepEqual(d.range, new vscode.Range(1, 4, 1, 8));
  assert.equal(d.severity, vscode.DiagnosticSeverity.Error);
  assert.equal(d.message, 'Variable ID not found!');

  vscode.workspace.onDidChangeTextDocument.fire({
    document: document('file:///w/a.bas', 'PRINT 1\n', 'brindle', 2),
  });
  await until(() => diagnostics.get('file:///w/a.bas').length === 0, 'diagnostics cleared');

  const { hover, completion, definition, symbols } = vscode.providers;
  assert.deepEqual(hover.selector, { language: 'brindle' });
  const h = await hover.provider.provideHover(script, at, token);
  assert.equal(h.args[0].value, '**PRINT** x, y, item');
  assert.deepEqual(h.args[1], new vscode.Range(0, 0, 0, 5));
  const list = await completion.provider.provideCompletionItems(script, at, token);
  assert.deepEqual(
    list.args[0].map((i) => [i.label, i.kind, i.detail]),
    [
      ['PRINT', 13, undefined],
      ['count', 5, 'VAR'],
    ],
  );
  assert.equal(list.args[1], false);
  const [location] = await definition.provider.provideDefinition(script, at, token);
  assert.equal(location.args[0].toString(), 'file:///w/a.bas');
  assert.deepEqual(location.args[1], new vscode.Range(3, 6, 3, 10));
  const [symbol] = await symbols.provider.provideDocumentSymbols(script, token);
  assert.deepEqual(symbol.args.slice(0, 3), ['draw', '', 11]);
  assert.deepEqual(symbol.args[3], new vscode.Range(2, 0, 4, 5));

  vscode.workspace.onDidCloseTextDocument.fire(script);
  await until(() => !diagnostics.has('file:///w/a.bas'), 'diagnostics removed on close');
}

// Opened, changed, asked for each feature, closed: what VS Code does with one script.
test('a document from open to close, and the server stopped cleanly', async () => {
  const script = document('file:///w/a.bas', 'PRINT 1\nx = oops\n');
  const vscode = makeVscode({
    config: { path: FAKE_SERVER },
    documents: [script, document('file:///w/n.txt', 'oops', 'plaintext')],
  });
  const extension = loadExtension(vscode);
  try {
    await aDocumentsLife(vscode, extension, script);
  } finally {
    await extension.deactivate();
  }
  const got = vscode.output
    .filter((l) => l.includes(': got '))
    .map((l) => l.replace(/.*: got /, ''));
  assert.deepEqual(got, [
    'initialize',
    'answer server-1 [null,null]',
    'initialized',
    'textDocument/didOpen',
    'textDocument/didChange',
    'textDocument/hover',
    'textDocument/completion',
    'textDocument/definition',
    'textDocument/documentSymbol',
    'textDocument/didClose',
    'shutdown',
    'exit',
  ]);
  assert.deepEqual(vscode.shown, []);
  assert.equal(vscode.collections[0].disposed, true);
  assert.deepEqual(vscode.providers, {});
});

// Before it answers initialize (not a language server, or a broken one), or later.
for (const [method, message] of [
  ['initialize', /--lsp did not start \(exit status 3\): does this brindle have/],
  ['initialized', /^The Brindle language server stopped \(exit status 3\)\.$/],
]) {
  test(`a server that dies on ${method} is reported, and its features go`, async () => {
    process.env.FAKE_LSP_CRASH = method;
    try {
      const vscode = makeVscode({ config: { path: FAKE_SERVER } });
      const extension = loadExtension(vscode);
      await extension.activate({ subscriptions: [] });
      await until(() => vscode.shown.length > 0, 'the error message');
      assert.equal(vscode.shown[0].level, 'error');
      assert.match(vscode.shown[0].message, message);
      assert.deepEqual(vscode.shown[0].choices, ['Restart', 'Show Output']);
      assert.ok(vscode.output.some((l) => l.includes('boom')));
      assert.deepEqual(vscode.providers, {});
      assert.equal(vscode.collections[0].disposed, true);
      await extension.deactivate();
    } finally {
      delete process.env.FAKE_LSP_CRASH;
    }
  });
}

test('with no brindle program there are colours only, and a wrong setting is shown', async () => {
  const vscode = makeVscode({ config: { path: '/nonexistent/brindle' } });
  const extension = loadExtension(vscode);
  await extension.activate({ subscriptions: [] });
  assert.equal(vscode.shown[0].level, 'warning');
  assert.match(vscode.shown[0].message, /\/nonexistent\/brindle is not an executable file/);
  assert.deepEqual(vscode.providers, {});
  assert.equal(vscode.collections.length, 0);
  await extension.deactivate();
});

// The debugger: `brindle --dap` from the same program as the language server.
const fs = require('fs');
const os = require('os');
const PACKAGE = require('../../editors/vscode/package.json');

async function withDebugger(options, body) {
  const vscode = makeVscode(options);
  const extension = loadExtension(vscode);
  await extension.activate({ subscriptions: [] });
  try {
    assert.equal(vscode.debuggers.factory.type, 'brindle');
    assert.equal(vscode.debuggers.configuration.type, 'brindle');
    await body(vscode, vscode.debuggers.factory.value, vscode.debuggers.configuration.value);
  } finally {
    await extension.deactivate();
  }
}

test('the debug adapter is brindle.path run with --dap, in the workspace folder', async () => {
  await withDebugger({ config: { path: FAKE_SERVER } }, async (vscode, factory) => {
    const inFolder = factory.createDebugAdapterDescriptor({
      workspaceFolder: { uri: { fsPath: '/w' } },
      configuration: { program: '/w/games/a.bas' },
    });
    assert.ok(inFolder instanceof vscode.DebugAdapterExecutable);
    assert.equal(inFolder.command, FAKE_SERVER);
    assert.deepEqual(inFolder.args, ['--dap']);
    assert.deepEqual(inFolder.options, { cwd: '/w' });
    // A script opened without a folder: the script's own folder.
    const alone = factory.createDebugAdapterDescriptor({
      configuration: { program: '/home/me/a.bas' },
    });
    assert.deepEqual(alone.options, { cwd: '/home/me' });
  });
});

test('the debug adapter is brindle from PATH when brindle.path is empty', async () => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'brindle-path-'));
  const brindle = path.join(dir, 'brindle');
  fs.copyFileSync(FAKE_SERVER, brindle);
  fs.chmodSync(brindle, 0o755);
  const saved = process.env.PATH;
  process.env.PATH = `/nonexistent:${dir}:${saved}`;
  try {
    await withDebugger({ config: { path: '' } }, async (vscode, factory) => {
      const d = factory.createDebugAdapterDescriptor({ configuration: {} });
      assert.equal(d.command, brindle);
      assert.deepEqual(d.args, ['--dap']);
      assert.deepEqual(d.options, {});
    });
  } finally {
    process.env.PATH = saved;
    fs.rmSync(dir, { recursive: true, force: true });
  }
});

test('without a brindle program a debugging session fails with the reason', async () => {
  await withDebugger({ config: { path: '/nonexistent/brindle' } }, async (vscode, factory) => {
    assert.throws(() => factory.createDebugAdapterDescriptor({ configuration: {} }), {
      message: 'brindle.path: /nonexistent/brindle is not an executable file.',
    });
  });
  const saved = process.env.PATH;
  process.env.PATH = '/nonexistent';
  try {
    await withDebugger({ config: { path: '' } }, async (vscode, factory) => {
      assert.throws(() => factory.createDebugAdapterDescriptor({ configuration: {} }), {
        message: /^No brindle program found on PATH/,
      });
    });
  } finally {
    process.env.PATH = saved;
  }
});

test('F5 without a launch configuration runs the open script in a window', async () => {
  const editor = (languageId) => ({ document: { languageId } });
  await withDebugger({ activeTextEditor: editor('brindle') }, async (vscode, _, provider) => {
    assert.deepEqual(provider.resolveDebugConfiguration(undefined, {}), {
      type: 'brindle',
      request: 'launch',
      name: 'Run in a window',
      program: '${file}',
    });
    const given = { type: 'brindle', request: 'launch', name: 'x', program: 'a.bas' };
    assert.equal(provider.resolveDebugConfiguration(undefined, given), given);
  });
  await withDebugger({ activeTextEditor: editor('python') }, async (vscode, _, provider) => {
    assert.deepEqual(provider.resolveDebugConfiguration(undefined, {}), {});
  });
});

test('the package contributes the debugger with the launch arguments brindle --dap takes', () => {
  const { debuggers, breakpoints } = PACKAGE.contributes;
  assert.deepEqual(breakpoints, [{ language: 'brindle' }]);
  assert.equal(debuggers.length, 1);
  const [d] = debuggers;
  assert.deepEqual([d.type, d.label], ['brindle', 'Brindle']);
  const launch = d.configurationAttributes.launch;
  assert.deepEqual(launch.required, ['program']);
  const types = Object.fromEntries(Object.entries(launch.properties).map(([k, v]) => [k, v.type]));
  assert.deepEqual(types, {
    program: 'string',
    headless: 'boolean',
    events: 'string',
    seed: 'number',
    screenshot: 'string',
    stopOnEntry: 'boolean',
  });
  assert.deepEqual(
    d.configurationSnippets.map((s) => [s.label, s.body.type, s.body.request, s.body.headless]),
    [
      ['Brindle: Run in a window', 'brindle', 'launch', undefined],
      ['Brindle: Headless with events', 'brindle', 'launch', true],
    ],
  );
  assert.ok(d.configurationSnippets[1].body.events);
  // Every configuration VS Code may write sets only arguments the debugger knows.
  const written = [...d.initialConfigurations, ...d.configurationSnippets.map((s) => s.body)];
  for (const config of written) {
    for (const key of Object.keys(config)) {
      assert.ok(['type', 'request', 'name'].includes(key) || key in launch.properties, key);
    }
  }
  assert.ok(PACKAGE.activationEvents.includes('onDebugResolve:brindle'));
});

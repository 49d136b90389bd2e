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
    for (const name of ['extension.js', 'convert.js', 'lsp_client.js']) {
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

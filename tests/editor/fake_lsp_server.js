#!/usr/bin/env node
'use strict';
// A stand-in for `brindle --lsp` in the editor client's tests: it writes the method of every
// message it receives to stderr ("got METHOD"), answers with fixed results, and reports one
// error diagnostic for each line that holds "oops". With FAKE_LSP_CRASH=METHOD it writes "boom"
// and exits with status 3 on receiving a message of that method.

let buffer = Buffer.alloc(0);

function send(message) {
  const body = Buffer.from(JSON.stringify({ jsonrpc: '2.0', ...message }), 'utf8');
  process.stdout.write(`Content-Length: ${body.length}\r\n\r\n`);
  process.stdout.write(body);
}

const range = (line, from, to) => ({
  start: { line, character: from },
  end: { line, character: to },
});

function diagnose(uri, text) {
  const diagnostics = [];
  text.split('\n').forEach((line, i) => {
    const at = line.indexOf('oops');
    if (at >= 0)
      diagnostics.push({
        range: range(i, at, at + 4),
        severity: 1,
        message: 'Variable ID not found!',
      });
  });
  send({ method: 'textDocument/publishDiagnostics', params: { uri, diagnostics } });
}

const results = {
  initialize: () => {
    send({ id: 'server-1', method: 'workspace/configuration', params: { items: [{}, {}] } });
    return {
      capabilities: {
        textDocumentSync: { openClose: true, change: 1 },
        hoverProvider: true,
        completionProvider: { triggerCharacters: [] },
        definitionProvider: true,
        documentSymbolProvider: true,
      },
    };
  },
  'textDocument/hover': () => ({
    contents: { kind: 'markdown', value: '**PRINT** x, y, item' },
    range: range(0, 0, 5),
  }),
  'textDocument/completion': () => ({
    isIncomplete: false,
    items: [
      { label: 'PRINT', kind: 14 },
      { label: 'count', kind: 6, detail: 'VAR' },
    ],
  }),
  'textDocument/definition': (p) => [{ uri: p.textDocument.uri, range: range(3, 6, 10) }],
  'textDocument/documentSymbol': () => [
    {
      name: 'draw',
      kind: 12,
      range: { start: { line: 2, character: 0 }, end: { line: 4, character: 5 } },
      selectionRange: range(2, 5, 9),
      children: [],
    },
  ],
  shutdown: () => null,
};

function receive(message) {
  if (message.method === undefined) {
    process.stderr.write(
      `got answer ${message.id} ${JSON.stringify(message.result ?? message.error)}\n`,
    );
    return;
  }
  process.stderr.write(`got ${message.method}\n`);
  if (process.env.FAKE_LSP_CRASH === message.method) {
    process.stderr.write('boom\n');
    process.exit(3);
  }
  if (message.method === 'exit') process.exit(0);
  if (message.method === 'textDocument/didOpen')
    diagnose(message.params.textDocument.uri, message.params.textDocument.text);
  if (message.method === 'textDocument/didChange') {
    diagnose(message.params.textDocument.uri, message.params.contentChanges[0].text);
  }
  if (message.id === undefined) return;
  const result = results[message.method];
  if (result) send({ id: message.id, result: result(message.params) });
  else send({ id: message.id, error: { code: -32601, message: `no ${message.method}` } });
}

process.stdin.on('data', (chunk) => {
  buffer = Buffer.concat([buffer, chunk]);
  for (;;) {
    const end = buffer.indexOf('\r\n\r\n');
    if (end < 0) return;
    const length = Number(/Content-Length: (\d+)/i.exec(buffer.subarray(0, end).toString())[1]);
    if (buffer.length < end + 4 + length) return;
    const body = buffer.subarray(end + 4, end + 4 + length).toString('utf8');
    buffer = buffer.subarray(end + 4 + length);
    receive(JSON.parse(body));
  }
});

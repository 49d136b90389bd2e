'use strict';
// The editor client's protocol layer: message framing, requests and replies, requests from the
// server, the program lookup, and a server that cannot be started.
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');

const { MessageReader, LanguageClient, encodeMessage, findProgram, startServer } = require(
  path.join(__dirname, '../../editors/vscode/lsp_client.js'),
);

function reader() {
  const got = { messages: [], errors: [] };
  const r = new MessageReader(
    (m) => got.messages.push(m),
    (e) => got.errors.push(e.message),
  );
  return { r, got };
}

test('framing: messages split anywhere or packed together read whole', () => {
  const bytes = Buffer.concat([
    encodeMessage({ id: 1, result: 'é€😀' }),
    encodeMessage({ id: 2, result: [] }),
  ]);
  // The length counts bytes, not characters: multi-byte text must not cut the next message.
  assert.match(bytes.toString('latin1'), /^Content-Length: 29\r\n\r\n/);
  const { r, got } = reader();
  for (let i = 0; i < bytes.length; ++i) r.push(bytes.subarray(i, i + 1));
  const packed = reader();
  packed.r.push(bytes);
  for (const g of [got, packed.got]) {
    assert.deepEqual(g.messages, [
      { id: 1, result: 'é€😀' },
      { id: 2, result: [] },
    ]);
    assert.deepEqual(g.errors, []);
  }
});

test('framing: other headers and any case are accepted; a bad body is skipped', () => {
  const { r, got } = reader();
  const body = '{"id":7}';
  r.push(
    Buffer.from(
      `content-type: application/vscode-jsonrpc; charset=utf-8\r\ncontent-length: 5\r\n\r\n{bad}`,
    ),
  );
  r.push(Buffer.from(`CONTENT-LENGTH: ${body.length}\r\n\r\n${body}`));
  assert.deepEqual(got.messages, [{ id: 7 }]);
  assert.equal(got.errors.length, 1);
  assert.match(got.errors[0], /not JSON/);
});

test('framing: a header without a length, or without an end, stops the reading', () => {
  const missing = reader();
  missing.r.push(Buffer.from('Content-Type: x\r\n\r\n{}'));
  missing.r.push(encodeMessage({ id: 1 }));
  assert.deepEqual(missing.got.messages, []);
  assert.match(missing.got.errors[0], /Content-Length/);
  const endless = reader();
  endless.r.push(Buffer.alloc(10000, 'a'));
  assert.match(endless.got.errors[0], /no end/);
});

function clientWithWire() {
  const sent = [];
  const client = new LanguageClient((bytes) => {
    const { r, got } = reader();
    r.push(bytes);
    sent.push(...got.messages);
  });
  const reply = (message) => client.reader.push(encodeMessage({ jsonrpc: '2.0', ...message }));
  return { client, sent, reply };
}

test('requests: replies match by id in any order; errors reject with their code', async () => {
  const { client, sent, reply } = clientWithWire();
  const hover = client.request('textDocument/hover', { x: 1 });
  const symbols = client.request('textDocument/documentSymbol', {});
  const failing = client.request('textDocument/definition', {});
  assert.deepEqual(
    sent.map((m) => [m.jsonrpc, m.id, m.method]),
    [
      ['2.0', 1, 'textDocument/hover'],
      ['2.0', 2, 'textDocument/documentSymbol'],
      ['2.0', 3, 'textDocument/definition'],
    ],
  );
  reply({ id: 2, result: ['s'] });
  reply({ id: 1 });
  reply({ id: 3, error: { code: -32603, message: 'internal' } });
  reply({ id: 99, result: 'nobody asked' });
  assert.deepEqual(await symbols, ['s']);
  assert.equal(await hover, null);
  await assert.rejects(failing, (e) => e.code === -32603 && /definition: internal/.test(e.message));
});

test('requests: the server is answered, notifications reach their handler', () => {
  const { client, sent, reply } = clientWithWire();
  const diagnostics = [];
  client.onNotification('textDocument/publishDiagnostics', (p) => diagnostics.push(p));
  reply({ id: 'a', method: 'workspace/configuration', params: { items: [{}, {}] } });
  reply({ id: 'b', method: 'workspace/applyEdit', params: {} });
  reply({
    method: 'textDocument/publishDiagnostics',
    params: { uri: 'file:///x.bas', diagnostics: [] },
  });
  reply({ method: 'unknown/notification' });
  assert.deepEqual(sent[0], { jsonrpc: '2.0', id: 'a', result: [null, null] });
  assert.equal(sent[1].id, 'b');
  assert.equal(sent[1].error.code, -32601);
  assert.deepEqual(diagnostics, [{ uri: 'file:///x.bas', diagnostics: [] }]);
});

test('requests: cancelling sends $/cancelRequest; closing fails what waits and what follows', async () => {
  const { client, sent } = clientWithWire();
  let cancel;
  const waiting = client.request(
    'textDocument/completion',
    {},
    { onCancellationRequested: (f) => (cancel = f) },
  );
  cancel();
  assert.deepEqual(sent[1], { jsonrpc: '2.0', method: '$/cancelRequest', params: { id: 1 } });
  client.close(new Error('server gone'));
  await assert.rejects(waiting, /server gone/);
  await assert.rejects(client.request('shutdown'), /server gone/);
  client.notify('exit');
  assert.equal(sent.length, 2);
});

test('findProgram: the setting (a path or a name), else brindle on PATH', () => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'brindle-path-'));
  const bin = path.join(dir, 'bin');
  fs.mkdirSync(bin);
  const brindle = path.join(bin, 'brindle');
  fs.writeFileSync(brindle, '#!/bin/sh\n', { mode: 0o755 });
  fs.writeFileSync(path.join(bin, 'plain'), '', { mode: 0o644 });
  fs.mkdirSync(path.join(bin, 'folder'));
  const searchPath = ['/nonexistent', bin].join(path.delimiter);
  assert.equal(findProgram('', searchPath), brindle);
  assert.equal(findProgram('  ', searchPath), brindle);
  assert.equal(findProgram(brindle, ''), brindle);
  assert.equal(findProgram('brindle', searchPath), brindle);
  assert.equal(findProgram('plain', searchPath), null);
  assert.equal(findProgram('folder', searchPath), null);
  assert.equal(findProgram(path.join(bin, 'plain'), searchPath), null);
  assert.equal(findProgram('', '/nonexistent'), null);
  fs.rmSync(dir, { recursive: true });
});

test('startServer: a program that cannot start fails the waiting request and reports it', async () => {
  let exit;
  const exited = new Promise((resolve) => (exit = resolve));
  const { client } = startServer('/nonexistent/brindle', { onExit: (...a) => exit(a) });
  const init = client.request('initialize', {});
  await assert.rejects(init, /ENOENT/);
  const [code, , , error] = await exited;
  assert.equal(code, null);
  assert.match(error.message, /ENOENT/);
});

'use strict';
// A Language Server Protocol client with no dependencies: JSON-RPC 2.0 messages framed by
// Content-Length headers over a child process's standard input and output. It knows nothing
// of VS Code, so that it can be tested with node alone.

const { spawn } = require('child_process');
const fs = require('fs');
const path = require('path');

// A server that sends a header block longer than this is broken; stop reading it rather than
// buffer without end.
const MAX_HEADER_BYTES = 8192;

// Splits a byte stream into JSON messages. Chunks may end anywhere, mid-header or mid-body.
class MessageReader {
  constructor(onMessage, onError) {
    this.onMessage = onMessage;
    this.onError = onError;
    this.buffer = Buffer.alloc(0);
    this.broken = false;
  }

  push(chunk) {
    if (this.broken) return;
    this.buffer = this.buffer.length ? Buffer.concat([this.buffer, chunk]) : chunk;
    for (;;) {
      const headerEnd = this.buffer.indexOf('\r\n\r\n');
      if (headerEnd < 0) {
        if (this.buffer.length > MAX_HEADER_BYTES) this.fail('no end to the message header');
        return;
      }
      const length = contentLength(this.buffer.subarray(0, headerEnd).toString('ascii'));
      if (length === null) return this.fail('a message header without a valid Content-Length');
      const start = headerEnd + 4;
      if (this.buffer.length < start + length) return;
      const body = this.buffer.subarray(start, start + length).toString('utf8');
      this.buffer = this.buffer.subarray(start + length);
      let message;
      try {
        message = JSON.parse(body);
      } catch (e) {
        this.onError(new Error(`a message that is not JSON: ${e.message}`));
        continue;
      }
      this.onMessage(message);
    }
  }

  // Without a length, where the next message starts is unknown: nothing more can be read.
  fail(reason) {
    this.broken = true;
    this.buffer = Buffer.alloc(0);
    this.onError(new Error(reason));
  }
}

function contentLength(header) {
  for (const line of header.split('\r\n')) {
    const match = /^content-length:\s*(\d+)\s*$/i.exec(line);
    if (match) return Number(match[1]);
  }
  return null;
}

function encodeMessage(message) {
  const body = Buffer.from(JSON.stringify(message), 'utf8');
  return Buffer.concat([Buffer.from(`Content-Length: ${body.length}\r\n\r\n`, 'ascii'), body]);
}

// Answers to the requests a server may send a client that offers none of these features.
const SERVER_REQUEST_ANSWERS = {
  'workspace/configuration': (params) => (params.items || []).map(() => null),
  'client/registerCapability': () => null,
  'client/unregisterCapability': () => null,
  'window/workDoneProgress/create': () => null,
  'window/showMessageRequest': () => null,
};

const METHOD_NOT_FOUND = -32601;

class LanguageClient {
  // `write` sends bytes to the server; `log` takes one line of text.
  constructor(write, log = () => {}) {
    this.write = write;
    this.log = log;
    this.nextId = 1;
    this.pending = new Map();
    this.handlers = new Map();
    this.closed = null;
    this.reader = new MessageReader(
      (message) => this.receive(message),
      (error) => this.log(`brindle --lsp: ${error.message}`),
    );
  }

  request(method, params, cancellation) {
    if (this.closed) return Promise.reject(this.closed);
    const id = this.nextId++;
    const reply = new Promise((resolve, reject) =>
      this.pending.set(id, { method, resolve, reject }),
    );
    this.send({ jsonrpc: '2.0', id, method, params });
    if (cancellation) {
      cancellation.onCancellationRequested(() => {
        if (this.pending.has(id)) this.notify('$/cancelRequest', { id });
      });
    }
    return reply;
  }

  notify(method, params) {
    if (!this.closed) this.send({ jsonrpc: '2.0', method, params });
  }

  onNotification(method, handler) {
    this.handlers.set(method, handler);
  }

  // One message from the server: a reply, a request to answer, or a notification.
  receive(message) {
    if (Array.isArray(message) || typeof message !== 'object' || message === null) {
      this.log('brindle --lsp: a message that is not an object');
    } else if ('method' in message && 'id' in message) {
      this.answer(message);
    } else if ('method' in message) {
      const handler = this.handlers.get(message.method);
      if (handler) handler(message.params);
    } else if (this.pending.has(message.id)) {
      const { method, resolve, reject } = this.pending.get(message.id);
      this.pending.delete(message.id);
      if (message.error) {
        const error = new Error(`${method}: ${message.error.message}`);
        error.code = message.error.code;
        reject(error);
      } else {
        resolve(message.result === undefined ? null : message.result);
      }
    }
  }

  answer(request) {
    const answer = SERVER_REQUEST_ANSWERS[request.method];
    if (answer) {
      this.send({ jsonrpc: '2.0', id: request.id, result: answer(request.params || {}) });
    } else {
      this.send({
        jsonrpc: '2.0',
        id: request.id,
        error: { code: METHOD_NOT_FOUND, message: `unhandled method ${request.method}` },
      });
    }
  }

  send(message) {
    this.write(encodeMessage(message));
  }

  // Every request still waiting fails with `reason`; nothing more is sent.
  close(reason) {
    if (this.closed) return;
    this.closed = reason;
    for (const { reject } of this.pending.values()) reject(reason);
    this.pending.clear();
  }
}

// The program to run: `configured` when set (a path, or a name looked up on PATH), else
// `brindle` on PATH. Null when there is none.
function findProgram(configured, searchPath = process.env.PATH || '') {
  const name = configured && configured.trim() ? configured.trim() : 'brindle';
  const isExecutable = (file) => {
    try {
      fs.accessSync(file, fs.constants.X_OK);
      return fs.statSync(file).isFile();
    } catch {
      return false;
    }
  };
  if (name.includes('/')) return isExecutable(name) ? path.resolve(name) : null;
  for (const dir of searchPath.split(path.delimiter)) {
    if (dir && isExecutable(path.join(dir, name))) return path.join(dir, name);
  }
  return null;
}

// Starts `program --lsp` and returns its client. `onExit(code, signal, stderrTail)` is called
// once the process has ended, after every waiting request has failed.
function startServer(program, { log = () => {}, onExit = () => {}, args = ['--lsp'] } = {}) {
  const child = spawn(program, args, { stdio: ['pipe', 'pipe', 'pipe'] });
  const client = new LanguageClient((bytes) => {
    if (child.stdin.writable) child.stdin.write(bytes);
  }, log);
  let stderrTail = '';
  child.stdout.on('data', (chunk) => client.reader.push(chunk));
  child.stderr.on('data', (chunk) => {
    const text = chunk.toString('utf8');
    stderrTail = (stderrTail + text).slice(-2000);
    for (const line of text.split('\n')) if (line) log(`brindle --lsp: ${line}`);
  });
  // A server that exits while we write would otherwise raise EPIPE as an uncaught error.
  child.stdin.on('error', (error) => log(`brindle --lsp: ${error.message}`));
  let ended = false;
  const end = (code, signal, error) => {
    if (ended) return;
    ended = true;
    client.close(error || new Error(`brindle --lsp ended (${signal || `exit ${code}`})`));
    onExit(code, signal, stderrTail.trim(), error);
  };
  child.on('error', (error) => end(null, null, error));
  child.on('close', (code, signal) => end(code, signal, null));
  return { client, child };
}

module.exports = { MessageReader, LanguageClient, encodeMessage, findProgram, startServer };

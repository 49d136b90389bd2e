'use strict';
// Colours, comments and brackets come from the grammar and the language configuration alone.
// With a `brindle` program on PATH (or named by the setting brindle.path), `brindle --lsp`
// adds diagnostics, hovers, completions, go to definition and the outline, and `brindle --dap`
// the debugger.

const vscode = require('vscode');
const { findProgram, startServer } = require('./lsp_client');
const { registerDebugger } = require('./debugger');
const convert = require('./convert');

const SELECTOR = { language: 'brindle' };
const REQUEST_CANCELLED = -32800;
const STOP_WAIT_MS = 2000;

const CLIENT_CAPABILITIES = {
  textDocument: {
    synchronization: { didSave: false, willSave: false, willSaveWaitUntil: false },
    publishDiagnostics: { relatedInformation: false },
    hover: { contentFormat: ['markdown', 'plaintext'] },
    completion: {
      completionItem: { snippetSupport: true, documentationFormat: ['markdown', 'plaintext'] },
    },
    definition: { linkSupport: true },
    documentSymbol: { hierarchicalDocumentSymbolSupport: true },
  },
  general: { positionEncodings: ['utf-16'] },
};

let output = null;
let session = null;

function activate(context) {
  output = vscode.window.createOutputChannel('Brindle');
  context.subscriptions.push(
    output,
    vscode.commands.registerCommand('brindle.restartServer', restart),
    vscode.workspace.onDidChangeConfiguration((e) => {
      if (e.affectsConfiguration('brindle.path')) restart();
    }),
    ...registerDebugger(),
  );
  return start();
}

function deactivate() {
  return stop();
}

async function restart() {
  await stop();
  await start();
}

async function start() {
  const configured = vscode.workspace.getConfiguration('brindle').get('path', '');
  const program = findProgram(configured);
  if (!program) {
    if (configured) {
      vscode.window.showWarningMessage(`brindle.path: ${configured} is not an executable file.`);
    }
    output.appendLine('No brindle program found (PATH or brindle.path): colours only.');
    return;
  }
  output.appendLine(`Starting ${program} --lsp`);
  const current = newSession();
  session = current;
  const { client, child } = startServer(program, {
    log: (line) => output.appendLine(line),
    // What the server wrote to stderr is in the output channel already.
    onExit: (code, signal, stderr, error) => {
      current.dispose();
      if (current.stopping) return;
      const why = error ? error.message : signal || `exit status ${code}`;
      const message = current.initialized
        ? `The Brindle language server stopped (${why}).`
        : `${program} --lsp did not start (${why}): does this brindle have a language server?`;
      output.appendLine(message);
      vscode.window
        .showErrorMessage(message, 'Restart', 'Show Output')
        .then((choice) => (choice === 'Restart' ? restart() : choice && output.show()));
    },
  });
  Object.assign(current, { client, child });
  client.onNotification('textDocument/publishDiagnostics', (p) =>
    current.diagnostics.set(vscode.Uri.parse(p.uri), p.diagnostics.map(convert.toDiagnostic)),
  );
  client.onNotification('window/logMessage', (p) => output.appendLine(p.message));
  client.onNotification('window/showMessage', (p) => showMessage(p.type, p.message));

  let result;
  try {
    result = await client.request('initialize', initializeParams());
  } catch (error) {
    // A server that ended is reported by onExit.
    if (!current.disposed) output.appendLine(`brindle --lsp did not start: ${error.message}`);
    return;
  }
  if (current.disposed || current.stopping) return;
  current.initialized = true;
  client.notify('initialized', {});
  const capabilities = result.capabilities || {};
  current.disposables.push(
    ...syncDocuments(client, capabilities, current.diagnostics),
    ...registerProviders(client, capabilities),
  );
}

function newSession() {
  const diagnostics = vscode.languages.createDiagnosticCollection('brindle');
  const current = {
    client: null,
    child: null,
    diagnostics,
    disposables: [diagnostics],
    initialized: false,
    stopping: false,
    disposed: false,
    dispose() {
      if (current.disposed) return;
      current.disposed = true;
      for (const d of current.disposables) d.dispose();
    },
  };
  return current;
}

function initializeParams() {
  const folders = vscode.workspace.workspaceFolders || [];
  return {
    processId: process.pid,
    clientInfo: { name: 'Brindle for VS Code' },
    rootUri: folders.length ? folders[0].uri.toString() : null,
    workspaceFolders: folders.map((f) => ({ uri: f.uri.toString(), name: f.name })),
    capabilities: CLIENT_CAPABILITIES,
  };
}

// Shutdown, then exit; a server that does not end by then is killed.
async function stop() {
  const current = session;
  session = null;
  if (!current || !current.client) return;
  current.stopping = true;
  if (current.disposed) return; // it has ended already
  const ended = new Promise((resolve) => {
    if (current.child.exitCode !== null || current.child.signalCode !== null) resolve();
    current.child.once('close', resolve);
  });
  try {
    await withTimeout(current.client.request('shutdown'), STOP_WAIT_MS);
    current.client.notify('exit');
    await withTimeout(ended, STOP_WAIT_MS);
  } catch (error) {
    output.appendLine(`brindle --lsp did not stop (${error.message}): ending it`);
    current.child.kill();
  }
  current.dispose();
}

function withTimeout(promise, ms) {
  let timer;
  const timeout = new Promise((_, reject) => {
    timer = setTimeout(() => reject(new Error(`no answer in ${ms} ms`)), ms);
  });
  return Promise.race([promise, timeout]).finally(() => clearTimeout(timer));
}

// Whole texts are sent on every change: scripts are small, and a change without a range is
// valid whichever sync kind the server asks for.
function syncDocuments(client, capabilities, diagnostics) {
  const sync = capabilities.textDocumentSync;
  const change = typeof sync === 'number' ? sync : (sync && sync.change) || 0;
  const openClose = typeof sync === 'number' ? sync > 0 : !!(sync && sync.openClose);
  if (!openClose && change === 0) return [];
  const ours = (doc) => doc.languageId === 'brindle';
  const id = (doc) => ({ uri: doc.uri.toString() });
  const open = (doc) => {
    if (!ours(doc)) return;
    client.notify('textDocument/didOpen', {
      textDocument: {
        ...id(doc),
        languageId: 'brindle',
        version: doc.version,
        text: doc.getText(),
      },
    });
  };
  vscode.workspace.textDocuments.forEach(open);
  return [
    vscode.workspace.onDidOpenTextDocument(open),
    vscode.workspace.onDidChangeTextDocument(({ document: doc }) => {
      if (!ours(doc) || change === 0) return;
      client.notify('textDocument/didChange', {
        textDocument: { ...id(doc), version: doc.version },
        contentChanges: [{ text: doc.getText() }],
      });
    }),
    vscode.workspace.onDidCloseTextDocument((doc) => {
      if (!ours(doc)) return;
      client.notify('textDocument/didClose', { textDocument: id(doc) });
      diagnostics.delete(doc.uri);
    }),
  ];
}

function registerProviders(client, capabilities) {
  const at = (doc, pos) => ({
    textDocument: { uri: doc.uri.toString() },
    position: { line: pos.line, character: pos.character },
  });
  const ask = (method, params, token, toVscode) =>
    client.request(method, params, token).then(toVscode, (error) => {
      if (error.code !== REQUEST_CANCELLED) output.appendLine(error.message);
      return null;
    });
  const providers = [];
  if (capabilities.hoverProvider) {
    providers.push(
      vscode.languages.registerHoverProvider(SELECTOR, {
        provideHover: (doc, pos, token) =>
          ask('textDocument/hover', at(doc, pos), token, convert.toHover),
      }),
    );
  }
  if (capabilities.completionProvider) {
    const triggers = capabilities.completionProvider.triggerCharacters || [];
    providers.push(
      vscode.languages.registerCompletionItemProvider(
        SELECTOR,
        {
          provideCompletionItems: (doc, pos, token) =>
            ask('textDocument/completion', at(doc, pos), token, convert.toCompletions),
        },
        ...triggers,
      ),
    );
  }
  if (capabilities.definitionProvider) {
    providers.push(
      vscode.languages.registerDefinitionProvider(SELECTOR, {
        provideDefinition: (doc, pos, token) =>
          ask('textDocument/definition', at(doc, pos), token, convert.toLocations),
      }),
    );
  }
  if (capabilities.documentSymbolProvider) {
    providers.push(
      vscode.languages.registerDocumentSymbolProvider(SELECTOR, {
        provideDocumentSymbols: (doc, token) =>
          ask(
            'textDocument/documentSymbol',
            { textDocument: { uri: doc.uri.toString() } },
            token,
            convert.toSymbols,
          ),
      }),
    );
  }
  return providers;
}

function showMessage(type, message) {
  if (type === 1) vscode.window.showErrorMessage(message);
  else if (type === 2) vscode.window.showWarningMessage(message);
  else vscode.window.showInformationMessage(message);
}

module.exports = { activate, deactivate };

'use strict';
// Just enough of the `vscode` module for the extension's tests: the classes it builds, and
// registries that record what it registers, shows and logs.

class Range {
  constructor(startLine, startCharacter, endLine, endCharacter) {
    Object.assign(this, { startLine, startCharacter, endLine, endCharacter });
  }
}
class MarkdownString {
  constructor() {
    this.value = '';
  }
  appendMarkdown(text) {
    this.value += text;
    return this;
  }
  appendText(text) {
    this.value += text.replace(/[\\`*_{}[\]()#+\-.!]/g, '\\$&');
    return this;
  }
  appendCodeblock(code, language) {
    this.value += `\n\`\`\`${language}\n${code}\n\`\`\`\n`;
    return this;
  }
}
const record = (name) =>
  class {
    constructor(...args) {
      this.kind = name;
      this.args = args;
    }
  };

function emitter() {
  const listeners = [];
  const on = (listener) => {
    listeners.push(listener);
    return { dispose: () => listeners.splice(listeners.indexOf(listener), 1) };
  };
  on.fire = (value) => listeners.forEach((l) => l(value));
  return on;
}

function makeVscode({ config = {}, documents = [], activeTextEditor } = {}) {
  const shown = [];
  const output = [];
  const providers = {};
  const collections = [];
  const debuggers = {};
  const registerDebug = (kind) => (type, value) => {
    debuggers[kind] = { type, value };
    return { dispose: () => delete debuggers[kind] };
  };
  const register =
    (kind) =>
    (selector, provider, ...rest) => {
      providers[kind] = { selector, provider, rest };
      return { dispose: () => delete providers[kind] };
    };
  const show =
    (level) =>
    (message, ...choices) => {
      shown.push({ level, message, choices });
      return Promise.resolve(undefined);
    };
  return {
    shown,
    output,
    providers,
    collections,
    debuggers,
    Range,
    MarkdownString,
    DiagnosticSeverity: { Error: 0, Warning: 1, Information: 2, Hint: 3 },
    Diagnostic: class {
      constructor(range, message, severity) {
        Object.assign(this, { range, message, severity });
      }
    },
    Hover: record('Hover'),
    CompletionItem: class {
      constructor(label) {
        this.label = label;
      }
    },
    CompletionList: record('CompletionList'),
    SnippetString: record('SnippetString'),
    Location: record('Location'),
    SymbolInformation: record('SymbolInformation'),
    DocumentSymbol: record('DocumentSymbol'),
    Uri: { parse: (text) => ({ toString: () => text }) },
    DebugAdapterExecutable: class {
      constructor(command, args, options) {
        Object.assign(this, { command, args, options });
      }
    },
    debug: {
      registerDebugAdapterDescriptorFactory: registerDebug('factory'),
      registerDebugConfigurationProvider: registerDebug('configuration'),
    },
    window: {
      activeTextEditor,
      createOutputChannel: () => ({
        appendLine: (l) => output.push(l),
        show: () => {},
        dispose: () => {},
      }),
      showErrorMessage: show('error'),
      showWarningMessage: show('warning'),
      showInformationMessage: show('information'),
    },
    commands: { registerCommand: () => ({ dispose: () => {} }) },
    workspace: {
      getConfiguration: () => ({ get: (key, fallback) => config[key] ?? fallback }),
      textDocuments: documents,
      workspaceFolders: undefined,
      onDidOpenTextDocument: emitter(),
      onDidChangeTextDocument: emitter(),
      onDidCloseTextDocument: emitter(),
      onDidChangeConfiguration: emitter(),
    },
    languages: {
      createDiagnosticCollection: () => {
        const entries = new Map();
        const collection = {
          entries,
          set: (uri, list) => entries.set(uri.toString(), list),
          delete: (uri) => entries.delete(uri.toString()),
          dispose: () => {
            entries.clear();
            collection.disposed = true;
          },
        };
        collections.push(collection);
        return collection;
      },
      registerHoverProvider: register('hover'),
      registerCompletionItemProvider: register('completion'),
      registerDefinitionProvider: register('definition'),
      registerDocumentSymbolProvider: register('symbols'),
    },
  };
}

module.exports = { makeVscode };

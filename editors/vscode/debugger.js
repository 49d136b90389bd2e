'use strict';
// The debugger: VS Code starts `brindle --dap` for each debugging session, the same program
// the language server comes from (the setting brindle.path, else `brindle` on PATH).

const path = require('path');
const vscode = require('vscode');
const { findProgram } = require('./lsp_client');

const TYPE = 'brindle';

// F5 in a script with no launch.json runs that script in a window.
function resolveDebugConfiguration(folder, config) {
  if (config.type || config.request || config.name) return config;
  const editor = vscode.window.activeTextEditor;
  if (!editor || editor.document.languageId !== 'brindle') return config;
  return { type: TYPE, request: 'launch', name: 'Run in a window', program: '${file}' };
}

// Relative paths of the launch configuration (events, screenshot) are from the adapter's
// folder: the workspace folder, else the script's.
function adapterFolder(session) {
  if (session.workspaceFolder) return session.workspaceFolder.uri.fsPath;
  const program = session.configuration && session.configuration.program;
  if (typeof program !== 'string' || !path.isAbsolute(program)) return undefined;
  return path.dirname(program);
}

function createDebugAdapterDescriptor(session) {
  const configured = vscode.workspace.getConfiguration('brindle').get('path', '');
  const program = findProgram(configured);
  if (!program) {
    // VS Code shows the message of a descriptor that cannot be made.
    throw new Error(
      configured
        ? `brindle.path: ${configured} is not an executable file.`
        : 'No brindle program found on PATH: set brindle.path to the brindle program.',
    );
  }
  const cwd = adapterFolder(session);
  return new vscode.DebugAdapterExecutable(program, ['--dap'], cwd ? { cwd } : {});
}

function registerDebugger() {
  return [
    vscode.debug.registerDebugAdapterDescriptorFactory(TYPE, { createDebugAdapterDescriptor }),
    vscode.debug.registerDebugConfigurationProvider(TYPE, { resolveDebugConfiguration }),
  ];
}

module.exports = { registerDebugger };

'use strict';
// Protocol values to VS Code's: positions and ranges, diagnostics, hovers, completions,
// locations and symbols. Both count lines and UTF-16 columns from 0, so positions map as they
// are; the kinds of completions and symbols are the protocol's numbers less one.

const vscode = require('vscode');

function toRange(range) {
  return new vscode.Range(
    range.start.line,
    range.start.character,
    range.end.line,
    range.end.character,
  );
}

const SEVERITIES = {
  1: vscode.DiagnosticSeverity.Error,
  2: vscode.DiagnosticSeverity.Warning,
  3: vscode.DiagnosticSeverity.Information,
  4: vscode.DiagnosticSeverity.Hint,
};

function toDiagnostic(d) {
  const diagnostic = new vscode.Diagnostic(
    toRange(d.range),
    d.message,
    SEVERITIES[d.severity] ?? vscode.DiagnosticSeverity.Error,
  );
  diagnostic.source = d.source ?? 'brindle';
  if (d.code !== undefined) diagnostic.code = d.code;
  return diagnostic;
}

// MarkupContent, a MarkedString (text or {language, value}) or a list of MarkedStrings.
function toMarkdown(contents) {
  const markdown = new vscode.MarkdownString();
  for (const part of Array.isArray(contents) ? contents : [contents]) {
    if (typeof part === 'string') {
      markdown.appendMarkdown(part);
    } else if (part.kind === 'plaintext') {
      markdown.appendText(part.value);
    } else if (part.kind === 'markdown') {
      markdown.appendMarkdown(part.value);
    } else if (part.language !== undefined) {
      markdown.appendCodeblock(part.value, part.language);
    }
  }
  return markdown;
}

function toHover(hover) {
  if (!hover || hover.contents === undefined) return null;
  return new vscode.Hover(
    toMarkdown(hover.contents),
    hover.range ? toRange(hover.range) : undefined,
  );
}

function toDocumentation(doc) {
  if (doc === undefined) return undefined;
  return typeof doc === 'string' ? doc : toMarkdown(doc);
}

function toCompletionItem(item) {
  const completion = new vscode.CompletionItem(item.label);
  if (item.kind) completion.kind = item.kind - 1;
  if (item.detail) completion.detail = item.detail;
  completion.documentation = toDocumentation(item.documentation);
  if (item.sortText) completion.sortText = item.sortText;
  if (item.filterText) completion.filterText = item.filterText;
  const text = item.textEdit ? item.textEdit.newText : item.insertText;
  if (text !== undefined) {
    completion.insertText = item.insertTextFormat === 2 ? new vscode.SnippetString(text) : text;
  }
  if (item.textEdit && item.textEdit.range) completion.range = toRange(item.textEdit.range);
  return completion;
}

// A list of items, or a CompletionList that may be incomplete.
function toCompletions(result) {
  if (!result) return [];
  if (Array.isArray(result)) return result.map(toCompletionItem);
  return new vscode.CompletionList(result.items.map(toCompletionItem), !!result.isIncomplete);
}

// A Location, a list of them, or a list of LocationLinks.
function toLocations(result) {
  if (!result) return [];
  return (Array.isArray(result) ? result : [result]).map((l) =>
    l.targetUri
      ? new vscode.Location(vscode.Uri.parse(l.targetUri), toRange(l.targetSelectionRange))
      : new vscode.Location(vscode.Uri.parse(l.uri), toRange(l.range)),
  );
}

// DocumentSymbols (with children) or flat SymbolInformation.
function toSymbols(result) {
  if (!result) return [];
  return result.map((s) => {
    if (s.location) {
      const location = new vscode.Location(
        vscode.Uri.parse(s.location.uri),
        toRange(s.location.range),
      );
      return new vscode.SymbolInformation(s.name, s.kind - 1, s.containerName ?? '', location);
    }
    const symbol = new vscode.DocumentSymbol(
      s.name,
      s.detail ?? '',
      s.kind - 1,
      toRange(s.range),
      toRange(s.selectionRange),
    );
    symbol.children = toSymbols(s.children);
    return symbol;
  });
}

module.exports = { toRange, toDiagnostic, toHover, toCompletions, toLocations, toSymbols };

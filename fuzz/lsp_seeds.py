#!/usr/bin/env python3
"""Writes seed sessions for the language server's fuzz target: for each script given, a
conversation an editor could have (open, hover, completion, definition, symbols, an edit,
shutdown), framed as on the wire, after the target's one byte that sets the feeding size."""
import json
import os
import sys


def frame(message):
    body = json.dumps(message).encode()
    return b"Content-Length: %d\r\n\r\n" % len(body) + body


def session(text):
    uri = "file:///seed.bas"
    doc = {"uri": uri}
    at = {"textDocument": doc, "position": {"line": 1, "character": 2}}
    messages = [
        {"jsonrpc": "2.0", "id": 1, "method": "initialize", "params": {}},
        {"jsonrpc": "2.0", "method": "initialized", "params": {}},
        {"jsonrpc": "2.0", "method": "textDocument/didOpen",
         "params": {"textDocument": {"uri": uri, "languageId": "brindle", "version": 1,
                                     "text": text}}},
        {"jsonrpc": "2.0", "id": 2, "method": "textDocument/hover", "params": at},
        {"jsonrpc": "2.0", "id": 3, "method": "textDocument/completion", "params": at},
        {"jsonrpc": "2.0", "id": 4, "method": "textDocument/definition", "params": at},
        {"jsonrpc": "2.0", "id": 5, "method": "textDocument/documentSymbol",
         "params": {"textDocument": doc}},
        {"jsonrpc": "2.0", "method": "textDocument/didChange",
         "params": {"textDocument": {"uri": uri, "version": 2},
                    "contentChanges": [{"range": {"start": {"line": 0, "character": 0},
                                                  "end": {"line": 1, "character": 3}},
                                        "text": "PRINT 1\n"}]}},
        {"jsonrpc": "2.0", "id": 6, "method": "shutdown"},
        {"jsonrpc": "2.0", "method": "exit"},
    ]
    return b"".join(frame(m) for m in messages)


def main():
    out_dir = sys.argv[1]
    for path in sys.argv[2:]:
        with open(path, "rb") as f:
            text = f.read().decode("latin-1")
        name = os.path.splitext(os.path.basename(path))[0]
        with open(os.path.join(out_dir, "seed-" + name), "wb") as f:
            f.write(b"\x07" + session(text))


if __name__ == "__main__":
    main()

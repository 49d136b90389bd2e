#!/usr/bin/env python3
"""Writes seed sessions for the debugger's fuzz target: conversations a client could have with
brindle --dap about the target's own script, framed as on the wire."""
import json
import os
import sys

SCRIPT = "/tmp/brindle-fuzz-dap.bas"


def frame(seq, command, **arguments):
    body = json.dumps({"seq": seq, "type": "request", "command": command,
                       "arguments": arguments}).encode()
    return b"Content-Length: %d\r\n\r\n" % len(body) + body


def session(steps):
    out = [frame(1, "initialize", adapterID="brindle"),
           frame(2, "launch", program=SCRIPT, headless=True, stopOnEntry=True),
           frame(3, "setBreakpoints", source={"path": SCRIPT},
                 breakpoints=[{"line": 9, "condition": "i > 2"}, {"line": 11, "logMessage": "{t}"}]),
           frame(4, "setFunctionBreakpoints", breakpoints=[{"name": "f"}, {"name": "WMTIMER"}]),
           frame(5, "configurationDone")]
    for n, (command, arguments) in enumerate(steps, 6):
        out.append(frame(n, command, **arguments))
    return b"".join(out)


SESSIONS = {
    "steps": [("next", {"threadId": 1}), ("stepIn", {"threadId": 1}), ("stepOut", {"threadId": 1}),
              ("stackTrace", {"threadId": 1}), ("continue", {"threadId": 1})],
    "values": [("continue", {"threadId": 1}), ("scopes", {"frameId": 1}),
               ("variables", {"variablesReference": 1}),
               ("variables", {"variablesReference": 1003, "start": 0, "count": 5}),
               ("evaluate", {"expression": "a[2] * s + LEN(t)"}),
               ("setVariable", {"variablesReference": 1, "name": "t", "value": "\"ab\""}),
               ("continue", {"threadId": 1})],
    "back": [("continue", {"threadId": 1}), ("stepBack", {"threadId": 1}),
             ("reverseContinue", {"threadId": 1}), ("evaluate", {"expression": "pixel 5, 5"}),
             ("disconnect", {})],
}

if __name__ == "__main__":
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, steps in SESSIONS.items():
        with open(os.path.join(folder, "seed-" + name), "wb") as f:
            f.write(session(steps))

#!/usr/bin/env python3
"""Serves the playground on 127.0.0.1 with the headers it needs.

    web/serve.py SITE_DIR [PORT]     (PORT 0, the default 8000 aside, takes any free port)

The page runs scripts in a worker that shares memory with it (SharedArrayBuffer), which a
browser allows only to a cross-origin isolated page: every response carries the two headers
that make it so.
"""
import functools
import http.server
import sys


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript",
                      ".bas": "text/plain; charset=windows-1252"}

    def end_headers(self):
        self.send_header("Cross-Origin-Opener-Policy", "same-origin")
        self.send_header("Cross-Origin-Embedder-Policy", "require-corp")
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def log_message(self, format, *args):
        if "-v" in sys.argv:
            super().log_message(format, *args)


def main():
    args = [a for a in sys.argv[1:] if a != "-v"]
    if not args:
        sys.exit(__doc__)
    port = int(args[1]) if len(args) > 1 else 8000
    handler = functools.partial(Handler, directory=args[0])
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
    print(f"The playground: http://127.0.0.1:{server.server_address[1]}/", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Serves the playground on 127.0.0.1 with the headers it needs.

    web/serve.py [--plain] SITE_DIR [PORT]   (PORT 0, the default 8000 aside: any free port)

The page runs scripts in a worker that shares memory with it (SharedArrayBuffer), which a
browser allows only to a cross-origin isolated page: every response carries the two headers
that make it so. --plain leaves them out, as a static host that cannot send them would (the
page then isolates itself with a service worker).
"""
import functools
import http.server
import os
import sys
import urllib.parse
from http import HTTPStatus


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript",
                      ".bas": "text/plain; charset=windows-1252"}

    isolate = True

    def end_headers(self):
        if self.isolate:
            self.send_header("Cross-Origin-Opener-Policy", "same-origin")
            self.send_header("Cross-Origin-Embedder-Policy", "require-corp")
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def send_head(self):
        if not self.path_is_plausible():
            self.send_error(HTTPStatus.BAD_REQUEST, "No file of the site has this path")
            return None
        # A link in the site folder may lead out of it: what it leads to is not served.
        site = os.path.realpath(self.directory)
        target = os.path.realpath(self.translate_path(self.path))
        if os.path.commonpath([site, target]) != site:
            self.send_error(HTTPStatus.NOT_FOUND, "File not found")
            return None
        return super().send_head()

    def path_is_plausible(self):
        """False for a path no file of the site can have: one with a zero byte (which the file
        system refuses), with bytes that are not UTF-8, or with a step up a folder."""
        path = self.path.split("?", 1)[0].split("#", 1)[0]
        try:
            path = urllib.parse.unquote(path, errors="strict")
        except UnicodeDecodeError:
            return False
        return "\0" not in path and ".." not in path.split("/")

    def log_message(self, format, *args):
        if "-v" in sys.argv:
            super().log_message(format, *args)


def main():
    args = [a for a in sys.argv[1:] if a not in ("-v", "--plain")]
    Handler.isolate = "--plain" not in sys.argv
    if not args:
        sys.exit(__doc__)
    port = int(args[1]) if len(args) > 1 else 8000
    handler = functools.partial(Handler, directory=args[0])
    try:
        server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
    except OSError as error:
        sys.exit(f"web/serve.py: cannot serve on 127.0.0.1:{port}: {error.strerror} "
                 "(make web-serve WEB_PORT=N takes another port)")
    print(f"The playground: http://127.0.0.1:{server.server_address[1]}/", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()

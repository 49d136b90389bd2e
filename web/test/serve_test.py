#!/usr/bin/env python3
"""web/serve.py against hostile requests: each is answered (400, 404 or 414) without a
traceback, and nothing outside the site folder is served."""
import http.client
import os
import pathlib
import subprocess
import sys
import tempfile
import unittest

SERVE = pathlib.Path(__file__).resolve().parent.parent / "serve.py"


class HostilePaths(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.TemporaryDirectory()
        root = pathlib.Path(cls.scratch.name)
        site = root / "site"
        (site / "examples").mkdir(parents=True)
        (site / "index.html").write_text("the page")
        (site / "examples" / "hello.bas").write_text("PRINT 1, 1, 2\n")
        (root / "secret.txt").write_text("outside the site")
        os.symlink(root / "secret.txt", site / "leak.txt")
        cls.errors = open(root / "stderr", "w+")
        cls.server = subprocess.Popen([sys.executable, str(SERVE), str(site), "0"],
                                      stdout=subprocess.PIPE, stderr=cls.errors, text=True)
        line = cls.server.stdout.readline()
        cls.port = int(line.rstrip().rstrip("/").rsplit(":", 1)[1])

    @classmethod
    def tearDownClass(cls):
        cls.server.terminate()
        cls.server.wait()
        cls.errors.close()
        cls.scratch.cleanup()

    def get(self, path):
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=10)
        try:
            connection.putrequest("GET", path, skip_accept_encoding=True)
            connection.endheaders()
            response = connection.getresponse()
            return response.status, response.read()
        finally:
            connection.close()

    def stderr(self):
        self.errors.seek(0)
        return self.errors.read()

    def test_the_site_is_served(self):
        self.assertEqual(self.get("/"), (200, b"the page"))
        self.assertEqual(self.get("/examples/hello.bas?x=1"), (200, b"PRINT 1, 1, 2\n"))

    def test_hostile_paths_are_refused_without_a_traceback(self):
        cases = {
            "/%00": 400, "/index.html%00.png": 400, "/examples/%00/": 400,
            "/..%2f..": 400, "/..%2f..%2fsecret.txt": 400, "/%2e%2e/secret.txt": 400,
            "/../secret.txt": 400, "/examples/..%2F..%2Fsecret.txt": 400,
            "/%ff": 400, "/%c3%28.png": 400,
            "/" + "a" * 5000: 404, "/" + "a/" * 3000: 404, "/" + "a" * 70000: 414,
            "/leak.txt": 404, "/no-such-file": 404,
        }
        for path, status in cases.items():
            with self.subTest(path=path[:40]):
                got, body = self.get(path)
                self.assertEqual(got, status)
                self.assertNotIn(b"outside the site", body)
        # The server still answers, and said nothing of a failure.
        self.assertEqual(self.get("/")[0], 200)
        self.assertNotIn("Traceback", self.stderr())
        self.assertNotIn("Exception", self.stderr())


if __name__ == "__main__":
    unittest.main()

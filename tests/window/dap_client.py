"""A small client of brindle --dap for the window's tests: requests out, responses and events
in, each read as it comes."""
import json
import queue
import subprocess
import threading


class DapClient:
    def __init__(self, brindle, env, cwd):
        self.process = subprocess.Popen([brindle, '--dap'], env=env, cwd=cwd,
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE)
        self.messages = queue.Queue()
        self.seq = 0
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        out = self.process.stdout
        while True:
            header = out.readline()
            if not header:
                self.messages.put(None)
                return
            length = int(header.split(b':')[1])
            out.readline()
            self.messages.put(json.loads(out.read(length)))

    def send(self, command, **arguments):
        self.seq += 1
        body = json.dumps({'seq': self.seq, 'type': 'request', 'command': command,
                           'arguments': arguments}).encode()
        self.process.stdin.write(b'Content-Length: %d\r\n\r\n' % len(body) + body)
        self.process.stdin.flush()
        return self.seq

    def wait_for(self, kind, name, timeout=20.0):
        """The next response to command name (kind 'response') or event name ('event')."""
        key = 'command' if kind == 'response' else 'event'
        while True:
            try:
                message = self.messages.get(timeout=timeout)
            except queue.Empty:
                raise TimeoutError('no %s %s' % (kind, name))
            if message is None:
                raise EOFError('brindle --dap ended before the %s %s' % (kind, name))
            if message.get('type') == kind and message.get(key) == name:
                return message

    def ask(self, command, **arguments):
        self.send(command, **arguments)
        return self.wait_for('response', command)

    def end(self):
        self.send('disconnect')
        try:
            self.process.communicate(timeout=20)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.communicate()
        return self.process.returncode

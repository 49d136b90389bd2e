"""A virtual X display (Xvfb) to run brindle's window on, and what a user does there: find
windows, press keys, move and click the mouse, look at the screen, close a window.

Keys and the mouse go through xdotool, pictures come from ImageMagick's import, and closing a
window sends it the window manager's WM_DELETE_WINDOW message (there is no window manager).
"""
import ctypes
import ctypes.util
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))
import png_rgb  # noqa: E402

TOOLS = ('Xvfb', 'xdotool', 'import')
PROGRAM_TITLE = 'Brindlev10_16_5_2023'


def title_of(script_name):
    """The main window's title for a script of this file name, as a pattern for windows()."""
    return script_name.replace('.', '\\.') + ' - ' + PROGRAM_TITLE


# Run's scripts are all named script.bas.
MAIN_TITLE = title_of('script.bas')


class Failure(Exception):
    pass


def _end_with_parent():
    """In the child: a server left behind by a test that died would hold its display."""
    PR_SET_PDEATHSIG, SIGTERM = 1, 15
    ctypes.CDLL(None).prctl(PR_SET_PDEATHSIG, SIGTERM)


def _xlib():
    """libX11, with an error handler that reports instead of ending the process."""
    x11 = ctypes.CDLL(ctypes.util.find_library('X11') or 'libX11.so.6')
    if not hasattr(_xlib, 'handler'):
        handler_type = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
        _xlib.handler = handler_type(lambda display, error: 0)
        x11.XSetErrorHandler(_xlib.handler)
    return x11


def missing_tools():
    return [tool for tool in TOOLS if shutil.which(tool) is None]


def wait_until(what, predicate, timeout=20.0):
    """Polls predicate until it returns something true, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        result = predicate()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure('timed out waiting for ' + what)
        time.sleep(0.05)


class Picture:
    """RGB pixels, row-major."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def region(self, width, height):
        """The top-left width x height part."""
        rows = [self.rgb[y * self.width * 3:(y * self.width + width) * 3] for y in range(height)]
        return Picture(width, height, b''.join(rows))

    def count(self, color, x0=0, y0=0, x1=None, y1=None):
        x1 = self.width if x1 is None else x1
        y1 = self.height if y1 is None else y1
        return sum(self.pixel(x, y) == color for y in range(y0, y1) for x in range(x0, x1))

    def differences(self, other, ignore=lambda x, y: False):
        """Positions where two pictures of one size differ, ignore(x, y) aside."""
        assert (self.width, self.height) == (other.width, other.height)
        out = []
        for y in range(self.height):
            a = self.rgb[y * self.width * 3:(y + 1) * self.width * 3]
            b = other.rgb[y * self.width * 3:(y + 1) * self.width * 3]
            if a == b:
                continue
            out += [(x, y) for x in range(self.width)
                    if a[x * 3:x * 3 + 3] != b[x * 3:x * 3 + 3] and not ignore(x, y)]
        return out


def read_ppm(data):
    """A binary PPM (P6, maxval 255) as a Picture."""
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b'#':
            pos = data.index(b'\n', pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b'P6' or fields[3] != b'255':
        raise Failure('not an 8-bit PPM')
    width, height = int(fields[1]), int(fields[2])
    return Picture(width, height, data[pos + 1:pos + 1 + width * height * 3])


def read_png(path):
    """An 8-bit RGB or RGBA PNG without interlacing as a Picture."""
    try:
        width, height, rows = png_rgb.read_png(path)
    except ValueError as error:
        raise Failure(str(error))
    return Picture(width, height, b''.join(rows))


class XSession:
    """An Xvfb server of its own, large enough that message boxes, which open in the middle of
    the screen, do not cover the main window at the top left."""

    def __init__(self, width=2048, height=1536):
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ['Xvfb', '-displayfd', str(write_end), '-screen', '0', '%dx%dx24' % (width, height),
             '-nolisten', 'tcp', '-noreset'],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=_end_with_parent)
        os.close(write_end)
        number = b''
        with os.fdopen(read_end, 'rb') as ready:
            # Xvfb writes its display number once it accepts clients.
            while not number.endswith(b'\n'):
                chunk = ready.read(1)
                if not chunk:
                    raise Failure('Xvfb did not start')
                number += chunk
        self.display = ':' + number.decode().strip()
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop('WAYLAND_DISPLAY', None)

    def stop(self):
        self.server.terminate()
        self.server.wait()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()

    def xdotool(self, *args):
        result = subprocess.run(['xdotool'] + [str(a) for a in args], env=self.env,
                                capture_output=True, text=True, timeout=30)
        return result.stdout

    def windows(self, title):
        """Ids of the mapped windows with exactly this title."""
        out = self.xdotool('search', '--onlyvisible', '--name', '^%s$' % title)
        return [int(w) for w in out.split()]

    def find_window(self, title, timeout=20.0):
        return wait_until('a window titled ' + title,
                          lambda: (self.windows(title) or [None])[0], timeout)

    def wait_gone(self, title, timeout=20.0, window_id=None):
        """Until no window has the title, or, given its id, until that one is gone."""
        wait_until('the window titled %s to go' % title,
                   lambda: (window_id not in self.windows(title)) if window_id else
                   not self.windows(title), timeout)

    def size(self, window_id):
        fields = dict(line.split('=', 1) for line in
                      self.xdotool('getwindowgeometry', '--shell', window_id).split())
        return int(fields['WIDTH']), int(fields['HEIGHT'])

    def unmap_and_map(self, window_id):
        """What covering the window and uncovering it again does to it."""
        self.xdotool('windowunmap', '--sync', window_id)
        self.xdotool('windowmap', '--sync', window_id)

    def focus(self, window_id):
        self.xdotool('windowfocus', '--sync', window_id)

    def key(self, window_id, *keys):
        """Key presses (X key names) to the window, which takes the keyboard focus."""
        self.focus(window_id)
        self.xdotool('key', '--delay', 30, *keys)

    def type(self, window_id, text):
        self.focus(window_id)
        self.xdotool('type', '--delay', 30, text)

    def move(self, window_id, x, y):
        self.xdotool('mousemove', '--window', window_id, '--sync', x, y)

    def click(self, window_id, x, y):
        self.move(window_id, x, y)
        self.xdotool('click', 1)

    def resize(self, window_id, width, height):
        self.xdotool('windowsize', '--sync', window_id, width, height)

    def capture(self, window_id):
        data = subprocess.run(['import', '-silent', '-window', str(window_id), '-depth', '8',
                               'ppm:-'], env=self.env, capture_output=True, timeout=30).stdout
        return read_ppm(data)

    def close(self, window_id):
        """What the close button does: WM_DELETE_WINDOW through WM_PROTOCOLS."""
        x11 = _xlib()
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XInternAtom.restype = ctypes.c_ulong
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                   ctypes.c_void_p]
        x11.XFlush.argtypes = x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

        class ClientMessage(ctypes.Structure):
            _fields_ = [('type', ctypes.c_int), ('serial', ctypes.c_ulong),
                        ('send_event', ctypes.c_int), ('display', ctypes.c_void_p),
                        ('window', ctypes.c_ulong), ('message_type', ctypes.c_ulong),
                        ('format', ctypes.c_int), ('data', ctypes.c_long * 5),
                        ('pad', ctypes.c_long * 12)]  # an XEvent is 24 longs

        display = x11.XOpenDisplay(self.display.encode())
        if not display:
            raise Failure('cannot open ' + self.display)
        event = ClientMessage()
        event.type = 33  # ClientMessage
        event.window = window_id
        event.message_type = x11.XInternAtom(display, b'WM_PROTOCOLS', 0)
        event.format = 32
        event.data[0] = x11.XInternAtom(display, b'WM_DELETE_WINDOW', 0)
        x11.XSendEvent(display, window_id, 0, 0, ctypes.byref(event))
        x11.XFlush(display)
        x11.XCloseDisplay(display)

#!/usr/bin/env python3
"""End-to-end tests of brindle's desktop window, each on an Xvfb display of its own: a script
runs in the window, the test answers its boxes, presses keys, moves and clicks the mouse, and
checks the window's pixels that only the script's handlers could have drawn.

usage: window_test.py --list            the names of the tests
       window_test.py BRINDLE NAME      runs one; exit status 0 passed, 1 failed, 77 skipped
"""
import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from xsession import MAIN_TITLE, Failure, XSession, missing_tools, read_png, wait_until  # noqa

CANVAS = (784, 561)
BUTTON_FACE = (240, 240, 240)
TESTS = {}


def test(function):
    TESTS[function.__name__] = function
    return function


def check(condition, what):
    if not condition:
        raise Failure(what)


class Run:
    """brindle with a script, in a window on the session's display."""

    def __init__(self, session, brindle, script, args=()):
        # It runs in its own folder, where F12 saves its pictures.
        self.session, self.brindle = session, os.path.abspath(brindle)
        self.dir = tempfile.mkdtemp(prefix='brindle-window-')
        self.script = os.path.join(self.dir, 'script.bas')
        with open(self.script, 'w') as f:
            f.write(script)
        self.process = subprocess.Popen([self.brindle] + list(args) + [self.script],
                                        env=session.env,
                                        cwd=self.dir, stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE)
        self.window = None

    def start(self):
        """Answers the statistics box with Enter; returns the main window."""
        self.window = self.session.find_window(MAIN_TITLE)
        self.answer('Tokenizer')
        return self.window

    def answer(self, caption, key='Return'):
        box = self.session.find_window(caption)
        self.session.key(box, key)
        self.session.wait_gone(caption)

    def picture(self):
        return self.session.capture(self.window).region(*CANVAS)

    def wait_picture(self, what, predicate, timeout=20.0):
        """The window's picture, once predicate accepts it."""
        def accepted():
            picture = self.picture()
            return picture if predicate(picture) else None
        return wait_until(what, accepted, timeout)

    def wait_exit(self, timeout=20.0):
        try:
            out, err = self.process.communicate(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure('brindle did not end')
        return self.process.returncode, out.decode(errors='replace'), err.decode(errors='replace')

    def close(self, expected=()):
        """Closes the window: the program ends at once with status 0 and nothing on stderr but
        the lines of the faults it showed and the expected lines (a sanitizer's report would be
        there). Returns the expected lines it found."""
        self.session.close(self.window)
        status, _, err = self.wait_exit()
        found = [line for line in err.splitlines() if any(e in line for e in expected)]
        others = [line for line in err.splitlines() if line not in found and (
            not line.startswith(self.script + ':') or ': error: ' not in line)]
        check(status == 0 and not others, 'closing ended with status %d: %s' % (status, err))
        return found

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.communicate()

    def headless(self, events):
        """The screenshot of the same script run headless with this events timeline."""
        events_path = os.path.join(self.dir, 'events.txt')
        png = os.path.join(self.dir, 'headless.png')
        with open(events_path, 'w') as f:
            f.write(events + 'screenshot %s\nclose\n' % png)
        result = subprocess.run([self.brindle, '--headless', '--events', events_path,
                                 self.script], capture_output=True, timeout=60)
        check(result.returncode == 0, 'headless run: %r' % result.stderr)
        return read_png(png)


def same_as_headless(window, headless, ignore=lambda x, y: False):
    diff = window.differences(headless, ignore)
    check(not diff, '%d pixels differ from the headless screenshot, first at %s: window %s, '
          'headless %s' % (len(diff), diff[:1], diff and window.pixel(*diff[0]),
                           diff and headless.pixel(*diff[0])))


KEYS_AND_MOUSE = """VAR k, x, y
WCOLOR 10, 20, 30
SWAP
GOTO done
WINMSG WMKEYDOWN
HWPARAM k
BCOLOR k, 0, 200
FCOLOR k, 0, 200
RECT 100, 100, 50, 50
SWAP
ENDWM
WINMSG WMMOUSEMOVE
MOUSEX x
MOUSEY y
BCOLOR 0, 255, 0
FCOLOR 0, 255, 0
RECT x, y, 4, 4
SWAP
ENDWM
LABEL done
"""


@test
def keys_and_mouse_as_headless(session, brindle):
    run = Run(session, brindle, KEYS_AND_MOUSE)
    try:
        window = run.start()
        run.wait_picture('the script\'s background', lambda p: p.pixel(5, 5) == (10, 20, 30))
        for key, code in (('a', 65), ('comma', 188), ('Right', 39), ('KP_Add', 107)):
            session.key(window, key)
            run.wait_picture('the rectangle of key %s' % key,
                             lambda p: p.pixel(120, 120) == (code, 0, 200))
        session.move(window, 300, 200)
        picture = run.wait_picture('the mark of the mouse',
                                   lambda p: p.pixel(301, 201) == (0, 255, 0))
        check(picture.count((0, 255, 0)) == 16, 'one 4 x 4 mark')
        headless = run.headless('idle\nkey 65\nidle\nkey 188\nidle\nkey 39\nidle\nkey 107\n'
                                'idle\nmove 300 200\nidle\n')
        same_as_headless(picture, headless)
        run.close()
    finally:
        run.stop()


INPUT_BOXES = """PTR first, second
STR a, b
WCOLOR 200, 200, 255
INPUTBOX first, 20, 20, 200, 24, ""
INPUTBOX second, 20, 60, 200, 24, "xyz"
SWAP
GOTO done
WINMSG WMCOMMAND
GETTEXT first, a
GETTEXT second, b
BCOLOR 200, 0, 0
IF a = "Hello" & b = "world"
BCOLOR 0, 160, 0
ENDIF
RECT 20, 100, 100, 40
SWAP
ENDWM
LABEL done
"""


@test
def input_boxes_typing_tab_and_enter(session, brindle):
    run = Run(session, brindle, INPUT_BOXES)
    try:
        window = run.start()
        run.wait_picture('the boxes', lambda p: p.pixel(200, 70) == (255, 255, 255))
        session.click(window, 25, 30)
        session.type(window, 'Hello')
        session.key(window, 'Tab')  # to the second box, whose text it selects
        session.type(window, 'world')
        session.key(window, 'Return')
        picture = run.wait_picture('the handler\'s answer',
                                   lambda p: p.pixel(60, 120) != (200, 200, 255))
        check(picture.pixel(60, 120) == (0, 160, 0),
              'the handler read both boxes right (red means it did not): %s' %
              (picture.pixel(60, 120),))
        headless = run.headless('idle\nclick 25 30\ntype Hello\ntab\ntype world\nenter\nidle\n')
        # The window shows the focused box's caret (after "world"); screenshots do not.
        caret_x = 20 + 5 * 8
        same_as_headless(picture, headless, lambda x, y: x == caret_x and 60 <= y < 76)
        run.close()
    finally:
        run.stop()


MESSAGE_BOX_AND_TIMER = """VAR t, n
STR s
t = 40
WCOLOR 255, 255, 255
SWAP
TIMERON t
GOTO done
WINMSG WMTIMER
n = n + 1
BCOLOR 0, 0, 255
FCOLOR 0, 0, 255
RECT 0, 0, n, 20
SWAP
ENDWM
LABEL done
s = 5
"""


def bar(picture):
    return picture.count((0, 0, 255), 0, 10, CANVAS[0], 11)


@test
def message_box_answered_while_the_timer_draws(session, brindle):
    run = Run(session, brindle, MESSAGE_BOX_AND_TIMER)
    try:
        run.start()
        session.find_window('TYPE ERROR')
        first = bar(run.wait_picture('the timer to draw', lambda p: bar(p) > 0))
        run.wait_picture('the bar to grow behind the box', lambda p: bar(p) > first + 5)
        check(session.windows('TYPE ERROR'), 'the box is still open')
        run.answer('TYPE ERROR')
        after = bar(run.picture())
        run.wait_picture('the bar to grow after the box', lambda p: bar(p) > after + 5)
        run.close()  # with 0, although a run-time error was shown
    finally:
        run.stop()


BUSY_LOOP = """VAR i, x
WCOLOR 0, 0, 0
SWAP
WHILE i < 1
x = x + 1
WEND
"""


@test
def closing_ends_a_busy_loop(session, brindle):
    run = Run(session, brindle, BUSY_LOOP)
    try:
        run.start()
        run.wait_picture('the loop to start', lambda p: p.pixel(5, 5) == (0, 0, 0))
        run.close()
    finally:
        run.stop()


@test
def closing_while_a_box_is_open(session, brindle):
    run = Run(session, brindle, 'VAR x\n')
    try:
        run.window = session.find_window(MAIN_TITLE)
        session.find_window('Tokenizer')
        run.close()
    finally:
        run.stop()


FOUR_BOXES = """VAR v
WCOLOR 0, 0, 0
SETTEXT v, "a"
SETTEXT v, "b"
SETTEXT v, "c"
SETTEXT v, "d"
WCOLOR 0, 200, 0
"""


@test
def message_boxes_answer_to_ok_escape_space_and_closing(session, brindle):
    run = Run(session, brindle, FOUR_BOXES)
    caption = 'Hendler Error!'

    def click_ok(box):
        width, height = session.size(box)
        session.click(box, width - 12 - 40, height - 22)  # the button's middle

    try:
        run.start()
        for answer in (click_ok, lambda box: session.key(box, 'Escape'),
                       lambda box: session.key(box, 'space'), session.close):
            picture = run.picture()
            check(picture.pixel(5, 5) == (0, 0, 0), 'the script waits for the box')
            box = session.find_window(caption)
            answer(box)
            session.wait_gone(caption, window_id=box)
        run.wait_picture('the script to go on', lambda p: p.pixel(5, 5) == (0, 200, 0))
        run.close()
    finally:
        run.stop()


UNCOVERED = """WCOLOR 200, 0, 0
BCOLOR 0, 0, 255
FCOLOR 0, 0, 255
RECT 100, 100, 50, 50
"""


@test
def uncovering_repaints_from_the_canvas(session, brindle):
    run = Run(session, brindle, UNCOVERED)
    try:
        window = run.start()
        picture = run.wait_picture('the red window', lambda p: p.pixel(5, 5) == (200, 0, 0))
        check(picture.pixel(120, 120) == (200, 0, 0), 'the rectangle was never shown')
        session.unmap_and_map(window)
        picture = run.wait_picture('the repaint', lambda p: p.pixel(120, 120) == (0, 0, 255))
        same_as_headless(picture, run.headless('idle\npaint\nidle\n'))
        run.close()
    finally:
        run.stop()


ZOOMED = """VAR x, y
WCOLOR 50, 60, 70
SWAP
GOTO done
WINMSG WMMOUSEMOVE
MOUSEX x
MOUSEY y
BCOLOR 255, 255, 0
FCOLOR 255, 255, 0
RECT x, y, 1, 1
SWAP
ENDWM
LABEL done
"""


@test
def zoom_and_resize(session, brindle):
    run = Run(session, brindle, ZOOMED, ['--zoom', '2'])
    try:
        window = run.start()
        picture = wait_until('the zoomed window', lambda: (
            lambda p: p if p.pixel(2 * 783, 2 * 560) == (50, 60, 70) else None)(
                session.capture(window)))
        check((picture.width, picture.height) == (2 * 784, 2 * 561), 'twice the canvas')
        session.move(window, 601, 401)
        picture = wait_until('the one-pixel mark, twice as big', lambda: (
            lambda p: p if p.pixel(601, 401) == (255, 255, 0) else None)(
                session.capture(window)))
        marked = [(x, y) for y in range(396, 408) for x in range(596, 608)
                  if picture.pixel(x, y) == (255, 255, 0)]
        check(marked == [(x, y) for y in (400, 401) for x in (600, 601)],
              'canvas pixel (300, 200) as 2 x 2 window pixels: %s' % marked)
        session.resize(window, 1700, 1200)
        picture = wait_until('the enlarged window', lambda: (
            lambda p: p if (p.width, p.height) == (1700, 1200) and
            p.pixel(1650, 1150) == BUTTON_FACE else None)(session.capture(window)))
        check(picture.pixel(1650, 1150) == BUTTON_FACE, 'the rest is button face')
        check(picture.pixel(1650, 10) == BUTTON_FACE, 'right of the canvas too')
        check(picture.pixel(1500, 1000) == (50, 60, 70), 'the canvas stays at the top left')
        run.close()
    finally:
        run.stop()


@test
def quiet_shows_no_statistics_box(session, brindle):
    run = Run(session, brindle, KEYS_AND_MOUSE, ['--quiet'])
    try:
        run.window = session.find_window(MAIN_TITLE)
        run.wait_picture('the script\'s background', lambda p: p.pixel(5, 5) == (10, 20, 30))
        check(not session.windows('Tokenizer'), 'no statistics box')
        run.close()
    finally:
        run.stop()


@test
def f12_saves_the_picture_and_the_script_gets_the_key(session, brindle):
    run = Run(session, brindle, KEYS_AND_MOUSE)
    try:
        window = run.start()
        run.wait_picture('the script\'s background', lambda p: p.pixel(5, 5) == (10, 20, 30))
        session.key(window, 'F12')
        run.wait_picture('the rectangle of key F12', lambda p: p.pixel(120, 120) == (123, 0, 200))
        saved = wait_until('the saved picture', lambda: [
            name for name in os.listdir(run.dir) if name.startswith('brindle-')])
        check(re.fullmatch(r'brindle-\d{8}-\d{6}\.png', saved[0]), 'its name: %s' % saved)
        # Saved as the key went down, before the script drew for it.
        same_as_headless(read_png(os.path.join(run.dir, saved[0])), run.headless('idle\n'))
        said = run.close(['saved the window\'s picture'])
        check(said == ['brindle: saved the window\'s picture as %s' % saved[0]],
              'said on stderr: %s' % said)
    finally:
        run.stop()


@test
def screenshot_on_close_is_the_headless_one(session, brindle):
    png = os.path.join(tempfile.mkdtemp(prefix='brindle-shot-'), 'closed.png')
    run = Run(session, brindle, INPUT_BOXES, ['--screenshot', png])
    try:
        window = run.start()
        run.wait_picture('the boxes', lambda p: p.pixel(200, 70) == (255, 255, 255))
        session.click(window, 25, 30)
        session.type(window, 'Hello')
        session.key(window, 'Tab')
        session.type(window, 'world')
        session.key(window, 'Return')
        run.wait_picture('the handler\'s answer', lambda p: p.pixel(60, 120) == (0, 160, 0))
        check(not os.path.exists(png), 'written only when the window closes')
        run.close()
        # The focused box's caret is in the window, not in the picture.
        same_as_headless(read_png(png), run.headless(
            'idle\nclick 25 30\ntype Hello\ntab\ntype world\nenter\nidle\n'))
    finally:
        run.stop()


def lose_the_display(session, brindle, script, what):
    """Ends the X server under the running program once it shows black: it says so and exits
    with status 2, not with Xlib's own text and status 1."""
    run = Run(session, brindle, script)
    try:
        run.start()
        run.wait_picture(what, lambda p: p.pixel(5, 5) == (0, 0, 0))
        session.stop()
        status, _, err = run.wait_exit()
        check(status == 2, 'exit status %d' % status)
        check(err == 'brindle: lost the display\n', 'stderr: %r' % err)
    finally:
        run.stop()


@test
def losing_the_display_while_idle(session, brindle):
    lose_the_display(session, brindle, 'WCOLOR 0, 0, 0\n', 'the main part to end')


@test
def losing_the_display_while_busy(session, brindle):
    lose_the_display(session, brindle, BUSY_LOOP, 'the loop to start')


@test
def unreadable_script_is_shown_in_a_box(session, brindle):
    process = subprocess.Popen([brindle, '/nonexistent/game.bas'], env=session.env,
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    try:
        box = session.find_window('brindle')
        session.key(box, 'Return')
        _, err = process.communicate(timeout=20)
        check(process.returncode == 2, 'exit status %d' % process.returncode)
        check(err.decode() == 'brindle: cannot read /nonexistent/game.bas: No such file or '
              'directory\n', 'the reason on stderr too, and nothing else: %r' % err)
    finally:
        if process.poll() is None:
            process.kill()


def main():
    if sys.argv[1:] == ['--list']:
        print('\n'.join(TESTS))
        return 0
    if len(sys.argv) != 3 or sys.argv[2] not in TESTS:
        print(__doc__, file=sys.stderr)
        return 2
    brindle, name = sys.argv[1], sys.argv[2]
    missing = missing_tools()
    if missing:
        print('skipped: the window tests need %s (Debian: apt-get install xvfb xdotool '
              'imagemagick)' % ', '.join(missing))
        return 77
    with XSession() as session:
        try:
            TESTS[name](session, brindle)
        except Failure as failure:
            print('FAILED %s: %s' % (name, failure))
            return 1
    print('passed')
    return 0


if __name__ == '__main__':
    sys.exit(main())

#!/usr/bin/env python3
"""End-to-end tests of brindle's desktop window, each on an Xvfb display of its own: a script
runs in the window, the test answers its boxes, presses keys, moves and clicks the mouse, and
checks the window's pixels that only the script's handlers could have drawn.

usage: window_test.py --list            the names of the tests
       window_test.py BRINDLE NAME      runs one; exit status 0 passed, 1 failed, 77 skipped
                                        (what it needs missing; in CI that fails instead)
"""
import os
import re
import resource
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from dap_client import DapClient  # noqa: E402
from xsession import (MAIN_TITLE, Failure, XSession, missing_tools, read_png, title_of,  # noqa
                      wait_until)

CANVAS = (784, 561)
BUTTON_FACE = (240, 240, 240)
BLACK = (0, 0, 0)
TESTS = {}
SCREENS = {}  # the screen size of the tests that need one of their own


def test(function):
    TESTS[function.__name__] = function
    return function


def screen(width, height):
    """The test runs on a screen of this size."""
    def mark(function):
        SCREENS[function.__name__] = (width, height)
        return function
    return mark


def check(condition, what):
    if not condition:
        raise Failure(what)


class Run:
    """brindle with a script, in a window on the session's display: at zoom 1 unless args
    choose, so that window pixels are canvas pixels (the test screen would take zoom 2)."""

    def __init__(self, session, brindle, script, args=(), preexec_fn=None):
        # It runs in its own folder, where F12 saves its pictures.
        self.session, self.brindle = session, os.path.abspath(brindle)
        self.dir = tempfile.mkdtemp(prefix='brindle-window-')
        self.script = os.path.join(self.dir, 'script.bas')
        with open(self.script, 'w') as f:
            f.write(script)
        args = list(args) if '--zoom' in args else ['--zoom', '1'] + list(args)
        self.process = subprocess.Popen([brindle] + args + [self.script], env=session.env,
                                        cwd=self.dir, stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE, preexec_fn=preexec_fn)
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

    def close(self, other_lines=()):
        """Closes the window: the program ends at once with status 0 and nothing on stderr but
        the lines of the faults it showed (with their notes) and other lines, one for each of
        other_lines, in order, each holding it (a sanitizer's report would be there). Returns
        those lines."""
        self.session.close(self.window)
        status, _, err = self.wait_exit()
        others = [line for line in err.splitlines()
                  if not line.startswith(self.script + ':') or
                  (': error: ' not in line and ': note: ' not in line)]
        check(status == 0 and len(others) == len(other_lines) and
              all(part in line for part, line in zip(other_lines, others)),
              'closing ended with status %d: %s' % (status, err))
        return others

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.communicate()

    def headless(self, events):
        """The screenshot of the same script run headless with this events timeline."""
        events_path = os.path.join(self.dir, 'events.txt')
        png = os.path.join(self.dir, 'headless.png')
        with open(events_path, 'w') as f:
            f.write(events + 'screenshot %s\nclose\n' % os.path.basename(png))
        result = subprocess.run([self.brindle, '--headless', '--events', events_path,
                                 self.script], cwd=self.dir, capture_output=True, timeout=60)
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


@test
def record_typing_into_input_boxes_and_replay(session, brindle):
    """Clicks, typing, Tab and Enter recorded in the window replay headless to the same
    picture."""
    events = os.path.join(tempfile.mkdtemp(prefix='brindle-record-'), 'form.events')
    run = Run(session, brindle, INPUT_BOXES, ['--record', events, '--seed', '5'])
    try:
        window = run.start()
        run.wait_picture('the boxes', lambda p: p.pixel(200, 70) == (255, 255, 255))
        session.click(window, 25, 30)
        session.type(window, 'Hello')
        session.key(window, 'Tab')
        session.type(window, 'world')
        session.key(window, 'Return')
        picture = run.wait_picture('the handler\'s answer',
                                   lambda p: p.pixel(60, 120) == (0, 160, 0))
        run.close()
    finally:
        run.stop()
    recorded = open(events).read()
    check('--seed 5 --events' in recorded, 'the seed given is the one to replay with')
    for line in ('click 25 30', 'type H', 'idle\nkeydown 9', 'idle\nkeydown 13',
                 'idle\nkeyup 13'):
        check(line in recorded, '%r was recorded:\n%s' % (line, recorded))
    png = os.path.join(run.dir, 'replay.png')
    result = subprocess.run([brindle, '--headless', '--events', events, '--screenshot', png,
                             run.script], capture_output=True, timeout=60)
    check(result.returncode == 0, 'replay: %r' % result.stderr)
    caret_x = 20 + 5 * 8
    same_as_headless(picture, read_png(png), lambda x, y: x == caret_x and 60 <= y < 76)


def limit_file_size():
    """In the child: files of 64 bytes at most, as on a disk that fills up."""
    resource.setrlimit(resource.RLIMIT_FSIZE, (64, 64))


@test
def record_that_cannot_be_written_keeps_the_old_recording(session, brindle):
    """Past a file-size limit the session cannot be written down: the program says so when the
    window is closed, and the recording made before is left as it was, with no file beside it."""
    work = tempfile.mkdtemp(prefix='brindle-record-')
    events = os.path.join(work, 'game.events')
    old = '# A session of script.bas recorded by brindle --record. To replay it:\nidle\nclose\n'
    with open(events, 'w') as f:
        f.write(old)
    run = Run(session, brindle, KEYS_AND_MOUSE, ['--record', events], preexec_fn=limit_file_size)
    try:
        window = run.start()
        run.wait_picture('the script', lambda p: p.pixel(5, 5) == (10, 20, 30))
        session.key(window, 'a')
        session.close(window)
        status, _, err = run.wait_exit()
        check(status == 2 and err == 'brindle: cannot write %s: File too large\n' % events,
              'closing ended with status %d: %r' % (status, err))
    finally:
        run.stop()
    check(open(events).read() == old, 'the old recording is kept: %r' % open(events).read())
    check(os.listdir(work) == ['game.events'], 'files left: %s' % os.listdir(work))


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


IDLE = 'WCOLOR 0, 0, 80 : SWAP\n'
# Its ticks are a minute apart: a close the wait missed would not be found before the next.
SLOW_TIMER = """VAR t, n
t = 60000
WCOLOR 0, 0, 80 : SWAP
TIMERON t
GOTO done
WINMSG WMTIMER
n = n + 1
ENDWM
LABEL done
"""


@test
def every_close_ends_the_program_at_once(session, brindle):
    """The window opened again and again, waiting for events with nothing to wake it, and closed
    once each time at another moment after it appeared: each single close ends the program."""
    delays = (0.05, 0.3, 0.1, 0.6, 0.2, 1.0, 0.05, 0.4, 0.15, 0.8, 0.25, 0.5)
    for i, delay in enumerate(delays * 2):
        run = Run(session, brindle, (IDLE, SLOW_TIMER)[i % 2], ['--quiet'])
        try:
            run.window = session.find_window(MAIN_TITLE)
            time.sleep(delay)
            session.close(run.window)
            try:
                run.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                raise Failure('close %d (%.2f s after the window appeared) was lost' %
                              (i + 1, delay))
            check(run.process.returncode == 0, 'exit status %d' % run.process.returncode)
        finally:
            run.stop()


# Busy loops compiled whole, one going round by its WEND and one by a GOTO inside it; a key
# ends each through its handler, taken where the loop passes a token that begins no statement
# (the ENDIF).
BUSY_LOOPS_ENDED_BY_KEYS = """VAR i, x
GOTO main
WINMSG WMKEYDOWN
i = i + 1
ENDWM
LABEL main
WCOLOR 0, 0, 0
SWAP
WHILE i < 1
x = x + 1
IF x > 5
x = 0
ENDIF
WEND
WCOLOR 0, 200, 0
SWAP
WHILE i < 2
LABEL again
x = x + 1
IF i < 2
GOTO again
ENDIF
WEND
WCOLOR 0, 0, 200
SWAP
"""


@test
def keys_end_busy_compiled_loops(session, brindle):
    run = Run(session, brindle, BUSY_LOOPS_ENDED_BY_KEYS)
    try:
        run.start()
        run.wait_picture('the first loop to start', lambda p: p.pixel(5, 5) == (0, 0, 0))
        session.key(run.window, 'a')
        run.wait_picture('the second loop to start', lambda p: p.pixel(5, 5) == (0, 200, 0))
        session.key(run.window, 'b')
        run.wait_picture('the second loop to end', lambda p: p.pixel(5, 5) == (0, 0, 200))
        run.close()
    finally:
        run.stop()


# Two pictures a moment apart, then a loop that takes no events: the window still shows the
# second, although it came too soon after the first to be shown at once.
SWAPS_THEN_BUSY = """VAR i, x
WCOLOR 0, 0, 0
SWAP
WCOLOR 0, 200, 0
SWAP
WHILE i < 1
x = x + 1
WEND
"""


@test
def a_busy_loop_shows_its_last_swap(session, brindle):
    run = Run(session, brindle, SWAPS_THEN_BUSY)
    try:
        run.start()
        run.wait_picture('the second picture', lambda p: p.pixel(5, 5) == (0, 200, 0))
        run.close()
    finally:
        run.stop()


# A timer that clears the window, draws a frame and shows it: in a fraction of its interval, or
# in more than its interval, its ticks then running nested inside its own drawing (until the
# nesting limit, no frame is finished: the window shows the clearings then). The mark in the
# corner, drawn last, tells a finished frame from a repaint of one half drawn.
CLEARING_TIMER = """VAR t, i
t = 16
TIMERON t
GOTO done
WINMSG WMTIMER
WCOLOR 0, 0, 80
BCOLOR 200, 100, 0
FCOLOR 200, 100, 0
i = 0
WHILE i < RECTS
RECT 100, 100, 500, 300
i = i + 1
WEND
BCOLOR 0, 200, 0
FCOLOR 0, 200, 0
RECT 700, 500, 20, 20
SWAP
ENDWM
LABEL done
"""


def finished_frame(picture):
    return picture.pixel(300, 200) == (200, 100, 0) and picture.pixel(710, 510) == (0, 200, 0)


@test
def a_clearing_timer_shows_only_its_finished_frames(session, brindle):
    """The window, looked at again and again, shows a finished frame each time, never the
    background that the frame's drawing started from."""
    for rects in (30, 300):
        run = Run(session, brindle, CLEARING_TIMER.replace('RECTS', str(rects)), ['--quiet'])
        try:
            run.window = session.find_window(MAIN_TITLE)
            run.wait_picture('the first finished frame', finished_frame, timeout=30)
            for look in range(20):
                picture = run.picture()
                check(finished_frame(picture), '%d rectangles a frame: look %d found %s and %s, '
                      'not the finished frame' % (rects, look + 1, picture.pixel(300, 200),
                                                  picture.pixel(710, 510)))
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


def start_with_default_zoom(session, brindle, script):
    """brindle with no --zoom, as users start it; the main window once it has its size."""
    run = Run(session, brindle, script, ['--zoom', 'auto'])
    window = run.start()
    wait_until('the window at its size', lambda: session.size(window) != (0, 0))
    return run, window


@test
@screen(1600, 1200)
def zoom_auto_takes_the_largest_factor_that_fits(session, brindle):
    # 1568 x 1122 and a frame fit on 1600 x 1200; three times the canvas would not.
    run, window = start_with_default_zoom(session, brindle, ZOOMED)
    try:
        check(session.size(window) == (2 * 784, 2 * 561), 'zoom 2: %s' % (session.size(window),))
        session.move(window, 601, 401)
        wait_until('the mark at canvas pixel (300, 200)', lambda: (
            session.capture(window).pixel(600, 400) == (255, 255, 0)))
        run.close()
    finally:
        run.stop()
    forced = Run(session, brindle, ZOOMED, ['--zoom', '1'])
    try:
        window = forced.start()
        check(session.size(window) == CANVAS, '--zoom 1 still forces 1')
        forced.close()
    finally:
        forced.stop()


@test
@screen(700, 500)
def zoom_auto_is_one_on_a_screen_smaller_than_the_canvas(session, brindle):
    run, window = start_with_default_zoom(session, brindle, ZOOMED)
    try:
        check(session.size(window) == CANVAS, 'zoom 1: %s' % (session.size(window),))
        run.close()
    finally:
        run.stop()


@test
@screen(1600, 1200)
def f11_shows_the_canvas_full_screen_centred_on_black(session, brindle):
    run = Run(session, brindle, KEYS_AND_MOUSE)
    background = (10, 20, 30)
    try:
        window = run.start()
        run.wait_picture('the script\'s background', lambda p: p.pixel(5, 5) == background)
        session.key(window, 'F11')
        run.wait_picture('the black margin', lambda p: p.pixel(0, 0) == BLACK)
        # There is no window manager to act on the window's request: the test does what one
        # would, and gives the window the whole screen.
        session.resize(window, 1600, 1200)
        left, top = (1600 - 2 * 784) // 2, (1200 - 2 * 561) // 2
        picture = wait_until('the canvas twice as large in the middle', lambda: (
            lambda p: p if (p.width, p.height) == (1600, 1200) and
            p.pixel(left, top) == background and
            p.pixel(left + 2 * 784 - 1, top + 2 * 561 - 1) == background else None)(
                session.capture(window)))
        for x, y in ((left - 1, 600), (left + 2 * 784, 600), (800, top - 1),
                     (800, top + 2 * 561), (0, 0), (1599, 1199)):
            check(picture.pixel(x, y) == BLACK, 'black around the canvas at %d, %d' % (x, y))
        # F11 also reached the script: its key rectangle at canvas (100, 100), in key 122's
        # colour.
        check(picture.pixel(left + 2 * 100, top + 2 * 100) == (122, 0, 200),
              'the script saw F11: %s' % (picture.pixel(left + 200, top + 200),))
        session.move(window, left + 2 * 300 + 1, top + 2 * 200 + 1)
        picture = wait_until('the mark at canvas pixel (300, 200)', lambda: (
            lambda p: p if p.pixel(left + 600, top + 400) == (0, 255, 0) else None)(
                session.capture(window)))
        marked = [(x, y) for y in range(top + 396, top + 412) for x in range(left + 596, left + 612)
                  if picture.pixel(x, y) == (0, 255, 0)]
        check(marked == [(left + x, top + y) for y in range(400, 408) for x in range(600, 608)],
              'the 4 x 4 mark as 8 x 8 screen pixels at canvas (300, 200)')
        session.key(window, 'F11')
        run.wait_picture('the canvas at the top left', lambda p: p.pixel(0, 0) == background)
        session.resize(window, 784, 561)
        run.wait_picture('the canvas back at the top left',
                         lambda p: p.pixel(0, 0) == background and p.pixel(783, 560) != BLACK)
        run.close()
    finally:
        run.stop()


@test
def keys_right_after_the_statistics_box_reach_the_script(session, brindle):
    run = Run(session, brindle, KEYS_AND_MOUSE)
    try:
        run.window = session.find_window(MAIN_TITLE)
        box = session.find_window('Tokenizer')
        wait_until('the box to take the keyboard',
                   lambda: session.xdotool('getwindowfocus').strip() == str(box))
        session.xdotool('key', 'Return')
        session.wait_gone('Tokenizer')
        # No window manager gives the window the keyboard back, and the test does not either.
        session.xdotool('key', 'a')
        run.wait_picture('the rectangle of key A', lambda p: p.pixel(120, 120) == (65, 0, 200))
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


def save(path, text, by_rename):
    """As an editor saves: a new file renamed over the old one, or the file written in place."""
    if by_rename:
        with open(path + '.new', 'w') as f:
            f.write(text)
        os.rename(path + '.new', path)
    else:
        with open(path, 'w') as f:
            f.write(text)


def geometry(session, window_id):
    return session.xdotool('getwindowgeometry', window_id).split('\n')[1:3]


# The first script leaves behind all it can: variables, a focused input box, a running timer.
WATCHED_FIRST = """VAR n, t
PTR box
n = n + 1
t = 30
WCOLOR 10, 20, 30
INPUTBOX box, 20, 20, 200, 24, "first"
TIMERON t
SWAP
GOTO done
WINMSG WMTIMER
n = n + 1
ENDWM
LABEL done
"""

# Green squares where it finds what a new process would: n counted from 0, the first input
# box's handle. VAR q = 5 draws a warning.
WATCHED_SECOND = """VAR n, q = 5
PTR box
n = n + 1
WCOLOR 200, 100, 0
BCOLOR 255, 0, 0
FCOLOR 255, 0, 0
IF n = 1 : BCOLOR 0, 255, 0 : FCOLOR 0, 255, 0 : ENDIF
RECT 400, 20, 50, 50
INPUTBOX box, 300, 300, 100, 24, "x"
BCOLOR 255, 0, 0
FCOLOR 255, 0, 0
IF box = 131088 : BCOLOR 0, 255, 0 : FCOLOR 0, 255, 0 : ENDIF
RECT 500, 20, 50, 50
SWAP
"""


@test
def watch_reruns_afresh_in_the_same_window(session, brindle):
    run = Run(session, brindle, WATCHED_FIRST, ['--watch'])
    try:
        window = run.start()
        run.wait_picture('the first run', lambda p: p.pixel(25, 50) == (10, 20, 30))
        session.click(window, 25, 30)  # the box takes the focus
        session.resize(window, 900, 700)
        where = geometry(session, window)
        save(run.script, WATCHED_SECOND, by_rename=True)
        run.answer('Tokenizer')
        picture = run.wait_picture('the second run', lambda p: p.pixel(5, 5) == (200, 100, 0))
        check(picture.pixel(420, 40) == (0, 255, 0), 'variables start afresh')
        check(picture.pixel(520, 40) == (0, 255, 0), 'input boxes start afresh')
        check(picture.pixel(25, 30) == (200, 100, 0), 'the first run\'s box is gone')
        check(geometry(session, window) == where, 'the window stays where it was, as large')
        session.type(window, 'z')  # no box has the focus in a new run
        time.sleep(0.5)
        same_as_headless(run.picture(), run.headless('idle\n'))
        run.close(['brindle: %s changed; running it again' % run.script,
                   '%s:1:10: warning: a declaration stores no value: q starts at 0 ("" for '
                   'STR); assign the value on a line of its own [W02]' % run.script])
    finally:
        run.stop()


@test
def watch_through_faults_busy_loops_and_a_missing_file(session, brindle):
    """A save ends a busy loop and an open fault box alike; a script the checks refuse, or the
    tokenizer, waits for the next save, as does a file that has gone."""
    run = Run(session, brindle, BUSY_LOOP, ['--watch'])
    changed = 'brindle: %s changed; running it again' % run.script
    try:
        run.start()
        run.wait_picture('the loop to start', lambda p: p.pixel(5, 5) == (0, 0, 0))
        save(run.script, 'IF x\n', by_rename=False)
        run.answer('Tokenizer')
        session.find_window('ERROR~IF')  # left open: the next save ends it
        save(run.script, 'WCOLOR 0, 0, 200\n', by_rename=True)
        session.wait_gone('ERROR~IF')
        run.answer('Tokenizer')
        run.wait_picture('the good script', lambda p: p.pixel(5, 5) == (0, 0, 200))
        save(run.script, 'WCOLOR 9, 9, 9', by_rename=False)  # no line end: the tokenizer
        run.answer('Tokenizer')                               # refuses it
        run.answer('Process Terminated!')
        run.answer('Program Exit!')
        os.remove(run.script)
        time.sleep(0.5)
        check(not session.windows('Tokenizer'), 'a file that has gone is waited for')
        save(run.script, 'WCOLOR 0, 200, 0\n', by_rename=False)
        run.answer('Tokenizer')
        run.wait_picture('the file back', lambda p: p.pixel(5, 5) == (0, 200, 0))
        run.close([changed] * 4)
    finally:
        run.stop()


DRAWING_WITHOUT_SWAP = """BCOLOR 0, 0, 200
RECT 10, 10, 60, 60
PRINT 100, 100, "x"
"""


@test
@screen(1024, 768)
def debugger_shows_what_is_drawn_at_a_stop_and_serves_while_idle(session, brindle):
    """Stopped at a breakpoint, the window shows what the script has drawn though nothing has
    shown it yet; once the script waits for events, a pause still stops it and a disconnect
    ends it."""
    folder = tempfile.mkdtemp(prefix='brindle-dap-')
    script = os.path.join(folder, 'script.bas')
    with open(script, 'w') as f:
        f.write(DRAWING_WITHOUT_SWAP)
    dap = DapClient(brindle, session.env, folder)
    try:
        dap.ask('initialize', adapterID='brindle')
        dap.ask('launch', program=script, headless=False)
        lines = dap.ask('setBreakpoints', source={'path': script}, breakpoints=[{'line': 3}])
        check(lines['body']['breakpoints'][0]['line'] == 3, 'the breakpoint is on line 3')
        dap.ask('configurationDone')
        check(dap.wait_for('event', 'stopped')['body']['reason'] == 'breakpoint', 'a stop')
        window = session.find_window(MAIN_TITLE)

        def box_drawn():
            picture = session.capture(window).region(*CANVAS)
            return picture if picture.pixel(30, 30) == (0, 0, 200) else None
        wait_until('the box drawn before any SWAP', box_drawn)
        # Back before the RECT: the window shows the canvas as it was then.
        check(dap.ask('stepBack', threadId=1)['success'], 'a step back in a window')
        check(dap.wait_for('event', 'stopped')['body']['reason'] == 'step', 'back a step')
        wait_until('the box gone again', lambda: (lambda p: p if p.pixel(30, 30) != (0, 0, 200)
                                                  else None)(session.capture(window).region(*CANVAS)))
        dap.ask('continue', threadId=1)
        check(dap.wait_for('event', 'stopped')['body']['reason'] == 'breakpoint', 'line 3 again')
        dap.ask('continue', threadId=1)
        time.sleep(0.5)  # the script has ended and waits for events
        dap.send('pause', threadId=1)
        check(dap.wait_for('event', 'stopped')['body']['reason'] == 'pause', 'paused while idle')
    finally:
        status = dap.end()
    check(status == 0, 'disconnect ends brindle --dap with status 0, not %s' % status)


KEYS_DEBUGGED = """VAR n, key, g, x
WCOLOR 0, 0, 0
SWAP
GOTO done
WINMSG WMKEYDOWN
HWPARAM key
n = n + 1
g = n * 60
x = n * 40
BCOLOR 0, g, 0
RECT x, 20, 30, 30
ENDWM
LABEL done
"""


@test
@screen(1024, 768)
def debugger_steps_back_over_keys_and_answers_clicks_on_pixels(session, brindle):
    """The keys the user pressed are given to the script again, at the same statements, when a
    step back runs it again; a click on the stopped window names the line that drew there."""
    folder = tempfile.mkdtemp(prefix='brindle-dap-')
    script = os.path.join(folder, 'script.bas')
    with open(script, 'w') as f:
        f.write(KEYS_DEBUGGED)
    dap = DapClient(brindle, session.env, folder)
    try:
        dap.ask('initialize', adapterID='brindle')
        dap.ask('launch', program=script, headless=False)
        dap.ask('setBreakpoints', source={'path': script},
                breakpoints=[{'line': 8, 'hitCondition': '3'}])
        dap.ask('configurationDone')
        window = session.find_window(MAIN_TITLE)
        wait_until('the black background', lambda: (lambda p: p if p.pixel(5, 5) == (0, 0, 0)
                                                     else None)(session.capture(window).region(*CANVAS)))
        session.key(window, 'a', 'b', 'c')
        check(dap.wait_for('event', 'stopped')['body']['reason'] == 'breakpoint', 'the third key')

        def value(name):
            return dap.ask('evaluate', expression=name)['body']['result']
        check((value('n'), value('key')) == ('3', '67'), 'n and key at the stop')
        dap.ask('stepBack', threadId=1)
        dap.wait_for('event', 'stopped')
        check(value('n') == '2', 'one step back: n not yet counted, %s' % value('n'))
        dap.ask('next', threadId=1)
        dap.wait_for('event', 'stopped')
        check((value('n'), value('key')) == ('3', '67'), 'forward again: the same values')
        for _ in range(2):
            dap.ask('stepBack', threadId=1)
            dap.wait_for('event', 'stopped')
        check(value('key') == '66', 'before HWPARAM: the second key, not %s' % value('key'))
        session.click(window, 45, 25)
        said = dap.wait_for('event', 'output')['body']['output']
        check(said == 'pixel 45, 25: line 11\n', 'the click answered: %r' % said)
        wait_until('the note at the click', lambda: (lambda p: p if p.pixel(53, 33) ==
                                                     (255, 255, 225) else None)(
            session.capture(window).region(*CANVAS)))
        dap.ask('continue', threadId=1)
    finally:
        status = dap.end()
    check(status == 0, 'disconnect ends brindle --dap with status 0, not %s' % status)


EXAMPLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'examples')
# examples/meteors.bas: the field's corner, its cells, and the colours that tell a meteor, the
# ship's cockpit and the game-over banner.
FIELD, CELL, COLUMNS, ROWS = (136, 72), 32, 16, 14
METEOR, COCKPIT, BANNER = (150, 85, 50), (20, 60, 120), (60, 20, 40)


def meteors_seen(picture):
    """(column, row) of each meteor on the field, from 1."""
    return [(mx, my) for mx in range(1, COLUMNS + 1) for my in range(1, ROWS + 1)
            if picture.pixel(FIELD[0] + mx * CELL - 10, FIELD[1] + my * CELL - 21) == METEOR]


def ship_column(picture):
    y = FIELD[1] + (ROWS - 1) * CELL + 19
    found = [px for px in range(1, COLUMNS + 1)
             if picture.pixel(FIELD[0] + (px - 1) * CELL + 16, y) == COCKPIT]
    return found[0] if found else None


def play_meteors_to_the_end(session, window, grab, timeout=120.0):
    """Steers the ship under falling meteors until three hits end the game; returns the
    picture of the game-over banner, once the window no longer changes."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        picture = grab()
        if picture.pixel(240, 250) == BANNER:
            return wait_until('the picture to settle', lambda: (
                lambda again: again if again.rgb == picture.rgb else None)(grab()))
        px = ship_column(picture)
        seen = meteors_seen(picture)
        if px is None or any(mx == px and my < ROWS for mx, my in seen):
            time.sleep(0.05)  # one is on its way down onto the ship
            continue
        coming = [(abs(mx - px), mx) for mx, my in seen if my <= ROWS - 6]
        if coming:
            _, target = min(coming)
            keys = ['Left' if target < px else 'Right'] * abs(target - px)
            session.xdotool('key', '--delay', 20, *keys)
    raise Failure('the game did not end')


@test
def record_meteors_and_replay_headless(session, brindle):
    """A game of Meteor Dodge played in the window, recorded, replays headless to the same
    picture, pixel for pixel."""
    work = tempfile.mkdtemp(prefix='brindle-record-')
    events = os.path.join(work, 'game.events')
    script = os.path.join(EXAMPLES, 'meteors.bas')
    process = subprocess.Popen([brindle, '--zoom', '1', '--record', events, script], env=session.env,
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    try:
        window = session.find_window(title_of('meteors.bas'))
        box = session.find_window('Tokenizer')
        session.key(box, 'Return')
        session.wait_gone('Tokenizer')
        session.focus(window)
        session.move(window, 400, 300)
        session.xdotool('click', 1)
        session.key(window, 'Left', 'Right')
        last = play_meteors_to_the_end(
            session, window, lambda: session.capture(window).region(*CANVAS))
        session.close(window)
        _, err = process.communicate(timeout=20)
        check(process.returncode == 0 and not err, 'recording: %d %r' % (process.returncode, err))
    finally:
        if process.poll() is None:
            process.kill()
    recorded = open(events).read()
    replay = re.search(r'^# (brindle --headless --seed \d+) --events ', recorded, re.M)
    check(replay, 'the replay command is in the file: %r' % recorded[:300])
    for line in ('keydown 37', 'keyup 39', 'move 400 300', 'click 400 300', 'idle\nclose'):
        check(line in recorded, '%r was recorded' % line)
    png = os.path.join(work, 'replay.png')
    result = subprocess.run([brindle] + replay.group(1).split()[1:] +
                            ['--events', events, '--screenshot', png, script],
                            capture_output=True, timeout=120)
    check(result.returncode == 0, 'replay: %r' % result.stderr)
    same_as_headless(last, read_png(png))


# Tests of timing that only a build at full speed shows as users see it, with the processor to
# itself: ctest runs them alone (--list-timing names them).
TIMING_TESTS = {'a_clearing_timer_shows_only_its_finished_frames'}


def main():
    if sys.argv[1:] == ['--list']:
        print('\n'.join(TESTS))
        return 0
    if sys.argv[1:] == ['--list-timing']:
        print('\n'.join(sorted(TIMING_TESTS)))
        return 0
    if len(sys.argv) != 3 or sys.argv[2] not in TESTS:
        print(__doc__, file=sys.stderr)
        return 2
    brindle, name = sys.argv[1], sys.argv[2]
    if name in TIMING_TESTS and os.environ.get('BRINDLE_SANITIZED'):
        print('skipped: a sanitizer build runs several times slower than the program users get, '
              'and what this test watches is how frames keep up')
        return 77
    missing = missing_tools()
    if missing and os.environ.get('CI'):
        print('FAILED: the window tests need %s, and CI runs them (Debian: apt-get install xvfb '
              'xdotool imagemagick)' % ', '.join(missing))
        return 1
    if missing:
        print('skipped: the window tests need %s (Debian: apt-get install xvfb xdotool '
              'imagemagick)' % ', '.join(missing))
        return 77
    with XSession(*SCREENS.get(name, ())) as session:
        try:
            TESTS[name](session, brindle)
        except Failure as failure:
            print('FAILED %s: %s' % (name, failure))
            return 1
    print('passed')
    return 0


if __name__ == '__main__':
    sys.exit(main())

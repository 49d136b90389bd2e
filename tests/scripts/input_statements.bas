' What the four statements do, with every fault they report.
PTR e
PTR f
PTR z
VAR v
STR s
' No box yet: GETTEXT stores the run's fresh buffer, 256 spaces.
GETTEXT e, s
PRINT 0, 0, s
' A VAR handle is reported, and the box is made all the same.
INPUTBOX v, 10, 10, 200, 24, "first"
INPUTBOX e, 10, 40, 200, 24, "Name"
PRINT 0, 20, e
PRINT 0, 30, v
' SETTEXT notifies at once: HWPARAM reads 1000.
SETTEXT e, "a much longer text"
HWPARAM v
PRINT 0, 40, v
GETTEXT e, s
PRINT 0, 60, s
' A shorter text read over a longer one ends at its zero byte.
SETTEXT e, "short"
GETTEXT e, s
PRINT 0, 80, s
' A handle that is no box leaves the buffer as the last read left it.
GETTEXT z, s
PRINT 0, 90, s
GETTEXT e, v
SETTEXT e, v
SETTEXT e, 5
SETTEXT e, s + "!"
GETTEXT e, s
PRINT 0, 95, s
' A VAR handle is reported, and the control stays the one used last.
GETTEXT v, s
PRINT 0, 100, s
INPUTBOX f, 10, 70, 100, 24, "second" + "!"
' SETFOCUS with a number hides the newest box, with any box's handle shows it.
SETFOCUS 0
SETFOCUS e
SETFOCUS 0
SETFOCUS v
PRINT 0, 120, f

' Typing into boxes through the message loop: keys reach a focused box, not the handlers;
' Enter gives the command handler; Escape is command 2; each run's GETTEXT buffer is fresh.
PTR e
PTR g
PTR z
STR s
VAR k
VAR t
t = 100
INPUTBOX e, 10, 10, 200, 24, ""
INPUTBOX g, 10, 40, 200, 24, "xyz"
TIMERON t
WINMSG WMKEYDOWN
HWPARAM k
PRINT 300, 0, k
ENDWM
WINMSG WMCOMMAND
GETTEXT e, s
PRINT 300, 20, s
GETTEXT g, s
PRINT 300, 40, s
ENDWM
WINMSG WMTIMER
HWPARAM k
PRINT 300, 60, k
GETTEXT z, s
PRINT 300, 80, s
TIMEROFF
ENDWM

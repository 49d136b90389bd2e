' Catch the falling stars: steer the basket with the arrow keys or the mouse.
' Each star in the basket scores a point; three stars on the grass end the game.
VAR t, n, i, x, y, bx, right, key, mx, score, missed, best, over
VAR sx[5], sy[5]
STR text, name, bestname
PTR star, box

LOADIMG star, "star.bmp", 0, 0, 0, 16
INPUTBOX box, 272, 300, 240, 16, ""
SETFOCUS 0
n = 4
t = 50
newgame()
GOTO ready

' Every tick moves each star down; the faster stars have the higher numbers.
WINMSG WMTIMER
i = 0
WHILE i < n
i = i + 1
fall()
WEND
redraw()
ENDWM

WINMSG WMKEYDOWN
HWPARAM key
IF key = 37 & bx > 0 : bx = bx - 24 : ENDIF
IF key = 39 & bx < 704 : bx = bx + 24 : ENDIF
ENDWM

WINMSG WMMOUSEMOVE
MOUSEX mx
bx = mx - 40
ENDWM

' Enter, once the game is over: keep the name with the best score, then play again.
WINMSG WMCOMMAND
IF over = 1 : keepname() : ENDIF
ENDWM

FUNC newgame()
score = 0 : missed = 0 : over = 0 : bx = 352
i = 0
WHILE i < n
i = i + 1
sx[i] = RAND(740) + 20
sy[i] = 0 - i * 60
WEND
TIMERON t
ENDFN

FUNC fall()
sy[i] = sy[i] + 3 + i * 3
x = sx[i] : y = sy[i] : right = bx + 80
IF y > 484 & x > bx & x < right : caught() : ENDIF
IF y > 530 : lost() : ENDIF
ENDFN

FUNC caught()
score = score + 1
again()
ENDFN

FUNC lost()
missed = missed + 1
again()
IF missed = 3 : gameover() : ENDIF
ENDFN

' Star i starts again above the sky, at a new place.
FUNC again()
sx[i] = RAND(740) + 20
sy[i] = 0 - RAND(200)
y = 0
ENDFN

FUNC gameover()
over = 1
TIMEROFF
SETFOCUS box
ENDFN

FUNC keepname()
GETTEXT box, name
IF score > best : best = score : bestname = name : ENDIF
SETFOCUS 0
newgame()
ENDFN

FUNC redraw()
FCOLOR 20, 30, 70 : BCOLOR 20, 30, 70
RECT 0, 0, 784, 520
FCOLOR 40, 120, 50 : BCOLOR 40, 120, 50
RECT 0, 520, 784, 41
i = 0
WHILE i < n
i = i + 1
x = sx[i] - 12 : y = sy[i] - 12
SHOWIMGT star, x, y, 24, 24
WEND
FCOLOR 90, 50, 20 : BCOLOR 160, 100, 40
RECT bx, 490, 80, 24
LINE bx, 498, bx + 80, 498
LINE bx, 506, bx + 80, 506
FCOLOR 255, 255, 255
text = "Score: " + STRS(score)
text = text + "   Missed: " + STRS(missed)
PRINT 16, 12, text
IF best > 0 : showbest() : ENDIF
IF over = 1 : banner() : ENDIF
SWAP
ENDFN

FUNC showbest()
text = "Best: " + bestname
text = text + " " + STRS(best)
PRINT 560, 12, text
ENDFN

FUNC banner()
FCOLOR 255, 230, 120 : BCOLOR 60, 30, 70
RECT 232, 224, 320, 112
PRINT 336, 240, "GAME OVER"
PRINT 248, 270, "Type your name and press Enter"
ENDFN

LABEL ready

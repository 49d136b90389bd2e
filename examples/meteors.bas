' Meteor Dodge: steer your ship with the arrow keys and dodge the falling meteors.
' Every meteor that falls past you scores a point, every ten points the meteors fall faster,
' and three hits end the game. Press Enter to play again.
' Headless, its events file plays a short game:
'   build/brindle --headless --events examples/meteors.events examples/meteors.bas

' The playing field: a grid of cells, 32 pixels each, with the top-left corner at fx, fy.
VAR cell, cols, rows, fx, fy, fw, fh, fw1, fh1, lastcol
' The game: the ship's cell, the score, the lives left, the speed, and whether it is over.
VAR px, py, score, lives, level, nextlevel, interval, over, best, changed, key
' Helpers for loops and drawing.
VAR i, j, k, n, cx, cy, sx, sy, rx, ry, row, half, red, green
' Meteors by column and row (a row below 1 means "still above the field"), and the stars.
VAR count, mx[8], my[8], starx[40], stary[40]
STR text

cell = 32 : cols = 16 : rows = 14
fw = cols * cell : fh = rows * cell
fx = 136 : fy = 72
fw1 = fw - 1 : fh1 = fh - 1
lastcol = cols - 1
count = 6

' The frame around the field, the title and a hint.
WCOLOR 30, 32, 60
FCOLOR 255, 255, 255
PRINT fx, 12, "M E T E O R   D O D G E"
FCOLOR 150, 160, 210
PRINT fx, 530, "Arrow keys steer the ship. Dodge the meteors!"

' Scatter the stars once; every frame draws them again.
i = 0
WHILE i < 40
i = i + 1
starx[i] = fx + RAND(fw1)
stary[i] = fy + RAND(fh1)
WEND

newgame()
' The main part ends here: the handlers below run when their events arrive.
GOTO ready

' ---------------------------------------------------------------- events

' Each tick of the timer moves every meteor one row down.
WINMSG WMTIMER
changed = 0
i = 0
WHILE i < count
i = i + 1
my[i] = my[i] + 1
IF my[i] > rows : dodged() : ENDIF
WEND
checkhits()
IF nextlevel < score | nextlevel = score : faster() : ENDIF
IF changed = 1 : hud() : ENDIF
redraw()
ENDWM

' The arrow keys steer the ship (while the game is on).
WINMSG WMKEYDOWN
HWPARAM key
IF over = 0 : steer() : ENDIF
ENDWM

' Enter (which arrives as a command) starts a new game once this one is over.
WINMSG WMCOMMAND
IF over = 1 : newgame() : ENDIF
ENDWM

' ---------------------------------------------------------------- the game

FUNC newgame()
score = 0 : lives = 3 : level = 1 : nextlevel = 10
interval = 300 : over = 0
px = 8 : py = rows
' The meteors start above the field, one after the other.
n = 0
WHILE n < count
n = n + 1
mx[n] = 1 + RAND(lastcol)
my[n] = 2 - n * 2
WEND
hud()
redraw()
TIMERON interval
ENDFN

' Meteor i fell out of the field: a point, and it starts again above a new column.
FUNC dodged()
score = score + 1
changed = 1
my[i] = 0 - RAND(3)
mx[i] = 1 + RAND(lastcol)
ENDFN

' Every ten points the meteors fall faster, down to one row every 100 ms.
FUNC faster()
level = level + 1
nextlevel = nextlevel + 10
interval = interval - 50
IF interval < 100 : interval = 100 : ENDIF
TIMERON interval
changed = 1
ENDFN

FUNC steer()
IF key = 37 & px > 1 : px = px - 1 : ENDIF
IF key = 39 & px < cols : px = px + 1 : ENDIF
IF key = 38 & py > 1 : py = py - 1 : ENDIF
IF key = 40 & py < rows : py = py + 1 : ENDIF
changed = 0
checkhits()
IF changed = 1 : hud() : ENDIF
redraw()
ENDFN

' A meteor in the ship's cell is a hit.
FUNC checkhits()
j = 0
WHILE j < count
j = j + 1
cx = mx[j] : cy = my[j]
IF cx = px & cy = py & over = 0 : crash() : ENDIF
WEND
ENDFN

' Meteor j hit the ship: a life less, and the meteor is gone (it starts again at the top).
FUNC crash()
lives = lives - 1
changed = 1
my[j] = 0 - 2
IF lives = 0 : gameover() : ENDIF
ENDFN

FUNC gameover()
over = 1
TIMEROFF
IF score > best : best = score : ENDIF
ENDFN

' ---------------------------------------------------------------- drawing

' The line above the field: score, lives, level and the best score so far.
FUNC hud()
FCOLOR 30, 32, 60 : BCOLOR 30, 32, 60
RECT 0, 40, 784, 24
text = "Score: " + STRS(score)
text = text + "    Lives: " + STRS(lives)
text = text + "    Level: " + STRS(level)
text = text + "    Best: " + STRS(best)
FCOLOR 255, 225, 120
PRINT fx, 44, text
ENDFN

' The field with its stars, the meteors and the ship; SWAP shows the new frame at once.
FUNC redraw()
FCOLOR 90, 100, 170 : BCOLOR 10, 12, 36
RECT fx, fy, fw, fh
FCOLOR 200, 200, 255
k = 0
WHILE k < 40
k = k + 1
PSET starx[k], stary[k]
WEND
k = 0
WHILE k < count
k = k + 1
IF my[k] > 0 : meteor() : ENDIF
WEND
ship()
IF over = 1 : banner() : ENDIF
SWAP
ENDFN

' Meteor k: a rock with a fiery trail (once the trail fits in the field).
FUNC meteor()
cx = fx + mx[k] * cell - 16
cy = fy + my[k] * cell - 16
IF my[k] > 1 : trail() : ENDIF
FCOLOR 255, 170, 60 : BCOLOR 150, 85, 50
CIRCLE cx, cy, 11
FCOLOR 110, 60, 35 : BCOLOR 110, 60, 35
CIRCLE cx + 3, cy + 2, 3
CIRCLE cx - 4, cy - 2, 2
ENDFN

FUNC trail()
row = 0
WHILE row < 28
half = 10 - row * 10 / 28
red = 255 - row * 4 : green = 230 - row * 7
FCOLOR red, green, 40
LINE cx - half, cy - 2 - row, cx + half + 1, cy - 2 - row
row = row + 1
WEND
ENDFN

' The ship: a triangle pointing up, drawn row by row, with a cockpit and a flame.
FUNC ship()
sx = fx + px * cell - cell
sy = fy + py * cell - cell
FCOLOR 120, 220, 255
row = 0
WHILE row < 22
half = row * 2 % 3
LINE sx + 16 - half, sy + 5 + row, sx + 17 + half, sy + 5 + row
row = row + 1
WEND
FCOLOR 20, 60, 120 : BCOLOR 20, 60, 120
CIRCLE sx + 16, sy + 19, 3
FCOLOR 255, 200, 60 : BCOLOR 255, 120, 30
rx = sx + 12 : ry = sy + 27
RECT rx, ry, 9, 4
ENDFN

FUNC banner()
FCOLOR 255, 225, 120 : BCOLOR 60, 20, 40
RECT 232, 240, 320, 80
FCOLOR 255, 255, 255
PRINT 356, 256, "GAME OVER"
FCOLOR 255, 225, 120
PRINT 284, 288, "Press Enter to play again"
ENDFN

LABEL ready

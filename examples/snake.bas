' Snake: steer the snake with the arrow keys and eat the apples. Every apple makes the snake
' one cell longer and scores a point; running into a wall or into the snake's own body ends
' the game. Press Enter to play again.
' Headless, its events file plays two games:
'   build/brindle --headless --events examples/snake.events examples/snake.bas

' The field: a grid of cells, 24 pixels each, with its top-left corner at fx, fy.
VAR cell, cols, rows, fx, fy, fw, fh, lastcol, lastrow
' The snake: its cells in a ring (head and tail are indexes into it), the way it goes, the
' way the next tick turns it, and the apple's cell.
VAR head, tail, dx, dy, ndx, ndy, ax, ay, score, best, over, interval, key
' Helpers for moving and drawing.
VAR nx, ny, k, eat, i, x, y, px, py, cx, cy, col, row, shade
' Each cell of the ring, and which cells of the field the snake covers (1) or not (0).
VAR bx[4096], by[4096], busy[468]
STR text

cell = 24 : cols = 26 : rows = 18
fw = cols * cell : fh = rows * cell
fx = 80 : fy = 72
lastcol = cols - 1 : lastrow = rows - 1
interval = 100

WCOLOR 74, 117, 44
FCOLOR 255, 255, 255
PRINT fx, 20, "S N A K E"
FCOLOR 200, 230, 170
PRINT fx, 530, "Arrow keys turn the snake. Eat the apples; keep off the walls and your tail."

newgame()
' The main part ends here: the handlers below run when their events arrive.
GOTO ready

' ---------------------------------------------------------------- events

' Each tick moves the snake one cell on.
WINMSG WMTIMER
IF over = 0 : advance() : ENDIF
ENDWM

' The arrow keys turn the snake to either side; it cannot turn straight back into itself.
WINMSG WMKEYDOWN
HWPARAM key
IF key = 37 & dx = 0 : ndx = 0 - 1 : ndy = 0 : ENDIF
IF key = 39 & dx = 0 : ndx = 1 : ndy = 0 : ENDIF
IF key = 38 & dy = 0 : ndx = 0 : ndy = 0 - 1 : ENDIF
IF key = 40 & dy = 0 : ndx = 0 : ndy = 1 : ENDIF
ENDWM

' Enter (which arrives as a command) starts a new game once this one is over.
WINMSG WMCOMMAND
IF over = 1 : newgame() : ENDIF
ENDWM

' ---------------------------------------------------------------- the game

' A snake of three cells in the middle of the field, heading right, and a first apple.
FUNC newgame()
score = 0 : over = 0
dx = 1 : dy = 0 : ndx = 1 : ndy = 0
k = 0
WHILE k < 468
k = k + 1
busy[k] = 0
WEND
field()
head = 0 : tail = 1
nx = 6 : ny = 9
WHILE nx < 9
grow()
nx = nx + 1
WEND
placeapple()
hud()
SWAP
TIMERON interval
ENDFN

' One step: the head moves into the next cell. Unless it eats the apple there, the tail
' leaves its cell first, so the head may follow the tail closely.
FUNC advance()
dx = ndx : dy = ndy
nx = bx[head] + dx : ny = by[head] + dy
IF nx < 1 | nx > cols | ny < 1 | ny > rows : gameover() : GOTO stepped : ENDIF
eat = 0
IF nx = ax & ny = ay : eat = 1 : ENDIF
IF eat = 0 : shrink() : ENDIF
k = (ny - 1) * cols + nx
IF busy[k] = 1 : gameover() : GOTO stepped : ENDIF
' The old head becomes a plain piece of body.
i = head : body()
grow()
IF eat = 1 : ate() : ENDIF
SWAP
LABEL stepped
ENDFN

' The head goes on to cell nx, ny: into the ring, onto the field, with its eyes.
FUNC grow()
head = head + 1
IF head > 4096 : head = 1 : ENDIF
bx[head] = nx : by[head] = ny
k = (ny - 1) * cols + nx
busy[k] = 1
i = head : body()
eyes()
ENDFN

' The tail leaves its cell, which gets its grass back.
FUNC shrink()
col = bx[tail] : row = by[tail]
k = (row - 1) * cols + col
busy[k] = 0
grass()
tail = tail + 1
IF tail > 4096 : tail = 1 : ENDIF
ENDFN

FUNC ate()
score = score + 1
IF score > best : best = score : ENDIF
placeapple()
hud()
ENDFN

' The apple goes to a random cell that the snake does not cover.
FUNC placeapple()
k = 1
WHILE k = 1
ax = 1 + RAND(lastcol) : ay = 1 + RAND(lastrow)
i = (ay - 1) * cols + ax
k = busy[i]
WEND
' The apple, its stem and its leaf all stay inside the cell.
cx = fx + ax * cell - 12 : cy = fy + ay * cell - 10
FCOLOR 190, 40, 20 : BCOLOR 231, 71, 29
CIRCLE cx, cy, 8
FCOLOR 255, 170, 150 : BCOLOR 255, 170, 150
CIRCLE cx - 3, cy - 3, 2
FCOLOR 110, 70, 30
LINE cx, cy - 7, cx + 2, cy - 11
FCOLOR 60, 150, 40 : BCOLOR 60, 150, 40
CIRCLE cx + 5, cy - 10, 2
ENDFN

' The snake hit something: it stops where it is and the game is over.
FUNC gameover()
over = 1
TIMEROFF
FCOLOR 255, 255, 255 : BCOLOR 40, 70, 30
RECT 232, 248, 320, 80
PRINT 356, 264, "GAME OVER"
FCOLOR 200, 230, 170
PRINT 284, 296, "Press Enter to play again"
SWAP
ENDFN

' ---------------------------------------------------------------- drawing

' The grass: a chequered field in two greens, in a darker frame.
FUNC field()
FCOLOR 87, 138, 52 : BCOLOR 87, 138, 52
x = fx - 6 : y = fy - 6 : px = fw + 12 : py = fh + 12
RECT x, y, px, py
row = 0
WHILE row < rows
row = row + 1
col = 0
WHILE col < cols
col = col + 1
grass()
WEND
WEND
ENDFN

' The grass of cell col, row.
FUNC grass()
x = fx + col * cell - cell : y = fy + row * cell - cell
shade = (col + row) - (col + row) % 2 * 2
IF shade = 0 : FCOLOR 170, 215, 81 : BCOLOR 170, 215, 81 : ENDIF
IF shade = 1 : FCOLOR 162, 209, 73 : BCOLOR 162, 209, 73 : ENDIF
RECT x, y, cell, cell
ENDFN

' The piece of body in ring cell i, striped by the ring's index so the stripes travel along.
FUNC body()
x = fx + bx[i] * cell - cell : y = fy + by[i] * cell - cell
shade = i - i % 2 * 2
IF shade = 0 : FCOLOR 78, 124, 246 : BCOLOR 78, 124, 246 : ENDIF
IF shade = 1 : FCOLOR 66, 108, 224 : BCOLOR 66, 108, 224 : ENDIF
RECT x, y, cell, cell
ENDFN

' Two eyes on the head, looking the way it goes.
FUNC eyes()
cx = x + 12 + dx * 4 : cy = y + 12 + dy * 4
FCOLOR 255, 255, 255 : BCOLOR 255, 255, 255
CIRCLE cx + dy * 5, cy + dx * 5, 4
CIRCLE cx - dy * 5, cy - dx * 5, 4
FCOLOR 20, 30, 60 : BCOLOR 20, 30, 60
CIRCLE cx + dy * 5 + dx, cy + dx * 5 + dy, 2
CIRCLE cx - dy * 5 + dx, cy - dx * 5 + dy, 2
ENDFN

' The line above the field: the score and the best score so far.
FUNC hud()
FCOLOR 74, 117, 44 : BCOLOR 74, 117, 44
RECT 400, 16, 304, 24
text = "Score: " + STRS(score)
text = text + "    Best: " + STRS(best)
FCOLOR 255, 235, 120
PRINT 528, 20, text
ENDFN

LABEL ready

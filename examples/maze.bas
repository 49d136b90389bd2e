' Maze: a random maze is carved before your eyes, a few cells on every tick of the timer. The
' carver walks from the entrance, knocking walls down, and backs up whenever it is stuck; the
' orange trail is its way back. When every cell is carved, the way from the entrance (top
' left) to the exit (bottom right) is drawn in blue.
' Space or Enter makes a new maze; Up and Down make the carving faster or slower.
' Headless, its events file carves two mazes:
'   build/brindle --headless --events examples/maze.events examples/maze.bas

' The maze: its cells (a passage of pass pixels and a wall of wall pixels each) in cols
' columns and rows rows, with the top-left corner at fx, fy.
VAR cell, wall, pass, cols, rows, cells, fx, fy, mw, mh
' The carving: the top of the stack, the phase (1 carving, 2 showing the way, 3 done), the
' cells carved a tick, the timer's interval, the length of the way and how much of it shows.
VAR top, phase, speed, interval, steps, length, shown, key
' Helpers: cells k and j, q's column c, row r and corner px, py, and drawing.
VAR k, j, q, c, r, px, py, x2, y2, w, h, n, m, inset
' Which cells are carved, the stack of cells from the entrance to the carver, the way out
' (the stack as it was when the carver reached the exit), and the cells the carver can try.
VAR seen[651], stack[651], way[651], opts[4]
STR text

cell = 22 : wall = 6 : pass = cell - wall
cols = 31 : rows = 21 : cells = cols * rows
fx = 48 : fy = 48
mw = cols * cell + wall : mh = rows * cell + wall
interval = 50 : speed = 16

WCOLOR 18, 20, 38
FCOLOR 255, 255, 255
PRINT fx, 16, "M A Z E"
FCOLOR 150, 160, 210
PRINT fx, 530, "Space or Enter: a new maze.   Up, Down: carve faster or slower."
PRINT 16, fy + wall, "IN"
PRINT 752, fy + mh - cell, "OUT"

newmaze()
' The main part ends here: the handlers below run when their events arrive.
GOTO ready

' ---------------------------------------------------------------- events

' Each tick carves a few cells, or draws a few cells of the way out.
WINMSG WMTIMER
IF phase = 1 : carving() : ENDIF
IF phase = 2 : solving() : ENDIF
SWAP
ENDWM

WINMSG WMKEYDOWN
HWPARAM key
IF key = 32 : newmaze() : ENDIF
IF key = 38 & speed < 64 : speed = speed * 2 : ENDIF
IF key = 40 & speed > 1 : speed = speed / 2 : ENDIF
ENDWM

' Enter arrives as a command.
WINMSG WMCOMMAND
newmaze()
ENDWM

' ---------------------------------------------------------------- carving

' A solid block of wall with the entrance and the exit cut in its sides; the carver starts
' in the first cell.
FUNC newmaze()
FCOLOR 40, 46, 86 : BCOLOR 40, 46, 86
RECT fx, fy, mw, mh
k = 0
WHILE k < cells
k = k + 1
seen[k] = 0
WEND
FCOLOR 240, 236, 225 : BCOLOR 240, 236, 225
px = fx : py = fy + wall
RECT px, py, wall, pass
px = fx + mw - wall : py = fy + mh - cell
RECT px, py, wall, pass
top = 1 : stack[1] = 1 : seen[1] = 1
q = 1 : head()
phase = 1
text = "Carving..."
status()
SWAP
TIMERON interval
ENDFN

FUNC carving()
steps = 0
WHILE steps < speed & phase = 1
steps = steps + 1
carve()
WEND
ENDFN

' One step of the carver in cell k: on into a random neighbour not carved yet, or, with
' none left, one cell back.
FUNC carve()
k = stack[top]
q = k : where()
n = 0
j = k - 1 : IF c > 1 : look() : ENDIF
j = k + 1 : IF c < cols : look() : ENDIF
j = k - cols : IF r > 1 : look() : ENDIF
j = k + cols : IF r < rows : look() : ENDIF
IF n = 0 : back() : ENDIF
IF n > 0 : forward() : ENDIF
ENDFN

FUNC look()
IF seen[j] = 0 : n = n + 1 : opts[n] = j : ENDIF
ENDFN

' Through the wall into neighbour j, which goes on the stack.
FUNC forward()
m = n - 1
m = 1 + RAND(m)
j = opts[m]
seen[j] = 1
top = top + 1 : stack[top] = j
FCOLOR 255, 170, 60 : BCOLOR 255, 170, 60
inset = 0 : link()
q = j : head()
IF j = cells : remember() : ENDIF
ENDFN

' Cell k is finished: it leaves the stack, and the carver goes back to the cell below it.
' When the stack is empty the maze is done.
FUNC back()
top = top - 1
FCOLOR 240, 236, 225 : BCOLOR 240, 236, 225
IF top = 0 : q = k : where() : RECT px, py, pass, pass : carved() : ENDIF
IF top > 0 : j = stack[top] : inset = 0 : link() : q = j : head() : ENDIF
ENDFN

' The carver has just reached the exit: the stack holds the way there.
FUNC remember()
length = top
m = 0
WHILE m < length
m = m + 1
way[m] = stack[m]
WEND
ENDFN

FUNC carved()
phase = 2 : shown = 1
text = "Finding the way out..."
status()
ENDFN

' ---------------------------------------------------------------- the way out

' A few more cells of the way on every tick, as a blue line down the middle of the passage.
FUNC solving()
steps = 0
FCOLOR 40, 130, 230 : BCOLOR 40, 130, 230
inset = 5
WHILE steps < 8 & shown < length
steps = steps + 1
k = way[shown]
shown = shown + 1
j = way[shown]
link()
WEND
IF shown = length : solved() : ENDIF
ENDFN

' The way runs on out of the entrance and the exit.
FUNC solved()
phase = 3
TIMEROFF
px = fx - 8 : py = fy + wall + inset : w = wall + inset + 8 : h = pass - inset * 2
RECT px, py, w, h
px = fx + mw - wall - inset : py = fy + mh - cell + inset
RECT px, py, w, h
text = "The way out is " + STRS(length)
text = text + " cells long."
status()
ENDFN

' ---------------------------------------------------------------- drawing

' The column c, row r and passage corner px, py of cell q.
FUNC where()
r = (q - 1) % cols + 1
c = q - (r - 1) * cols
px = fx + (c - 1) * cell + wall
py = fy + (r - 1) * cell + wall
ENDFN

' The carver's place: cell q in red.
FUNC head()
where()
FCOLOR 255, 80, 80 : BCOLOR 255, 80, 80
RECT px, py, pass, pass
ENDFN

' The passage from cell k to its neighbour j, through the wall between them, in the colour
' chosen, narrowed by inset on every side.
FUNC link()
q = j : where() : x2 = px : y2 = py
q = k : where()
w = ABS(x2 - px) + pass - inset * 2 : h = ABS(y2 - py) + pass - inset * 2
IF x2 < px : px = x2 : ENDIF
IF y2 < py : py = y2 : ENDIF
px = px + inset : py = py + inset
RECT px, py, w, h
ENDFN

' The line above the maze says what is going on.
FUNC status()
FCOLOR 18, 20, 38 : BCOLOR 18, 20, 38
RECT 300, 12, 440, 24
FCOLOR 255, 225, 120
PRINT 440, 16, text
ENDFN

LABEL ready

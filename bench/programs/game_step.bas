' 500,000 steps of a small game, one function call each: eight objects move and bounce off the
' walls, each is tested against a player that sweeps to and fro along the bottom, and the state
' string decides whether a step plays or waits out the pause before the next game.
VAR ox[8], oy[8], dx[8], dy[8]
VAR k, x, y, w, h, px, py, pdx, pl, pr, pt, pb
VAR steps, nsteps, score, hits, lives, games, countdown
STR mode
w = 784 : h = 561
px = 392 : py = 500 : pdx = 3
nsteps = 500000
lives = 3
mode = "play"
WHILE k < 8
k = k + 1
ox[k] = k * 90
oy[k] = k * 60
dx[k] = k - k % 3 * 3 + 1
dy[k] = k - k % 4 * 4 + 2
WEND
WHILE steps < nsteps
steps = steps + 1
gamestep()
WEND
PRINT 0, 0, score
PRINT 0, 20, hits
PRINT 0, 40, games
FUNC gamestep()
IF mode = "over" : countdown = countdown - 1 : ENDIF
IF mode = "over" & countdown < 1 : games = games + 1 : lives = 3 : mode = "play" : ENDIF
IF mode ! "play" : GOTO stepped : ENDIF
px = px + pdx
IF px < 20 | px > 764 : pdx = 0 - pdx : ENDIF
pl = px - 20 : pr = px + 20 : pt = py - 20 : pb = py + 20
k = 0
WHILE k < 8
k = k + 1
x = ox[k] + dx[k]
y = oy[k] + dy[k]
IF x < 0 | x > w : dx[k] = 0 - dx[k] : x = ox[k] + dx[k] : ENDIF
IF y < 0 | y > h : dy[k] = 0 - dy[k] : y = oy[k] + dy[k] : ENDIF
IF x > pl & x < pr & y > pt & y < pb : hits = hits + 1 : lives = lives - 1 : y = 0 : ENDIF
ox[k] = x
oy[k] = y
WEND
score = score + 1
IF lives < 1 : mode = "over" : countdown = 30 : ENDIF
LABEL stepped
ENDFN

' Fireworks over a sleeping town: rockets rise from behind the roofs and burst into sparks that
' fall under gravity and fade into the night, all moved by the timer.
' Move the mouse to aim and press Space: a rocket goes up and bursts right where the mouse
' points (the language has no mouse-button event, so the key fires). Rockets also go up on
' their own; A switches them off and on.
' Headless, its events file fires a few rockets of its own between the town's:
'   build/brindle --headless --events examples/fireworks.events examples/fireworks.bas

' The timer's interval, the pull of gravity on rockets and on sparks, the ground's top, the
' ticks so far and the tick of the next rocket of the town's own, and whether it sends any.
VAR interval, pull, fall, ground, ticks, nextauto, auto
' The mouse, the key, the rockets fired by the key, the bursts so far.
VAR mx, my, key, fired, bursts
' Helpers: a particle, its old place, where a rocket bursts, colours and loops.
VAR p, k, n, x, y, x0, y0, top, speed, a, c, c2, f, red, green, blue, bx0, by0, bw0, bh0
' The particles, in a ring of 700 slots: place, speed, ticks left to live, how many it had,
' kind (0: none, 1: rocket, 2: spark, 3: flash) and colour. Then the palette, the town's
' buildings, and the stars (1 to 60) and lit windows (61 on) of the night.
VAR px[700], py[700], vx[700], vy[700], life[700], full[700], kind[700], hue[700]
VAR pr[7], pg[7], pb[7], bx[20], bw[20], bh[20], sx[200], sy[200]
VAR slot, count, buildings, stars, lights
STR text

interval = 60 : pull = 0.4 : fall = 0.1 : ground = 530
count = 700 : auto = 1 : nextauto = 5
mx = 392 : my = 160

' Gold, red, green, blue, violet, white and orange sparks.
pr[1] = 255 : pg[1] = 210 : pb[1] = 80
pr[2] = 255 : pg[2] = 70 : pb[2] = 80
pr[3] = 90 : pg[3] = 255 : pb[3] = 120
pr[4] = 90 : pg[4] = 170 : pb[4] = 255
pr[5] = 220 : pg[5] = 110 : pb[5] = 255
pr[6] = 250 : pg[6] = 250 : pb[6] = 255
pr[7] = 255 : pg[7] = 150 : pb[7] = 40

' The stars, and the town: buildings side by side with a few lit windows each.
WHILE stars < 60
stars = stars + 1
sx[stars] = RAND(783)
sy[stars] = RAND(360)
WEND
lights = 60
x = 0
WHILE x < 784
buildings = buildings + 1
bx[buildings] = x
bw[buildings] = 36 + RAND(40)
bh[buildings] = 60 + RAND(130)
windows()
x = x + bw[buildings] + 2
WEND

WCOLOR 8, 10, 30
redraw()
TIMERON interval
' The main part ends here: the handlers below run when their events arrive.
GOTO ready

' ---------------------------------------------------------------- events

' Every tick moves each particle, sends up the town's next rocket when it is due, and draws.
WINMSG WMTIMER
ticks = ticks + 1
p = 0
WHILE p < count
p = p + 1
IF kind[p] > 0 : move() : ENDIF
WEND
IF auto = 1 & ticks > nextauto : autorocket() : ENDIF
redraw()
ENDWM

WINMSG WMMOUSEMOVE
MOUSEX mx
MOUSEY my
ENDWM

' Space fires a rocket at the mouse (kept above the roofs); A switches the town's rockets.
WINMSG WMKEYDOWN
HWPARAM key
IF key = 32 : aimed() : ENDIF
IF key = 65 : auto = 1 - auto : ENDIF
ENDWM

' ---------------------------------------------------------------- rockets and sparks

FUNC aimed()
x = mx : top = my
IF top > 340 : top = 340 : ENDIF
IF top < 30 : top = 30 : ENDIF
fired = fired + 1
launch()
ENDFN

FUNC autorocket()
x = 60 + RAND(664)
top = 60 + RAND(200)
nextauto = ticks + 8 + RAND(15)
launch()
ENDFN

' A rocket from the ground at x, fast enough to stop rising just at the height top.
FUNC launch()
newslot()
px[slot] = x : py[slot] = ground
vx[slot] = (RAND(10) - 5) / 20
vy[slot] = 0 - SQR(2 * pull * (ground - top))
kind[slot] = 1 : life[slot] = 200 : full[slot] = 200
hue[slot] = 1 + RAND(6)
ENDFN

' The next slot of the ring: the oldest spark gives way, a rocket in flight does not.
FUNC newslot()
slot = slot + 1
IF slot > count : slot = 1 : ENDIF
IF kind[slot] = 1 : newslot() : ENDIF
ENDFN

' Particle p takes one step; a spent spark or flash is gone, a rocket at its top bursts.
FUNC move()
px[p] = px[p] + vx[p]
py[p] = py[p] + vy[p]
life[p] = life[p] - 1
IF kind[p] = 1 : vy[p] = vy[p] + pull : ENDIF
IF kind[p] = 2 : vy[p] = vy[p] + fall : vx[p] = vx[p] * 0.93 : vy[p] = vy[p] * 0.93 : ENDIF
IF kind[p] = 1 & vy[p] > 0 : burst() : ENDIF
IF life[p] < 1 : kind[p] = 0 : ENDIF
ENDFN

' Rocket p bursts into a flash and a ball of 48 sparks; every third burst has two colours.
FUNC burst()
bursts = bursts + 1
kind[p] = 0
x = px[p] : y = py[p] : c = hue[p]
c2 = c
n = bursts - bursts % 3 * 3
IF n = 0 : c2 = 1 + c - c % 7 * 7 : ENDIF
newslot()
px[slot] = x : py[slot] = y : vx[slot] = 0 : vy[slot] = 0
kind[slot] = 3 : life[slot] = 4 : full[slot] = 4 : hue[slot] = c
speed = 5 + RAND(25) / 10
k = 0
WHILE k < 48
k = k + 1
newslot()
a = k * 0.1309 + RAND(10) / 100
f = speed * (0.25 + RAND(75) / 100)
px[slot] = x : py[slot] = y
vx[slot] = f * COS(a) : vy[slot] = f * SIN(a)
kind[slot] = 2 : life[slot] = 30 + RAND(14) : full[slot] = life[slot]
hue[slot] = c
n = k - k % 2 * 2
IF n = 0 : hue[slot] = c2 : ENDIF
WEND
ENDFN

' ---------------------------------------------------------------- drawing

' One frame: the sky in bands, the stars, the fireworks, then the town in front of them.
FUNC redraw()
k = 0
WHILE k < 14
red = 6 + k * 2 : green = 8 + k : blue = 26 + k * 3
FCOLOR red, green, blue : BCOLOR red, green, blue
y = k * 38
RECT 0, y, 784, 38
k = k + 1
WEND
FCOLOR 170, 175, 210
k = 0
WHILE k < stars
k = k + 1
PSET sx[k], sy[k]
WEND
FCOLOR 22, 24, 52 : BCOLOR 22, 24, 52
CIRCLE 96, 74, 34
FCOLOR 235, 230, 200 : BCOLOR 235, 230, 200
CIRCLE 96, 74, 24
FCOLOR 205, 200, 175 : BCOLOR 205, 200, 175
CIRCLE 88, 68, 5
CIRCLE 104, 84, 3
p = 0
WHILE p < count
p = p + 1
IF kind[p] > 0 : particle() : ENDIF
WEND
town()
caption()
SWAP
ENDFN

' A rocket is a bright head with an orange trail; a spark a streak along its flight whose
' colour fades into the sky as its life runs out; a flash a burst of light at the top.
FUNC particle()
x = px[p] : y = py[p]
c = hue[p]
f = life[p] / full[p]
IF kind[p] = 1 : FCOLOR 255, 170, 60 : LINE x, y, x - vx[p] * 3, y - vy[p] * 3 : ENDIF
IF kind[p] = 3 : flash() : ENDIF
red = 16 + (pr[c] - 16) * f : green = 16 + (pg[c] - 16) * f : blue = 40 + (pb[c] - 40) * f
FCOLOR red, green, blue
IF kind[p] = 2 : LINE x, y, x - vx[p] * 4, y - vy[p] * 4 : ENDIF
IF kind[p] = 2 & f > 0.4 : LINE x + 1, y, x + 1 - vx[p] * 3, y - vy[p] * 3 : ENDIF
red = red + (255 - red) / 3 : green = green + (255 - green) / 3 : blue = blue + (255 - blue) / 3
FCOLOR red, green, blue
PSET x, y
ENDFN

FUNC flash()
red = pr[c] : green = pg[c] : blue = pb[c]
FCOLOR red, green, blue : BCOLOR 255, 250, 230
CIRCLE x, y, 4 + life[p] * 4
ENDFN

' The roofs against the sky, their lit windows, and the ground.
FUNC town()
FCOLOR 14, 14, 24 : BCOLOR 14, 14, 24
k = 0
WHILE k < buildings
k = k + 1
bx0 = bx[k] : bw0 = bw[k] : bh0 = bh[k]
by0 = ground - bh0
RECT bx0, by0, bw0, bh0
WEND
FCOLOR 255, 205, 110 : BCOLOR 230, 170, 80
k = 60
WHILE k < lights
k = k + 1
bx0 = sx[k] : by0 = sy[k]
RECT bx0, by0, 5, 7
WEND
FCOLOR 10, 10, 18 : BCOLOR 10, 10, 18
RECT 0, ground, 784, 31
ENDFN

' A few lit windows in the building just made, on a grid of 10 by 14 pixels.
FUNC windows()
n = 0
WHILE n < 5 & lights < 200
n = n + 1
lights = lights + 1
sx[lights] = x + 6 + RAND(bw[buildings] - 14) % 10 * 10
sy[lights] = ground - bh[buildings] + 10 + RAND(bh[buildings] - 24) % 14 * 14
WEND
ENDFN

' The aim at the mouse and the line of help on the ground.
FUNC caption()
FCOLOR 120, 130, 170
LINE mx - 7, my, mx - 2, my
LINE mx + 3, my, mx + 8, my
LINE mx, my - 7, mx, my - 2
LINE mx, my + 3, mx, my + 8
text = "Mouse: aim   Space: fire   A: rockets of the town "
IF auto = 1 : text = text + "on" : ENDIF
IF auto = 0 : text = text + "off" : ENDIF
text = text + "   Bursts: " + STRS(bursts)
FCOLOR 150, 155, 190
PRINT 16, 538, text
ENDFN

LABEL ready

' Orbits: four planets and a moon circle the sun, redrawn on every tick of the timer.
' The orbits are tilted, so a planet passes behind the sun on the far side.
' Space pauses and resumes; the Up and Down arrows make time run faster or slower.
' Headless, its events file lets it run for a while:
'   build/brindle --headless --events examples/orbits.events examples/orbits.bas

' The sun's place, how much the orbits are tilted, the timer's interval, the day, the
' days that pass in one tick, and the pause switch.
VAR cx, cy, tilt, interval, day, days, paused, key, glow
' Helpers for drawing.
VAR p, x, y, a, size, red, green, blue, depth, moon, moonx, moony, moondepth
' Each planet: the radius of its orbit, where it is now (an angle), how far it goes in a day,
' its size and colour. Then the stars.
VAR orbit[4], angle[4], speed[4], radius[4], pr[4], pg[4], pb[4], starx[80], stary[80]
STR text

cx = 392 : cy = 262 : tilt = 0.45
interval = 40 : days = 2

' A planet goes once round the sun (6.2831853 radians) in its year: 88 days for Mercury,
' 225 for Venus, 365 for the Earth and 687 for Mars.
orbit[1] = 90 : angle[1] = 0.5 : speed[1] = 6.2831853 / 88
radius[1] = 7 : pr[1] = 180 : pg[1] = 170 : pb[1] = 160
orbit[2] = 150 : angle[2] = 2.5 : speed[2] = 6.2831853 / 225
radius[2] = 12 : pr[2] = 230 : pg[2] = 190 : pb[2] = 110
orbit[3] = 225 : angle[3] = 4 : speed[3] = 6.2831853 / 365
radius[3] = 13 : pr[3] = 60 : pg[3] = 120 : pb[3] = 230
orbit[4] = 310 : angle[4] = 1 : speed[4] = 6.2831853 / 687
radius[4] = 10 : pr[4] = 210 : pg[4] = 80 : pb[4] = 40

' The stars stay where they are.
p = 0
WHILE p < 80
p = p + 1
starx[p] = RAND(783)
stary[p] = RAND(529)
WEND

' The strip at the bottom is drawn once; every frame redraws everything above it.
WCOLOR 20, 22, 44
FCOLOR 150, 160, 210
PRINT 16, 538, "Space pauses and resumes. Up and Down make time run faster or slower."
redraw()
TIMERON interval
' The main part ends here: the handlers below run when their events arrive.
GOTO ready

' ---------------------------------------------------------------- events

' Every tick moves the planets and the moon on and draws the next frame.
WINMSG WMTIMER
day = day + days
p = 0
WHILE p < 4
p = p + 1
angle[p] = angle[p] + speed[p] * days
IF angle[p] > 6.2831853 : angle[p] = angle[p] - 6.2831853 : ENDIF
WEND
' The moon goes round the Earth in 27.3 days.
moon = moon + 6.2831853 / 27.3 * days
redraw()
ENDWM

WINMSG WMKEYDOWN
HWPARAM key
IF key = 32 : pause() : ENDIF
IF key = 38 & days < 16 : days = days * 2 : ENDIF
IF key = 40 & days > 1 : days = days / 2 : ENDIF
redraw()
ENDWM

' ---------------------------------------------------------------- drawing

FUNC pause()
IF paused = 0
paused = 1
TIMEROFF
ELSE
paused = 0
TIMERON interval
ENDIF
ENDFN

' One frame: the sky, the orbits, the planets on the far side, the sun, the planets in front.
FUNC redraw()
FCOLOR 6, 8, 24 : BCOLOR 6, 8, 24
RECT 0, 0, 784, 530
FCOLOR 190, 190, 230
p = 0
WHILE p < 80
p = p + 1
PSET starx[p], stary[p]
WEND
FCOLOR 45, 55, 100
p = 0
WHILE p < 4
p = p + 1
ring()
WEND
p = 0
WHILE p < 4
p = p + 1
depth = SIN(angle[p])
IF depth < 0 : planet() : ENDIF
WEND
sun()
p = 0
WHILE p < 4
p = p + 1
depth = SIN(angle[p])
IF depth > 0 | depth = 0 : planet() : ENDIF
WEND
text = "Day " + STRS(day)
text = text + "      "
text = text + STRS(days)
text = text + " days pass in a tick"
FCOLOR 255, 225, 140
PRINT 16, 12, text
IF paused = 1 : PRINT 360, 470, "PAUSED" : ENDIF
SWAP
ENDFN

' The orbit of planet p, an ellipse drawn with the pen.
FUNC ring()
a = 0
PLOT cx + orbit[p], cy
WHILE a < 6.3
a = a + 0.05
DRAW cx + orbit[p] * COS(a), cy + orbit[p] * tilt * SIN(a)
WEND
ENDFN

' The sun glows a little brighter and dimmer as the days go by.
FUNC sun()
glow = 48 + 3 * SIN(day / 6)
FCOLOR 90, 35, 10 : BCOLOR 90, 35, 10
CIRCLE cx, cy, glow
FCOLOR 200, 100, 20 : BCOLOR 200, 100, 20
CIRCLE cx, cy, 40
FCOLOR 255, 180, 40 : BCOLOR 255, 180, 40
CIRCLE cx, cy, 34
FCOLOR 255, 235, 150 : BCOLOR 255, 235, 150
CIRCLE cx, cy, 24
ENDFN

' Planet p on its orbit, with a lighter patch on the side that faces the sun.
FUNC planet()
a = angle[p]
x = cx + orbit[p] * COS(a)
y = cy + orbit[p] * tilt * SIN(a)
size = radius[p]
IF p = 3 : moonplace() : ENDIF
IF p = 3 & moondepth < 0 : moonball() : ENDIF
red = pr[p] : green = pg[p] : blue = pb[p]
FCOLOR red, green, blue : BCOLOR red, green, blue
CIRCLE x, y, size
red = red + (255 - red) / 2
green = green + (255 - green) / 2
blue = blue + (255 - blue) / 2
FCOLOR red, green, blue : BCOLOR red, green, blue
CIRCLE x - COS(a) * size * 0.4, y - SIN(a) * size * 0.4, size * 0.45
IF p = 3 & moondepth > 0 : moonball() : ENDIF
ENDFN

' The moon's place around the Earth at x, y: behind it when moondepth is below 0.
FUNC moonplace()
moondepth = SIN(moon)
moonx = x + 28 * COS(moon)
moony = y + 10 * moondepth
ENDFN

FUNC moonball()
FCOLOR 200, 200, 200 : BCOLOR 200, 200, 200
CIRCLE moonx, moony, 4
ENDFN

LABEL ready

' Slide show: four pictures, one after another, each with a caption. A new picture wipes in
' over the old one; the timer moves on to the next every three seconds.
' The Right arrow shows the next picture, the Left arrow the one before (it wipes in from the
' top), and Space pauses and resumes the show.
' Headless, its events file watches a few slides and steps back and forth:
'   build/brindle --headless --events examples/slideshow.events examples/slideshow.bas

' The picture frame's corner and size, the timer's interval, the ticks a slide stays and a
' wipe takes, and the pictures. SHOWIMG draws a picture through the variable LOADIMG filled
' (a copy of the handle in another variable draws nothing), so each has its own.
VAR fx, fy, fw, fh, interval, stay, steps
PTR p1, p2, p3, p4
' The slide shown, the ticks it has stayed, the wipe's step (0: none) and way (1: from the
' left, 2: from the top), whether the show is paused, and the key.
VAR slide, slides, held, phase, way, paused, key
' Helpers for drawing.
VAR i, x, y, w, h, edge
' Each slide: where its picture sits in the frame and how large it is, its title and its note.
VAR ox[4], oy[4], pw[4], ph[4]
STR title[4], note[4], text

fx = 168 : fy = 56 : fw = 448 : fh = 336
interval = 50 : stay = 60 : steps = 12 : slides = 4

LOADIMG p1, "boat.bmp", 0, 448, 336, 16
LOADIMG p2, "plasma.png", 0, 0, 0, 16
LOADIMG p3, "smiley.bmp", 0, 336, 336, 16
LOADIMG p4, "sunset.png", 0, 0, 0, 16
title[1] = "Sailing"
note[1] = "boat.bmp: 56 x 42 pixels, made 8 times larger by LOADIMG"
title[2] = "Plasma clouds"
note[2] = "plasma.png: clouds of colour in 40 flat tones"
title[3] = "Smiley"
note[3] = "smiley.bmp: 16 x 16 pixels; its black corners are see-through"
title[4] = "Sunset over the bay"
note[4] = "sunset.png: gradients and shapes, in a PNG file"
i = 0
WHILE i < slides
i = i + 1
ox[i] = 0 : oy[i] = 0 : pw[i] = 448 : ph[i] = 336
WEND
ox[3] = 56 : pw[3] = 336

' The page: the title, the frame, and the help at the bottom.
WCOLOR 26, 28, 38
FCOLOR 235, 225, 200
PRINT fx, 20, "S L I D E   S H O W"
FCOLOR 70, 76, 100 : BCOLOR 14, 15, 22
RECT 160, 48, 464, 352
FCOLOR 150, 158, 190
PRINT 16, 538, "Left, Right: the picture before, the next one     Space: pause"
' The first slide wipes in.
slide = 0 : way = 1
turn()
TIMERON interval
' The main part ends here: the handlers below run when their events arrive.
GOTO ready

' ---------------------------------------------------------------- events

' A tick takes the wipe a step further, or counts towards the next slide.
WINMSG WMTIMER
IF phase > 0 : wipe() : ENDIF
IF phase = 0 & paused = 0 : wait() : ENDIF
SWAP
ENDWM

WINMSG WMKEYDOWN
HWPARAM key
IF key = 39 : way = 1 : turn() : ENDIF
IF key = 37 : way = 2 : turn() : ENDIF
IF key = 32 : paused = 1 - paused : footer() : ENDIF
SWAP
ENDWM

' ---------------------------------------------------------------- the show

' The next slide (way 1) or the one before (way 2), round the four; its wipe begins.
FUNC turn()
IF way = 1 : slide = slide + 1 : ENDIF
IF way = 2 : slide = slide - 1 : ENDIF
IF slide > slides : slide = 1 : ENDIF
IF slide < 1 : slide = slides : ENDIF
held = 0 : phase = 1
caption()
wipe()
ENDFN

FUNC wait()
held = held + 1
footer()
IF held = stay : way = 1 : turn() : ENDIF
ENDFN

' One step of the wipe: the part of the frame uncovered so far is cleared and the new
' picture drawn there, with a bright edge where the wipe has got to.
FUNC wipe()
w = fw : h = fh
IF way = 1 : w = fw * phase / steps : ENDIF
IF way = 2 : h = fh * phase / steps : ENDIF
FCOLOR 14, 15, 22 : BCOLOR 14, 15, 22
RECT fx, fy, w, h
x = fx + ox[slide] : y = fy + oy[slide]
w = w - ox[slide] : h = h - oy[slide]
IF w > pw[slide] : w = pw[slide] : ENDIF
IF w > 0 : picture() : ENDIF
edge = 0
IF phase < steps : edge = 1 : ENDIF
FCOLOR 255, 240, 200
IF edge = 1 & way = 1 : LINE fx + fw * phase / steps, fy, fx + fw * phase / steps, fy + fh : ENDIF
IF edge = 1 & way = 2 : LINE fx, fy + fh * phase / steps, fx + fw, fy + fh * phase / steps : ENDIF
phase = phase + 1
IF phase > steps : phase = 0 : ENDIF
ENDFN

' The top-left w x h pixels of the slide's picture at x, y.
FUNC picture()
IF slide = 1 : SHOWIMG p1, x, y, w, h : ENDIF
IF slide = 2 : SHOWIMG p2, x, y, w, h : ENDIF
IF slide = 3 : SHOWIMG p3, x, y, w, h : ENDIF
IF slide = 4 : SHOWIMG p4, x, y, w, h : ENDIF
ENDFN

' ---------------------------------------------------------------- captions

' The title and note under the picture, and a dot for each slide with the one shown lit.
FUNC caption()
FCOLOR 26, 28, 38 : BCOLOR 26, 28, 38
RECT 0, 404, 784, 80
FCOLOR 255, 225, 150
text = title[slide]
PRINT fx, 412, text
FCOLOR 170, 176, 200
text = note[slide]
PRINT fx, 434, text
i = 0
WHILE i < slides
i = i + 1
FCOLOR 90, 96, 124 : BCOLOR 26, 28, 38
IF i = slide : FCOLOR 255, 225, 150 : BCOLOR 255, 225, 150 : ENDIF
CIRCLE 356 + i * 16, 470, 5
WEND
footer()
ENDFN

' How long until the next slide, as a bar under the frame, and whether the show is paused.
FUNC footer()
FCOLOR 40, 44, 60 : BCOLOR 40, 44, 60
RECT fx, 490, fw, 6
w = fw * held / stay
FCOLOR 120, 170, 255 : BCOLOR 120, 170, 255
IF paused = 1 : FCOLOR 110, 110, 130 : BCOLOR 110, 110, 130 : ENDIF
IF w > 0 : RECT fx, 490, w, 6 : ENDIF
FCOLOR 26, 28, 38 : BCOLOR 26, 28, 38
RECT 540, 16, 80, 20
text = STRS(slide)
text = text + " of 4"
IF paused = 1 : text = "paused" : ENDIF
FCOLOR 255, 225, 150
PRINT 568, 20, text
ENDFN

LABEL ready

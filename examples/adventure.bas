' The Lost Crown: a tiny text adventure. Click the box at the bottom (or press Tab), type a
' command and press Enter. The picture, the room's description, its exits and what lies
' there change as you go. Commands: look, go north (or north, or n; south, east, west too),
' take lamp, drop lamp, inventory (or i), help. Find the crown to win.
' Headless, its events file plays the game from the cottage to the crown:
'   build/brindle --headless --events examples/adventure.events examples/adventure.bas

PTR box
' The command typed, its first word and the rest, and scratch strings.
STR cmd, verb, noun, c, t, w, msg
' The world: room names, three lines of description per room, the four directions, the
' items' short and long names, and the six lines of the story so far.
STR rname[6], rdesc[18], dname[4], iname[3], ilong[3], logl[6]
' Exits: ex[room * 4 - 4 + direction] is the room that way (0: none). Where each item is:
' a room, or 99 when carried.
VAR ex[24], iloc[3]
' The room you are in and the one you see (6: the cave without a light), the moves made,
' whether the gate is open and the crown found.
VAR room, vr, moves, opened, won
VAR i, j, k, d, dir, dest, item, at, done, lampat, ix, iy, rx, ry, p

rname[1] = "The Cottage"
rdesc[1] = "A snug cottage. A fire crackles in the"
rdesc[2] = "hearth and rain taps on the window."
rdesc[3] = "The door leads north, out to the meadow."
rname[2] = "The Meadow"
rdesc[4] = "Wild flowers nod in the long grass. Your"
rdesc[5] = "cottage lies south; to the north rises"
rdesc[6] = "a dark old forest."
rname[3] = "The Forest"
rdesc[7] = "Old oaks crowd the path and the air smells"
rdesc[8] = "of moss. A trail climbs east to the hills,"
rdesc[9] = "another runs south to the meadow."
rname[4] = "The Cave"
rdesc[10] = "Your lamp lights a damp cave. Water drips"
rdesc[11] = "from stone teeth above. An iron gate bars"
rdesc[12] = "a passage north; daylight lies west."
rname[5] = "The Crown Hall"
rdesc[13] = "Gold glitters on every wall of this hall."
rdesc[14] = "In its middle stands a stone pedestal."
rdesc[15] = "The way out is south."
rname[6] = "Darkness"
rdesc[16] = "It is pitch dark. Something breathes"
rdesc[17] = "nearby... Without a light you dare not"
rdesc[18] = "go on. The forest is back to the west."
dname[1] = "north" : dname[2] = "south" : dname[3] = "east" : dname[4] = "west"
ex[1] = 2 : ex[5] = 3 : ex[6] = 1 : ex[10] = 2 : ex[11] = 4
ex[13] = 5 : ex[16] = 3 : ex[18] = 4 : ex[24] = 3
iname[1] = "lamp" : ilong[1] = "a brass lamp" : iloc[1] = 1
iname[2] = "key" : ilong[2] = "an iron key" : iloc[2] = 3
iname[3] = "crown" : ilong[3] = "the Lost Crown" : iloc[3] = 5
room = 1

' The window: a title bar, the frame of the box where commands are typed, and a hint.
WCOLOR 22, 24, 36
FCOLOR 70, 50, 110 : BCOLOR 70, 50, 110
RECT 0, 0, 784, 56
FCOLOR 255, 220, 120
PRINT 24, 20, "The Lost Crown - a tiny adventure"
FCOLOR 120, 110, 160 : BCOLOR 255, 255, 255
RECT 40, 500, 720, 26
FCOLOR 255, 220, 120
PRINT 24, 505, ">"
FCOLOR 130, 135, 160
PRINT 24, 536, "Try: look, north (n), take lamp, drop lamp, inventory (i), help"
INPUTBOX box, 44, 505, 712, 16, ""
msg = "You wake in your cottage. Legend says the Lost Crown"
say()
msg = "lies hidden in the hills. Click the box below to play."
say()
show()
SWAP
' The main part ends here: Enter runs the WMCOMMAND block below.
GOTO ready

' ---------------------------------------------------------------- events

' Enter: take the command from the box, echo it, act on it and show the room again.
WINMSG WMCOMMAND
GETTEXT box, cmd
SETTEXT box, ""
msg = "> " + cmd
say()
split()
act()
say()
show()
SWAP
ENDWM

' A key while the window has the focus: say where to type.
WINMSG WMKEYDOWN
msg = "Click the box below (or press Tab) to type a command."
IF logl[6] ! msg : say() : drawlog() : SWAP : ENDIF
ENDWM

' ---------------------------------------------------------------- the commands

' The first word of the command into verb, the rest (less a second blank and a leading "the ")
' into noun.
FUNC split()
verb = cmd : noun = "" : i = 0 : done = 0
WHILE done = 0
i = i + 1
c = MSTR(cmd, i, 1)
IF c = "" : done = 1 : ENDIF
IF c = " " : done = 1 : k = i - 1 : verb = LSTR(cmd, k) : j = i + 1 : noun = MSTR(cmd, j, 255) : ENDIF
WEND
w = LSTR(noun, 1)
IF w = " " : noun = MSTR(noun, 2, 255) : ENDIF
w = LSTR(noun, 4)
IF w = "the " : noun = MSTR(noun, 5, 255) : ENDIF
ENDFN

' Every command leaves its answer in msg; done says whether it was understood.
FUNC act()
done = 0
moves = moves + 1
IF verb = "" : msg = "Type a command, then press Enter. Try help." : done = 1 : ENDIF
IF verb = "look" | verb = "l" : msg = "You look around you." : done = 1 : ENDIF
IF verb = "help" : msg = "Try look, north, take lamp, drop key or inventory." : done = 1 : ENDIF
IF verb = "inventory" | verb = "i" | verb = "inv" : inventory() : ENDIF
IF verb = "take" | verb = "get" : take() : ENDIF
IF verb = "drop" : drop() : ENDIF
w = verb
IF verb = "go" : w = noun : ENDIF
finddir()
IF dir > 0 : go() : ENDIF
IF verb = "go" & dir = 0 : msg = "Go where? North, south, east or west?" : done = 1 : ENDIF
IF done = 0 : msg = "Sorry, I don't know how to '" + cmd + "'. Type help for ideas." : moves = moves - 1 : ENDIF
ENDFN

' The direction named by w, whole or by its first letter: 1 to 4, or 0.
FUNC finddir()
dir = 0 : d = 0
WHILE d < 4
d = d + 1
t = dname[d]
c = LSTR(t, 1)
IF w = t | w = c : dir = d : ENDIF
WEND
ENDFN

FUNC go()
done = 1
j = vr * 4 - 4 + dir
dest = ex[j]
t = dname[dir]
msg = "You cannot go " + t + " from here."
IF dest = 5 & opened = 0 : unlock() : ENDIF
IF dest > 0 : room = dest : msg = "You go " + t + "." : ENDIF
IF dest = 5 & opened = 1 : msg = "Your key turns with a clank. The gate swings open!" : opened = 2 : ENDIF
ENDFN

' The gate opens only to the key; without it the way stays shut.
FUNC unlock()
at = iloc[2]
opened = 1
IF at ! 99 : opened = 0 : dest = 0 : msg = "The iron gate is locked. If only you had a key..." : ENDIF
ENDFN

' The item named by noun: 1 to 3, or 0.
FUNC finditem()
item = 0 : k = 0
WHILE k < 3
k = k + 1
t = iname[k]
IF noun = t : item = k : ENDIF
WEND
at = iloc[item]
ENDFN

FUNC take()
done = 1
finditem()
msg = "You see no " + noun + " here."
IF noun = "" : msg = "Take what?" : ENDIF
IF at = 99 : msg = "You already carry it." : ENDIF
IF at = vr & item > 0 : iloc[item] = 99 : t = ilong[item] : msg = "You take " + t + "." : ENDIF
IF item = 3 & at = vr : won = 1 : msg = "You lift the Lost Crown of Brindle. You win!" : ENDIF
ENDFN

FUNC drop()
done = 1
finditem()
msg = "You do not carry that."
IF at = 99 & item > 0 : iloc[item] = room : msg = "Dropped." : ENDIF
ENDFN

FUNC inventory()
done = 1
p = 99 : listitems()
msg = "You carry " + t + "."
IF t = "" : msg = "You carry nothing at all." : ENDIF
ENDFN

' The long names of the items at place p, joined by commas, into t.
FUNC listitems()
t = "" : k = 0
WHILE k < 3
k = k + 1
w = ilong[k] : at = iloc[k]
IF at = p & t ! "" : t = t + ", " : ENDIF
IF at = p : t = t + w : ENDIF
WEND
ENDFN

' ---------------------------------------------------------------- the screen

' The story so far: msg becomes the last of six lines.
FUNC say()
i = 0
WHILE i < 5
i = i + 1
logl[i] = logl[(i + 1)]
WEND
logl[6] = msg
ENDFN

FUNC drawlog()
FCOLOR 50, 54, 80 : BCOLOR 32, 34, 52
RECT 24, 328, 736, 154
i = 0
WHILE i < 6
i = i + 1
t = logl[i] : c = LSTR(t, 1)
FCOLOR 225, 225, 235
IF c = ">" : FCOLOR 255, 200, 90 : ENDIF
PRINT 40, i * 22 + 318, t
WEND
ENDFN

' The room you see: its picture with the items lying there, its text, and the story.
FUNC show()
lampat = iloc[1]
vr = room
IF room = 4 & lampat ! 99 & lampat ! 4 : vr = 6 : ENDIF
IF vr = 1 : cottage() : ENDIF
IF vr = 2 : meadow() : ENDIF
IF vr = 3 : forest() : ENDIF
IF vr = 4 : cave() : ENDIF
IF vr = 5 : hall() : ENDIF
IF vr = 6 : dark() : ENDIF
k = 0
WHILE k < 3
k = k + 1
at = iloc[k]
IF at = vr : icon() : ENDIF
WEND
IF won = 1 : banner() : ENDIF
' Pictures may spill past their frame: the panels cover what does.
FCOLOR 22, 24, 36 : BCOLOR 22, 24, 36
RECT 384, 56, 400, 270
RECT 0, 56, 24, 270
RECT 0, 312, 784, 16
FCOLOR 200, 170, 90
PLOT 23, 71 : DRAW 384, 71 : DRAW 384, 312 : DRAW 23, 312 : DRAW 23, 71
FCOLOR 50, 54, 80 : BCOLOR 32, 34, 52
RECT 400, 72, 360, 240
FCOLOR 255, 220, 120
t = rname[vr]
PRINT 416, 84, t
FCOLOR 225, 225, 235
i = 0
WHILE i < 3
i = i + 1
t = rdesc[(vr * 3 - 3 + i)]
PRINT 416, i * 18 + 94, t
WEND
' The exits, from the table.
t = "" : d = 0
WHILE d < 4
d = d + 1
j = vr * 4 - 4 + d : w = dname[d]
IF ex[j] > 0 & t ! "" : t = t + ", " : ENDIF
IF ex[j] > 0 : t = t + w : ENDIF
WEND
t = "Exits: " + t
FCOLOR 150, 200, 255
PRINT 416, 172, t
p = vr : listitems()
IF t = "" : t = "nothing special" : ENDIF
FCOLOR 160, 230, 160
PRINT 416, 200, "You see:"
PRINT 416, 218, t
p = 99 : listitems()
IF t = "" : t = "nothing" : ENDIF
FCOLOR 240, 190, 150
PRINT 416, 246, "You carry:"
PRINT 416, 264, t
t = "Moves: " + STRS(moves)
FCOLOR 130, 135, 160
PRINT 648, 288, t
drawlog()
ENDFN

' ---------------------------------------------------------------- the pictures

FUNC cottage()
FCOLOR 150, 100, 60 : BCOLOR 150, 100, 60
RECT 24, 72, 360, 240
FCOLOR 110, 70, 40 : BCOLOR 110, 70, 40
RECT 24, 262, 360, 50
' The window on the rain.
FCOLOR 80, 50, 30 : BCOLOR 90, 120, 160
RECT 60, 110, 100, 76
LINE 110, 110, 110, 186
LINE 60, 148, 160, 148
' The hearth and its fire.
FCOLOR 90, 90, 95 : BCOLOR 130, 130, 135
RECT 220, 130, 130, 132
BCOLOR 40, 30, 30
RECT 245, 170, 80, 92
FCOLOR 230, 90, 20 : BCOLOR 240, 120, 30
CIRCLE 285, 240, 20
FCOLOR 255, 210, 60 : BCOLOR 255, 210, 60
CIRCLE 285, 246, 10
ENDFN

FUNC meadow()
FCOLOR 130, 190, 240 : BCOLOR 130, 190, 240
RECT 24, 72, 360, 240
FCOLOR 255, 220, 80 : BCOLOR 255, 220, 80
CIRCLE 330, 112, 22
' The forest on the horizon, the grass, the path and the flowers.
FCOLOR 40, 100, 50 : BCOLOR 40, 100, 50
i = 0
WHILE i < 12
i = i + 1
CIRCLE i * 30 + 10, 206, 20
WEND
FCOLOR 100, 180, 80 : BCOLOR 100, 180, 80
RECT 24, 210, 360, 102
FCOLOR 200, 170, 110
i = 210
WHILE i < 312
i = i + 1
LINE 200 - (i - 210) / 3, i, 210 + (i - 210) / 3, i
WEND
i = 0
WHILE i < 14
i = i + 1
j = i * 37 : j = j - j % 97 * 97
FCOLOR 255, 240, 120 : BCOLOR 240, 90, 140
IF i > 7 : BCOLOR 250, 250, 250 : ENDIF
CIRCLE j * 3 + 40, i * 7 + 214, 4
WEND
ENDFN

FUNC forest()
FCOLOR 30, 60, 40 : BCOLOR 30, 60, 40
RECT 24, 72, 360, 240
FCOLOR 70, 60, 40 : BCOLOR 70, 60, 40
RECT 24, 272, 360, 40
i = 0
WHILE i < 5
i = i + 1
rx = i * 72 - 30
FCOLOR 60, 40, 25 : BCOLOR 100, 70, 40
RECT rx, 150, 20, 130
FCOLOR 30, 90, 40 : BCOLOR 40, 120, 50
CIRCLE rx + 10, 124 + (i - i % 2 * 2) * 22, 38
CIRCLE rx + 28, 160, 20
WEND
ENDFN

FUNC cave()
FCOLOR 60, 55, 60 : BCOLOR 60, 55, 60
RECT 24, 72, 360, 240
FCOLOR 100, 88, 76 : BCOLOR 100, 88, 76
CIRCLE 204, 200, 100
' Stone teeth from the roof.
FCOLOR 80, 74, 78
i = 0
WHILE i < 360
LINE i + 24, 72, i + 24, 100 - ABS(i - i % 24 * 24 - 12) * 2.5
i = i + 1
WEND
' The gate: a dark passage, barred until it is opened.
FCOLOR 30, 28, 32 : BCOLOR 20, 18, 22
RECT 160, 140, 90, 140
FCOLOR 150, 150, 160
i = 0
WHILE i < 6 & opened = 0
i = i + 1
LINE i * 14 + 156, 140, i * 14 + 156, 280
LINE 160, 180, 250, 180
WEND
FCOLOR 55, 50, 55 : BCOLOR 55, 50, 55
RECT 24, 280, 360, 32
ENDFN

FUNC hall()
FCOLOR 90, 60, 20 : BCOLOR 90, 60, 20
RECT 24, 72, 360, 240
FCOLOR 170, 130, 40 : BCOLOR 170, 130, 40
CIRCLE 190, 200, 110
FCOLOR 150, 140, 110 : BCOLOR 210, 200, 170
RECT 50, 90, 30, 222
RECT 300, 90, 30, 222
RECT 160, 240, 60, 60
FCOLOR 120, 80, 10 : BCOLOR 250, 200, 60
i = 0
WHILE i < 16
i = i + 1
CIRCLE i * 21 + 20, 304 - (i - i % 3 * 3) * 5, 6
WEND
ENDFN

FUNC dark()
FCOLOR 8, 8, 12 : BCOLOR 8, 8, 12
RECT 24, 72, 360, 240
FCOLOR 230, 220, 60 : BCOLOR 230, 220, 60
CIRCLE 180, 170, 5
CIRCLE 206, 170, 5
ENDFN

' Item k lying in the room: a lamp, a key or the crown (on the pedestal in its hall).
FUNC icon()
ix = k * 70 : iy = 296
IF k = 3 & vr = 5 : ix = 190 : iy = 240 : ENDIF
rx = ix - 9 : ry = iy - 12
IF k = 1 : lamp() : ENDIF
IF k = 2 : key() : ENDIF
IF k = 3 : crown() : ENDIF
ENDFN

FUNC lamp()
FCOLOR 255, 240, 150 : BCOLOR 255, 230, 110
CIRCLE ix, iy - 22, 10
FCOLOR 110, 70, 20 : BCOLOR 200, 150, 50
RECT rx, ry, 18, 12
CIRCLE ix, iy - 33, 4
ENDFN

FUNC key()
FCOLOR 110, 80, 20 : BCOLOR 230, 190, 60
CIRCLE ix - 14, iy - 8, 9
RECT ix, ry, 30, 6
LINE ix + 22, iy - 7, ix + 22, iy
LINE ix + 26, iy - 7, ix + 26, iy
ENDFN

FUNC crown()
FCOLOR 250, 200, 60
d = 0 - 7
WHILE d < 8
LINE ix - 12 + d, iy - 12, ix - 12, iy - 30
LINE ix + d, iy - 12, ix, iy - 34
LINE ix + 12 + d, iy - 12, ix + 12, iy - 30
d = d + 1
WEND
rx = ix - 19
FCOLOR 160, 110, 10 : BCOLOR 250, 200, 60
RECT rx, ry, 38, 12
FCOLOR 200, 30, 40 : BCOLOR 220, 40, 50
CIRCLE ix, iy - 6, 3
ENDFN

' The crown is found: a banner over the picture.
FUNC banner()
FCOLOR 120, 80, 10 : BCOLOR 255, 215, 90
RECT 54, 92, 300, 44
FCOLOR 90, 50, 0
PRINT 104, 98, "You found the Lost Crown!"
PRINT 116, 116, "Well done, adventurer!"
ix = 190 : iy = 240 : ry = 228
crown()
ENDFN

LABEL ready

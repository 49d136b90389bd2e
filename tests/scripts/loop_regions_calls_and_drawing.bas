' Functions called from compiled loops, and statements that a loop's code runs by their own
' functions: text, string arrays, PRINT, and drawing with computed coordinates.
VAR i, j, k, d, total, calls, x, y, w, h
VAR kept[8]
STR s, t
STR names[8]
WCOLOR 255, 255, 255
' fill() holds a loop and is called from two places: from the main part, outside any loop,
' and from a loop, whose code takes in fill()'s body and returns to the call in the loop.
fill()
PRINT 0, 1, total
i = 0
WHILE i < 4
i = i + 1
fill() : total = total + 1000
WEND
PRINT 0, 2, total
fill()
PRINT 0, 3, total
' walk() calls itself from inside its own loop, three levels deep, each level going round
' three times; the counter is kept per level in an array, as every name is global. Called
' from the main part, its outermost ENDFN returns to a call that no loop holds, and then from
' a loop, twice.
total = 0 : calls = 0 : d = 0
walk()
PRINT 10, 1, total
PRINT 10, 2, calls
PRINT 10, 3, d
i = 0
WHILE i < 2
i = i + 1
walk()
WEND
PRINT 10, 4, total
PRINT 10, 5, calls
' Text assignments, string elements and PRINT in a loop body; the element written on one turn
' is read on the next, and the ELSE branch first runs on turn 4.
i = 0 : s = ""
WHILE i < 6
i = i + 1
names[i] = "n" + STRS(i)
IF i < 4
s = s + names[i] + ","
ELSE
t = names[(i - 1)] + "|" + MSTR(s, 1, i)
PRINT 20, i, t
ENDIF
WEND
PRINT 20, 10, s
PRINT 20, 11, names[6]
' PSET with computed coordinates: a diagonal and a row, drawn by nested loops; LINE and RECT
' with arguments computed each turn; the colour changes halfway.
FCOLOR 255, 0, 0
i = 0
WHILE i < 10
i = i + 1
IF i = 6 : FCOLOR 0, 0, 255 : ENDIF
PSET 100 + i * 2, 100 + i
j = 0
WHILE j < 3
j = j + 1
PSET 200 + i * 3 + j, 150
WEND
LINE 300, 100 + i * 4, 310 + i, 100 + i * 4
x = 400 + i * 10 : y = 100 : w = 5 : h = i
RECT x, y, w, h
WEND
SWAP
FUNC fill()
k = 0
WHILE k < 3
k = k + 1
total = total + k
WEND
ENDFN
FUNC walk()
d = d + 1
calls = calls + 1
kept[d] = 0
k = 0
WHILE k < 3
kept[d] = kept[d] + 1
total = total + d
IF d < 3 : walk() : ENDIF
k = kept[d]
WEND
d = d - 1
ENDFN

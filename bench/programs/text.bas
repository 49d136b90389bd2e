' 400,000 passes of text processing: build a record from number texts, cut it up again with
' LSTR, MSTR and RSTR, read its numbers back with VAL, compare the pieces, and append one
' character a pass to a word that is checked and emptied every seven passes.
STR num, qt, rec, head, digits, key, tail, word
VAR i, n, q, v, qv, npass, good, same, heads, keys, sevens, words, nword, sumq
npass = 400000
WHILE i < npass
i = i + 1
n = 100000 + i
num = STRS(n)
rec = "id=" + num
rec = rec + ";qty="
q = i - i % 7 * 7 + 1
qt = STRS(q)
rec = rec + qt
head = LSTR(rec, 3)
digits = MSTR(rec, 4, 6)
key = MSTR(rec, 10, 4)
tail = RSTR(rec, 1)
v = VAL(digits)
IF v = n : good = good + 1 : ENDIF
IF digits = num : same = same + 1 : ENDIF
qv = VAL(tail)
sumq = sumq + qv
IF head = "id=" : heads = heads + 1 : ENDIF
IF key = ";qty" : keys = keys + 1 : ENDIF
IF tail = "7" : sevens = sevens + 1 : ENDIF
word = word + tail
nword = nword + 1
IF nword = 7 & word = "2345671" : words = words + 1 : ENDIF
IF nword = 7 : word = "" : nword = 0 : ENDIF
WEND
PRINT 0, 0, rec
PRINT 0, 20, good
PRINT 0, 40, same
PRINT 0, 60, heads
PRINT 0, 80, keys
PRINT 0, 100, sevens
PRINT 0, 120, words
PRINT 0, 140, sumq

' A STR variable compared with a string literal: "=" and "!" compare the texts, "<" and ">"
' never hold; joined with number comparisons; an empty text; a literal that reads as a keyword.
STR s, e
VAR n
s = "play"
IF s = "play" : PRINT 0, 0, "T" : ELSE : PRINT 0, 0, "F" : ENDIF
IF s ! "play" : PRINT 0, 1, "T" : ELSE : PRINT 0, 1, "F" : ENDIF
IF s = "Play" : PRINT 0, 2, "T" : ELSE : PRINT 0, 2, "F" : ENDIF
IF s ! "over" : PRINT 0, 3, "T" : ELSE : PRINT 0, 3, "F" : ENDIF
IF s < "zzz" : PRINT 0, 4, "T" : ELSE : PRINT 0, 4, "F" : ENDIF
IF s > "a" : PRINT 0, 5, "T" : ELSE : PRINT 0, 5, "F" : ENDIF
IF e = "" : PRINT 0, 6, "T" : ELSE : PRINT 0, 6, "F" : ENDIF
IF s = "play" & n < 1 : PRINT 0, 7, "T" : ELSE : PRINT 0, 7, "F" : ENDIF
IF n > 1 | s ! "play" : PRINT 0, 8, "T" : ELSE : PRINT 0, 8, "F" : ENDIF
s = "print"
IF s = "print" : PRINT 0, 9, "T" : ELSE : PRINT 0, 9, "F" : ENDIF
IF s = "print" + "" : PRINT 0, 10, "T" : ELSE : PRINT 0, 10, "F" : ENDIF

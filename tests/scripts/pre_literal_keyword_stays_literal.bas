STR s
IF s = "print"
ENDIF
s = "endif"
IF s = "x" | s = "WHILE"
ENDIF

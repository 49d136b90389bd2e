ENDIF
x = 1

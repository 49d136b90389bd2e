VAR x
x = RAND "9"

VAR x
x = x.5 + 1.5.2
MOUSEX 1.5.2

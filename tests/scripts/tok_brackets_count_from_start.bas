VAR x, y
x = (1 ' open
y = 2)

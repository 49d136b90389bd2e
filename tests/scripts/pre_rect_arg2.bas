VAR x
RECT x, "2", 3, 4

VAR x1, y1, x2, y2
RECT x1, y1, x2+1, y2

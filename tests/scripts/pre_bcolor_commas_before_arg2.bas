BCOLOR 1, "x" 2

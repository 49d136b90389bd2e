PSET (1, 2 ' open
B = 1

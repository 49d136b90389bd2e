PTR img
LOADIMG img, "a.bmp", 0, 0, 10, 10
LOADIMG 0, "a.bmp", 0, 0, 10, 10

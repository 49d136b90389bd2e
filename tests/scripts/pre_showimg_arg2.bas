PTR img
SHOWIMG img, "x", 2, 3

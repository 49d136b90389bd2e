PTR img
LOADIMG img, "a", 0, 0, "w", 10

PTR img
LOADIMG img, "a", "0", 0, 10, 10

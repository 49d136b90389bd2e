PTR img
LOADIMG img, 5, 0, 0, 10, 10

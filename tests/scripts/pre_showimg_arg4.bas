PTR img
SHOWIMG img, 1, 2,

' SHOWIMGT draws the picture its variable's slot holds; SHOWIMG first puts the variable's own
' picture back there. After small = big, small still names slot 1, which holds the 5 x 4
' picture: SHOWIMGT draws that one, and SHOWIMG then selects the 10 x 8 one into the slot.
PTR small, big
WCOLOR 100, 100, 100
LOADIMG small, "gfx_img.bmp", 0, 0, 0, 16
LOADIMG big, "gfx_img.bmp", 0, 10, 8, 16
small = big
SHOWIMGT small, 10, 10, 10, 8
SHOWIMG small, 40, 10, 10, 8
SHOWIMGT small, 70, 10, 10, 8
SWAP

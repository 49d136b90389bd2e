' The game's stage: the sky, the grass, a basket and one star.
WCOLOR 20, 30, 70
' The grass: a green box along the bottom.
FCOLOR 40, 120, 50
BCOLOR 40, 120, 50
RECT 0, 520, 784, 41
' The basket: brown, with two lines across it.
FCOLOR 90, 50, 20
BCOLOR 160, 100, 40
RECT 352, 490, 80, 24
LINE 352, 498, 432, 498
LINE 352, 506, 432, 506
' A star: a yellow circle with four rays.
FCOLOR 255, 230, 120
BCOLOR 255, 230, 120
CIRCLE 392, 120, 8
LINE 392, 100, 392, 141
LINE 372, 120, 413, 120
SWAP

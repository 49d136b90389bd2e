' SWAPs in the window as fast as they go. The milliseconds they took end up as the colour of
' the square at the top left (blue, green, red: high to low byte), which bench/window reads.
VAR i, n, x, t0, t1, d, r, g, b, rest
n = 5000
WCOLOR 30, 60, 90
FCOLOR 255, 255, 255
GETTICK t0
WHILE i < n
i = i + 1
x = i - i % 784 * 784
PSET x, 300
SWAP
WEND
GETTICK t1
d = t1 - t0
b = d % 65536
rest = d - b * 65536
g = rest % 256
r = rest - g * 256
BCOLOR r, g, b
FCOLOR r, g, b
RECT 0, 0, 10, 10
BCOLOR 1, 2, 3
FCOLOR 1, 2, 3
RECT 20, 0, 10, 10
SWAP

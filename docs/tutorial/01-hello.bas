' My first window: a night sky and a greeting.
WCOLOR 20, 30, 70
FCOLOR 255, 230, 120
PRINT 320, 270, "Hello, stars!"
SWAP

' Ten stars and a score, meant to be; --lint finds four mistakes.
VAR i, size = 8
VAR score
WCOLOR 20, 30, 70
FCOLOR 255, 230, 120
BCOLOR 255, 230, 120
FOR i = 1 TO 10
CIRCLE i * 70, 100, size
NEXT
FCOLOR 255, 255, 255
PRINT 16, 12, "Score: " + STRS(score)
TIMERON 50
SWAP

' A text variable given a number: the run stops at that line.
VAR score
STR text
WCOLOR 20, 30, 70
FCOLOR 255, 255, 255
score = 3
text = "Score: " + STRS(score)
PRINT 16, 12, text
SWAP
text = 0
PRINT 16, 40, "Never printed: the run stopped on the line above"
SWAP

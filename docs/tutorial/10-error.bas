' A score that counts the stars caught, with a name spelt wrong.
VAR score
WCOLOR 20, 30, 70
FCOLOR 255, 255, 255
score = 3
scroe = score + 1
PRINT 16, 12, score
SWAP

' Waiting with the focus in the first of 10,000 input boxes that each fill the window: the
' caret blinks in a box that all the newer ones cover.
PTR box
VAR n
WCOLOR 30, 60, 90
SWAP
WHILE n < 10000
n = n + 1
INPUTBOX box, 0, 0, 784, 561, "covered"
WEND

STR s
VAR x
s = STRS x 5
s = STRS("a")

STR s

s = "abc
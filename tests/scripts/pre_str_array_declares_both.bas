STR s[5]
s = "a"
s[1] = s
t = 1

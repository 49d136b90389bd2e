STR s
s = ("abc
s = 1)

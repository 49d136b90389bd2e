VAR a, b, c
STR s[2], t : PTR p
SIN

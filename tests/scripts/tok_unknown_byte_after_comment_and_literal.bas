' café
STR s : s = "é"


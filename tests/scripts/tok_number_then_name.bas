VAR abc12
abc12 = 12abc

VAR r
FCOLOR r, "g", 3

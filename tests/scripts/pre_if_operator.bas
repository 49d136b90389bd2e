VAR a
IF a + 1 = 2

VAR a
IF a
VAR a

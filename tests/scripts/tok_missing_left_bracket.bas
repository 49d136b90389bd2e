VAR a

a]

VAR a[3

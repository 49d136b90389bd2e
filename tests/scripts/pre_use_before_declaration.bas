Count = 1
VAR Count

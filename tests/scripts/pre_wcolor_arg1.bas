WCOLOR "r", 0, 0

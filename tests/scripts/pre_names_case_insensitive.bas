VAR Total
total = TOTAL + 1
Total2 = 1

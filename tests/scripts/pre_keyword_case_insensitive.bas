Var a
while a < 1
Wend
If a = 1
endIf
rect a 2

' Hello, Brindle: a first script. Run it with
'   build/brindle examples/hello.bas
VAR n
WCOLOR 20, 30, 60
FCOLOR 255, 220, 120
PRINT 40, 40, "Hello, Brindle!"
WHILE n < 5
n = n + 1
PRINT 40, 40 + n * 20, n
WEND
SWAP

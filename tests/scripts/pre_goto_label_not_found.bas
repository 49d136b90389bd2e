GOTO loop
LABEL Loop
GOTO Nowhere

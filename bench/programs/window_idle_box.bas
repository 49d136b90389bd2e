' Waiting with the focus in an input box, whose caret blinks.
PTR box
WCOLOR 30, 60, 90
INPUTBOX box, 40, 40, 200, 20, "name"
SWAP

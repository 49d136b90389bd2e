' An input box: click it (or press Tab), type your name and press Enter. In a window:
'   build/brindle examples/greeter.bas
PTR box
STR name, greeting
WCOLOR 235, 240, 250
FCOLOR 40, 40, 80
PRINT 40, 40, "Click the box (or press Tab), type your name and press Enter."
BCOLOR 120, 130, 160
FCOLOR 120, 130, 160
RECT 39, 69, 242, 22
INPUTBOX box, 40, 70, 240, 20, ""
SWAP
GOTO done

' Enter runs this block; it reads the box and answers.
WINMSG WMCOMMAND
GETTEXT box, name
BCOLOR 235, 240, 250
FCOLOR 235, 240, 250
RECT 40, 110, 700, 20
FCOLOR 40, 120, 60
greeting = "Hello, " + name + "!"
PRINT 40, 110, greeting
SWAP
ENDWM
LABEL done

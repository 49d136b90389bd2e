' Guest book: a form with two input boxes. Type your name and your favourite colour, press
' Enter, and the book greets you in your colour; the name box is then cleared for the next
' guest. Tab moves between the boxes (and selects the text there), a click puts the caret.
' Headless, its events file signs in three guests:
'   build/brindle --headless --events examples/guestbook.events examples/guestbook.bas

' The two boxes are known by their handles.
PTR namebox, colourbox
STR name, colour, text
VAR guests, y, red, green, blue, top

' The page: a title bar, two labelled boxes with a frame each, a hint, and the book itself.
WCOLOR 232, 236, 244
FCOLOR 40, 60, 110 : BCOLOR 40, 60, 110
RECT 0, 0, 784, 56
FCOLOR 255, 255, 255
PRINT 40, 20, "Guest book"

FCOLOR 60, 60, 70
PRINT 40, 86, "Your name:"
PRINT 40, 122, "Favourite colour:"
FCOLOR 150, 160, 180 : BCOLOR 255, 255, 255
RECT 196, 82, 248, 24
RECT 196, 118, 248, 24
INPUTBOX namebox, 200, 86, 240, 16, ""
INPUTBOX colourbox, 200, 122, 240, 16, "blue"

FCOLOR 110, 115, 130
PRINT 40, 160, "Tab moves between the boxes; Enter signs the book."
PRINT 40, 180, "Colours: red, green, blue, gold or purple."

' The book: a white page with a line for each guest.
top = 232
newpage()
SWAP
' The main part ends here: Enter runs the WMCOMMAND block below.
GOTO ready

' ---------------------------------------------------------------- Enter

' Enter arrives as command 1: read both boxes and sign the book, or ask for a name.
WINMSG WMCOMMAND
GETTEXT namebox, name
GETTEXT colourbox, colour
IF name = "" : askname() : ENDIF
IF name ! "" : sign() : ENDIF
SWAP
ENDWM

' ---------------------------------------------------------------- the book

FUNC sign()
IF guests = 10 : newpage() : ENDIF
guests = guests + 1
inkof()
' A coloured square and the greeting, on the next line of the page.
y = top + guests * 28 - 28
FCOLOR red, green, blue : BCOLOR red, green, blue
RECT 60, y, 14, 14
text = "Hello, " + name
text = text + "! Welcome to Brindle."
PRINT 88, y, text
' Clear the name box for the next guest.
SETTEXT namebox, ""
text = "Thank you, " + name
text = text + ". Next guest, please!"
status()
ENDFN

' A fresh page has room for ten guests.
FUNC newpage()
FCOLOR 180, 185, 200 : BCOLOR 255, 255, 255
RECT 40, 216, 704, 300
guests = 0
ENDFN

FUNC askname()
text = "Please type your name first."
status()
ENDFN

' The colour typed in the colour box, as red, green and blue (dark grey for any other).
FUNC inkof()
red = 70 : green = 70 : blue = 80
IF colour = "red" : red = 210 : green = 40 : blue = 40 : ENDIF
IF colour = "green" : red = 30 : green = 150 : blue = 60 : ENDIF
IF colour = "blue" : red = 40 : green = 90 : blue = 210 : ENDIF
IF colour = "gold" : red = 210 : green = 160 : blue = 20 : ENDIF
IF colour = "purple" : red = 130 : green = 50 : blue = 170 : ENDIF
ENDFN

' The line under the page tells what happened last.
FUNC status()
FCOLOR 232, 236, 244 : BCOLOR 232, 236, 244
RECT 40, 524, 704, 20
FCOLOR 40, 60, 110
PRINT 40, 526, text
ENDFN

LABEL ready

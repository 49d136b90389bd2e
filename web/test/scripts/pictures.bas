' Pictures of every format the program decodes, scaled 4 times, with text and shapes around
' them: the page must show the same pixels as the native program.
PTR p1, p2, p3, p4, p5, p6, p7
WCOLOR 236, 240, 232
FCOLOR 40, 40, 60
PRINT 16, 8, "PNG, JPEG, GIF, BMP, TGA: the same pixels in the page"
LOADIMG p1, "interlaced_alpha.png", 0, 148, 92, 16
LOADIMG p2, "palette_trns.png", 0, 148, 92, 16
LOADIMG p3, "progressive.jpg", 0, 148, 92, 16
LOADIMG p4, "cmyk.jpg", 0, 148, 92, 16
LOADIMG p5, "transparent.gif", 0, 148, 92, 16
LOADIMG p6, "rle8.bmp", 0, 148, 92, 16
LOADIMG p7, "palette_rle.tga", 0, 148, 92, 16
SHOWIMG p1, 16, 40, 148, 92
SHOWIMG p2, 180, 40, 148, 92
SHOWIMG p3, 344, 40, 148, 92
SHOWIMG p4, 508, 40, 148, 92
SHOWIMGT p5, 16, 150, 148, 92
SHOWIMG p6, 180, 150, 148, 92
SHOWIMG p7, 344, 150, 148, 92
BCOLOR 230, 90, 60
CIRCLE 600, 200, 45
FCOLOR 20, 140, 60
LINE 16, 300, 760, 420
PRINT 16, 440, "Accents: déjà vu, naïve, Ærø, £5 ½"
SWAP

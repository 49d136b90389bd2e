PTR first, tmp
VAR i
GOTO start
WINMSG WMKEYDOWN
WHILE i < 1500
i = i + 1
LOADIMG tmp, "gfx_img.bmp", 0, 512, 512, 16
WEND
SHOWIMG first, 10, 10, 5, 4
SWAP
PRINT 0, 0, i
ENDWM
LABEL start
LOADIMG first, "gfx_img.bmp", 0, 0, 0, 16

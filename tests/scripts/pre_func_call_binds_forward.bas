VAR x
shape()
Shape()
nothing(x)
FUNC SHAPE()
ENDFN
undefined()

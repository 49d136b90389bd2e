shape()
FUNC shape
ENDFN

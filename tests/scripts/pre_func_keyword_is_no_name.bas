FUNC draw()
ENDFN

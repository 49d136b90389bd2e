PRINT ""x

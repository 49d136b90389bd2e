STR "s"

VAR x
x = RND 5

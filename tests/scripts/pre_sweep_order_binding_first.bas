zz = RND 5

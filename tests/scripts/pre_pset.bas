PSET "a", 1

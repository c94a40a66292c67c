// Compiles the precompiled headers that every library of the tree reuses.

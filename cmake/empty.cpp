// Keeps a program library valid while its folder has nothing but main.cpp.

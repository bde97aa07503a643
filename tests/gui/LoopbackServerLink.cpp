// The raw request recorder of the core tests, built once into this program as well.
#include "../core/LoopbackServer.cpp"

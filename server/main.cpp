#include <cstdio>

int main(int, char **)
{
    std::puts("refservice: not built yet");
    return 0;
}

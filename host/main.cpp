#include <windows.h>
#include <cstdio>
#include "ferromes.h"

int main(int argc, char** argv) {
    MyLoadString(8062, 1000);
    std::printf("%s\n%s\n", GetLoadStrTitle(), GetLoadStrMessage());
    return 0;
}

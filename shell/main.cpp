#include "shell/RunZorbic.h"

int main(int argc, char *argv[]) {
    return zorbic::RunZorbic(argc, argv);
}

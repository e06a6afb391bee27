#include "Program.h"

int main(int argc, char** argv) {
    return quorvel::Main(argc, argv);
}

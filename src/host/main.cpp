// The library's host: started by the console with the channel's descriptors
// already in place, it loads the library and makes the console's calls.

#include "library/CanalHospedeiro.h"

int main(int argc, char** argv) {
    return hospedeiro::executaHospedeiro(argc, argv);
}

// The library's host: started by the console with the channel's descriptors
// already in place, it loads the library and makes the console's calls.

#include "library/CanalHospedeiro.h"

// In the sanitizer build: a crash of the library is the library's, to be
// reported by its signal as in any build, not turned into an exit; what the
// library leaves allocated is not the host's leak.
extern "C" const char* __asan_default_options();
extern "C" const char* __asan_default_options() {
    return "handle_segv=0:handle_sigbus=0:handle_sigfpe=0:handle_sigill=0:handle_abort=0:detect_leaks=0";
}

int main(int argc, char** argv) {
    return hospedeiro::executaHospedeiro(argc, argv);
}

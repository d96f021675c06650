#pragma once

// A library in which every function does nothing and answers 0, for tests
// that put one misbehaving function in its place.

#include "library/KavexLibrary.h"

namespace harness {

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"
class BibliotecaNula : public KavexLibrary {
public:
#define KAVEX_NULL_METHOD(R, N, P, A)                                                                                  \
    R N P override {                                                                                                   \
        return R{};                                                                                                    \
    }
    KAVEX_FUNCTIONS(KAVEX_NULL_METHOD)
#undef KAVEX_NULL_METHOD
};
#pragma GCC diagnostic pop

} // namespace harness

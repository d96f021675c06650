#pragma once

// The payment client library as the console sees it: one method per exported
// function, with the C signatures, so tests can put another implementation in
// its place.

#include "library/KavexFunctions.h"

#include <QStringList>

#include <cstdint>
#include <limits>

// Result of a call whose function the loaded library does not export: the
// operator has been told, and the value can be shown like any other code.
inline constexpr int32_t kFuncaoAusente = std::numeric_limits<int16_t>::min();

class KavexLibrary {
public:
    virtual ~KavexLibrary() = default;

#define KAVEX_DECLARE_METHOD(R, N, P, A) virtual R N P = 0;
    KAVEX_FUNCTIONS(KAVEX_DECLARE_METHOD)
#undef KAVEX_DECLARE_METHOD

    // The functions the library does not export, by name.
    virtual QStringList missingFunctions() const {
        return {};
    }
};

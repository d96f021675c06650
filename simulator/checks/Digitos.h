// Check-digit rules of Brazilian bills and cheques. Pure functions over ASCII
// digits, without state, so a fuzz target can call them directly.
#pragma once

#include <string_view>

namespace kavexsim::checks {

bool soDigitos(std::string_view texto);

// Weights 2, 1, 2, ... from the right; a product above 9 counts as the sum
// of its digits; 10 - (sum mod 10), with 10 becoming 0.
int modulo10(std::string_view digitos);

// Weights 2..9 repeating from the right. Bank-bill general digit: 11 - (sum
// mod 11), where 0, 10 and 11 give 1 (the digit is never 0).
int modulo11Bancario(std::string_view digitos);

// Same weights. Collection bill: remainder 0 or 1 gives 0, remainder 10
// gives 1, otherwise 11 - remainder.
int modulo11Arrecadacao(std::string_view digitos);

// Same weights. The digits C1, C2 and C3 printed on a cheque and typed by the
// operator: 11 - remainder, where 10 and 11 give 0.
int modulo11Cheque(std::string_view digitos);

// Luhn check of a whole card number (its last digit included).
bool luhnValido(std::string_view numero);

} // namespace kavexsim::checks

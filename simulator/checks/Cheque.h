// Cheque data as the console sends it: a CMC-7 line, or the eight fields
// typed from the cheque's face. Texts are the Windows-1252 bytes received.
#pragma once

#include <string>
#include <string_view>

namespace kavexsim::checks {

struct Cheque {
    std::string erro; // empty when valid; otherwise the refusal shown to the operator
    std::string banco, agencia, compensacao, numero, conta;
};

// 30 digits, optionally with the separators "<", ">", ":", blanks and the
// letter Ç (byte 0xC7) that readers put between the groups. DV1 (digit 19)
// checks bank and branch, DV2 (digit 8) clearing, number and type, DV3
// (digit 30) the account, all modulo 10.
Cheque verificaCmc7(std::string_view linha);

// Clearing (3), bank (3), branch (4), C1, account (10), C2, number (6), C3:
// 29 digits. C1 checks clearing, bank and branch, C2 the account, C3 the
// number, each with the cheque rule of modulo 11.
Cheque verificaDigitado(std::string_view campos);

} // namespace kavexsim::checks

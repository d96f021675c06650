// The pharmacy products the simulator knows, for PBM and Vidalink.
#pragma once

#include <cstdint>
#include <string_view>

namespace kavexsim {

struct Produto {
    const char* codigo;
    const char* nome;
    int32_t quantidadeMaxima; // authorised per prescription
    long long preco;          // cents
    long long subsidio;       // cents paid by the plan
};

inline constexpr Produto kCatalogo[] = {
    {"100001", "LOSARTANA 50MG CX 30", 2, 1890, 1500},
    {"100002", "SINVASTATINA 20MG CX 30", 1, 2450, 2000},
    {"100003", "METFORMINA 850MG CX 30", 3, 990, 990},
};

inline const Produto* produto(std::string_view codigo) {
    for (const auto& p : kCatalogo) {
        if (codigo == p.codigo)
            return &p;
    }
    return nullptr;
}

} // namespace kavexsim

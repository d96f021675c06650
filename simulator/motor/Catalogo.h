// The pharmacy products the simulator knows, for PBM and Vidalink.
#pragma once

#include <cstdint>
#include <iterator>
#include <string_view>
#include <vector>

namespace kavexsim {

struct Produto {
    const char* codigo;
    const char* nome;
    int32_t quantidadeMaxima; // authorised per prescription
    long long preco;          // cents
    long long subsidio;       // cents paid by the plan
};

inline constexpr Produto kCatalogo[] = {
    {"100001", "LOSARTANA 50MG CX 30", 2, 1890, 1500}, {"100002", "SINVASTATINA 20MG CX 30", 1, 2450, 2000},
    {"100003", "METFORMINA 850MG CX 30", 3, 990, 990}, {"100004", "ATENOLOL 25MG CX 30", 2, 850, 850},
    {"100005", "OMEPRAZOL 20MG CX 28", 2, 2100, 1050},
};

// A product of a prescription and the quantity its authorisation allows.
struct Prescrito {
    const char* codigo;
    int32_t quantidade;
};

struct Receita {
    const char* autorizacao; // null: any other code of digits
    std::vector<Prescrito> itens;
};

// Each authorisation code leads to its own products.
inline const std::vector<Prescrito>& receita(std::string_view autorizacao) {
    static const Receita receitas[] = {
        {"11111", {{"100004", 2}, {"100005", 1}}},
        {"22222", {{"100002", 1}, {"100005", 2}}},
        {nullptr, {{"100001", 2}, {"100002", 1}, {"100003", 3}}},
    };
    for (const auto& r : receitas) {
        if (!r.autorizacao || autorizacao == r.autorizacao)
            return r.itens;
    }
    return receitas[std::size(receitas) - 1].itens;
}

inline const Produto* produto(std::string_view codigo) {
    for (const auto& p : kCatalogo) {
        if (codigo == p.codigo)
            return &p;
    }
    return nullptr;
}

} // namespace kavexsim

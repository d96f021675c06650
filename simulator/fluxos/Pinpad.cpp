// The interactive pinpad functions: a card read, a track-3 read and a PIN
// read, each a wait for the pinpad followed by what it read.
#include "fluxos/Fluxos.h"
#include "kavexsim_codes.h"
#include "library/kavex.h"
#include "motor/Passos.h"

namespace kavexsim::fluxos {

using namespace passos;

namespace {

std::string textoOuPadrao(const std::string& mensagem, const char* padrao) {
    return mensagem.find_first_not_of(' ') == std::string::npos ? padrao : mensagem;
}

Criacao soPassos(std::vector<Passo> passos) {
    Roteiro r;
    r.passos = std::move(passos);
    r.conclusao = [](Contexto&) { return KAVEXSIM_OK; };
    return {KAVEX_CONTINUA_INTERATIVO, std::move(r)};
}

} // namespace

Criacao leCartaoInterativo(const std::string& texto) {
    return soPassos(leCartao(textoOuPadrao(texto, "PASSE O CARTÃO")));
}

Criacao leTrilha3(const std::string& texto) {
    std::vector<Passo> ps = aguardaPinpad(textoOuPadrao(texto, "PASSE O CARTÃO"));
    ps.push_back(mensagem(cmd::kLimpaOperador, ""));
    ps.push_back(mensagem(cmd::kMensagemOperador, std::string("TRILHA3 = ") + kTrilha3Teste));
    return soPassos(std::move(ps));
}

Criacao leSenhaInterativo() {
    return soPassos(leSenha());
}

} // namespace kavexsim::fluxos

// The built-in behaviour: what the simulator answers when no script does.
// One instance per process; the exported functions call it under their lock.
#pragma once

#include "motor/Estado.h"
#include "motor/Fluxo.h"

#include <cstdint>
#include <memory>
#include <string>

namespace kavexsim {

class Motor {
public:
    static Motor& instancia();

    int32_t configura(const char* servidor, const char* loja, const char* terminal);
    // Keeps the built-in state in step with a script's answer to the configuration.
    void configuradoPorScript(bool configurado) { m_estado.configurado = configurado; }

    int32_t iniciaFuncao(int32_t funcao, const char* valor, const char* cupom, const char* data, const char* hora,
                         const char* operador, const char* restricoes, const char* produtos, bool comProdutos);
    int32_t correspondente(const char* cupom, const char* data, const char* hora, const char* operador,
                           const char* restricoes);
    int32_t continua(int32_t* comando, int32_t* tipo, int16_t* minimo, int16_t* maximo, char* buffer, int32_t tamanho,
                     int32_t continuacao);

    int32_t finaliza(int16_t confirma, const char* cupom, const char* data, const char* hora);
    int32_t finalizaIdentificada(int32_t funcao, int16_t confirma, const char* cupom, const char* data,
                                 const char* hora, const char* dados);

    int32_t verificaPinpad();
    int32_t leCartaoInterativo(const char* mensagem);
    int32_t leTrilha3(const char* mensagem);
    int32_t leCartaoDireto(char* trilha1, char* trilha2, bool aguarda);
    int32_t escreveMensagem(const char* mensagem);
    int32_t leSenhaInterativo();
    int32_t leSenhaDireto(char* senha);
    int32_t leSimNao();

    int32_t consultaPbm(const char* autorizacao, const char* consulta, const char* cupom, const char* data,
                        const char* hora);
    int32_t consultaVidalink(const char* autorizacao, const char* produto, const char* cupom, const char* data,
                             const char* hora);
    int32_t informaVenda(int16_t numero, const char* codigo, int32_t quantidade, const char* valor);
    int32_t vendaVidalink(const char* autorizacao, int16_t quantidade, const char* cupom, const char* data,
                          const char* hora);
    int32_t informaCancelamento(int16_t numero, const char* codigo, int32_t quantidade);
    int32_t cancelamentoVidalink(int16_t total, int32_t quantidade, const char* cupomVenda, const char* dataVenda,
                                 const char* cupom, const char* data, const char* hora);

    // A direct request as the console sends it; `tipo` 1 asks for an undo to be possible.
    struct PedidoDireto {
        int16_t rede = 0, funcao = 0;
        const char* envio = nullptr;
        int16_t tamanhoEnvio = 0;
        const char* data = nullptr;
        const char* hora = nullptr;
        int16_t tipo = 0;
    };
    int32_t enviaRecebe(const PedidoDireto& pedido, char* resposta, int16_t tamanhoResposta, int16_t* codigoResposta,
                        std::size_t& escritos);

private:
    // Common checks of a start; fills the context's start and answers 0 when it may go on.
    int32_t prepara(Contexto& ctx, const char* cupom, const char* data, const char* hora, const char* operador);
    // A pharmacy start: the common checks, then an authorisation code of digits.
    int32_t preparaFarmacia(Contexto& ctx, const char* autorizacao, const char* cupom, const char* data,
                            const char* hora);
    // Starts the flow, after undoing a transaction still pending (and saying so first).
    int32_t comeca(Contexto ctx, Criacao criacao, bool desfazPendente);
    int32_t encerra(int16_t confirma);

    Estado m_estado;
    std::unique_ptr<Fluxo> m_fluxo;
};

} // namespace kavexsim

// The 26 exported functions. Each one logs its call and answers from the
// script when the script has an answer queued for it, otherwise with the
// built-in behaviour (motor/). Nothing thrown inside may cross the C boundary.
#include "library/kavex.h"

#include "checks/CodigoBarras.h"
#include "cp1252.h"
#include "kavexsim_codes.h"
#include "motor/Leitura.h"
#include "motor/Motor.h"
#include "script.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

using kavexsim::Json;
using kavexsim::LogLine;

namespace {

// ---- reading what the console passed ----

LogLine text(const char* s) {
    if (!s)
        return nullptr;
    return kavexsim::cp1252ToUtf8(s);
}

// Buffer bytes up to the first zero byte, never looking past `size` bytes.
std::string rawText(const char* buffer, long long size) {
    if (!buffer || size <= 0)
        return {};
    const auto n = static_cast<std::size_t>(size);
    const void* zero = std::memchr(buffer, 0, n);
    return std::string(buffer, zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - buffer) : n);
}

LogLine bufferText(const char* buffer, long long size) {
    if (!buffer)
        return nullptr;
    return kavexsim::cp1252ToUtf8(rawText(buffer, size));
}

LogLine bytes(const char* data, long long length) {
    if (!data)
        return nullptr;
    return kavexsim::cp1252ToUtf8(std::string_view(data, static_cast<std::size_t>(std::max(length, 0LL))));
}

template <class T> LogLine value(const T* p) {
    if (!p)
        return nullptr;
    return *p;
}

// ---- reading a scripted answer (shapes were checked when the script loaded) ----

template <class T> T number(const Json& answer, const char* key, T fallback = 0) {
    auto it = answer.find(key);
    return it == answer.end() ? fallback : it->template get<T>();
}

// ---- writing outputs ----

template <class T> void put(T* p, T v) {
    if (p)
        *p = v;
}

// Copies the answer's text as Windows-1252 into the buffer, truncated so the
// terminating zero always fits. Returns the number of bytes written before
// the terminator.
std::size_t putText(char* buffer, long long size, const Json& answer, const char* key) {
    if (!buffer || size <= 0 || !answer.contains(key))
        return 0;
    const std::string encoded = kavexsim::utf8ToCp1252(answer.at(key).get<std::string>());
    const std::size_t n = std::min(encoded.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, encoded.data(), n);
    buffer[n] = '\0';
    return n;
}

// ---- one call ----

LogLine noOut(const Json*) {
    return nullptr;
}

kavexsim::Motor& motor() {
    return kavexsim::Motor::instancia();
}

// Runs one call under the lock: logs it and returns the script's answer or
// the built-in one. `run` receives the answer (nullptr = built-in behaviour);
// `out` describes the outputs after the call, given the scripted answer
// (nullptr: the built-in behaviour wrote every output of the call). Outputs
// are logged only when something was written, so that a log can be replayed.
template <class R, class Args, class Run, class Out>
R call(const char* fn, Args&& makeArgs, Run&& run, Out&& out) noexcept {
    try {
        std::lock_guard lock(kavexsim::callMutex());
        LogLine line;
        line["fn"] = fn;
        line["args"] = makeArgs();
        const kavexsim::Lookup lookup = kavexsim::nextAnswer(fn, line["args"]);
        R ret = static_cast<R>(lookup.error);
        bool wrote = false;
        if (!lookup.error)
            ret = run(lookup.answer ? &*lookup.answer : nullptr, wrote);
        line["ret"] = ret;
        if (lookup.answer || wrote) {
            LogLine outputs = out(lookup.answer ? &*lookup.answer : nullptr);
            if (!outputs.is_null())
                line["out"] = std::move(outputs);
        }
        kavexsim::writeLog(line);
        return ret;
    } catch (...) {
        return KAVEXSIM_INTERNAL_ERROR;
    }
}

// Functions whose only effect is their result; `builtIn` answers when the script does not.
template <class Args, class BuiltIn> int32_t plain(const char* fn, Args&& makeArgs, BuiltIn&& builtIn) noexcept {
    return call<int32_t>(
        fn, makeArgs,
        [&](const Json* answer, bool&) { return answer ? number<int32_t>(*answer, "return") : builtIn(); }, noOut);
}

// Whether the call wrote outputs: a scripted answer names them, the built-in
// behaviour writes them all when it succeeds.
bool has(const Json* answer, const char* key) {
    return !answer || answer->contains(key);
}

} // namespace

// The definitions take their C linkage from the declarations in kavex.h.

KAVEX_API int32_t KAVEX_CALL ConfiguraIntKavexInterativo(const char* enderecoServidor, const char* empresa,
                                                         const char* terminal, int32_t reservado) {
    return call<int32_t>(
        "ConfiguraIntKavexInterativo",
        [&] {
            return LogLine::array({text(enderecoServidor), text(empresa), text(terminal), reservado});
        },
        [&](const Json* answer, bool&) {
            if (!answer)
                return motor().configura(enderecoServidor, empresa, terminal);
            const int32_t ret = number<int32_t>(*answer, "return");
            motor().configuradoPorScript(ret == KAVEXSIM_OK);
            return ret;
        },
        noOut);
}

KAVEX_API int32_t KAVEX_CALL IniciaFuncaoKavexInterativo(int32_t funcao, const char* valor, const char* cupomFiscal,
                                                         const char* dataFiscal, const char* horaFiscal,
                                                         const char* operador, const char* restricoes) {
    return plain(
        "IniciaFuncaoKavexInterativo",
        [&] {
            return LogLine::array({funcao, text(valor), text(cupomFiscal), text(dataFiscal), text(horaFiscal),
                                   text(operador), text(restricoes)});
        },
        [&] {
            return motor().iniciaFuncao(funcao, valor, cupomFiscal, dataFiscal, horaFiscal, operador, restricoes,
                                        nullptr, false);
        });
}

KAVEX_API int32_t KAVEX_CALL IniciaFuncaoAAKavexInterativo(int32_t funcao, const char* valor, const char* cupomFiscal,
                                                           const char* dataFiscal, const char* horaFiscal,
                                                           const char* operador, const char* restricoes,
                                                           const char* produtos) {
    return plain(
        "IniciaFuncaoAAKavexInterativo",
        [&] {
            return LogLine::array({funcao, text(valor), text(cupomFiscal), text(dataFiscal), text(horaFiscal),
                                   text(operador), text(restricoes), text(produtos)});
        },
        [&] {
            return motor().iniciaFuncao(funcao, valor, cupomFiscal, dataFiscal, horaFiscal, operador, restricoes,
                                        produtos, true);
        });
}

KAVEX_API int32_t KAVEX_CALL CorrespondenteBancarioKavexInterativo(const char* cupomFiscal, const char* dataFiscal,
                                                                   const char* horaFiscal, const char* operador,
                                                                   const char* restricoes) {
    return plain(
        "CorrespondenteBancarioKavexInterativo",
        [&] {
            return LogLine::array(
                {text(cupomFiscal), text(dataFiscal), text(horaFiscal), text(operador), text(restricoes)});
        },
        [&] { return motor().correspondente(cupomFiscal, dataFiscal, horaFiscal, operador, restricoes); });
}

KAVEX_API int32_t KAVEX_CALL ContinuaFuncaoKavexInterativo(int32_t* proximoComando, int32_t* tipoCampo,
                                                           int16_t* tamanhoMinimo, int16_t* tamanhoMaximo, char* buffer,
                                                           int32_t tamanhoBuffer, int32_t continua) {
    return call<int32_t>(
        "ContinuaFuncaoKavexInterativo",
        [&] {
            return LogLine::array({bufferText(buffer, tamanhoBuffer), tamanhoBuffer, continua});
        },
        [&](const Json* answer, bool& wrote) {
            if (!answer) {
                const int32_t ret = motor().continua(proximoComando, tipoCampo, tamanhoMinimo, tamanhoMaximo, buffer,
                                                     tamanhoBuffer, continua);
                wrote = ret != KAVEXSIM_NOT_CONFIGURED && ret != KAVEXSIM_NO_FUNCTION;
                return ret;
            }
            put(proximoComando, number<int32_t>(*answer, "command"));
            put(tipoCampo, number<int32_t>(*answer, "fieldType"));
            put(tamanhoMinimo, number<int16_t>(*answer, "min"));
            put(tamanhoMaximo, number<int16_t>(*answer, "max"));
            putText(buffer, tamanhoBuffer, *answer, "text");
            return number<int32_t>(*answer, "return", KAVEX_CONTINUA_INTERATIVO);
        },
        [&](const Json*) {
            return LogLine{{"command", value(proximoComando)},
                           {"fieldType", value(tipoCampo)},
                           {"min", value(tamanhoMinimo)},
                           {"max", value(tamanhoMaximo)},
                           {"buffer", bufferText(buffer, tamanhoBuffer)}};
        });
}

KAVEX_API int32_t KAVEX_CALL FinalizaTransacaoKavexInterativo(int16_t confirma, const char* cupomFiscal,
                                                              const char* dataFiscal, const char* horaFiscal) {
    return plain(
        "FinalizaTransacaoKavexInterativo",
        [&] {
            return LogLine::array({confirma, text(cupomFiscal), text(dataFiscal), text(horaFiscal)});
        },
        [&] { return motor().finaliza(confirma, cupomFiscal, dataFiscal, horaFiscal); });
}

KAVEX_API int32_t KAVEX_CALL FinalizaFuncaoKavexInterativo(int16_t confirma, const char* cupomFiscal,
                                                           const char* dataFiscal, const char* horaFiscal,
                                                           const char* parametrosAdicionais) {
    // The additional parameters are only logged: the simulator needs none.
    return plain(
        "FinalizaFuncaoKavexInterativo",
        [&] {
            return LogLine::array(
                {confirma, text(cupomFiscal), text(dataFiscal), text(horaFiscal), text(parametrosAdicionais)});
        },
        [&] { return motor().finaliza(confirma, cupomFiscal, dataFiscal, horaFiscal); });
}

KAVEX_API int32_t KAVEX_CALL FinalizaTransacaoIdentificadaKavex(int32_t funcao, int16_t confirma,
                                                                const char* cupomFiscal, const char* dataFiscal,
                                                                const char* horaFiscal, const char* dadosTransacao) {
    return plain(
        "FinalizaTransacaoIdentificadaKavex",
        [&] {
            return LogLine::array(
                {funcao, confirma, text(cupomFiscal), text(dataFiscal), text(horaFiscal), text(dadosTransacao)});
        },
        [&] {
            return motor().finalizaIdentificada(funcao, confirma, cupomFiscal, dataFiscal, horaFiscal, dadosTransacao);
        });
}

KAVEX_API int32_t KAVEX_CALL VerificaPresencaPinPad(void) {
    return plain(
        "VerificaPresencaPinPad", [] { return LogLine::array(); }, [] { return motor().verificaPinpad(); });
}

KAVEX_API int32_t KAVEX_CALL LeCartaoInterativo(const char* mensagem) {
    return plain(
        "LeCartaoInterativo", [&] { return LogLine::array({text(mensagem)}); },
        [&] { return motor().leCartaoInterativo(mensagem); });
}

KAVEX_API int32_t KAVEX_CALL LeTrilha3(const char* mensagem) {
    return plain(
        "LeTrilha3", [&] { return LogLine::array({text(mensagem)}); }, [&] { return motor().leTrilha3(mensagem); });
}

namespace {

// Shared by both card reads: the tracks go out only when the answer gives them.
int32_t readCard(const Json* answer, char* trilha1, char* trilha2, bool aguarda, bool& wrote) {
    if (!answer) {
        const int32_t ret = motor().leCartaoDireto(trilha1, trilha2, aguarda);
        wrote = ret == KAVEXSIM_OK;
        return ret;
    }
    putText(trilha1, KAVEX_TAM_TRILHA1, *answer, "track1");
    putText(trilha2, KAVEX_TAM_TRILHA2, *answer, "track2");
    return number<int32_t>(*answer, "return");
}

LogLine cardOut(const Json* answer, const char* trilha1, const char* trilha2) {
    LogLine out = LogLine::object();
    if (has(answer, "track1"))
        out["track1"] = bufferText(trilha1, KAVEX_TAM_TRILHA1);
    if (has(answer, "track2"))
        out["track2"] = bufferText(trilha2, KAVEX_TAM_TRILHA2);
    return out;
}

} // namespace

KAVEX_API int32_t KAVEX_CALL LeCartaoDireto(const char* mensagem, char* trilha1, char* trilha2) {
    return call<int32_t>(
        "LeCartaoDireto",
        [&] {
            return LogLine::array({text(mensagem), nullptr, nullptr});
        },
        [&](const Json* answer, bool& wrote) { return readCard(answer, trilha1, trilha2, true, wrote); },
        [&](const Json* answer) { return cardOut(answer, trilha1, trilha2); });
}

KAVEX_API int32_t KAVEX_CALL LeCartaoDiretoEx(const char* mensagem, char* trilha1, char* trilha2, uint16_t timeout,
                                              int32_t aguardaCartao) {
    // aguardaCartao is the index of the console's question: 0 "Sim" waits for the card.
    return call<int32_t>(
        "LeCartaoDiretoEx",
        [&] {
            return LogLine::array({text(mensagem), nullptr, nullptr, timeout, aguardaCartao});
        },
        [&](const Json* answer, bool& wrote) { return readCard(answer, trilha1, trilha2, aguardaCartao == 0, wrote); },
        [&](const Json* answer) { return cardOut(answer, trilha1, trilha2); });
}

KAVEX_API int32_t KAVEX_CALL InterrompeLeCartaoDireto(void) {
    // A read in progress holds the call lock: it is broken off first, and
    // this call is logged once the read has ended.
    kavexsim::interrompeLeitura();
    return plain(
        "InterrompeLeCartaoDireto", [] { return LogLine::array(); }, [] { return KAVEXSIM_OK; });
}

KAVEX_API int32_t KAVEX_CALL EscreveMensagemPermanentePinPad(const char* mensagem) {
    return plain(
        "EscreveMensagemPermanentePinPad", [&] { return LogLine::array({text(mensagem)}); },
        [&] { return motor().escreveMensagem(mensagem); });
}

KAVEX_API int32_t KAVEX_CALL LeSenhaInterativo(const char* workingKey) {
    return plain(
        "LeSenhaInterativo", [&] { return LogLine::array({text(workingKey)}); },
        [] { return motor().leSenhaInterativo(); });
}

KAVEX_API int32_t KAVEX_CALL LeSenhaDireto(const char* workingKey, char* senha) {
    return call<int32_t>(
        "LeSenhaDireto",
        [&] {
            return LogLine::array({text(workingKey), nullptr});
        },
        [&](const Json* answer, bool& wrote) {
            if (!answer) {
                const int32_t ret = motor().leSenhaDireto(senha);
                wrote = ret == KAVEXSIM_OK;
                return ret;
            }
            putText(senha, KAVEX_TAM_SENHA, *answer, "pin");
            return number<int32_t>(*answer, "return");
        },
        [&](const Json* answer) {
            LogLine out = LogLine::object();
            if (has(answer, "pin"))
                out["pin"] = bufferText(senha, KAVEX_TAM_SENHA);
            return out;
        });
}

KAVEX_API int32_t KAVEX_CALL LeSimNaoPinPad(const char* mensagem) {
    return plain(
        "LeSimNaoPinPad", [&] { return LogLine::array({text(mensagem)}); }, [] { return motor().leSimNao(); });
}

KAVEX_API int16_t KAVEX_CALL ValidaCampoCodigoEmBarras(const char* digitos, int16_t* tipo) {
    return call<int16_t>(
        "ValidaCampoCodigoEmBarras",
        [&] {
            return LogLine::array({text(digitos), nullptr});
        },
        [&](const Json* answer, bool& wrote) -> int16_t {
            if (!answer) {
                // A pure check: it needs no configuration.
                const auto v = kavexsim::checks::verificaParcial(digitos ? digitos : "");
                put(tipo, v.tipo);
                wrote = true;
                return v.resultado;
            }
            put(tipo, number<int16_t>(*answer, "type"));
            return number<int16_t>(*answer, "return");
        },
        [&](const Json*) {
            return LogLine{{"type", value(tipo)}};
        });
}

KAVEX_API int32_t KAVEX_CALL IniciaFuncaoKavexInterativoConsultaPBM(char* codigoAutorizacao, const char* consulta,
                                                                    const char* cupomFiscal, const char* dataFiscal,
                                                                    const char* horaFiscal, const char* operador,
                                                                    const char* reservado) {
    return call<int32_t>(
        "IniciaFuncaoKavexInterativoConsultaPBM",
        [&] {
            return LogLine::array({bufferText(codigoAutorizacao, KAVEX_TAM_COD_AUTORIZACAO), text(consulta),
                                   text(cupomFiscal), text(dataFiscal), text(horaFiscal), text(operador),
                                   text(reservado)});
        },
        [&](const Json* answer, bool&) {
            if (!answer) {
                // The code is read within its buffer and left as it is.
                const std::string codigo = rawText(codigoAutorizacao, KAVEX_TAM_COD_AUTORIZACAO);
                return motor().consultaPbm(codigo.c_str(), consulta, cupomFiscal, dataFiscal, horaFiscal);
            }
            putText(codigoAutorizacao, KAVEX_TAM_COD_AUTORIZACAO, *answer, "authorization");
            return number<int32_t>(*answer, "return");
        },
        [&](const Json*) {
            return LogLine{{"authorization", bufferText(codigoAutorizacao, KAVEX_TAM_COD_AUTORIZACAO)}};
        });
}

KAVEX_API int32_t KAVEX_CALL IniciaFuncaoKavexInterativoConsultaVidalink(const char* codigoAutorizacao,
                                                                         const char* codigoProduto,
                                                                         const char* cupomFiscal,
                                                                         const char* dataFiscal, const char* horaFiscal,
                                                                         const char* operador) {
    return plain(
        "IniciaFuncaoKavexInterativoConsultaVidalink",
        [&] {
            return LogLine::array({text(codigoAutorizacao), text(codigoProduto), text(cupomFiscal), text(dataFiscal),
                                   text(horaFiscal), text(operador)});
        },
        [&] {
            return motor().consultaVidalink(codigoAutorizacao, codigoProduto, cupomFiscal, dataFiscal, horaFiscal);
        });
}

KAVEX_API int32_t KAVEX_CALL IniciaFuncaoKavexInterativoVendaVidalink(const char* codigoAutorizacao,
                                                                      int16_t quantidadeProdutos,
                                                                      const char* cupomFiscal, const char* dataFiscal,
                                                                      const char* horaFiscal, const char* operador) {
    return plain(
        "IniciaFuncaoKavexInterativoVendaVidalink",
        [&] {
            return LogLine::array({text(codigoAutorizacao), quantidadeProdutos, text(cupomFiscal), text(dataFiscal),
                                   text(horaFiscal), text(operador)});
        },
        [&] {
            return motor().vendaVidalink(codigoAutorizacao, quantidadeProdutos, cupomFiscal, dataFiscal, horaFiscal);
        });
}

KAVEX_API int32_t KAVEX_CALL InformaProdutoVendaVidalink(int16_t numeroProduto, const char* codigoProduto,
                                                         int32_t quantidade, const char* valor) {
    return plain(
        "InformaProdutoVendaVidalink",
        [&] {
            return LogLine::array({numeroProduto, text(codigoProduto), quantidade, text(valor)});
        },
        [&] { return motor().informaVenda(numeroProduto, codigoProduto, quantidade, valor); });
}

KAVEX_API int32_t KAVEX_CALL IniciaFuncaoKavexInterativoCancelamentoVidalink(
    int16_t cancelamentoTotal, int32_t quantidadeProdutos, const char* cupomVenda, const char* dataVenda,
    const char* documentoVenda, const char* terminalVenda, const char* cupomNaoFiscal, const char* dataFiscal,
    const char* horaFiscal, const char* operador) {
    return plain(
        "IniciaFuncaoKavexInterativoCancelamentoVidalink",
        [&] {
            return LogLine::array({cancelamentoTotal, quantidadeProdutos, text(cupomVenda), text(dataVenda),
                                   text(documentoVenda), text(terminalVenda), text(cupomNaoFiscal), text(dataFiscal),
                                   text(horaFiscal), text(operador)});
        },
        [&] {
            return motor().cancelamentoVidalink(cancelamentoTotal, quantidadeProdutos, cupomVenda, dataVenda,
                                                cupomNaoFiscal, dataFiscal, horaFiscal);
        });
}

KAVEX_API int32_t KAVEX_CALL InformaProdutoCancelamentoVidalink(int16_t numeroProduto, const char* codigoProduto,
                                                                int32_t quantidade) {
    return plain(
        "InformaProdutoCancelamentoVidalink",
        [&] {
            return LogLine::array({numeroProduto, text(codigoProduto), quantidade});
        },
        [&] { return motor().informaCancelamento(numeroProduto, codigoProduto, quantidade); });
}

KAVEX_API int32_t KAVEX_CALL EnviaRecebeKavexDireto(int16_t rede, int16_t funcao, int32_t offsetCartao,
                                                    const char* envio, int16_t tamanhoEnvio, char* resposta,
                                                    int16_t tamanhoResposta, int16_t* codigoResposta, int16_t timeout,
                                                    const char* cupomFiscal, const char* dataFiscal,
                                                    const char* horaFiscal, const char* operador,
                                                    int16_t tipoTransacao) {
    std::size_t replyLength = 0;
    return call<int32_t>(
        "EnviaRecebeKavexDireto",
        [&] {
            return LogLine::array({rede, funcao, offsetCartao, bytes(envio, tamanhoEnvio), tamanhoEnvio, nullptr,
                                   tamanhoResposta, nullptr, timeout, text(cupomFiscal), text(dataFiscal),
                                   text(horaFiscal), text(operador), tipoTransacao});
        },
        [&](const Json* answer, bool& wrote) {
            if (!answer) {
                const kavexsim::Motor::PedidoDireto pedido{rede,       funcao,     envio,        tamanhoEnvio,
                                                           dataFiscal, horaFiscal, tipoTransacao};
                const int32_t ret = motor().enviaRecebe(pedido, resposta, tamanhoResposta, codigoResposta, replyLength);
                wrote = ret >= 0 && ret != KAVEXSIM_NETWORK_NOT_DIRECT;
                return ret;
            }
            replyLength = putText(resposta, tamanhoResposta, *answer, "reply");
            put(codigoResposta, number<int16_t>(*answer, "responseCode"));
            return number<int32_t>(*answer, "return", static_cast<int32_t>(replyLength));
        },
        [&](const Json* answer) {
            LogLine out{{"responseCode", value(codigoResposta)}};
            // The reply may hold zero bytes, so log exactly what was written.
            if (has(answer, "reply"))
                out["reply"] = bytes(resposta, static_cast<long long>(replyLength));
            return out;
        });
}

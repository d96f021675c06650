#pragma once

// The library's 26 functions as one list, so the C++ interface, the loader and
// the check that they match the C contract are all generated from one place.
// X(result type, name, parameter list, argument list)

#include "library/kavex.h"

#define KAVEX_FUNCTIONS(X)                                                                                             \
    X(int32_t, ConfiguraIntKavexInterativo,                                                                            \
      (const char* endereco, const char* empresa, const char* terminal, int32_t reservado),                            \
      (endereco, empresa, terminal, reservado))                                                                        \
    X(int32_t, IniciaFuncaoKavexInterativo,                                                                            \
      (int32_t funcao, const char* valor, const char* cupom, const char* data, const char* hora, const char* operador, \
       const char* restricoes),                                                                                        \
      (funcao, valor, cupom, data, hora, operador, restricoes))                                                        \
    X(int32_t, IniciaFuncaoAAKavexInterativo,                                                                          \
      (int32_t funcao, const char* valor, const char* cupom, const char* data, const char* hora, const char* operador, \
       const char* restricoes, const char* produtos),                                                                  \
      (funcao, valor, cupom, data, hora, operador, restricoes, produtos))                                              \
    X(int32_t, CorrespondenteBancarioKavexInterativo,                                                                  \
      (const char* cupom, const char* data, const char* hora, const char* operador, const char* restricoes),           \
      (cupom, data, hora, operador, restricoes))                                                                       \
    X(int32_t, ContinuaFuncaoKavexInterativo,                                                                          \
      (int32_t * comando, int32_t * tipoCampo, int16_t * minimo, int16_t * maximo, char* buffer, int32_t tamanho,      \
       int32_t continua),                                                                                              \
      (comando, tipoCampo, minimo, maximo, buffer, tamanho, continua))                                                 \
    X(int32_t, FinalizaTransacaoKavexInterativo,                                                                       \
      (int16_t confirma, const char* cupom, const char* data, const char* hora), (confirma, cupom, data, hora))        \
    X(int32_t, FinalizaFuncaoKavexInterativo,                                                                          \
      (int16_t confirma, const char* cupom, const char* data, const char* hora, const char* parametros),               \
      (confirma, cupom, data, hora, parametros))                                                                       \
    X(int32_t, FinalizaTransacaoIdentificadaKavex,                                                                     \
      (int32_t funcao, int16_t confirma, const char* cupom, const char* data, const char* hora, const char* dados),    \
      (funcao, confirma, cupom, data, hora, dados))                                                                    \
    X(int32_t, VerificaPresencaPinPad, (), ())                                                                         \
    X(int32_t, LeCartaoInterativo, (const char* mensagem), (mensagem))                                                 \
    X(int32_t, LeTrilha3, (const char* mensagem), (mensagem))                                                          \
    X(int32_t, LeCartaoDireto, (const char* mensagem, char* trilha1, char* trilha2), (mensagem, trilha1, trilha2))     \
    X(int32_t, LeCartaoDiretoEx,                                                                                       \
      (const char* mensagem, char* trilha1, char* trilha2, uint16_t timeout, int32_t aguarda),                         \
      (mensagem, trilha1, trilha2, timeout, aguarda))                                                                  \
    X(int32_t, InterrompeLeCartaoDireto, (), ())                                                                       \
    X(int32_t, EscreveMensagemPermanentePinPad, (const char* mensagem), (mensagem))                                    \
    X(int32_t, LeSenhaInterativo, (const char* workingKey), (workingKey))                                              \
    X(int32_t, LeSenhaDireto, (const char* workingKey, char* senha), (workingKey, senha))                              \
    X(int32_t, LeSimNaoPinPad, (const char* mensagem), (mensagem))                                                     \
    X(int16_t, ValidaCampoCodigoEmBarras, (const char* digitos, int16_t* tipo), (digitos, tipo))                       \
    X(int32_t, IniciaFuncaoKavexInterativoConsultaPBM,                                                                 \
      (char* autorizacao, const char* consulta, const char* cupom, const char* data, const char* hora,                 \
       const char* operador, const char* reservado),                                                                   \
      (autorizacao, consulta, cupom, data, hora, operador, reservado))                                                 \
    X(int32_t, IniciaFuncaoKavexInterativoConsultaVidalink,                                                            \
      (const char* autorizacao, const char* produto, const char* cupom, const char* data, const char* hora,            \
       const char* operador),                                                                                          \
      (autorizacao, produto, cupom, data, hora, operador))                                                             \
    X(int32_t, IniciaFuncaoKavexInterativoVendaVidalink,                                                               \
      (const char* autorizacao, int16_t quantidade, const char* cupom, const char* data, const char* hora,             \
       const char* operador),                                                                                          \
      (autorizacao, quantidade, cupom, data, hora, operador))                                                          \
    X(int32_t, InformaProdutoVendaVidalink,                                                                            \
      (int16_t numero, const char* produto, int32_t quantidade, const char* valor),                                    \
      (numero, produto, quantidade, valor))                                                                            \
    X(int32_t, IniciaFuncaoKavexInterativoCancelamentoVidalink,                                                        \
      (int16_t total, int32_t quantidade, const char* cupomVenda, const char* dataVenda, const char* documento,        \
       const char* terminal, const char* cupomNaoFiscal, const char* data, const char* hora, const char* operador),    \
      (total, quantidade, cupomVenda, dataVenda, documento, terminal, cupomNaoFiscal, data, hora, operador))           \
    X(int32_t, InformaProdutoCancelamentoVidalink, (int16_t numero, const char* produto, int32_t quantidade),          \
      (numero, produto, quantidade))                                                                                   \
    X(int32_t, EnviaRecebeKavexDireto,                                                                                 \
      (int16_t rede, int16_t funcao, int32_t offset, const char* envio, int16_t tamanhoEnvio, char* resposta,          \
       int16_t tamanhoResposta, int16_t* codigoResposta, int16_t timeout, const char* cupom, const char* data,         \
       const char* hora, const char* operador, int16_t tipoTransacao),                                                 \
      (rede, funcao, offset, envio, tamanhoEnvio, resposta, tamanhoResposta, codigoResposta, timeout, cupom, data,     \
       hora, operador, tipoTransacao))

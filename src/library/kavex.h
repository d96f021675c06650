/*
 * The payment client library's exported functions: the contract between the
 * console and any library it loads (the bundled simulator compiles against
 * this same header).
 *
 * Widths are exact: int32_t for the library's int, int16_t for short,
 * uint16_t for unsigned short. Texts are zero-terminated Windows-1252 bytes.
 * `const char*` is a text the library only reads; `char*` is a buffer the
 * caller owns and the library fills, never beyond the size stated here or
 * passed alongside.
 */
#ifndef KAVEX_H
#define KAVEX_H

#include <stdint.h>

#include "kavex_protocolo.h"

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32)
#define KAVEX_API __declspec(dllexport)
#define KAVEX_CALL __stdcall
#else
#define KAVEX_API __attribute__((visibility("default")))
#define KAVEX_CALL
#endif

/* Sizes of the buffers that the console passes for the library to fill. */
#define KAVEX_TAM_TRILHA1 129             /* 128 characters and the terminator */
#define KAVEX_TAM_TRILHA2 65              /* 64 characters and the terminator */
#define KAVEX_TAM_SENHA 21                /* 20 characters and the terminator */
#define KAVEX_TAM_BUFFER_INTERATIVO 20001 /* command loop buffer */
#define KAVEX_TAM_COD_AUTORIZACAO 51      /* PBM authorisation code */
#define KAVEX_TAM_RESPOSTA_DIRETA 20000   /* direct transaction reply */

/* Value returned by a start or loop step when the command loop is to run. */
#define KAVEX_CONTINUA_INTERATIVO 10000

KAVEX_API int32_t KAVEX_CALL ConfiguraIntKavexInterativo(const char* enderecoServidor, const char* empresa,
                                                         const char* terminal, int32_t reservado);

KAVEX_API int32_t KAVEX_CALL IniciaFuncaoKavexInterativo(int32_t funcao, const char* valor, const char* cupomFiscal,
                                                         const char* dataFiscal, const char* horaFiscal,
                                                         const char* operador, const char* restricoes);

KAVEX_API int32_t KAVEX_CALL IniciaFuncaoAAKavexInterativo(int32_t funcao, const char* valor, const char* cupomFiscal,
                                                           const char* dataFiscal, const char* horaFiscal,
                                                           const char* operador, const char* restricoes,
                                                           const char* produtos);

KAVEX_API int32_t KAVEX_CALL CorrespondenteBancarioKavexInterativo(const char* cupomFiscal, const char* dataFiscal,
                                                                   const char* horaFiscal, const char* operador,
                                                                   const char* restricoes);

KAVEX_API int32_t KAVEX_CALL ContinuaFuncaoKavexInterativo(int32_t* proximoComando, int32_t* tipoCampo,
                                                           int16_t* tamanhoMinimo, int16_t* tamanhoMaximo, char* buffer,
                                                           int32_t tamanhoBuffer, int32_t continua);

KAVEX_API int32_t KAVEX_CALL FinalizaTransacaoKavexInterativo(int16_t confirma, const char* cupomFiscal,
                                                              const char* dataFiscal, const char* horaFiscal);

KAVEX_API int32_t KAVEX_CALL FinalizaFuncaoKavexInterativo(int16_t confirma, const char* cupomFiscal,
                                                           const char* dataFiscal, const char* horaFiscal,
                                                           const char* parametrosAdicionais);

KAVEX_API int32_t KAVEX_CALL FinalizaTransacaoIdentificadaKavex(int32_t funcao, int16_t confirma,
                                                                const char* cupomFiscal, const char* dataFiscal,
                                                                const char* horaFiscal, const char* dadosTransacao);

KAVEX_API int32_t KAVEX_CALL VerificaPresencaPinPad(void);

KAVEX_API int32_t KAVEX_CALL LeCartaoInterativo(const char* mensagem);

KAVEX_API int32_t KAVEX_CALL LeTrilha3(const char* mensagem);

/* trilha1: KAVEX_TAM_TRILHA1 bytes; trilha2: KAVEX_TAM_TRILHA2 bytes. */
KAVEX_API int32_t KAVEX_CALL LeCartaoDireto(const char* mensagem, char* trilha1, char* trilha2);

KAVEX_API int32_t KAVEX_CALL LeCartaoDiretoEx(const char* mensagem, char* trilha1, char* trilha2, uint16_t timeout,
                                              int32_t aguardaCartao);

KAVEX_API int32_t KAVEX_CALL InterrompeLeCartaoDireto(void);

KAVEX_API int32_t KAVEX_CALL EscreveMensagemPermanentePinPad(const char* mensagem);

KAVEX_API int32_t KAVEX_CALL LeSenhaInterativo(const char* workingKey);

/* senha: KAVEX_TAM_SENHA bytes. */
KAVEX_API int32_t KAVEX_CALL LeSenhaDireto(const char* workingKey, char* senha);

KAVEX_API int32_t KAVEX_CALL LeSimNaoPinPad(const char* mensagem);

/* Returns 0 when the digits are valid; *tipo receives the kind of code. */
KAVEX_API int16_t KAVEX_CALL ValidaCampoCodigoEmBarras(const char* digitos, int16_t* tipo);

/* codigoAutorizacao: KAVEX_TAM_COD_AUTORIZACAO bytes. */
KAVEX_API int32_t KAVEX_CALL IniciaFuncaoKavexInterativoConsultaPBM(char* codigoAutorizacao, const char* consulta,
                                                                    const char* cupomFiscal, const char* dataFiscal,
                                                                    const char* horaFiscal, const char* operador,
                                                                    const char* reservado);

KAVEX_API int32_t KAVEX_CALL IniciaFuncaoKavexInterativoConsultaVidalink(const char* codigoAutorizacao,
                                                                         const char* codigoProduto,
                                                                         const char* cupomFiscal,
                                                                         const char* dataFiscal, const char* horaFiscal,
                                                                         const char* operador);

KAVEX_API int32_t KAVEX_CALL IniciaFuncaoKavexInterativoVendaVidalink(const char* codigoAutorizacao,
                                                                      int16_t quantidadeProdutos,
                                                                      const char* cupomFiscal, const char* dataFiscal,
                                                                      const char* horaFiscal, const char* operador);

KAVEX_API int32_t KAVEX_CALL InformaProdutoVendaVidalink(int16_t numeroProduto, const char* codigoProduto,
                                                         int32_t quantidade, const char* valor);

KAVEX_API int32_t KAVEX_CALL IniciaFuncaoKavexInterativoCancelamentoVidalink(
    int16_t cancelamentoTotal, int32_t quantidadeProdutos, const char* cupomVenda, const char* dataVenda,
    const char* documentoVenda, const char* terminalVenda, const char* cupomNaoFiscal, const char* dataFiscal,
    const char* horaFiscal, const char* operador);

KAVEX_API int32_t KAVEX_CALL InformaProdutoCancelamentoVidalink(int16_t numeroProduto, const char* codigoProduto,
                                                                int32_t quantidade);

/* resposta: tamanhoResposta bytes (the console passes KAVEX_TAM_RESPOSTA_DIRETA).
 * A positive result is the number of reply bytes written. */
KAVEX_API int32_t KAVEX_CALL EnviaRecebeKavexDireto(int16_t rede, int16_t funcao, int32_t offsetCartao,
                                                    const char* envio, int16_t tamanhoEnvio, char* resposta,
                                                    int16_t tamanhoResposta, int16_t* codigoResposta, int16_t timeout,
                                                    const char* cupomFiscal, const char* dataFiscal,
                                                    const char* horaFiscal, const char* operador,
                                                    int16_t tipoTransacao);

#ifdef __cplusplus
}
#endif

#endif /* KAVEX_H */

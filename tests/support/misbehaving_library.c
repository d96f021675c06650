/* A library that misbehaves in every way a half-finished payment library
 * might, so the tests can check that the console survives it: buffers filled
 * to the last byte without a terminating zero, absurd lengths, unknown
 * commands, a pinpad that never answers, kinds and results out of range.
 *
 * KAVEX_MAL_MODO chooses what the command loop gets:
 *   "semzero"      the 20001-byte buffer filled with 'A', no zero, command 1
 *   "tamanhos"     a field (command 30) with negative and huge lengths
 *   "desconhecido" commands 7, 99, -5 and 36
 *   "pinpad"       command 23 for ever, until the caller sends -1; each step
 *                  takes 50 ms, as a pinpad's may, so the operator's
 *                  cancel lands while a call runs
 * Each mode ends the function with -1 after its steps (or at the first -1).
 */
#include "library/kavex.h"

#include <stdlib.h>
#include <string.h>
#include <time.h>

static int passo;

enum { kPassoPinpadMs = 50 };

static void demora(int ms) {
    const struct timespec espera = {0, ms * 1000000L};
    nanosleep(&espera, NULL);
}

static const char* modo(void) {
    const char* m = getenv("KAVEX_MAL_MODO");
    return m ? m : "";
}

static void enche(char* buffer, int tamanho, char c) {
    if (buffer && tamanho > 0) {
        memset(buffer, c, (size_t)tamanho);
    }
}

KAVEX_API int32_t KAVEX_CALL ConfiguraIntKavexInterativo(const char* a, const char* b, const char* c, int32_t d) {
    (void)a, (void)b, (void)c, (void)d;
    return 0;
}

#define INICIA                                                                                                         \
    passo = 0;                                                                                                         \
    return KAVEX_CONTINUA_INTERATIVO

KAVEX_API int32_t KAVEX_CALL IniciaFuncaoKavexInterativo(int32_t f, const char* v, const char* c, const char* d,
                                                         const char* h, const char* o, const char* r) {
    (void)f, (void)v, (void)c, (void)d, (void)h, (void)o, (void)r;
    INICIA;
}

KAVEX_API int32_t KAVEX_CALL IniciaFuncaoAAKavexInterativo(int32_t f, const char* v, const char* c, const char* d,
                                                           const char* h, const char* o, const char* r, const char* p) {
    (void)f, (void)v, (void)c, (void)d, (void)h, (void)o, (void)r, (void)p;
    INICIA;
}

KAVEX_API int32_t KAVEX_CALL CorrespondenteBancarioKavexInterativo(const char* c, const char* d, const char* h,
                                                                   const char* o, const char* r) {
    (void)c, (void)d, (void)h, (void)o, (void)r;
    INICIA;
}

KAVEX_API int32_t KAVEX_CALL ContinuaFuncaoKavexInterativo(int32_t* comando, int32_t* tipo, int16_t* minimo,
                                                           int16_t* maximo, char* buffer, int32_t tamanho,
                                                           int32_t continua) {
    static const int32_t desconhecidos[] = {7, 99, -5, 36};
    const char* m = modo();
    *tipo = 0;
    *minimo = 0;
    *maximo = 0;
    if (continua == -1) {
        return -1;
    }
    ++passo;
    if (strcmp(m, "semzero") == 0 && passo <= 2) {
        *comando = 1;
        enche(buffer, tamanho, 'A');
        return KAVEX_CONTINUA_INTERATIVO;
    }
    if (strcmp(m, "tamanhos") == 0 && passo <= 2) {
        *comando = 30;
        *minimo = passo == 1 ? -32768 : 32767;
        *maximo = passo == 1 ? -1 : 32767;
        enche(buffer, tamanho, 'B');
        return KAVEX_CONTINUA_INTERATIVO;
    }
    if (strcmp(m, "desconhecido") == 0 && passo <= 4) {
        *comando = desconhecidos[passo - 1];
        *tipo = -77;
        enche(buffer, tamanho, 'C');
        return KAVEX_CONTINUA_INTERATIVO;
    }
    if (strcmp(m, "pinpad") == 0) {
        demora(kPassoPinpadMs);
        *comando = 23;
        enche(buffer, tamanho, 'D');
        return KAVEX_CONTINUA_INTERATIVO;
    }
    *comando = 0;
    return -1;
}

KAVEX_API int32_t KAVEX_CALL FinalizaTransacaoKavexInterativo(int16_t a, const char* b, const char* c, const char* d) {
    (void)a, (void)b, (void)c, (void)d;
    return 0;
}

KAVEX_API int32_t KAVEX_CALL FinalizaFuncaoKavexInterativo(int16_t a, const char* b, const char* c, const char* d,
                                                           const char* e) {
    (void)a, (void)b, (void)c, (void)d, (void)e;
    return 0;
}

KAVEX_API int32_t KAVEX_CALL FinalizaTransacaoIdentificadaKavex(int32_t a, int16_t b, const char* c, const char* d,
                                                                const char* e, const char* f) {
    (void)a, (void)b, (void)c, (void)d, (void)e, (void)f;
    return 0;
}

KAVEX_API int32_t KAVEX_CALL VerificaPresencaPinPad(void) {
    return 0x7fffffff;
}

KAVEX_API int32_t KAVEX_CALL LeCartaoInterativo(const char* m) {
    (void)m;
    INICIA;
}

KAVEX_API int32_t KAVEX_CALL LeTrilha3(const char* m) {
    (void)m;
    INICIA;
}

KAVEX_API int32_t KAVEX_CALL LeCartaoDireto(const char* m, char* trilha1, char* trilha2) {
    (void)m;
    enche(trilha1, KAVEX_TAM_TRILHA1, '1');
    enche(trilha2, KAVEX_TAM_TRILHA2, '2');
    return 0;
}

KAVEX_API int32_t KAVEX_CALL LeCartaoDiretoEx(const char* m, char* trilha1, char* trilha2, uint16_t t, int32_t a) {
    (void)t, (void)a;
    return LeCartaoDireto(m, trilha1, trilha2);
}

KAVEX_API int32_t KAVEX_CALL InterrompeLeCartaoDireto(void) {
    return 0;
}

KAVEX_API int32_t KAVEX_CALL EscreveMensagemPermanentePinPad(const char* m) {
    (void)m;
    return -2147483647 - 1;
}

KAVEX_API int32_t KAVEX_CALL LeSenhaInterativo(const char* w) {
    (void)w;
    INICIA;
}

KAVEX_API int32_t KAVEX_CALL LeSenhaDireto(const char* w, char* senha) {
    (void)w;
    enche(senha, KAVEX_TAM_SENHA, '9');
    return 0;
}

KAVEX_API int32_t KAVEX_CALL LeSimNaoPinPad(const char* m) {
    (void)m;
    return 42;
}

KAVEX_API int16_t KAVEX_CALL ValidaCampoCodigoEmBarras(const char* d, int16_t* tipo) {
    (void)d;
    *tipo = 77;
    return 0;
}

KAVEX_API int32_t KAVEX_CALL IniciaFuncaoKavexInterativoConsultaPBM(char* autorizacao, const char* c, const char* f,
                                                                    const char* d, const char* h, const char* o,
                                                                    const char* r) {
    (void)c, (void)f, (void)d, (void)h, (void)o, (void)r;
    enche(autorizacao, KAVEX_TAM_COD_AUTORIZACAO, 'P');
    INICIA;
}

KAVEX_API int32_t KAVEX_CALL IniciaFuncaoKavexInterativoConsultaVidalink(const char* a, const char* p, const char* c,
                                                                         const char* d, const char* h, const char* o) {
    (void)a, (void)p, (void)c, (void)d, (void)h, (void)o;
    INICIA;
}

KAVEX_API int32_t KAVEX_CALL IniciaFuncaoKavexInterativoVendaVidalink(const char* a, int16_t n, const char* c,
                                                                      const char* d, const char* h, const char* o) {
    (void)a, (void)n, (void)c, (void)d, (void)h, (void)o;
    INICIA;
}

KAVEX_API int32_t KAVEX_CALL InformaProdutoVendaVidalink(int16_t n, const char* p, int32_t q, const char* v) {
    (void)n, (void)p, (void)q, (void)v;
    return -1;
}

KAVEX_API int32_t KAVEX_CALL IniciaFuncaoKavexInterativoCancelamentoVidalink(int16_t t, int32_t n, const char* a,
                                                                             const char* b, const char* c,
                                                                             const char* d, const char* e,
                                                                             const char* f, const char* g,
                                                                             const char* h) {
    (void)t, (void)n, (void)a, (void)b, (void)c, (void)d, (void)e, (void)f, (void)g, (void)h;
    INICIA;
}

KAVEX_API int32_t KAVEX_CALL InformaProdutoCancelamentoVidalink(int16_t n, const char* p, int32_t q) {
    (void)n, (void)p, (void)q;
    return 99999;
}

/* The whole reply buffer, to its last byte, and a length beyond it. */
KAVEX_API int32_t KAVEX_CALL EnviaRecebeKavexDireto(int16_t rede, int16_t funcao, int32_t offset, const char* envio,
                                                    int16_t tamanhoEnvio, char* resposta, int16_t tamanhoResposta,
                                                    int16_t* codigoResposta, int16_t timeout, const char* cupom,
                                                    const char* data, const char* hora, const char* operador,
                                                    int16_t tipo) {
    (void)rede, (void)funcao, (void)offset, (void)envio, (void)tamanhoEnvio, (void)timeout, (void)cupom, (void)data,
        (void)hora, (void)operador, (void)tipo;
    for (int i = 0; resposta && i < tamanhoResposta; ++i) {
        resposta[i] = (char)(i % 7 == 0 ? 0 : 'a' + i % 26);
    }
    *codigoResposta = -1;
    return 30000;
}

/* A library that goes away under its caller, for the tests of the host
 * process. Every function first writes its name to the standard error, then
 * does what the environment chooses for it by name:
 *   KAVEX_QUEDA_CAI    dereferences a null pointer (SIGSEGV)
 *   KAVEX_QUEDA_TRAVA  never returns
 *   KAVEX_QUEDA_SAI    exits the process with status 3
 * Otherwise a start answers 10000, the loop one message and then 0, a card
 * read waits until InterrompeLeCartaoDireto (then -2), everything else 0.
 */
#include "library/kavex.h"

#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static int passo;
static atomic_int interrompida;

static int escolhida(const char* variavel, const char* funcao) {
    const char* nome = getenv(variavel);
    return nome && strcmp(nome, funcao) == 0;
}

static void comporta(const char* funcao) {
    fprintf(stderr, "kavexqueda: %s\n", funcao);
    fflush(stderr);
    if (escolhida("KAVEX_QUEDA_CAI", funcao)) {
        volatile int* nulo = NULL;
        *nulo = 1;
    }
    if (escolhida("KAVEX_QUEDA_TRAVA", funcao)) {
        for (;;) {
            pause();
        }
    }
    if (escolhida("KAVEX_QUEDA_SAI", funcao)) {
        exit(3);
    }
}

#define COMPORTA comporta(__func__)

KAVEX_API int32_t KAVEX_CALL ConfiguraIntKavexInterativo(const char* a, const char* b, const char* c, int32_t d) {
    (void)a, (void)b, (void)c, (void)d;
    COMPORTA;
    return 0;
}

KAVEX_API int32_t KAVEX_CALL IniciaFuncaoKavexInterativo(int32_t f, const char* v, const char* c, const char* d,
                                                         const char* h, const char* o, const char* r) {
    (void)f, (void)v, (void)c, (void)d, (void)h, (void)o, (void)r;
    COMPORTA;
    passo = 0;
    return KAVEX_CONTINUA_INTERATIVO;
}

KAVEX_API int32_t KAVEX_CALL CorrespondenteBancarioKavexInterativo(const char* c, const char* d, const char* h,
                                                                   const char* o, const char* r) {
    (void)c, (void)d, (void)h, (void)o, (void)r;
    COMPORTA;
    passo = 0;
    return KAVEX_CONTINUA_INTERATIVO;
}

KAVEX_API int32_t KAVEX_CALL ContinuaFuncaoKavexInterativo(int32_t* comando, int32_t* tipo, int16_t* minimo,
                                                           int16_t* maximo, char* buffer, int32_t tamanho,
                                                           int32_t continua) {
    (void)tipo, (void)minimo, (void)maximo, (void)continua;
    COMPORTA;
    if (passo++ > 0) {
        return 0;
    }
    *comando = KAVEX_CMD_MENSAGEM_OPERADOR;
    snprintf(buffer, (size_t)tamanho, "PASSO UM");
    return KAVEX_CONTINUA_INTERATIVO;
}

KAVEX_API int32_t KAVEX_CALL FinalizaTransacaoKavexInterativo(int16_t a, const char* c, const char* d, const char* h) {
    (void)a, (void)c, (void)d, (void)h;
    COMPORTA;
    return 0;
}

KAVEX_API int32_t KAVEX_CALL LeCartaoDireto(const char* m, char* t1, char* t2) {
    (void)m;
    COMPORTA;
    interrompida = 0;
    while (!interrompida) {
        usleep(1000);
    }
    strcpy(t1, "INTERROMPIDA");
    t2[0] = 0;
    return -2;
}

KAVEX_API int32_t KAVEX_CALL InterrompeLeCartaoDireto(void) {
    COMPORTA;
    interrompida = 1;
    return 0;
}

KAVEX_API int32_t KAVEX_CALL VerificaPresencaPinPad(void) {
    COMPORTA;
    return 1;
}

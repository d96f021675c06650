/* A library that exports only one of the functions, to check how the console
 * copes with the rest missing. */
#include "library/kavex.h"

KAVEX_API int32_t KAVEX_CALL ConfiguraIntKavexInterativo(const char* enderecoServidor, const char* empresa,
                                                         const char* terminal, int32_t reservado) {
    (void)enderecoServidor;
    (void)empresa;
    (void)terminal;
    return reservado + 77;
}

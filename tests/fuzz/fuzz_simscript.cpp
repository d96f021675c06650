// The simulator's script and call-log reader: any file named by
// KAVEX_SIM_SCRIPT is read (as a script, or as a recorded log to replay) and
// its answers written into the caller's buffers, never past their sizes.

#include "library/kavex.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

// A zone after each buffer that the answer must leave alone.
constexpr char kGuarda = '\x5a';

void confere(const char* zona, size_t tamanho) {
    for (size_t i = 0; i < tamanho; ++i) {
        if (zona[i] != kGuarda) {
            abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A new name for every input: the simulator reloads when the name changes.
    static unsigned n = 0;
    static const std::string pasta = [] {
        // In memory where the system has it.
        std::string modelo = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        modelo += "/fuzz_simscript-XXXXXX";
        return std::string(mkdtemp(modelo.data()));
    }();
    const std::string caminho = pasta + "/s" + std::to_string(n++ % 2);
    FILE* f = std::fopen(caminho.c_str(), "wb");
    if (!f || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0) {
        abort();
    }
    setenv("KAVEX_SIM_SCRIPT", caminho.c_str(), 1);

    int32_t comando = 0, tipo = 0;
    int16_t minimo = 0, maximo = 0, codigo = 0;
    char buffer[64 + 16];
    std::memset(buffer, kGuarda, sizeof buffer);
    std::strcpy(buffer, "resposta");
    ContinuaFuncaoKavexInterativo(&comando, &tipo, &minimo, &maximo, buffer, 64, 0);
    confere(buffer + 64, 16);

    char trilha1[KAVEX_TAM_TRILHA1 + 8], trilha2[KAVEX_TAM_TRILHA2 + 8], senha[KAVEX_TAM_SENHA + 8];
    std::memset(trilha1, kGuarda, sizeof trilha1);
    std::memset(trilha2, kGuarda, sizeof trilha2);
    std::memset(senha, kGuarda, sizeof senha);
    LeCartaoDireto("Passe o cartao", trilha1, trilha2);
    LeSenhaDireto("0123456789ABCDEF", senha);
    confere(trilha1 + KAVEX_TAM_TRILHA1, 8);
    confere(trilha2 + KAVEX_TAM_TRILHA2, 8);
    confere(senha + KAVEX_TAM_SENHA, 8);

    char autorizacao[KAVEX_TAM_COD_AUTORIZACAO + 8];
    std::memset(autorizacao, kGuarda, sizeof autorizacao);
    autorizacao[0] = '\0';
    IniciaFuncaoKavexInterativoConsultaPBM(autorizacao, "0", "1", "20240305", "090703", "Opx", "");
    confere(autorizacao + KAVEX_TAM_COD_AUTORIZACAO, 8);

    char resposta[128 + 8];
    std::memset(resposta, kGuarda, sizeof resposta);
    const int32_t r =
        EnviaRecebeKavexDireto(1, 2, 0, "A\0B", 3, resposta, 128, &codigo, 30, "1", "20240305", "090703", "Teste", 0);
    confere(resposta + 128, 8);
    (void)r;
    return 0;
}

/*
 * Starts a program and reports how long it took until its first top-level
 * window was mapped on the X server, the program's peak resident memory at
 * that moment and the processor time its threads had used by then (which a
 * busy shared machine disturbs less than the elapsed time); then ends the
 * program.
 *
 *   esperajanela PROGRAM [ARGS...]   ->   "<milliseconds> <peak KiB> <CPU milliseconds>"
 */
#define _POSIX_C_SOURCE 200809L
#include <dirent.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

static double agora_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

static long pico_kib(pid_t pid) {
    char caminho[64];
    snprintf(caminho, sizeof caminho, "/proc/%d/status", (int)pid);
    FILE* f = fopen(caminho, "r");
    if (!f) {
        return -1;
    }
    char linha[256];
    long kib = -1;
    while (fgets(linha, sizeof linha, f)) {
        if (strncmp(linha, "VmHWM:", 6) == 0) {
            kib = strtol(linha + 6, NULL, 10);
            break;
        }
    }
    fclose(f);
    return kib;
}

/* Sum of the threads' time on a processor, from their scheduler statistics. */
static double cpu_ms(pid_t pid) {
    char caminho[64];
    snprintf(caminho, sizeof caminho, "/proc/%d/task", (int)pid);
    DIR* tarefas = opendir(caminho);
    if (!tarefas) {
        return -1;
    }
    double total_ns = 0;
    struct dirent* t;
    while ((t = readdir(tarefas)) != NULL) {
        if (t->d_name[0] == '.') {
            continue;
        }
        char arquivo[300];
        snprintf(arquivo, sizeof arquivo, "/proc/%d/task/%s/schedstat", (int)pid, t->d_name);
        FILE* f = fopen(arquivo, "r");
        unsigned long long ns = 0;
        if (f) {
            if (fscanf(f, "%llu", &ns) == 1) {
                total_ns += (double)ns;
            }
            fclose(f);
        }
    }
    closedir(tarefas);
    return total_ns / 1e6;
}

/* The process's own figure plus its children's (the library's host). */
static double com_filhos(pid_t pid, double (*medida)(pid_t)) {
    double total = medida(pid);
    char caminho[64];
    snprintf(caminho, sizeof caminho, "/proc/%d/task/%d/children", (int)pid, (int)pid);
    FILE* f = fopen(caminho, "r");
    int filho;
    while (f && fscanf(f, "%d", &filho) == 1) {
        total += medida((pid_t)filho);
    }
    if (f) {
        fclose(f);
    }
    return total;
}

static double pico_kib_d(pid_t pid) {
    return (double)pico_kib(pid);
}

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "uso: %s PROGRAMA [ARGUMENTOS...]\n", argv[0]);
        return 2;
    }
    xcb_connection_t* x = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(x)) {
        fprintf(stderr, "sem servidor X\n");
        return 2;
    }
    const xcb_window_t raiz = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mascara = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_request_check(x, xcb_change_window_attributes_checked(x, raiz, XCB_CW_EVENT_MASK, &mascara));

    const double inicio = agora_ms();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    xcb_generic_event_t* e;
    double fim = -1;
    long kib = -1;
    double cpu = -1;
    while ((e = xcb_wait_for_event(x)) != NULL) {
        const int tipo = e->response_type & 0x7f;
        free(e);
        if (tipo == XCB_MAP_NOTIFY) {
            fim = agora_ms();
            kib = (long)com_filhos(pid, pico_kib_d);
            cpu = com_filhos(pid, cpu_ms);
            break;
        }
    }
    kill(pid, SIGTERM);
    waitpid(pid, NULL, 0);
    xcb_disconnect(x);
    if (fim < 0) {
        fprintf(stderr, "nenhuma janela apareceu\n");
        return 1;
    }
    printf("%.1f %ld %.1f\n", fim - inicio, kib, cpu);
    return 0;
}

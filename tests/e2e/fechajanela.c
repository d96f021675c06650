/*
 * Asks a window to close as a window manager's close button does, with the
 * WM_DELETE_WINDOW message: the program may then ask the operator first. With
 * no window manager on the test's X server, nothing else sends it.
 *
 *   fechajanela WINDOW_ID
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <xcb/xcb.h>

static xcb_atom_t atomo(xcb_connection_t* c, const char* nome) {
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, (uint16_t)strlen(nome), nome), NULL);
    const xcb_atom_t a = r ? r->atom : XCB_ATOM_NONE;
    free(r);
    return a;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "uso: fechajanela WINDOW_ID\n");
        return 2;
    }
    xcb_connection_t* c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) {
        fprintf(stderr, "sem conexão com o servidor X\n");
        return 1;
    }
    xcb_client_message_event_t ev;
    memset(&ev, 0, sizeof ev);
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = (xcb_window_t)strtoul(argv[1], NULL, 0);
    ev.type = atomo(c, "WM_PROTOCOLS");
    ev.data.data32[0] = atomo(c, "WM_DELETE_WINDOW");
    ev.data.data32[1] = XCB_CURRENT_TIME;
    /* Waits for the server to have handled the request: a server that sees
     * the connection end before it reads what came with it may drop the
     * message, as it did now and then on a busy machine. */
    xcb_generic_error_t* falha =
        xcb_request_check(c, xcb_send_event_checked(c, 0, ev.window, XCB_EVENT_MASK_NO_EVENT, (const char*)&ev));
    const int erro = falha != NULL || xcb_connection_has_error(c);
    if (falha) {
        fprintf(stderr, "o servidor X recusou a mensagem (erro %d)\n", falha->error_code);
        free(falha);
    }
    xcb_disconnect(c);
    return erro;
}

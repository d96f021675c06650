#include "widgets/PedidoFechar.h"

#include <QApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

uint32_t atomo(xcb_connection_t* conexao, const char* nome) {
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(
        conexao, xcb_intern_atom(conexao, 1, static_cast<uint16_t>(std::strlen(nome)), nome), nullptr);
    const uint32_t a = r ? r->atom : uint32_t(XCB_ATOM_NONE);
    std::free(r);
    return a;
}

} // namespace

PedidoFechar::PedidoFechar(QWidget& janela, std::function<void()> aoPedir)
    : janela_(janela), aoPedir_(std::move(aoPedir)) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) {
        return;
    }
    protocolos_ = atomo(x11->connection(), "WM_PROTOCOLS");
    fechar_ = atomo(x11->connection(), "WM_DELETE_WINDOW");
    if (protocolos_ != uint32_t(XCB_ATOM_NONE) && fechar_ != uint32_t(XCB_ATOM_NONE)) {
        qApp->installNativeEventFilter(this);
    }
}

PedidoFechar::~PedidoFechar() {
    if (qApp) {
        qApp->removeNativeEventFilter(this);
    }
}

// The request still goes on to the toolkit, which takes it as usual when no
// dialog blocks the window.
bool PedidoFechar::nativeEventFilter(const QByteArray& tipo, void* mensagem, qintptr*) {
    if (tipo != "xcb_generic_event_t") {
        return false;
    }
    const auto* evento = static_cast<const xcb_generic_event_t*>(mensagem);
    if ((evento->response_type & ~0x80) != XCB_CLIENT_MESSAGE) {
        return false;
    }
    const auto* cliente = static_cast<const xcb_client_message_event_t*>(mensagem);
    if (cliente->format == 32 && cliente->type == protocolos_ && cliente->data.data32[0] == fechar_ &&
        janela_.internalWinId() == cliente->window && QApplication::activeModalWidget()) {
        aoPedir_();
    }
    return false;
}

} // namespace platform

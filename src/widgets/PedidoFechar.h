#pragma once

// A window manager's request to close a window that a modal dialog blocks is
// dropped by the toolkit before the window sees it: the operator's close
// would be lost without a word. This filter sees the request as it arrives
// from the X server and tells the window, which can act on it once the
// dialog has closed. Under other platforms it does nothing.

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <functional>

class QWidget;

namespace platform {

class PedidoFechar final : public QAbstractNativeEventFilter {
public:
    // `aoPedir` runs when `janela` is asked to close while a modal dialog
    // blocks it.
    PedidoFechar(QWidget& janela, std::function<void()> aoPedir);
    ~PedidoFechar() override;
    PedidoFechar(const PedidoFechar&) = delete;
    PedidoFechar& operator=(const PedidoFechar&) = delete;

    bool nativeEventFilter(const QByteArray& tipo, void* mensagem, qintptr* resultado) override;

private:
    QWidget& janela_;
    std::function<void()> aoPedir_;
    uint32_t protocolos_ = 0;
    uint32_t fechar_ = 0;
};

} // namespace platform

#include "widgets/Aparencia.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QIconEngine>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOption>

namespace platform::aparencia {

namespace {

// An icon of `estilo` read only when it is first drawn or measured.
class IconeTardio : public QIconEngine {
public:
    IconeTardio(QStyle* estilo, QStyle::StandardPixmap qual) : estilo_(estilo), qual_(qual) {}
    QIconEngine* clone() const override { return new IconeTardio(estilo_, qual_); }
    void paint(QPainter* pintor, const QRect& onde, QIcon::Mode modo, QIcon::State estado) override {
        icone().paint(pintor, onde, Qt::AlignCenter, modo, estado);
    }
    QPixmap pixmap(const QSize& tamanho, QIcon::Mode modo, QIcon::State estado) override {
        return icone().pixmap(tamanho, modo, estado);
    }
    QSize actualSize(const QSize& tamanho, QIcon::Mode modo, QIcon::State estado) override {
        return icone().actualSize(tamanho, modo, estado);
    }

private:
    const QIcon& icone() {
        if (!lido_) {
            lido_ = true;
            if (estilo_) {
                icone_ = estilo_->standardIcon(qual_);
            }
        }
        return icone_;
    }
    QPointer<QStyle> estilo_;
    QStyle::StandardPixmap qual_;
    bool lido_ = false;
    QIcon icone_;
};

class EstiloDoPrograma : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap qual, const QStyleOption* opcao, const QWidget* widget) const override {
        if (qual == SP_ToolBarHorizontalExtensionButton) {
            return QIcon(new IconeTardio(baseStyle(), qual));
        }
        return QProxyStyle::standardIcon(qual, opcao, widget);
    }
};

class IndicadoresClaros : public QProxyStyle {
public:
    // The whole box answers a click, its empty part beside the text too, as
    // these boxes did when a style sheet drew them.
    QRect subElementRect(SubElement elemento, const QStyleOption* opcao, const QWidget* widget) const override {
        if (widget && (elemento == SE_RadioButtonClickRect || elemento == SE_CheckBoxClickRect)) {
            return widget->rect();
        }
        return QProxyStyle::subElementRect(elemento, opcao, widget);
    }

    void drawPrimitive(PrimitiveElement elemento, const QStyleOption* opcao, QPainter* pintor,
                       const QWidget* widget) const override {
        if (elemento == PE_FrameFocusRect) {
            // The style's own focus frame is drawn in the selection colour,
            // which hardly shows on the teal.
            pintor->save();
            pintor->setPen(QPen(Qt::white, 1, Qt::DotLine));
            pintor->setBrush(Qt::NoBrush);
            pintor->drawRect(opcao->rect.adjusted(0, 0, -1, -1));
            pintor->restore();
            return;
        }
        const bool radio = elemento == PE_IndicatorRadioButton;
        if (!radio && elemento != PE_IndicatorCheckBox) {
            QProxyStyle::drawPrimitive(elemento, opcao, pintor, widget);
            return;
        }
        const QColor traco = (opcao->state & State_Enabled) ? QColor(Qt::white) : kTealApagado;
        // The 2-pixel ring sits inside the indicator's rectangle.
        const QRectF caixa = QRectF(opcao->rect).adjusted(1, 1, -1, -1);
        pintor->save();
        pintor->setRenderHint(QPainter::Antialiasing, radio);
        pintor->setPen(QPen(traco, 2));
        pintor->setBrush(kTeal);
        if (radio) {
            pintor->drawEllipse(caixa);
        } else {
            pintor->drawRect(caixa);
        }
        if (opcao->state & (State_On | State_NoChange)) {
            pintor->setPen(Qt::NoPen);
            pintor->setBrush(traco);
            const QRectF miolo = caixa.adjusted(3, 3, -3, -3);
            if (radio) {
                pintor->drawEllipse(miolo);
            } else if (opcao->state & State_On) {
                pintor->drawRect(miolo);
            } else {
                // Partly checked: a bar across the middle.
                pintor->drawRect(QRectF(miolo.left(), miolo.center().y() - 1, miolo.width(), 2));
            }
        }
        pintor->restore();
    }
};

void negrito(QWidget& w) {
    QFont fonte = w.font();
    fonte.setBold(true);
    w.setFont(fonte);
}

} // namespace

void pintaPainel(QWidget& painel) {
    QPalette cores = painel.palette();
    cores.setColor(QPalette::Window, kTeal);
    cores.setColor(QPalette::WindowText, Qt::white);
    cores.setColor(QPalette::Disabled, QPalette::WindowText, kTealApagado);
    painel.setPalette(cores);
    painel.setAutoFillBackground(true);
    // Boxes the operator types into or scrolls keep the ordinary colours:
    // their scroll bars, frames and pop-up lists are not part of the panel.
    for (QWidget* controle : painel.findChildren<QWidget*>()) {
        if (qobject_cast<QAbstractScrollArea*>(controle) || qobject_cast<QLineEdit*>(controle) ||
            qobject_cast<QComboBox*>(controle) || qobject_cast<QPushButton*>(controle)) {
            // Every role marked as set, or the panel's would still be inherited.
            QPalette comum = QApplication::palette(controle);
            comum.setResolveMask(~QPalette::ResolveMask(0));
            controle->setPalette(comum);
        }
    }

    for (QLabel* rotulo : painel.findChildren<QLabel*>()) {
        negrito(*rotulo);
    }
    for (QGroupBox* grupo : painel.findChildren<QGroupBox*>()) {
        negrito(*grupo);
    }
    // One style for the panel's boxes; it goes when the panel goes.
    auto* estilo = new IndicadoresClaros;
    estilo->setParent(&painel);
    for (QAbstractButton* botao : painel.findChildren<QAbstractButton*>()) {
        if (qobject_cast<QRadioButton*>(botao) || qobject_cast<QCheckBox*>(botao)) {
            negrito(*botao);
            botao->setStyle(estilo);
        }
    }
}

void instalaEstiloDoPrograma() {
    QApplication::setStyle(new EstiloDoPrograma);
}

void destaca(QWidget& controle, bool negrito, int pontos, const QColor& cor) {
    if (cor.isValid()) {
        QPalette cores = controle.palette();
        cores.setColor(QPalette::Text, cor);
        cores.setColor(QPalette::WindowText, cor);
        controle.setPalette(cores);
    }
    QFont fonte = controle.font();
    if (pontos > 0) {
        fonte.setPointSize(pontos);
    }
    fonte.setBold(negrito);
    controle.setFont(fonte);
}

} // namespace platform::aparencia

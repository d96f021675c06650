// The teal panel's look: what a disabled box looks like beside an enabled one.

#include "widgets/Aparencia.h"

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QRadioButton>
#include <QStyle>
#include <QTest>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace {

// The lightest colour painted: the text and the indicator's ring, on the teal.
int maisClaro(QWidget& w) {
    const QImage imagem = w.grab().toImage();
    int claridade = 0;
    for (int y = 0; y < imagem.height(); ++y) {
        for (int x = 0; x < imagem.width(); ++x) {
            claridade = std::max(claridade, imagem.pixelColor(x, y).lightness());
        }
    }
    return claridade;
}

} // namespace

class TestAparencia : public QObject {
    Q_OBJECT
private slots:
    void disabledBoxesReadAsDisabled_data() {
        QTest::addColumn<bool>("radio");
        QTest::addColumn<bool>("marcado");
        QTest::newRow("radio button") << true << false;
        QTest::newRow("radio button, checked") << true << true;
        QTest::newRow("check box") << false << false;
        QTest::newRow("check box, checked") << false << true;
    }
    // White on the teal while enabled; plainly dimmer while disabled, text
    // and indicator alike.
    void disabledBoxesReadAsDisabled() {
        QFETCH(bool, radio);
        QFETCH(bool, marcado);
        QWidget painel;
        auto* layout = new QVBoxLayout(&painel);
        QAbstractButton* habilitado = nullptr;
        QAbstractButton* desabilitado = nullptr;
        for (QAbstractButton** botao : {&habilitado, &desabilitado}) {
            *botao = radio ? static_cast<QAbstractButton*>(new QRadioButton(QStringLiteral("Auto Atendimento")))
                           : new QCheckBox(QStringLiteral("Descrição"));
            (*botao)->setAutoExclusive(false);
            (*botao)->setChecked(marcado);
            layout->addWidget(*botao);
        }
        desabilitado->setEnabled(false);
        platform::aparencia::pintaPainel(painel);
        painel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&painel));
        QCOMPARE(maisClaro(*habilitado), 255);
        QVERIFY2(maisClaro(*desabilitado) < 180, qPrintable(QString::number(maisClaro(*desabilitado))));
    }

    // The program's style reads the menu bar's overflow arrow late, but it is
    // the style's own arrow when drawn.
    void overflowArrowIsTheStylesOwn() {
        const QImage antes =
            QApplication::style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).pixmap(16, 16).toImage();
        platform::aparencia::instalaEstiloDoPrograma();
        const QIcon tardio = QApplication::style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
        QVERIFY(!antes.isNull());
        QCOMPARE(tardio.pixmap(16, 16).toImage(), antes);
    }
};

QTEST_MAIN(TestAparencia)
#include "tst_aparencia.moc"

#include "CupsPrivado.h"

#include "platform/Impressao.h"
#include "platform/ProgramDir.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <unistd.h>

using harness::CupsPrivado;
using platform::impressao::Codificacao;
using platform::impressao::Envio;
using platform::impressao::imprimeTexto;

namespace {

const QStringList kCupom = {QStringLiteral("  COMPROVANTE DE DÉBITO"), QString(), QStringLiteral("VALOR: R$ 10,00"),
                            QStringLiteral("Ação € ok")};

// Set in the copy of this program that a test starts to end abruptly.
const char* const kFilhoAbrupto = "KAVEX_TESTE_FIM_ABRUPTO";

#define INICIA_OU_PULA(servidor)                                                                                       \
    if (!(servidor).erro().isEmpty()) {                                                                                \
        if ((servidor).erro().contains(QLatin1String("root"))) {                                                       \
            QSKIP(qPrintable((servidor).erro()));                                                                      \
        }                                                                                                              \
        QFAIL(qPrintable((servidor).erro()));                                                                          \
    }

} // namespace

class TestImpressao : public QObject {
    Q_OBJECT
private slots:
    void init() { platform::programdir::setDirectory(pastaDoPrograma_.path()); }
    void cleanup() { QFile::remove(pastaDoPrograma_.filePath(QStringLiteral("Config.ini"))); }

    void jobReachesTheDefaultPrinterByteForByte_data() {
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QByteArray>("esperado");
        QTest::newRow("UTF-8 when nothing is chosen")
            << QByteArray()
            << QByteArray("  COMPROVANTE DE D\xC3\x89"
                          "BITO\r\n\r\nVALOR: R$ 10,00\r\nA\xC3\xA7\xC3\xA3o \xE2\x82\xAC ok\r\n");
        QTest::newRow("CP850 for a raw receipt printer")
            << QByteArray("[Impressao]\r\nCodificacao=cp850\r\n")
            << QByteArray("  COMPROVANTE DE D\x90"
                          "BITO\r\n\r\nVALOR: R$ 10,00\r\nA\x87\xC6o ? ok\r\n");
    }
    void jobReachesTheDefaultPrinterByteForByte() {
        QFETCH(QByteArray, config);
        QFETCH(QByteArray, esperado);
        escreveConfig(config);
        CupsPrivado cups({{QStringLiteral("outra"), false, true}, {QStringLiteral("cupom"), true, true}});
        INICIA_OU_PULA(cups);
        QCOMPARE(imprimeTexto(kCupom, QStringLiteral("Cupom TEF")), QString());
        QTRY_COMPARE_WITH_TIMEOUT(cups.recebido(QStringLiteral("cupom")), esperado, 15000);
        QVERIFY(cups.recebido(QStringLiteral("outra")).isEmpty());
    }

    void codePages_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QByteArray>("esperado");
        QTest::newRow("Windows-1252") << "Windows-1252" << QByteArray("\xC7\xE3\xBA\x80?\r\n");
        QTest::newRow("CP850") << "CP850" << QByteArray("\x80\xC6\xA7??\r\n");
        QTest::newRow("CP860") << "cp860" << QByteArray("\x80\x84\xA7??\r\n");
        QTest::newRow("UTF-8") << "utf-8" << QByteArray("\xC3\x87\xC3\xA3\xC2\xBA\xE2\x82\xAC\xF0\x9F\x98\x80\r\n");
    }
    void codePages() {
        QFETCH(QString, nome);
        QFETCH(QByteArray, esperado);
        Codificacao codificacao{};
        QVERIFY(platform::impressao::codificacaoPorNome(nome, codificacao));
        QCOMPARE(platform::impressao::documento({QStringLiteral("Çãº€😀")}, codificacao), esperado);
    }

    void unknownCodePageIsReportedAndNothingIsSent() {
        escreveConfig("[Impressao]\r\nCodificacao=EBCDIC\r\n");
        CupsPrivado cups({{QStringLiteral("cupom"), true, true}});
        INICIA_OU_PULA(cups);
        QCOMPARE(imprimeTexto(kCupom, QStringLiteral("Cupom TEF")),
                 QStringLiteral("a codificação \"EBCDIC\" escolhida em Config.ini não é conhecida."));
        QVERIFY(cups.recebido(QStringLiteral("cupom")).isEmpty());
    }

    void failuresNameTheReason_data() {
        QTest::addColumn<bool>("comPadrao");
        QTest::addColumn<bool>("aceita");
        QTest::addColumn<int>("parado"); // 0 running, 1 stopped, 2 its socket a plain file
        QTest::addColumn<QString>("motivo");
        QTest::newRow("no default printer")
            << false << true << 0 << "nenhuma impressora padrão está definida no servidor de impressão %1.";
        QTest::newRow("queue refuses jobs")
            << true << false << 0 << "a impressora cupom recusou o trabalho (a fila não está aceitando trabalhos).";
        QTest::newRow("server stopped") << true << true << 1
                                        << "o servidor de impressão %1 não responde (endereço inexistente).";
        QTest::newRow("nothing listening")
            << true << true << 2
            << "o servidor de impressão %1 não responde (servidor fora do ar ou recusando conexões).";
    }
    void failuresNameTheReason() {
        QFETCH(bool, comPadrao);
        QFETCH(bool, aceita);
        QFETCH(int, parado);
        QFETCH(QString, motivo);
        CupsPrivado cups({{QStringLiteral("cupom"), comPadrao, aceita}});
        INICIA_OU_PULA(cups);
        if (parado) {
            cups.para();
            // A socket left behind is no server; a plain file in its place is
            // an address where nothing listens.
            QFile soquete(QFile::decodeName(qgetenv("CUPS_SERVER")));
            soquete.remove();
            QVERIFY(parado == 1 || soquete.open(QIODevice::WriteOnly));
        }
        QCOMPARE(imprimeTexto(kCupom, QStringLiteral("Cupom TEF")),
                 motivo.replace(QStringLiteral("%1"), QString::fromLocal8Bit(qgetenv("CUPS_SERVER"))));
        QVERIFY(cups.recebido(QStringLiteral("cupom")).isEmpty());
    }

    // The server goes away once the job has started: a document small enough
    // to wait in the connection's buffer fails at its end, a large one while
    // it is written.
    void failuresAfterTheJobStarted_data() {
        QTest::addColumn<int>("linhas");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("end refused") << 1 << "a impressora cupom não aceitou o fim do cupom";
        QTest::newRow("writing fails") << 20000 << "o envio do cupom à impressora cupom falhou";
    }
    void failuresAfterTheJobStarted() {
        QFETCH(int, linhas);
        QFETCH(QString, motivo);
        CupsPrivado cups({{QStringLiteral("cupom"), true, true}});
        INICIA_OU_PULA(cups);
        Envio envio;
        envio.documentoIniciado = [&cups] { cups.para(); };
        const QString erro = imprimeTexto(QStringList(linhas, QStringLiteral("LINHA DO CUPOM")), "Cupom TEF", envio);
        QVERIFY2(erro.startsWith(motivo + QStringLiteral(" (")), qPrintable(erro));
        QVERIFY2(erro.endsWith(QStringLiteral(").")), qPrintable(erro));
    }

    // However a test ends, also abruptly, the server stops and its folder goes.
    void abruptEndLeavesNothingBehind() {
        if (qEnvironmentVariableIsSet(kFilhoAbrupto)) {
            CupsPrivado cups({{QStringLiteral("cupom"), true, true}});
            std::printf("\npasta:%s\n", qPrintable(cups.erro().isEmpty() ? cups.pasta() : cups.erro()));
            std::fflush(stdout);
            pastaDoPrograma_.remove();
            _exit(3);
        }
        QProcess filho;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QString::fromLatin1(kFilhoAbrupto), QStringLiteral("1"));
        filho.setProcessEnvironment(ambiente);
        filho.start(QCoreApplication::applicationFilePath(), {QStringLiteral("abruptEndLeavesNothingBehind")});
        QVERIFY(filho.waitForFinished(30000));
        const QString saida = QString::fromLocal8Bit(filho.readAllStandardOutput());
        const QString pasta = saida.section(QStringLiteral("\npasta:"), 1).section(u'\n', 0, 0);
        if (pasta.contains(QLatin1String("root"))) {
            QSKIP(qPrintable(pasta));
        }
        QCOMPARE(filho.exitCode(), 3);
        QVERIFY2(QFileInfo(pasta).isAbsolute(), qPrintable(pasta));
        QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(pasta), 15000);
    }

private:
    void escreveConfig(const QByteArray& conteudo) {
        QFile f(pastaDoPrograma_.filePath(QStringLiteral("Config.ini")));
        QVERIFY(conteudo.isEmpty() || (f.open(QIODevice::WriteOnly) && f.write(conteudo) == conteudo.size()));
    }

    QTemporaryDir pastaDoPrograma_;
};

QTEST_GUILESS_MAIN(TestImpressao)
#include "tst_impressao.moc"

#include "roteiro/Relatorio.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamWriter>

#include <algorithm>
#include <numeric>

namespace roteiro {

namespace {

// A reason may hold line breaks (the library's texts do); TAP reads lines.
QString umaLinha(QString texto) {
    return texto.replace(u'\r', u' ').replace(u'\n', u' ');
}

// TAP 13: "\" and "#" in a description are escaped with "\".
QString nomeTap(const QString& nome) {
    QString escapado = umaLinha(nome);
    return escapado.replace(u'\\', QLatin1String("\\\\")).replace(u'#', QLatin1String("\\#"));
}

// XML 1.0 has no place for most control characters, which a library's
// texts may hold.
QString textoXml(QString texto) {
    texto.removeIf([](QChar c) { return c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r'; });
    return texto;
}

// Microseconds: a case against a local library takes less than a millisecond.
QString segundos(double s) {
    return QString::number(s, 'f', 6);
}

qsizetype conta(const std::vector<ResultadoCaso>& resultados, Veredito veredito) {
    return std::count_if(resultados.begin(), resultados.end(), [&](const auto& r) { return r.veredito == veredito; });
}

const QString kNaoTerminou = QStringLiteral("a execução não terminou");

} // namespace

QString planoTap(int casos) {
    return QStringLiteral("TAP version 13\n1..%1").arg(casos);
}

QString linhaTap(int numero, const ResultadoCaso& resultado) {
    const QString nome = nomeTap(resultado.nome);
    if (resultado.passou()) {
        return QStringLiteral("ok %1 - %2").arg(numero).arg(nome);
    }
    const QString motivo =
        resultado.veredito == Veredito::Erro ? QStringLiteral("erro: ") + resultado.motivo : resultado.motivo;
    return QStringLiteral("not ok %1 - %2\n# %3").arg(numero).arg(nome, umaLinha(motivo));
}

QString resumoTap(const std::vector<ResultadoCaso>& resultados) {
    return QStringLiteral("# %1 casos: %2 passaram, %3 falharam, %4 com erro, %5 não executados")
        .arg(resultados.size())
        .arg(conta(resultados, Veredito::Passou))
        .arg(conta(resultados, Veredito::Falhou))
        .arg(conta(resultados, Veredito::Erro))
        .arg(conta(resultados, Veredito::NaoExecutado));
}

QString abandonoTap(const QString& motivo) {
    return QStringLiteral("Bail out! ") + umaLinha(motivo);
}

std::vector<ResultadoCaso> resultadosProvisorios(const Roteiro& roteiro) {
    std::vector<ResultadoCaso> resultados;
    for (const Caso& caso : roteiro.casos) {
        resultados.push_back({caso.nome, Veredito::NaoExecutado, {}, 0, {}});
    }
    if (!resultados.empty()) {
        resultados.front().veredito = Veredito::Erro;
        resultados.front().motivo = kNaoTerminou;
    }
    return resultados;
}

QByteArray relatorioJUnit(const DadosExecucao& execucao, const std::vector<ResultadoCaso>& resultados) {
    const double total = std::accumulate(resultados.begin(), resultados.end(), 0.0,
                                         [](double s, const auto& r) { return s + r.segundos; });
    const QString suite = QFileInfo(execucao.arquivo).completeBaseName();
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("testsuites"));
    w.writeStartElement(QStringLiteral("testsuite"));
    w.writeAttribute(QStringLiteral("name"), suite);
    w.writeAttribute(QStringLiteral("tests"), QString::number(resultados.size()));
    w.writeAttribute(QStringLiteral("failures"), QString::number(conta(resultados, Veredito::Falhou)));
    w.writeAttribute(QStringLiteral("errors"), QString::number(conta(resultados, Veredito::Erro)));
    w.writeAttribute(QStringLiteral("skipped"), QString::number(conta(resultados, Veredito::NaoExecutado)));
    w.writeAttribute(QStringLiteral("time"), segundos(total));
    w.writeAttribute(QStringLiteral("timestamp"), execucao.inicio.toString(Qt::ISODate));
    w.writeAttribute(QStringLiteral("hostname"), execucao.maquina);
    for (const ResultadoCaso& r : resultados) {
        w.writeStartElement(QStringLiteral("testcase"));
        w.writeAttribute(QStringLiteral("classname"), suite);
        w.writeAttribute(QStringLiteral("name"), textoXml(r.nome));
        w.writeAttribute(QStringLiteral("time"), segundos(r.segundos));
        const char* elemento = r.veredito == Veredito::Falhou         ? "failure"
                               : r.veredito == Veredito::Erro         ? "error"
                               : r.veredito == Veredito::NaoExecutado ? "skipped"
                                                                      : nullptr;
        if (elemento) {
            w.writeStartElement(QLatin1String(elemento));
            const QString motivo = r.veredito == Veredito::NaoExecutado ? QStringLiteral("não executado") : r.motivo;
            w.writeAttribute(QStringLiteral("message"), textoXml(motivo));
            w.writeCharacters(textoXml(motivo));
            w.writeEndElement();
        }
        if (!r.evidencias.isEmpty()) {
            w.writeTextElement(QStringLiteral("system-out"), textoXml(r.evidencias.join(u'\n')));
        }
        w.writeEndElement();
    }
    w.writeEndDocument();
    return xml;
}

bool gravaRelatorio(const QString& caminho, const QByteArray& conteudo, QString& erro) {
    QSaveFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly) || arquivo.write(conteudo) != conteudo.size() || !arquivo.commit()) {
        erro = arquivo.errorString();
        return false;
    }
    return true;
}

} // namespace roteiro

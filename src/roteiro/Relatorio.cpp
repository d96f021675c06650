#include "roteiro/Relatorio.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamWriter>

#include <numeric>

namespace roteiro {

namespace {

// A reason may hold line breaks (the library's texts do); TAP reads lines.
QString umaLinha(QString texto) {
    return texto.replace(u'\r', u' ').replace(u'\n', u' ');
}

QString segundos(double s) {
    return QString::number(s, 'f', 3);
}

} // namespace

QString planoTap(int casos) {
    return QStringLiteral("1..%1").arg(casos);
}

QString linhaTap(int numero, const ResultadoCaso& resultado) {
    const QString nome = umaLinha(resultado.nome);
    if (resultado.passou) {
        return QStringLiteral("ok %1 - %2").arg(numero).arg(nome);
    }
    return QStringLiteral("not ok %1 - %2\n# %3").arg(numero).arg(nome, umaLinha(resultado.motivo));
}

QByteArray relatorioJUnit(const QString& arquivo, const std::vector<ResultadoCaso>& resultados) {
    const auto falhas = std::count_if(resultados.begin(), resultados.end(), [](const auto& r) { return !r.passou; });
    const double total = std::accumulate(resultados.begin(), resultados.end(), 0.0,
                                         [](double s, const auto& r) { return s + r.segundos; });
    const QString suite = QFileInfo(arquivo).completeBaseName();
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("testsuites"));
    w.writeStartElement(QStringLiteral("testsuite"));
    w.writeAttribute(QStringLiteral("name"), suite);
    w.writeAttribute(QStringLiteral("tests"), QString::number(resultados.size()));
    w.writeAttribute(QStringLiteral("failures"), QString::number(falhas));
    w.writeAttribute(QStringLiteral("errors"), QStringLiteral("0"));
    w.writeAttribute(QStringLiteral("time"), segundos(total));
    for (const ResultadoCaso& r : resultados) {
        w.writeStartElement(QStringLiteral("testcase"));
        w.writeAttribute(QStringLiteral("classname"), suite);
        w.writeAttribute(QStringLiteral("name"), r.nome);
        w.writeAttribute(QStringLiteral("time"), segundos(r.segundos));
        if (!r.passou) {
            w.writeStartElement(QStringLiteral("failure"));
            w.writeAttribute(QStringLiteral("message"), r.motivo);
            w.writeCharacters(r.motivo);
            w.writeEndElement();
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

#include "roteiro/Captura.h"

#include <QRegularExpression>

#include <functional>

namespace roteiro {

namespace {

const QRegularExpression& kNome() {
    static const QRegularExpression nome(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return nome;
}

const QRegularExpression& kReferencia() {
    static const QRegularExpression referencia(QStringLiteral("\\$\\{([^}]*)\\}"));
    return referencia;
}

// Every text of the start and the answers, so one rule replaces them all.
void paraCadaTexto(Caso& caso, const std::function<void(QString&)>& f) {
    Inicio& i = caso.inicio;
    for (QString* texto : {&i.funcao, &i.valor, &i.cupomFiscal, &i.hora, &i.restricoes, &i.mensagem, &i.workingKey,
                           &i.codigoBarras, &i.autorizacao, &i.dados, &i.cupomVenda, &i.dataVenda, &i.documento,
                           &i.terminal, &i.configuracao.endereco, &i.configuracao.empresa, &i.configuracao.terminal}) {
        f(*texto);
    }
    for (std::optional<QString>* texto : {&i.produtos, &i.parametros}) {
        if (*texto) {
            f(**texto);
        }
    }
    for (ProdutoVidalink& p : i.produtosVidalink) {
        f(p.codigo);
        f(p.valor);
    }
    for (QStringList* lista : {&i.linhas, &i.produtosConsulta}) {
        for (QString& texto : *lista) {
            f(texto);
        }
    }
    const auto resposta = [&f](Resposta& r) {
        if (r.valor.isString()) {
            QString texto = r.valor.toString();
            f(texto);
            r.valor = texto;
        }
        f(r.pergunta);
    };
    for (Resposta& r : caso.respostas) {
        resposta(r);
    }
    for (RespostaChaveada& r : caso.chaveadas) {
        f(r.chave);
        resposta(r.resposta);
    }
}

} // namespace

QString erroCaptura(const QString& nome, const QString& padrao) {
    if (!kNome().match(nome).hasMatch()) {
        return QStringLiteral("nome inválido: use letras, algarismos e \"_\"");
    }
    const QRegularExpression expressao(padrao);
    if (!expressao.isValid()) {
        return QStringLiteral("expressão regular inválida: %1").arg(expressao.errorString());
    }
    if (expressao.captureCount() != 1) {
        return QStringLiteral("a expressão regular deve ter exatamente um grupo, tem %1").arg(expressao.captureCount());
    }
    return {};
}

std::optional<QString> substituiCapturas(Caso& caso, const Capturas& valores) {
    std::optional<QString> desconhecido;
    paraCadaTexto(caso, [&](QString& texto) {
        QString resultado;
        qsizetype desde = 0;
        for (auto it = kReferencia().globalMatch(texto); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            const auto valor = valores.constFind(m.captured(1));
            if (valor == valores.constEnd()) {
                desconhecido = desconhecido.value_or(m.captured(1));
                return;
            }
            resultado += QStringView(texto).mid(desde, m.capturedStart() - desde);
            resultado += *valor;
            desde = m.capturedEnd();
        }
        if (desde > 0) {
            texto = resultado + texto.mid(desde);
        }
    });
    return desconhecido;
}

std::optional<QString> capturaValores(const Caso& caso, const QStringList& linhas, Capturas& valores) {
    for (const auto& [nome, padrao] : caso.capturas) {
        const QRegularExpression expressao(padrao);
        bool achou = false;
        for (const QString& linha : linhas) {
            const QRegularExpressionMatch m = expressao.match(linha);
            if (m.hasMatch()) {
                valores.insert(nome, m.captured(1));
                achou = true;
                break;
            }
        }
        if (!achou) {
            return nome;
        }
    }
    return std::nullopt;
}

} // namespace roteiro

#pragma once

// The function and restriction codes the console offers, in the order the
// operator sees them. The console gives them no meaning: the library does.

#include <QString>
#include <vector>

struct CodigoDescrito {
    int codigo;
    QString descricao;
};

const std::vector<CodigoDescrito>& codigosFuncao();
const std::vector<CodigoDescrito>& codigosRestricao();

// One line per code, "code - description", joined by line breaks.
QString dicaDosCodigos(const std::vector<CodigoDescrito>& codigos);

/*
 * The interactive protocol's numbers, shared by the console and the bundled
 * simulator: the commands that ContinuaFuncaoKavexInterativo returns, the
 * field types of the data it hands over (command 0), and the continuation
 * values sent back with the next call. Buffer sizes and the 10000 that keeps
 * a function going are in kavex.h, which includes this file.
 */
#ifndef KAVEX_PROTOCOLO_H
#define KAVEX_PROTOCOLO_H

/* Commands (ProximoComando). */
enum {
    KAVEX_CMD_DADO = 0,              /* data for the caller, by field type */
    KAVEX_CMD_MENSAGEM_OPERADOR = 1, /* message for the operator */
    KAVEX_CMD_MENSAGEM_CLIENTE = 2,  /* message for the customer */
    KAVEX_CMD_MENSAGEM_AMBOS = 3,    /* message for both */
    KAVEX_CMD_CABECALHO_MENU = 4,    /* heading of the next menu */
    KAVEX_CMD_LIMPA_OPERADOR = 11,   /* clear the operator's messages */
    KAVEX_CMD_LIMPA_CLIENTE = 12,    /* clear the customer's messages */
    KAVEX_CMD_LIMPA_AMBOS = 13,      /* clear both */
    KAVEX_CMD_SIM_NAO = 20,          /* yes/no question: "0" yes, "1" no */
    KAVEX_CMD_MENU = 21,             /* menu of options */
    KAVEX_CMD_AVISO = 22,            /* message to acknowledge */
    KAVEX_CMD_AGUARDA_PINPAD = 23,   /* waiting for the pinpad */
    KAVEX_CMD_CAMPO = 30,            /* field with a minimum length */
    KAVEX_CMD_CHEQUE = 31,           /* cheque data, typed or CMC-7 */
    KAVEX_CMD_CAMPO_LIVRE = 34,      /* field without a minimum */
    KAVEX_CMD_CODIGO_BARRAS = 35     /* bar code */
};

/* Field types (TipoCampo) of command 0. */
enum {
    KAVEX_CAMPO_DATA_HORA_TRANSACAO = 105,
    KAVEX_CAMPO_CUPOM_LOJA = 121,
    KAVEX_CAMPO_CUPOM_CLIENTE = 122,
    KAVEX_CAMPO_TRILHA1 = 150,
    KAVEX_CAMPO_TRILHA2 = 151,
    KAVEX_CAMPO_SENHA = 153,
    /* Consultation items: 1010 the total quantity up to 1026 the quantity
     * returned, in this order. */
    KAVEX_CAMPO_QTD_TOTAL = 1010,
    KAVEX_CAMPO_INDICE = 1011,
    KAVEX_CAMPO_CODIGO = 1012,
    KAVEX_CAMPO_QTD_AUTORIZADA = 1013,
    KAVEX_CAMPO_PRECO_MAXIMO = 1014,
    KAVEX_CAMPO_VALOR_RECOMENDADO = 1015,
    KAVEX_CAMPO_VALOR_VENDA = 1016,
    KAVEX_CAMPO_REEMBOLSO = 1017,
    KAVEX_CAMPO_REPOSICAO = 1018,
    KAVEX_CAMPO_SUBSIDIO = 1019,
    KAVEX_CAMPO_CNPJ = 1020,
    KAVEX_CAMPO_PLANO = 1021,
    KAVEX_CAMPO_DOCUMENTO = 1022,
    KAVEX_CAMPO_DATA_CANCELADA = 1023,
    KAVEX_CAMPO_CUPOM_CANCELADO = 1024,
    KAVEX_CAMPO_CODIGO_DEVOLVIDO = 1025,
    KAVEX_CAMPO_QTD_DEVOLVIDA = 1026
};

/* Continuation values sent with the next loop call. */
enum {
    KAVEX_CONTINUA_SEGUE = 0,         /* carry on */
    KAVEX_CONTINUA_VOLTA = 1,         /* go back */
    KAVEX_CONTINUA_ENCERRA = -1,      /* end the function */
    KAVEX_CONTINUA_ALTERNATIVO = 1000 /* the operator's alternative value */
};

#endif /* KAVEX_PROTOCOLO_H */

#pragma once
// Documents for the item-row and additional-data tests: items with codes that cannot be
// mistaken for one another (ITEM001...), and additional data made of numbered words
// (termo0001...) so that every word can be counted on the pages.

#include "support.h"

#include "report/measurer.h"
#include "report/prepared.h"

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace danfe_test {

inline std::string CodigoItem(int numero)
{
    char texto[16];
    std::snprintf(texto, sizeof texto, "ITEM%03d", numero);
    return texto;
}

inline std::string Termo(int numero)
{
    char texto[16];
    std::snprintf(texto, sizeof texto, "termo%04d", numero);
    return texto;
}

// An authorized NF-e with `itens` items: 2 UN at 5,00, 10,00 of products less 1,00 of
// discount, ICMS 18% on 10,00.
inline nfe::TNFe NotaComItens(int itens)
{
    nfe::TNFe nfe = NotaAutorizada();
    nfe.Det.Clear();
    for (int i = 1; i <= itens; ++i) {
        nfe::TDetCollectionItem &det = nfe.Det.New();
        nfe::TProd &prod = det.Prod;
        prod.nItem = i;
        prod.cProd = CodigoItem(i);
        prod.xProd = "MERCADORIA DE TESTE " + std::to_string(i);
        prod.NCM = "84713012";
        prod.CFOP = "5102";
        prod.uCom = "UN";
        prod.qCom = Valor(2);
        prod.vUnCom = 5;
        prod.vProd = Valor(10);
        prod.vDesc = Valor(1);
        det.Imposto.ICMS.vBC = Valor(10);
        det.Imposto.ICMS.pICMS = Valor(18);
        det.Imposto.ICMS.vICMS = Valor(1.8);
    }
    nfe.Total.ICMSTot.vProd = Valor(10.0 * itens);
    nfe.Total.ICMSTot.vDesc = Valor(1.0 * itens);
    nfe.Total.ICMSTot.vNF = Valor(9.0 * itens);
    return nfe;
}

// `palavras` numbered words, a line break (";") after every 25th.
inline std::string TextoLongo(int palavras)
{
    std::string texto;
    for (int i = 1; i <= palavras; ++i) {
        texto += Termo(i);
        if (i < palavras)
            texto += i % 25 == 0 ? ";" : " ";
    }
    return texto;
}

inline nfe::TNFe NotaComDadosLongos(int itens, int palavras)
{
    nfe::TNFe nfe = NotaComItens(itens);
    nfe.InfAdic.infCpl = TextoLongo(palavras);
    return nfe;
}

// How often each whitespace-separated word occurs in the texts.
inline std::map<std::string, int> ContarPalavras(const std::vector<std::string> &textos)
{
    std::map<std::string, int> contagem;
    for (const std::string &texto : textos) {
        std::istringstream palavras(texto);
        for (std::string palavra; palavras >> palavra;)
            ++contagem[palavra];
    }
    return contagem;
}

// The texts of the controls, page after page, in drawing order.
inline std::vector<std::string> TextosNasPaginas(const report::PreparedReport &r,
                                                 std::initializer_list<std::string_view> controles)
{
    std::vector<std::string> out;
    for (const report::PreparedPage &p : r.pages)
        for (const report::Primitive &item : p.items)
            if (const auto *run = std::get_if<report::TextRun>(&item))
                for (std::string_view controle : controles)
                    if (run->source == controle)
                        out.push_back(run->text);
    return out;
}

} // namespace danfe_test

#pragma once
// Shared helpers of the NF-e reader tests: fixture loading, one-call reads and short
// builders for inline documents.

#include "nfe/model.h"
#include "nfe/reader.h"
#include "rtl/currency.h"
#include "rtl/datetime.h"

#include <fstream>
#include <sstream>
#include <string>

namespace nfe_test {

inline std::string Fixture(const std::string &nome)
{
    std::ifstream in(std::string(TEST_SOURCE_DIR) + "/fixtures/" + nome, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Reads texto into nfe with a new reader.
inline void Ler(nfe::TNFe &nfe, std::string texto)
{
    nfe::TNFeR leitor(nfe);
    leitor.Leitor().SetArquivo(std::move(texto));
    leitor.LerXml();
}

inline nfe::TNFe Lido(std::string texto)
{
    nfe::TNFe nfe;
    Ler(nfe, std::move(texto));
    return nfe;
}

inline rtl::Currency Valor(double v) { return rtl::Currency::FromDouble(v); }

// A bare NFe of the given version whose infNFe holds corpo.
inline std::string Documento(const std::string &versao, const std::string &corpo)
{
    return "<NFe><infNFe versao=\"" + versao +
           "\" Id=\"NFe35201212345678000195550010000012341000012347\">" + corpo +
           "</infNFe></NFe>";
}

// An item with the given number text and content.
inline std::string Item(const std::string &numero, const std::string &conteudo)
{
    return "<det nItem=\"" + numero + "\">" + conteudo + "</det>";
}

inline std::string Prod(const std::string &cProd)
{
    return "<prod><cProd>" + cProd + "</cProd><xProd>X" + cProd +
           "</xProd><NCM>11</NCM><CFOP>5102</CFOP><qCom>1</qCom><vProd>1.00</vProd><indTot>1</indTot>"
           "<NVE>N" + cProd + "</NVE></prod>";
}

// A document with the given items followed by a total group.
inline std::string ComItens(const std::string &itens, const std::string &versao = "4.00",
                            const std::string &ide = "<ide><tpNF>1</tpNF></ide>")
{
    return Documento(versao, ide + itens + "<total><ICMSTot><vNF>1.00</vNF></ICMSTot></total>");
}

} // namespace nfe_test

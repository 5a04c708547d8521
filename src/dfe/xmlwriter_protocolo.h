#pragma once
// The authorization protocol that follows the signed document inside its envelope
// (protCTe, protMDFe...), appended as ready text after the root is closed. Every value is
// escaped: a reason such as "Rejeição: A & B" read from a valid file must give valid XML
// again.

#include <string>
#include <string_view>

namespace dfe::escrita {

struct DadosProtocolo {
    std::string_view raiz;     // "protCTe"
    std::string_view versao;   // the attribute text, 'versao="3.00"'
    std::string_view id;       // infProt's Id attribute; empty writes none
    std::string_view tpAmb;    // already the XML code
    std::string_view verAplic;
    std::string_view tagChave; // "chCTe"
    std::string_view chave;
    std::string_view dhRecbto; // already formatted
    std::string_view nProt;
    std::string_view digVal;
    int cStat = 0;
    std::string_view xMotivo;
    // The tax office's message, in infFisco after infProt; written when cMsg > 0 or xMsg
    // is not empty.
    int cMsg = 0;
    std::string_view xMsg;
};

std::string TextoProtocolo(const DadosProtocolo &p);

} // namespace dfe::escrita

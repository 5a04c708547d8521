#pragma once
// The frame pieces every document writer shares around its groups: whether the signature
// block is written, the authorization protocol appended to an enveloped document, and the
// alert text of a repeated group with more entries than its layout allows.

#include "dfe/codes_settings.h"
#include "dfe/signature.h"

#include <string>
#include <string_view>

namespace dfe::escrita {

// Whether the writer option lets the signature block be written for this signature:
// always, never, only when digest, value and certificate are all set, or only when all
// three are empty. With ignorarBrancos a value of blanks only counts as empty.
bool AssinaturaDeveSerGerada(TpcnTagAssinatura opcao, const TSignature &s,
                             bool ignorarBrancos = false);

// "Número de ocorrências maior que o máximo permitido - Máximo " + the limit.
std::string MensagemLimiteOcorrencias(int Maximo);

// Where the tax office's message goes in the protocol: as cMsg and xMsg inside infProt
// (NF-e), or in an infFisco group after infProt (MDF-e).
enum class MensagemFisco { DentroDeInfProt, GrupoInfFisco };

// The values of one authorization protocol, as texts ready to be written.
struct DadosProtocolo {
    std::string_view raiz;      // "protNFe", "protMDFe", ...
    std::string_view versao;    // the attribute text: versao="3.00"
    std::string_view tagChave;  // "chNFe", "chMDFe", ...
    std::string_view tpAmb;     // the environment's XML code
    std::string_view verAplic;
    std::string_view chave;
    std::string_view dhRecbto;  // already formatted
    std::string_view nProt;
    std::string_view digVal;
    int cStat = 0;
    std::string_view xMotivo;
    int cMsg = 0;
    std::string_view xMsg;
    MensagemFisco mensagem = MensagemFisco::DentroDeInfProt;
    std::string_view id;        // infProt's Id attribute; empty writes none
};

// The protocol element, with no blanks or line breaks between its parts. Every value is
// escaped: a reason such as "Rejeição: A & B" read from a valid file must give valid XML
// again. The message is written only when cMsg is above 0 or xMsg is not empty.
std::string TextoProtocolo(const DadosProtocolo &p);

} // namespace dfe::escrita

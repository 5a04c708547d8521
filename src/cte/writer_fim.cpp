// The groups that close the document: the parties authorised to download the XML.

#include "cte/writer_linhas.h"

#include "dfe/xmlwriter_moldura.h"
#include "rtl/text.h"

#include <array>

namespace cte {

using namespace linhas;

// A party that already appears in the document needs no separate authorisation: its entry
// is removed from the model, so the DACTE and any later regeneration see the same list
// this one wrote.
void TCTeW::GerarautXML()
{
    const std::array<std::string, 5> partes = {
        rtl::Trim(FCTe.rem.CNPJCPF),   rtl::Trim(FCTe.dest.CNPJCPF), rtl::Trim(FCTe.exped.CNPJCPF),
        rtl::Trim(FCTe.receb.CNPJCPF), rtl::Trim(FCTe.toma.CNPJCPF),
    };
    TautXMLCollection &lista = FCTe.autXML;
    int i = 0;
    while (i < lista.Count()) {
        const std::string doc = rtl::Trim(lista.Items(i).CNPJCPF);
        bool repetido = false;
        for (const std::string &p : partes)
            repetido = repetido || doc == p;
        if (repetido) {
            lista.Delete(i);
            continue;
        }
        FGerador.wGrupo("autXML", "#415");
        FGerador.wCampoCNPJCPF("#416", "#417", lista.Items(i).CNPJCPF);
        FGerador.wGrupo("/autXML");
        ++i;
    }
    if (lista.Count() > 10)
        FGerador.wAlerta("#415", "autXML", "Autorizados para download do XML do DF-e",
                         MensagemLimiteOcorrencias(10));
}

} // namespace cte

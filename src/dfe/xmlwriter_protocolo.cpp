#include "dfe/xmlwriter_protocolo.h"

#include "rtl/text.h"
#include "util/encoding.h"

namespace dfe::escrita {

namespace {

void Elemento(std::string &out, std::string_view tag, std::string_view valor)
{
    out += '<';
    out += tag;
    out += '>';
    out += util::EscaparTextoXML(valor);
    out += "</";
    out += tag;
    out += '>';
}

} // namespace

std::string TextoProtocolo(const DadosProtocolo &p)
{
    std::string out;
    out.reserve(512);
    out += '<';
    out += p.raiz;
    out += ' ';
    out += p.versao;
    out += "><infProt";
    if (!p.id.empty()) {
        out += " Id=\"";
        out += util::EscaparTextoXML(p.id);
        out += '"';
    }
    out += '>';
    Elemento(out, "tpAmb", p.tpAmb);
    Elemento(out, "verAplic", p.verAplic);
    Elemento(out, p.tagChave, p.chave);
    Elemento(out, "dhRecbto", p.dhRecbto);
    Elemento(out, "nProt", p.nProt);
    Elemento(out, "digVal", p.digVal);
    Elemento(out, "cStat", rtl::IntToStr(p.cStat));
    Elemento(out, "xMotivo", p.xMotivo);
    out += "</infProt>";
    if (p.cMsg > 0 || !p.xMsg.empty()) {
        out += "<infFisco>";
        Elemento(out, "cMsg", rtl::IntToStr(p.cMsg));
        Elemento(out, "xMsg", p.xMsg);
        out += "</infFisco>";
    }
    out += "</";
    out += p.raiz;
    out += '>';
    return out;
}

} // namespace dfe::escrita

#include "dfe/xmlwriter_moldura.h"

#include "rtl/text.h"
#include "util/encoding.h"

namespace dfe::escrita {

namespace {

void AppendElemento(std::string &out, std::string_view tag, std::string_view value)
{
    out += '<';
    out += tag;
    out += '>';
    out += util::EscaparTextoXML(value);
    out += "</";
    out += tag;
    out += '>';
}

} // namespace

bool AssinaturaDeveSerGerada(TpcnTagAssinatura opcao, const TSignature &s, bool ignorarBrancos)
{
    const auto vazio = [ignorarBrancos](const std::string &v) {
        return ignorarBrancos ? rtl::Trim(v).empty() : v.empty();
    };
    const bool todos = !vazio(s.DigestValue) && !vazio(s.SignatureValue) &&
                       !vazio(s.X509Certificate);
    const bool nenhum = vazio(s.DigestValue) && vazio(s.SignatureValue) &&
                        vazio(s.X509Certificate);
    switch (opcao) {
    case taSempre: return true;
    case taNunca: return false;
    case taSomenteSeAssinada: return todos;
    case taSomenteParaNaoAssinada: return nenhum;
    }
    return false;
}

std::string MensagemLimiteOcorrencias(int Maximo)
{
    return "Número de ocorrências maior que o máximo permitido - Máximo " + rtl::IntToStr(Maximo);
}

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
    AppendElemento(out, "tpAmb", p.tpAmb);
    AppendElemento(out, "verAplic", p.verAplic);
    AppendElemento(out, p.tagChave, p.chave);
    AppendElemento(out, "dhRecbto", p.dhRecbto);
    AppendElemento(out, "nProt", p.nProt);
    AppendElemento(out, "digVal", p.digVal);
    AppendElemento(out, "cStat", rtl::IntToStr(p.cStat));
    AppendElemento(out, "xMotivo", p.xMotivo);
    const bool comMensagem = p.cMsg > 0 || !p.xMsg.empty();
    if (comMensagem && p.mensagem == MensagemFisco::DentroDeInfProt) {
        AppendElemento(out, "cMsg", rtl::IntToStr(p.cMsg));
        AppendElemento(out, "xMsg", p.xMsg);
    }
    out += "</infProt>";
    if (comMensagem && p.mensagem == MensagemFisco::GrupoInfFisco) {
        out += "<infFisco>";
        AppendElemento(out, "cMsg", rtl::IntToStr(p.cMsg));
        AppendElemento(out, "xMsg", p.xMsg);
        out += "</infFisco>";
    }
    out += "</";
    out += p.raiz;
    out += '>';
    return out;
}

} // namespace dfe::escrita

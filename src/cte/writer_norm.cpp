// The normal CT-e group: the cargo with its quantities, the documents wrapper, the CT-e OS
// service with its referenced documents, the modal wrapper and the order in which the
// groups of the other writer files are called.

#include "cte/writer_linhas.h"

#include "dfe/accesskey.h"
#include "dfe/codes_transport.h"
#include "dfe/xmlwriter_moldura.h"
#include "rtl/text.h"
#include "util/toolbox.h"

namespace cte {

using namespace linhas;

namespace {

using dfe::tcDat;
using dfe::tcDe2;
using dfe::tcDe4;
using dfe::tcEsp;
using dfe::tcStr;


bool ServicoSemDocumentos(const TIde &ide)
{
    return ide.tpServ == tsIntermediario || ide.tpServ == tsMultimodal;
}

// ---- infCarga ------------------------------------------------------------------------------

using CCarga = Ctx<TInfCarga>;
using LCarga = Linha<CCarga>;
constexpr LCarga kInfCarga[] = {
    {"#254", "vCarga", tcDe2, 1, 15, 1, Membro<&TInfCarga::vCarga>, Sempre,
     "Valor total da mercadoria"},
    {"#255", "proPred", tcStr, 1, 60, 1, Membro<&TInfCarga::proPred>, Sempre,
     "Produto predominante"},
    {"#256", "xOutCat", tcStr, 1, 30, 0, Membro<&TInfCarga::xOutCat>, Sempre,
     "Outras características da carga"},
    LCarga::Codigo([](dfe::TGerador &g, const CCarga &c) {
        for (int i = 0; i < c.m.infQ.Count(); ++i) {
            const TInfQCollectionItem &q = c.m.infQ.Items(i);
            g.wGrupo("infQ", "#257");
            g.wCampo(tcStr, "#258", "cUnid", 2, 2, 1, dfe::UnidMedToStr(q.cUnid),
                     "Código da unidade de medida");
            g.wCampo(tcStr, "#259", "tpMed", 1, 20, 1, q.tpMed, "Tipo da Medida");
            g.wCampo(tcDe4, "#260", "qCarga", 1, 15, 1, q.qCarga, "Quantidade");
            g.wGrupo("/infQ");
        }
        if (c.m.infQ.Count() > MaxOcorrencias)
            g.wAlerta("#257", "infQ", "Informações de quantidades da Carga",
                      MensagemLimiteOcorrencias(MaxOcorrencias));
    }),
    {"#250", "vCargaAverb", tcDe2, 1, 15, 0, Membro<&TInfCarga::vCargaAverb>, De300,
     "Valor total da mercadoria"},
};

// ---- infServico and infDocRef (CT-e OS) --------------------------------------------------

using CServico = Ctx<TinfServico>;
using LServico = Linha<CServico>;
constexpr LServico kInfQServico[] = {
    {"#135", "qCarga", tcDe4, 1, 15, 1, Membro<&TinfServico::qCarga>, Sempre,
     "Quantidade de Carga"},
};
constexpr LServico kInfServico[] = {
    {"#133", "xDescServ", tcStr, 1, 30, 1, Membro<&TinfServico::xDescServ>, Sempre,
     "Descrição do Serviço"},
    LServico::Grupo("infQ", "#134", kInfQServico,
                    [](const CServico &c) { return c.m.qCarga > rtl::Currency{}; }),
};

using CDocRef = Ctx<TinfDocRefCollectionItem>;
using LDocRef = Linha<CDocRef>;
constexpr LDocRef kInfDocRef[] = {
    {"#137", "nDoc", tcEsp, 1, 20, 1, DigitosDe<&TinfDocRefCollectionItem::nDoc>, Sempre,
     "Número da Nota Fiscal"},
    {"#138", "serie", tcStr, 1, 3, 0, Membro<&TinfDocRefCollectionItem::serie>, Sempre,
     "Série do Documento Fiscal"},
    {"#139", "subserie", tcStr, 1, 3, 0, Membro<&TinfDocRefCollectionItem::subserie>, Sempre,
     "Série do Documento Fiscal"},
    {"#140", "dEmi", tcDat, 10, 10, 1, DataDe<&TinfDocRefCollectionItem::dEmi>, Sempre,
     "Data de emissão"},
    {"#141", "vDoc", tcDe2, 1, 15, 0, Membro<&TinfDocRefCollectionItem::vDoc>, Sempre,
     "Valor Total do DF-e"},
};

// ---- refCTeCanc ----------------------------------------------------------------------------

using CNorm = Ctx<TInfCTeNorm>;
using LNorm = Linha<CNorm>;
constexpr LNorm kRefCTeCanc[] = {
    {"#", "refCTeCanc", tcEsp, 44, 44, 0, DigitosDe<&TInfCTeNorm::refCTeCanc>, Sempre,
     "Chave do CTe"},
    LNorm::Alerta("#", "refCTeCanc", "Chave de acesso das NF-e referenciadas",
                  [](const CNorm &c) {
                      return !util::OnlyNumber(c.m.refCTeCanc).empty() &&
                             !dfe::ValidarChave(c.m.refCTeCanc);
                  },
                  ConteudoInvalido),
};

} // namespace

void TCTeW::GerarInfCTeNorm()
{
    const TIde &ide = FCTe.ide;
    if (ide.tpCTe != tcNormal && ide.tpCTe != tcSubstituto)
        return;
    const TInfCTeNorm &n = FCTe.infCTeNorm;
    const double versao = FCTe.infCTe.versao;
    const int modelo = ide.modelo;

    FGerador.wGrupo("infCTeNorm", "#252");

    if (versao >= 3.0 && modelo == 67) {
        GerarinfServico();
        GerarinfDocRef();
        GerarSeg();
    } else {
        GerarinfCarga();
        if (!ServicoSemDocumentos(ide))
            GerarinfDoc();
        if (n.docAnt.emiDocAnt.Count() > 0)
            GerarDocAnt();
        if (versao == 2.0)
            GerarSeg();
    }

    if (modelo == 57 ||
        (modelo == 67 && ide.modal == dfe::mdRodoviario && ide.tpServ != tsTranspValores))
        GerarInfModal();

    if (modelo == 57) {
        if (versao == 2.0)
            GerarPeri();
        GerarVeicNovos();
        GerarCobr();
        GerarInfCteSub();
        if (versao >= 3.0 && !rtl::Trim(n.infGlobalizado.xObs).empty())
            GerarInfGlobalizado();
        if (versao >= 3.0)
            GerarInfServVinc();
    } else if (modelo == 67) {
        GerarInfCteSub();
        if (ide.tpServ == tsTranspValores)
            Escrever(FGerador, kRefCTeCanc, Contexto(*this, n));
        GerarCobr();
    }

    FGerador.wGrupo("/infCTeNorm");
}

void TCTeW::GerarinfCarga()
{
    EscreverGrupo(FGerador, "infCarga", "#253", kInfCarga,
                  Contexto(*this, FCTe.infCTeNorm.infCarga));
}

void TCTeW::GerarinfDoc()
{
    FGerador.wGrupo("infDoc", "#261");
    GerarInfNF();
    GerarInfNFe();
    GerarInfOutros();
    FGerador.wGrupo("/infDoc");
}

void TCTeW::GerarinfServico()
{
    EscreverGrupo(FGerador, "infServico", "#132", kInfServico,
                  Contexto(*this, FCTe.infCTeNorm.infServico));
}

void TCTeW::GerarinfDocRef()
{
    const TinfDocRefCollection &lista = FCTe.infCTeNorm.infDocRef;
    for (int i = 0; i < lista.Count(); ++i)
        EscreverGrupo(FGerador, "infDocRef", "#136", kInfDocRef, Contexto(*this, lista.Items(i)));
    if (lista.Count() > MaxOcorrencias)
        FGerador.wAlerta("#136", "infDocRef", "Informações de quantidades da Carga",
                         MensagemLimiteOcorrencias(MaxOcorrencias));
}

void TCTeW::GerarInfModal()
{
    FGerador.wGrupo("infModal versaoModal=\"" + GetVersaoModalCTe(FVersaoDF, FCTe.ide.modal) +
                        "\"",
                    "#366");
    switch (rtl::StrToIntDef(dfe::TpModalToStr(FCTe.ide.modal), 0)) {
    case 1:
        if (FCTe.ide.modelo == 57)
            GerarRodo();
        else
            GerarRodoOS();
        break;
    case 2: GerarAereo(); break;
    case 3: GerarAquav(); break;
    case 4: GerarFerrov(); break;
    case 5: GerarDuto(); break;
    case 6: GerarMultimodal(); break;
    default: break;
    }
    FGerador.wGrupo("/infModal");
}

} // namespace cte

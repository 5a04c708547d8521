#pragma once
// Enumerations of the writers', components' and auxiliary documents' settings. They travel in
// no XML, so they have no code table.

namespace dfe {

// GerarTagAssinatura of the writers' options.
enum TpcnTagAssinatura { taSempre, taNunca, taSomenteSeAssinada, taSomenteParaNaoAssinada };

// ForcarGerarTagRejeicao938 of the NF-e settings and writer.
enum TForcarGeracaoTag { fgtNunca, fgtSomenteProducao, fgtSomenteHomologacao, fgtSempre };

// TributosPercentual of the DANFE.
enum TpcnPercentualTributos { ptValorProdutos, ptValorNF, ptPersonalizado };

// PosCanhoto, the receipt stub's position on the DANFE and DACTE.
enum TPosRecibo { prCabecalho, prRodape, prEsquerda };

// PosCanhotoLayout of the DANFE.
enum TPosReciboLayout { prlPadrao, prlBarra };

// ImprimeDescAcrescItem of the DANFE.
enum TpcnImprimeDescAcrescItem { idaiSempre, idaiNunca, idaiComValor };

// ImprimeValor of the DANFE.
enum TImprimirUnidQtdeValor { iuComercial, iuTributavel, iuComercialETributavel };

// TamanhoPapel of the DACTE and DAMDFE.
enum TpcnTamanhoPapel { tpA4, tpA4_2vias, tpA5 };

// Formato of the decimal-places settings.
enum TDetFormato { tdetInteger, tdetMascara };

// The format argument of the generator's file saving.
enum TpcnFormatoGravacao { fgXML, fgTXT };

// Declared for completeness of the distribution and manifestation messages; no field of the
// viewer holds them.
enum TpcnSituacaoEmissor { seHomologacao, seProducao };
enum TpcnIndicadorEmissor { ieTodos, ieRaizCNPJDiferente };
enum TpcnIndicadorContinuacao { icNaoPossuiMaisDocumentos, icPossuiMaisDocumentos };
enum TpcnSituacaoManifDest {
    smdSemManifestacao,
    smdConfirmada,
    smdDesconhecida,
    smdOperacaoNaoRealizada,
    smdCiencia
};

// The field kinds shared by the XML reader and the generator.
enum TpcnTipoCampo {
    tcStr,
    tcInt,
    tcDat,
    tcDatHor,
    tcEsp,
    tcDe2,
    tcDe3,
    tcDe4,
    tcDe6,
    tcDe8,
    tcDe10,
    tcHor,
    tcDatCFe,
    tcHorCFe,
    tcDatVcto,
    tcDatHorCFe,
    tcBoolStr,
    tcStrOrig,
    tcNumStr
};

// The XML-signing library of the settings and of the crypto facade; xsNone signs nothing.
enum TSSLXmlSignLib { xsNone, xsXmlSec, xsMsXml, xsMsXmlCapicom, xsLibXml2 };

} // namespace dfe

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

// The three library choices of the settings as one value; libCustom when they match none
// of the named combinations.
enum TSSLLib { libNone, libOpenSSL, libCapicom, libCapicomSoap, libWinCrypt, libCustom };

// The crypto library of the settings and of the crypto facade; cryNone loads no certificate
// and computes no digest.
enum TSSLCryptLib { cryNone, cryOpenSSL, cryCapicom, cryWinCrypt };

// The HTTP library of the settings and of the crypto facade; httpNone answers every request
// with an empty body and code 0.
enum TSSLHttpLib { httpNone, httpWinINet, httpWinHttp, httpOpenSSL, httpIndy };

// The XML-signing library of the settings and of the crypto facade; xsNone signs nothing.
enum TSSLXmlSignLib { xsNone, xsXmlSec, xsMsXml, xsMsXmlCapicom, xsLibXml2 };

// The TLS version the HTTP libraries negotiate; LT_all lets them choose.
enum TSSLType { LT_all, LT_SSLv2, LT_SSLv3, LT_TLSv1, LT_TLSv1_1, LT_TLSv1_2, LT_TLSv1_3, LT_SSHv2 };

// The digest the signing library uses.
enum TSSLDgst {
    dgstMD2,
    dgstMD4,
    dgstMD5,
    dgstRMD160,
    dgstSHA,
    dgstSHA1,
    dgstSHA256,
    dgstSHA512
};

// Where the certificate store the serial number refers to lives.
enum TSSLStoreLocation { slMemory, slLocalMachine, slCurrentUser, slActiveDirectory, slSmartCard };

} // namespace dfe

#pragma once
// The SAT component's two settings objects: the CF-e defaults a point of sale fills a new
// sale with (Config) and where the device's CF-e files go (ConfigArquivos). The viewer
// only reads CF-e files, so nothing here is used on its road; the settings exist with their
// defaults and rules because the component carries them.
//
// Both are owned by a TOvixSAT and refuse any other owner, no owner included, with
// EOvixSATErro "Dono de TOvixSATConfig deve ser TOvixSAT".

#include "dfe/codes_document.h"
#include "dfe/codes_settings.h"
#include "dfe/codes_tax.h"

#include "rtl/classes.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace sat {

class TOvixSAT;

// The code page of UTF-8, the one EhUTF8 stands for.
inline constexpr std::uint16_t CP_UTF8 = 65001;

class TOvixSATConfig : public rtl::TComponent {
public:
    explicit TOvixSATConfig(rtl::TComponent *AOwner);
    std::string ClassName() const override;

    // Every setting below back to its default, except PaginaDeCodigo.
    void Clear();

    double infCFe_versaoDadosEnt() const noexcept { return FinfCFe_versaoDadosEnt; }
    void SetinfCFe_versaoDadosEnt(double AValue) noexcept { FinfCFe_versaoDadosEnt = AValue; }
    const std::string &ide_CNPJ() const noexcept { return Fide_CNPJ; }
    void Setide_CNPJ(std::string AValue) { Fide_CNPJ = std::move(AValue); }
    int ide_numeroCaixa() const noexcept { return Fide_numeroCaixa; }
    void Setide_numeroCaixa(int AValue) noexcept { Fide_numeroCaixa = AValue; }
    dfe::TpcnTipoAmbiente ide_tpAmb() const noexcept { return Fide_tpAmb; }
    void Setide_tpAmb(dfe::TpcnTipoAmbiente AValue) noexcept { Fide_tpAmb = AValue; }
    const std::string &emit_CNPJ() const noexcept { return Femit_CNPJ; }
    void Setemit_CNPJ(std::string AValue) { Femit_CNPJ = std::move(AValue); }
    const std::string &emit_IE() const noexcept { return Femit_IE; }
    void Setemit_IE(std::string AValue) { Femit_IE = std::move(AValue); }
    const std::string &emit_IM() const noexcept { return Femit_IM; }
    void Setemit_IM(std::string AValue) { Femit_IM = std::move(AValue); }
    dfe::TpcnRegTrib emit_cRegTrib() const noexcept { return Femit_cRegTrib; }
    void Setemit_cRegTrib(dfe::TpcnRegTrib AValue) noexcept { Femit_cRegTrib = AValue; }
    dfe::TpcnRegTribISSQN emit_cRegTribISSQN() const noexcept { return Femit_cRegTribISSQN; }
    void Setemit_cRegTribISSQN(dfe::TpcnRegTribISSQN AValue) noexcept { Femit_cRegTribISSQN = AValue; }
    dfe::TpcnindRatISSQN emit_indRatISSQN() const noexcept { return Femit_indRatISSQN; }
    void Setemit_indRatISSQN(dfe::TpcnindRatISSQN AValue) noexcept { Femit_indRatISSQN = AValue; }

    // A view of PaginaDeCodigo: true exactly for the UTF-8 code page. Setting true selects
    // it; setting false drops it only when it is the one selected, so another code page
    // stays.
    bool EhUTF8() const noexcept { return FPaginaDeCodigo == CP_UTF8; }
    void SetEhUTF8(bool AValue) noexcept;
    std::uint16_t PaginaDeCodigo() const noexcept { return FPaginaDeCodigo; }
    void SetPaginaDeCodigo(std::uint16_t AValue) noexcept { FPaginaDeCodigo = AValue; }

    const std::string &ArqSchema() const noexcept { return FArqSchema; }
    void SetArqSchema(std::string AValue) { FArqSchema = std::move(AValue); }

    // The owner's crypto facade gets the value first; a library it refuses raises its
    // error and the setting keeps its value.
    dfe::TSSLXmlSignLib XmlSignLib() const noexcept { return FXmlSignLib; }
    void SetXmlSignLib(dfe::TSSLXmlSignLib AValue);

private:
    TOvixSAT *FOwner;
    double FinfCFe_versaoDadosEnt = 0;
    std::string Fide_CNPJ;
    int Fide_numeroCaixa = 0;
    dfe::TpcnTipoAmbiente Fide_tpAmb = dfe::taHomologacao;
    std::string Femit_CNPJ;
    std::string Femit_IE;
    std::string Femit_IM;
    dfe::TpcnRegTrib Femit_cRegTrib = dfe::RTSimplesNacional;
    dfe::TpcnRegTribISSQN Femit_cRegTribISSQN = dfe::RTISSMicroempresaMunicipal;
    dfe::TpcnindRatISSQN Femit_indRatISSQN = dfe::irSim;
    std::uint16_t FPaginaDeCodigo = 0;
    std::string FArqSchema;
    dfe::TSSLXmlSignLib FXmlSignLib = dfe::xsNone;
};

class TOvixSATConfigArquivos : public rtl::TComponent {
public:
    explicit TOvixSATConfigArquivos(rtl::TComponent *AOwner);
    std::string ClassName() const override;

    // Every setting below back to its default, except SepararPorAno and PastaEnvio.
    void Clear();

    bool SalvarCFe() const noexcept { return FSalvarCFe; }
    void SetSalvarCFe(bool AValue) noexcept { FSalvarCFe = AValue; }
    bool SalvarCFeCanc() const noexcept { return FSalvarCFeCanc; }
    void SetSalvarCFeCanc(bool AValue) noexcept { FSalvarCFeCanc = AValue; }
    bool SalvarEnvio() const noexcept { return FSalvarEnvio; }
    void SetSalvarEnvio(bool AValue) noexcept { FSalvarEnvio = AValue; }
    bool SepararPorCNPJ() const noexcept { return FSepararPorCNPJ; }
    void SetSepararPorCNPJ(bool AValue) noexcept { FSepararPorCNPJ = AValue; }
    bool SepararPorModelo() const noexcept { return FSepararPorModelo; }
    void SetSepararPorModelo(bool AValue) noexcept { FSepararPorModelo = AValue; }
    bool SepararPorAno() const noexcept { return FSepararPorAno; }
    void SetSepararPorAno(bool AValue) noexcept { FSepararPorAno = AValue; }
    // A day folder lives inside a month folder: turning days on turns months on, turning
    // months off turns days off.
    bool SepararPorMes() const noexcept { return FSepararPorMes; }
    void SetSepararPorMes(bool AValue) noexcept;
    bool SepararPorDia() const noexcept { return FSepararPorDia; }
    void SetSepararPorDia(bool AValue) noexcept;

    // Each folder, read while empty, becomes the executable's folder followed by "Vendas",
    // "Cancelamentos" or "Enviado" and keeps that value. Set, it is trimmed and loses every
    // trailing '\' and '/'.
    const std::string &PastaCFeVenda() const;
    void SetPastaCFeVenda(std::string_view AValue);
    const std::string &PastaCFeCancelamento() const;
    void SetPastaCFeCancelamento(std::string_view AValue);
    const std::string &PastaEnvio() const;
    void SetPastaEnvio(std::string_view AValue);

    const std::string &PrefixoArqCFe() const noexcept { return FPrefixoArqCFe; }
    void SetPrefixoArqCFe(std::string AValue) { FPrefixoArqCFe = std::move(AValue); }
    const std::string &PrefixoArqCFeCanc() const noexcept { return FPrefixoArqCFeCanc; }
    void SetPrefixoArqCFeCanc(std::string AValue) { FPrefixoArqCFeCanc = std::move(AValue); }

private:
    TOvixSAT *FOwner;
    bool FSalvarCFe = false;
    bool FSalvarCFeCanc = false;
    bool FSalvarEnvio = false;
    bool FSepararPorCNPJ = false;
    bool FSepararPorModelo = false;
    bool FSepararPorAno = false;
    bool FSepararPorMes = false;
    bool FSepararPorDia = false;
    // Filled on the first read while empty: a read that stores its default.
    mutable std::string FPastaCFeVenda;
    mutable std::string FPastaCFeCancelamento;
    mutable std::string FPastaEnvio;
    std::string FPrefixoArqCFe;
    std::string FPrefixoArqCFeCanc;
};

} // namespace sat

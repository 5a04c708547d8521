#pragma once
// Small pieces every document writer's group writers use: the generator's "invalid
// content" alert text, the tests of a value's presence, and the date kind of a leaf.

#include "dfe/helpers.h"
#include "dfe/timezone.h"
#include "rtl/currency.h"
#include "rtl/datetime.h"
#include "rtl/text.h"
#include "rtl/variant.h"

#include <string>
#include <string_view>

namespace dfe::escrita {

inline constexpr std::string_view ConteudoInvalido = "Conteúdo inválido";

// Not blank: something is left after the surrounding blanks are removed.
inline bool Preenchido(std::string_view texto) { return !rtl::Trim(texto).empty(); }

// "Above zero" of the layouts: a negative amount counts as absent.
inline bool Positivo(rtl::Currency valor) { return valor > rtl::Currency{}; }

// A date or date-time leaf's value, as wCampo converts it by the field's kind.
inline rtl::Variant Data(rtl::TDateTime valor) { return rtl::Variant::FromDateTime(valor); }

// "YYYY-MM-DDThh:nn:ss" (always ':', whatever the locale) followed by the zone the
// document's state has at that moment.
inline std::string DataHoraComFuso(rtl::TDateTime valor, int cUF)
{
    return dfe::DateTimeTodh(valor) + dfe::GetUTC(dfe::CodigoParaUF(cUF), valor);
}

} // namespace dfe::escrita

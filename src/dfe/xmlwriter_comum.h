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

// "YYYY-MM-DDThh:nn:ss" (always ':', whatever the locale) followed by a zone: the one the
// document stated for this date-time when it was read (`fusoLido`, kept by the model next
// to it), else the zone the time-zone setting gives the document's state at that moment.
// The model holds only the clock time; writing it with another zone than the one it was
// read with would state another instant (a summer-time "-02:00" or an "-04:00" of another
// state read on a machine in UTC would come back as "+00:00").
inline std::string DataHoraComFuso(rtl::TDateTime valor, std::string_view fusoLido, int cUF)
{
    if (!fusoLido.empty())
        return dfe::DateTimeTodh(valor) + std::string(fusoLido);
    return dfe::DateTimeTodh(valor) + dfe::GetUTC(dfe::CodigoParaUF(cUF), valor);
}

} // namespace dfe::escrita

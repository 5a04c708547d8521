#pragma once
// The protocol status sets the transport documents (CT-e and MDF-e) share: which codes
// confirm an authorisation, which mean the document was processed, which cancel it.

namespace dfe::cstat {

// 100 authorised, 150 authorised out of time.
constexpr bool Confirmado(int AValue) noexcept { return AValue == 100 || AValue == 150; }

// The confirmations, 110 denied, and 301/302 denied for the issuer's or the taker's
// irregular situation.
constexpr bool Processado(int AValue) noexcept
{
    return AValue == 100 || AValue == 110 || AValue == 150 || AValue == 301 || AValue == 302;
}

// 101 cancelled, 151 cancelled out of time, 155 cancelled after the deadline.
constexpr bool Cancelado(int AValue) noexcept
{
    return AValue == 101 || AValue == 151 || AValue == 155;
}

} // namespace dfe::cstat

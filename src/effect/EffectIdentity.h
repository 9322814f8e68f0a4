#pragma once

// Who the effect is, as every plug-in format's host lists it.
constexpr char kEffectVendorName[] = "Brackwel";
constexpr char kEffectProductName[] = "Vantor Pro";

// Float-to-integer conversions of the renderers that stay defined for every input: NaN and
// values beyond the int32 range give INT32_MIN (the value the x86 conversion instructions
// produce) instead of undefined behaviour. Inputs inside the range convert as the casts do.
#pragma once

#include <cstdint>
#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Round toward zero.
inline int32_t TruncToInt32(double value) {
  if (!(value > -2147483649.0 && value < 2147483648.0)) return INT32_MIN;
  return static_cast<int32_t>(value);
}

// Round to nearest, ties to even (the processor's default rounding mode).
inline int32_t RoundToInt32(float value) {
#if defined(__SSE2__)
  return _mm_cvtss_si32(_mm_set_ss(value));
#else
  if (!(value > -2147483648.0f && value < 2147483648.0f)) return INT32_MIN;
  return static_cast<int32_t>(std::nearbyint(value));
#endif
}

// Round toward zero (float input; the single-instruction form on x86).
inline int32_t TruncFloatToInt32(float value) {
#if defined(__SSE2__)
  return _mm_cvttss_si32(_mm_set_ss(value));
#else
  if (!(value > -2147483648.0f && value < 2147483648.0f)) return INT32_MIN;
  return static_cast<int32_t>(value);
#endif
}

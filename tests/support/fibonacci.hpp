#pragma once

#include <gmpxx.h>

#include <vector>

namespace korvelant::testing {

// F(0) .. F(last), F(1) = F(2) = 1: a path of m vertices has F(m + 1) matchings, which
// gives the Hosoya numbers of paths in closed form.
inline std::vector<mpz_class> Fibonacci(int last) {
  std::vector<mpz_class> f(static_cast<std::size_t>(last) + 1);
  f[0] = 0;
  if (last >= 1) f[1] = 1;
  for (int k = 2; k <= last; ++k)
    f[k] = f[k - 1] + f[k - 2];
  return f;
}

}  // namespace korvelant::testing

#pragma once

namespace korvelant {

// Where a 2D depiction draws an atom: RDKit's units (a bond is about 1.5), y upwards.
struct DepictionPoint {
  double x = 0;
  double y = 0;
  friend bool operator==(const DepictionPoint&, const DepictionPoint&) = default;
};

}  // namespace korvelant
